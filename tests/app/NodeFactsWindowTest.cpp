// What tells apart the many nodes of the same text in the window: the time list's
// number and time columns, the tooltips of both navigation controls, and the
// header above the pages.

#include "tests/app/SettingsTest.h"
#include "tests/app/WindowHelpers.h"

#include "app/models/CategoryTreeModel.h"
#include "app/models/TimeListItemDelegate.h"
#include "app/models/TimeListModel.h"
#include "app/Unit1.h"

#include <QAbstractItemView>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QRegularExpression>
#include <QTreeView>

using namespace orvik::app;

using orvik::NodeId;
namespace NodeKind = orvik::NodeKind;

namespace {

class NodeFactsWindowTest : public SettingsTest {
protected:
    void SetUp() override
    {
        SettingsTest::SetUp();
        window.currentFileName = demoArchive;
        window.openArchive(false);
        timeList = findNamed<QAbstractItemView>(window, "ListBox1");
        tree = findNamed<QTreeView>(window, "TreeView1");
        header = findNamed<QLabel>(window, "NodeHeader");
        ASSERT_TRUE(timeList && tree && header);
        hkRow = timeRowOf(window.document(), NodeKind::RegularHk);
        tcRow = timeRowOf(window.document(), NodeKind::Telecommand);
        ASSERT_GE(hkRow, 0);
        ASSERT_GE(tcRow, 0);
    }

    QModelIndex line(int row) const { return timeList->model()->index(row, 0); }
    // The tree's node of the first "Regular HK" line.
    QModelIndex treeHk() const
    {
        const NodeId node = window.document().timeListNodes()[size_t(hkRow)];
        return static_cast<const CategoryTreeModel*>(tree->model())->indexOf(node);
    }
    // The line as ListBox1's delegate draws it on white.
    QImage drawn(int row) const
    {
        QStyleOptionViewItem option;
        option.rect = lineRect;
        option.font = timeList->font();
        option.palette = timeList->palette();
        option.palette.setColor(QPalette::Base, Qt::white);
        option.palette.setColor(QPalette::Text, Qt::black);
        option.state = QStyle::State_Enabled;
        QImage image(option.rect.size(), QImage::Format_RGB32);
        QPainter painter(&image);
        timeList->itemDelegate()->paint(&painter, option, line(row));
        return image;
    }
    static constexpr QRect lineRect{0, 0, 600, 13};
    static bool inked(const QImage& image, const QRect& area)
    {
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (image.pixel(x, y) != qRgb(255, 255, 255))
                    return true;
        return false;
    }

    TForm1 window;
    QAbstractItemView* timeList = nullptr;
    QTreeView* tree = nullptr;
    QLabel* header = nullptr;
    int hkRow = -1, tcRow = -1;
};

TEST_F(NodeFactsWindowTest, TimeListLinesTellTheirNumberAndTimeBeforeTheUnchangedText)
{
    EXPECT_EQ(line(0).data(TimeListModel::NumberRole).toString(), "#1");
    EXPECT_EQ(line(hkRow).data(TimeListModel::NumberRole).toString(), QString("#%1").arg(hkRow + 1));
    EXPECT_EQ(line(hkRow).data().toString(), "Regular HK");
    // A packet carries its time; a telecommand cut out of the science stream carries none.
    EXPECT_TRUE(line(hkRow).data(TimeListModel::TimeRole).toString().contains(
        QRegularExpression("^\\d\\d:\\d\\d:\\d\\d,\\d{3}$")));
    EXPECT_EQ(line(tcRow).data(TimeListModel::TimeRole).toString(), "");

    const auto* model = static_cast<const TimeListModel*>(timeList->model());
    const auto columns = TimeListItemDelegate::columnsOf(lineRect, QFontMetrics(timeList->font()), model->widestNumber());
    const QImage hk = drawn(hkRow), tc = drawn(tcRow);
    EXPECT_TRUE(inked(hk, columns.number));
    EXPECT_TRUE(inked(hk, columns.time));
    EXPECT_TRUE(inked(hk, columns.text));
    EXPECT_TRUE(inked(tc, columns.number));
    EXPECT_FALSE(inked(tc, columns.time));
    EXPECT_TRUE(inked(tc, columns.text));
}

TEST_F(NodeFactsWindowTest, TreeNodesAndTimeListLinesTellTheirFactsInTheirToolTip)
{
    const QString tip = treeHk().data(Qt::ToolTipRole).toString();
    const QStringList lines = tip.split('\n');
    ASSERT_EQ(lines.size(), 3) << tip.toStdString();
    EXPECT_EQ(lines[0], QString("#%1 in the time list").arg(hkRow + 1));
    EXPECT_TRUE(lines[1].startsWith("LOBT ")) << tip.toStdString();
    EXPECT_TRUE(lines[2].contains(QRegularExpression("^packet [\\d ]+ at offset 0x[0-9A-F]+$"))) << tip.toStdString();
    EXPECT_EQ(line(hkRow).data(Qt::ToolTipRole).toString(), tip);
    // A group node has nothing beyond its text.
    EXPECT_FALSE(tree->model()->index(0, 0).data(Qt::ToolTipRole).isValid());
}

TEST_F(NodeFactsWindowTest, HeaderNamesTheChosenNodeAndIsEmptiedByAnOpen)
{
    EXPECT_EQ(header->text(), "");
    tree->setCurrentIndex(treeHk());
    EXPECT_TRUE(header->text().startsWith(QString("Regular HK \u00B7 #%1 in the time list \u00B7 LOBT ").arg(hkRow + 1)))
        << header->text().toStdString();
    EXPECT_TRUE(header->text().contains(" \u00B7 packet ")) << header->text().toStdString();

    chooseTimeRow(window, tcRow);
    EXPECT_EQ(header->text(), QString("Telecommand \u00B7 #%1 in the time list").arg(tcRow + 1));

    window.openArchive(false);
    EXPECT_EQ(header->text(), "");
}

} // namespace
