#pragma once
// The node the memory-dump menus act on: the one chosen in the navigation
// control that is in front.

#include "TimeList.h"

#include <optional>

namespace orvik::reports {

// With the category tree in front, its selected node (noNode when none is selected);
// otherwise the time-list entry of the selected line, or noNode when no line
// (or a line beyond the list) is selected.
NodeId chosenNode(bool categoryInFront, NodeId treeSelection, std::optional<size_t> timeListLine,
                  const TimeList& timeListNodes);

} // namespace orvik::reports
