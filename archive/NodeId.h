#pragma once
// Node ids: 32 bits. Ids rise in the order nodes are shown. Nodes are numbered
// in the order they are added, in two ranges: from 0, and from `laterNodes` for
// the nodes added after the science stream began, whose own nodes are shown
// where it began and so keep numbering in the first range (see CategoryTree).

#include <cstdint>

namespace orvik {

using NodeId = uint32_t;
constexpr NodeId noNode = UINT32_MAX;
constexpr NodeId laterNodes = NodeId(1) << 31;

} // namespace orvik
