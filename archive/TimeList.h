#pragma once
// The time list: every non-group node of the tree in the order of their ids,
// which is the order the nodes were added but for the science stream's, listed
// together where the stream began. Kept as runs of consecutive node ids; only
// group nodes break a run.

#include "archive/NodeRuns.h"

namespace orvik {

using TimeList = NodeRuns;

} // namespace orvik
