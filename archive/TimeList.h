#pragma once
// The time list: every non-group node of the tree in the order the nodes were
// added. Nodes are numbered in that order too, so the list is kept as runs of
// consecutive node ids; only group nodes break a run.

#include "archive/NodeRuns.h"

namespace orvik {

using TimeList = NodeRuns;

} // namespace orvik
