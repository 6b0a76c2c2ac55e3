#include "archive/TimeList.h"

#include <gtest/gtest.h>

#include <vector>

using namespace orvik;

// Node ids arrive in rising order with gaps where group nodes were added; every
// entry must map back to exactly the id appended at its place.
TEST(TimeList, EntriesMapBackToTheAppendedNodesAcrossGaps)
{
    const std::vector<NodeId> appended = {5, 6, 7, 9, 10, 11, 12, 20, 22, 23, 100};
    TimeList list;
    for (NodeId id : appended)
        list.append(id);
    ASSERT_EQ(list.size(), appended.size());
    for (size_t k = 0; k < appended.size(); ++k)
        EXPECT_EQ(list[k], appended[k]) << k;
    EXPECT_EQ(std::vector<NodeId>(list.begin(), list.end()), appended);

    list.clear();
    EXPECT_TRUE(list.empty());
    list.append(3);
    EXPECT_EQ(list.front(), 3u);
}

// The way back, from a node to its entry, must find every appended node and no id of a gap.
TEST(TimeList, NodesFindTheirEntriesAndNodesOutsideTheListFindNone)
{
    const std::vector<NodeId> appended = {5, 6, 7, 9, 10, 20, 22, 23};
    TimeList list;
    for (NodeId id : appended)
        list.append(id);
    for (size_t k = 0; k < appended.size(); ++k)
        EXPECT_EQ(list.entryOf(appended[k]), k) << k;
    for (NodeId outside : {0u, 4u, 8u, 11u, 19u, 21u, 24u, noNode})
        EXPECT_EQ(list.entryOf(outside), std::nullopt) << outside;
    EXPECT_EQ(TimeList().entryOf(0), std::nullopt);
}
