// What a display writes reaches the widgets of that name, whatever their type.

#include "display/widgets/Chart.h"
#include "app/ComponentApplier.h"

#include <QComboBox>
#include <QLabel>
#include <QPixmap>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>
#include <QWidget>

#include <gtest/gtest.h>

using namespace orvik::display;
using namespace orvik::app;

namespace {

template <class T>
T* named(QWidget& parent, const char* name)
{
    auto* w = new T(&parent);
    w->setObjectName(name);
    return w;
}

} // namespace

TEST(ComponentApplierTest, WritesReachTheNamedWidgets)
{
    QWidget window;
    auto* label = named<QLabel>(window, "Label1");
    auto* grid = named<QTableWidget>(window, "Grid1");
    auto* list = named<QTreeWidget>(window, "List1");
    auto* tree = named<QTreeWidget>(window, "Tree1");
    auto* combo = named<QComboBox>(window, "Combo1");
    combo->addItems({"a", "b"});
    auto* pages = named<QTabWidget>(window, "Pages");
    auto* first = new QWidget, *second = new QWidget;
    second->setObjectName("Second");
    pages->addTab(first, "1");
    pages->addTab(second, "2");
    QPixmap green(8, 8);
    green.fill(Qt::green);
    const QIcon pass(green);
    list->setProperty("icons", QVariantList{QVariant::fromValue(QIcon()), QVariant::fromValue(pass)});

    ComponentModel model;
    model.setText("Label1", "12.5 V");
    model.setHint("Label1", "raw 0x1234");
    model.setEnabled("Label1", false);
    model.setCell("Grid1", 2, 3, "x");
    model.set("List1", Property::Items, std::vector<ListItem>{{"one", 0}, {"two", 1}, {"three", 7}});
    model.set("Tree1", Property::Nodes,
              std::vector<TreeItem>{{"root", 0}, {"child", 1}, {"grandchild", 2}, {"second root", 0}});
    model.setItemIndex("Combo1", 1);
    model.setActivePage("Pages", "Second");
    model.setText("NoSuchWidget", "ignored");

    ComponentApplier(window).apply(model.writes());

    EXPECT_EQ(label->text(), "12.5 V");
    EXPECT_EQ(label->toolTip(), "raw 0x1234");
    EXPECT_FALSE(label->isEnabled());
    ASSERT_GE(grid->rowCount(), 4);
    ASSERT_GE(grid->columnCount(), 3);
    EXPECT_EQ(grid->item(3, 2)->text(), "x");
    ASSERT_EQ(list->topLevelItemCount(), 3);
    EXPECT_EQ(list->topLevelItem(1)->text(0), "two");
    EXPECT_EQ(list->topLevelItem(1)->icon(0).cacheKey(), pass.cacheKey());
    EXPECT_TRUE(list->topLevelItem(2)->icon(0).isNull()); // an index beyond the icons shows none
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    EXPECT_EQ(tree->topLevelItem(0)->child(0)->child(0)->text(0), "grandchild");
    EXPECT_EQ(tree->topLevelItem(1)->text(0), "second root");
    EXPECT_EQ(combo->currentIndex(), 1);
    EXPECT_EQ(pages->currentWidget(), second);
}

TEST(ComponentApplierTest, ChartTitlesAndSeriesReachTheChart)
{
    QWidget window;
    auto* chart = new orvik::widgets::Chart("GCChart", &window);
    chart->setSeriesStyle(orvik::widgets::SeriesStyle::Line);

    ComponentModel model;
    model.set("GCChart", Property::Title, std::string("Spectrum 1 (16 smp)"));
    model.set("GCChart", Property::Series,
              std::vector<ChartSeries>{{"Column 1 Low", {{0, 1}, {0.262144, 9}}}, {"Column 1 High", {{0.131072, 5}}}});
    ComponentApplier(window).apply(model.writes());

    EXPECT_EQ(chart->title(), "Spectrum 1 (16 smp)");
    EXPECT_EQ(chart->seriesData(),
              (std::vector<ChartSeries>{{"Column 1 Low", {{0, 1}, {0.262144, 9}}}, {"Column 1 High", {{0.131072, 5}}}}));
}
