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

TEST(TimeList, FindsTheEntryOfANodeAndNoneForANodeItDoesNotHold)
{
    TimeList list;
    for (NodeId id : {5u, 6u, 7u, 9u, 10u, 20u})
        list.append(id);
    EXPECT_EQ(list.entryOf(5), 0u);
    EXPECT_EQ(list.entryOf(7), 2u);
    EXPECT_EQ(list.entryOf(10), 4u);
    EXPECT_EQ(list.entryOf(20), 5u);
    for (NodeId missing : {0u, 4u, 8u, 11u, 19u, 21u, noNode})
        EXPECT_EQ(list.entryOf(missing), std::nullopt) << missing;
    EXPECT_EQ(TimeList().entryOf(0), std::nullopt);
}
