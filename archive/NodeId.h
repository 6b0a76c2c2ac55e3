#pragma once
// Node ids: 32 bits, given in the order the nodes are added.

#include <cstdint>

namespace orvik {

using NodeId = uint32_t;
constexpr NodeId noNode = UINT32_MAX;

} // namespace orvik
