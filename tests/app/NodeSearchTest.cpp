// The search off the user-interface thread: whoever waits until it no longer runs
// finds its result among the pending events, and only the latest needle's result
// is handed on.

#include "app/models/NodeSearch.h"
#include "archive/ArchiveDocument.h"
#include "archive/NodeFilter.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <thread>

namespace {

TEST(NodeSearchTest, OnceItNoLongerRunsItsResultIsAmongThePendingEvents)
{
    orvik::ArchiveDocument doc;
    ASSERT_TRUE(doc.open(ORVIK_DEMO_ARCHIVE));
    std::vector<size_t> matches;
    orvik::app::NodeSearch search(doc.tree(), [&](std::shared_ptr<const orvik::NodeFilter> filter) {
        matches.push_back(filter ? filter->matchCount() : 0);
    });
    // Many rounds: the moment between the end of the search and its result is short.
    for (size_t round = 0; round < 200; ++round) {
        search.setNeedle(round % 2 ? "HK" : "Spectrum");
        while (search.running())
            std::this_thread::yield();
        QCoreApplication::processEvents();
        ASSERT_EQ(matches.size(), round + 1);
        EXPECT_GT(matches.back(), 0u);
    }
    // A needle replaced before its search ended hands nothing on; the empty needle drops the filter at once.
    search.setNeedle("MS");
    search.setNeedle({});
    EXPECT_EQ(matches.back(), 0u);
    while (search.running())
        std::this_thread::yield();
    QCoreApplication::processEvents();
    EXPECT_EQ(matches.size(), 201u);
}

} // namespace
