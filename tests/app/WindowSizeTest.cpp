// The main window at the sizes the placement gives it: the first-run size shows
// every page tab and every statistics row, and a small stored size is kept, with
// the pages scrolling where they do not fit.

#include "tests/app/SettingsTest.h"
#include "tests/app/WindowHelpers.h"

#include "app/settings/Registry.h"
#include "app/settings/WindowPlacement.h"
#include "app/Unit1.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

inline void PrintTo(const QSize& size, std::ostream* out) { *out << size.width() << " x " << size.height(); }

using orvik::app::RegistryKey;
using orvik::app::TForm1;

class WindowSizeTest : public SettingsTest {};

TEST_F(WindowSizeTest, TheFirstRunSizeShowsEveryPageTabAndEveryStatisticsRow)
{
    TForm1 window;
    // The first-run size; the test screen may be smaller than that.
    window.resize(900, 577);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_EQ(window.size(), QSize(900, 577));

    const QTabBar* tabs = findNamed<QTabWidget>(window, "PageControl1")->tabBar();
    EXPECT_LE(tabs->sizeHint().width(), tabs->width());
    for (int i = 0; i < tabs->count(); ++i)
        EXPECT_TRUE(tabs->rect().contains(tabs->tabRect(i))) << tabs->tabText(i).toStdString();
    for (const QToolButton* arrow : tabs->findChildren<QToolButton*>())
        EXPECT_FALSE(arrow->isVisible()) << "no scroll arrows";

    const auto* statistics = findNamed<QTreeView>(window, "PacketStatListView");
    ASSERT_EQ(statistics->model()->rowCount(), 13);
    const QRect lastRow = statistics->visualRect(statistics->model()->index(12, 0));
    EXPECT_TRUE(statistics->viewport()->rect().contains(lastRow)) << lastRow.bottom() << " in "
                                                                   << statistics->viewport()->height();
}

TEST_F(WindowSizeTest, ASmallStoredPlacementOpensAndIsSavedBackAsStored)
{
    RegistryKey key(QStringLiteral("orvikegse"));
    orvik::app::saveWindowPlacement(key, QRect(10, 20, 400, 300));
    {
        TForm1 window;
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        EXPECT_EQ(window.size(), QSize(400, 300));

        // The page in front does not fit: it scrolls.
        auto* pages = findNamed<QTabWidget>(window, "PageControl1");
        pages->setCurrentWidget(findNamed<QWidget>(window, "RegularHKTabSheet"));
        const auto* scroller = pages->currentWidget()->findChild<QScrollArea*>(QString(), Qt::FindDirectChildrenOnly);
        ASSERT_NE(scroller, nullptr);
        EXPECT_GT(scroller->horizontalScrollBar()->maximum() + scroller->verticalScrollBar()->maximum(), 0);
    }
    EXPECT_EQ(key.readInteger(QStringLiteral("win_pos_width")), 400);
    EXPECT_EQ(key.readInteger(QStringLiteral("win_pos_height")), 300);
}
