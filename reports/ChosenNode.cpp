#include "ChosenNode.h"

namespace orvik::reports {

NodeId chosenNode(bool categoryInFront, NodeId treeSelection, std::optional<size_t> timeListLine,
                  const TimeList& timeListNodes)
{
    if (categoryInFront)
        return treeSelection;
    if (!timeListLine || *timeListLine >= timeListNodes.size())
        return noNode;
    return timeListNodes[*timeListLine];
}

} // namespace orvik::reports
