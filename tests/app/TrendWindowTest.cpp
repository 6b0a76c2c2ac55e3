// The "Housekeeping Trend" window of the real main window: opened from the menu,
// a checked parameter plotted over the demo archive's on-board time, the search,
// the logarithmic scale that keeps the time axis, the window following the
// archive opened, and Close and Escape.

#include "tests/app/ModalAnswers.h"
#include "tests/app/SettingsTest.h"

#include "tests/archive/ArchiveBuilder.h"
#include "display/widgets/Chart.h"
#include "display/HousekeepingSamples.h"
#include "display/HousekeepingTrend.h"
#include "archive/OnBoardTime.h"
#include "display/widgets/TrendForm.h"
#include "app/Unit1.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace orvik;
using namespace orvik::test;
using namespace orvik::app;
using namespace orvik::widgets;
using orvik::display::ChartPoint;

namespace {

class TrendWindowTest : public SettingsTest {
protected:
    void SetUp() override
    {
        SettingsTest::SetUp();
        open(QStringLiteral(ORVIK_DEMO_ARCHIVE));
        window.findChild<QAction*>("Housekeepingtrend1")->trigger();
        trend = window.findChild<TrendForm*>("TrendForm");
        ASSERT_NE(trend, nullptr);
    }
    void open(const QString& fileName)
    {
        window.currentFileName = fileName;
        window.openArchive(false);
    }
    QListWidgetItem* item(const char* mnemonic)
    {
        const QList<QListWidgetItem*> items =
            trend->findChild<QListWidget*>("TrendParameterList")->findItems(mnemonic, Qt::MatchExactly);
        return items.isEmpty() ? nullptr : items.front();
    }
    std::vector<ChartPoint> expected(const char* mnemonic)
    {
        return display::trendPoints(*display::parameterNamed(mnemonic), display::trendSamples(window.document()));
    }

    TempDir dir;
    TForm1 window;
    TrendForm* trend = nullptr;
};

TEST_F(TrendWindowTest, TheMenuShowsTheWindowAndACheckedParameterIsPlottedOverOnBoardTime)
{
    EXPECT_TRUE(trend->isVisible());
    EXPECT_EQ(trend->windowTitle(), "Housekeeping Trend");
    EXPECT_EQ(window.findChild<QAction*>("Housekeepingtrend1")->shortcut(), QKeySequence("Ctrl+T"));
    ASSERT_EQ(trend->findChild<QListWidget*>("TrendParameterList")->count(), 94);
    widgets::Chart* chart = trend->chart();
    EXPECT_EQ(chart->seriesCount(), 0);

    ASSERT_NE(item("ORVH_Oven_Temp"), nullptr);
    item("ORVH_Oven_Temp")->setCheckState(Qt::Checked);
    EXPECT_EQ(chart->yAxis->label(), "ORVH_Oven_Temp [°C]") << "one parameter names the axis with its unit";
    item("ORVH_p5V_C")->setCheckState(Qt::Checked);
    EXPECT_EQ(chart->yAxis->label(), "Value") << "the legend names several";
    ASSERT_EQ(chart->seriesCount(), 2);
    EXPECT_EQ(chart->series(0)->name(), "ORVH_p5V_C [mA]") << "in the list's order";
    EXPECT_EQ(chart->series(1)->name(), "ORVH_Oven_Temp [°C]");
    const std::vector<ChartPoint> oven = expected("ORVH_Oven_Temp");
    ASSERT_EQ(oven.size(), 2 * display::regularHkBlocks(window.document()).size()) << "two samples per packet";
    EXPECT_EQ(chart->points(1), oven);
    EXPECT_EQ(chart->points(0), expected("ORVH_p5V_C"));
    // The x axis is time in seconds since 1970, labelled as UTC dates.
    EXPECT_GE(oven.front().x, double(obtEpoch));
    EXPECT_NE(chart->xAxis->ticker().dynamicCast<QCPAxisTickerDateTime>(), nullptr);
    EXPECT_DOUBLE_EQ(chart->xAxis->range().lower, oven.front().x);
    EXPECT_DOUBLE_EQ(chart->xAxis->range().upper, oven.back().x);

    item("ORVH_p5V_C")->setCheckState(Qt::Unchecked);
    ASSERT_EQ(chart->seriesCount(), 1);
    EXPECT_EQ(chart->points(0), oven);
}

TEST_F(TrendWindowTest, CloseAndEscapeCloseTheWindow)
{
    auto* close = trend->findChild<QPushButton*>("TrendClose");
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->text(), "Close");
    close->click();
    EXPECT_FALSE(trend->isVisible());

    window.findChild<QAction*>("Housekeepingtrend1")->trigger();
    ASSERT_TRUE(QTest::qWaitForWindowActive(trend));
    auto* search = trend->findChild<QLineEdit*>("TrendSearch");
    search->setFocus();
    QTest::keyClick(search, Qt::Key_Escape);
    EXPECT_FALSE(trend->isVisible());
}

TEST_F(TrendWindowTest, TheSearchHidesTheParametersThatDoNotMatch)
{
    trend->findChild<QLineEdit*>("TrendSearch")->setText("oven");
    EXPECT_FALSE(item("ORVH_Oven_Temp")->isHidden());
    EXPECT_TRUE(item("ORVH_p5V_C")->isHidden());
    trend->findChild<QLineEdit*>("TrendSearch")->setText("current +5");
    EXPECT_FALSE(item("ORVH_p5V_C")->isHidden()) << "the description matches too";
    EXPECT_TRUE(item("ORVH_Oven_Temp")->isHidden());
    trend->findChild<QLineEdit*>("TrendSearch")->clear();
    EXPECT_FALSE(item("ORVH_Oven_Temp")->isHidden());
}

TEST_F(TrendWindowTest, TheLogarithmicScaleKeepsTheTimeAxis)
{
    widgets::Chart* chart = trend->chart();
    trend->findChild<QCheckBox*>("TrendLogarithmic")->setChecked(true);
    EXPECT_TRUE(chart->isLogarithmic(widgets::ChartAxis::Left));
    chart->setLogarithmic(widgets::ChartAxis::Bottom, true); // as the chart editor does
    chart->setLogarithmic(widgets::ChartAxis::Bottom, false);
    EXPECT_NE(chart->xAxis->ticker().dynamicCast<QCPAxisTickerDateTime>(), nullptr);
}

TEST_F(TrendWindowTest, TheWindowFollowsTheArchiveOpened)
{
    ASSERT_TRUE(trend->setParameterChecked("ORVH_MS_Cycles", true));
    EXPECT_FALSE(trend->setParameterChecked("ORVH_Nothing", true));
    ASSERT_EQ(trend->chart()->seriesCount(), 1);
    EXPECT_FALSE(trend->chart()->points(0).empty());

    Words block = counting(128, 1);
    block[54] = 0, block[55] = 32;
    block[64 + 54] = 0, block[64 + 55] = 64;
    open(QString::fromStdString(
        dir.write("small.cvlbin", Archive().add(Packet{.serviceType = 3, .data = le({0}) + le(block)}).bytes())));
    EXPECT_EQ(trend->chart()->points(0), (std::vector<ChartPoint>{{obtEpoch + 1.0, 59}, {obtEpoch + 2.0, 123}}));

    ModalAnswers answers({[](QWidget* box) { box->close(); }});
    open(QString::fromStdString((dir.path() / "missing.cvlbin").string()));
    EXPECT_EQ(answers.opened, std::vector<std::string>{"QMessageBox"}) << "File not found!";
    EXPECT_TRUE(trend->chart()->points(0).empty()) << "no archive, no samples";
}

} // namespace
