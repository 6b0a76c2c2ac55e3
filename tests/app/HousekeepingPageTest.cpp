// The housekeeping, parameter and configuration pages in the real window: a
// "Regular HK" node of the demo archive shown, its rows and status tree read back
// from the widgets, the half picked as a user picks it.

#include "tests/app/SettingsTest.h"
#include "tests/app/WindowHelpers.h"

#include "app/Unit1.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLocale>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

using namespace orvik::app;

using orvik::NodeId;
namespace NodeKind = orvik::NodeKind;

namespace {

class HousekeepingPageTest : public SettingsTest {
protected:
    HousekeepingPageTest()
    {
        // A user whose numbers have a decimal comma.
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        window = std::make_unique<TForm1>();
        window->currentFileName = demoArchive;
        window->openArchive(false);
    }
    ~HousekeepingPageTest() override
    {
        window.reset();
        QLocale::setDefault(systemLocale);
    }

    template <typename T>
    T* find(const char* name) { return findNamed<T>(*window, name); }

    // Chooses the n-th time-list entry of that kind as a user does; returns its node.
    NodeId choose(int16_t kind, size_t n = 0) { return chooseTimeRow(*window, timeRowOf(window->document(), kind, n)); }

    QString cell(const char* list, int row, int column)
    {
        const QAbstractItemModel* model = find<QAbstractItemView>(list)->model();
        return model->index(row, column).data().toString();
    }

    static QString decimalComma(double value) { return QString::number(value, 'f', 2).replace('.', ','); }
    static QString hex4(uint16_t word) { return "0x" + QString("%1").arg(word, 4, 16, QChar('0')).toUpper(); }

    QStringList treeLines()
    {
        QStringList lines;
        auto* tree = find<QTreeWidget>("HKTreeView1");
        for (int i = 0; i < tree->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* top = tree->topLevelItem(i);
            EXPECT_FALSE(top->isExpanded()) << "the nodes are left collapsed";
            lines << top->text(0);
            for (int c = 0; c < top->childCount(); ++c)
                lines << "  " + top->child(c)->text(0);
        }
        return lines;
    }

    const QLocale systemLocale;
    std::unique_ptr<TForm1> window;
};

TEST_F(HousekeepingPageTest, RegularHkNodeShowsItsRowsAndStatusWordsAndPicksTheSecondHalf)
{
    const NodeId node = choose(NodeKind::RegularHk);
    const orvik::RawPacket& packet = *window->document().tree().wrapper(node).packet();
    const auto dataWord = [&packet](size_t k) { return packet.dataWord(k).value(); };
    EXPECT_EQ(find<QTabWidget>("PageControl1")->currentWidget()->objectName(), "RegularHKTabSheet");

    auto* list = find<QAbstractItemView>("HKListView");
    ASSERT_EQ(list->model()->rowCount(), 64);
    EXPECT_EQ(list->model()->headerData(1, Qt::Horizontal).toString(), "Value");
    EXPECT_EQ(cell("HKListView", 16, 0), "ORVH_He1_Pressure");
    EXPECT_EQ(cell("HKListView", 16, 1), decimalComma(16.0 * dataWord(17)));
    EXPECT_EQ(cell("HKListView", 16, 2), "mbar");
    EXPECT_EQ(cell("HKListView", 16, 3), "Pressure He tank 1");
    EXPECT_EQ(cell("HKListView", 5, 1), decimalComma(dataWord(6))) << "an identity row";
    EXPECT_EQ(list->model()->index(16, 1).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight,
              Qt::AlignRight);
    for (int row = 0; row < 64; ++row)
        EXPECT_TRUE(cell("HKListView", row, 1).contains(',')) << row;

    const QStringList first = treeLines();
    ASSERT_EQ(first.size(), 2 + 4 + 7);
    EXPECT_EQ(first[0], "System Status 2 = " + hex4(dataWord(61)) + " SSV, MM");
    EXPECT_EQ(first[5], "System Status 1 = " + hex4(dataWord(62)) + " System Mode, Power Switches");
    EXPECT_EQ(first[12].mid(2, 20), QString(".... .... .... ...%1 ").arg(dataWord(62) & 1));
    EXPECT_TRUE(first[12].endsWith("SD2 ready 0: false, 1: true"));
    EXPECT_EQ(find<QTreeWidget>("HKTreeView1")->font().family(), "Courier New");

    // The user picks "64-127" in the selector.
    auto* half = find<QComboBox>("HKPacketHalf");
    EXPECT_TRUE(half->isVisibleTo(window.get()));
    EXPECT_FALSE(half->isEditable());
    EXPECT_EQ(half->currentText(), "0-64");
    half->setFocus();
    QTest::keyClick(half, Qt::Key_Down);
    EXPECT_EQ(half->currentIndex(), 1);
    EXPECT_EQ(cell("HKListView", 16, 1), decimalComma(16.0 * dataWord(81)));
    const QStringList second = treeLines();
    EXPECT_EQ(second[0], "System Status 2 = " + hex4(dataWord(125)) + " SSV, MM");

    // The internal list shows the first half and no internal words for a regular packet.
    EXPECT_EQ(find<QAbstractItemView>("InternalHKListView")->model()->rowCount(), 92);
    EXPECT_EQ(cell("InternalHKListView", 16, 1), decimalComma(16.0 * dataWord(17)));
    EXPECT_EQ(cell("InternalHKListView", 64, 0), "ORVH_Alloc_BRAM_Size");
    EXPECT_EQ(cell("InternalHKListView", 64, 1), "-");

    // Showing the node again goes back to the first half.
    window->displayNode(node);
    EXPECT_EQ(half->currentIndex(), 0);
    EXPECT_EQ(cell("HKListView", 16, 1), decimalComma(16.0 * dataWord(17)));
    EXPECT_EQ(treeLines(), first);

    // After another open nothing refers to the released packets: the rows are blank, the tree stays.
    window->openArchive(false);
    EXPECT_EQ(list->model()->rowCount(), 64);
    EXPECT_EQ(cell("HKListView", 16, 0), "");
    EXPECT_EQ(cell("HKListView", 16, 1), "");
    EXPECT_EQ(treeLines(), first);
}

TEST_F(HousekeepingPageTest, InternalHkNodeHidesTheSelectorAndFillsTheInternalList)
{
    const NodeId node = choose(NodeKind::InternalHk);
    const orvik::RawPacket& packet = *window->document().tree().wrapper(node).packet();
    EXPECT_FALSE(find<QComboBox>("HKPacketHalf")->isVisibleTo(window.get()));
    EXPECT_EQ(cell("InternalHKListView", 64, 1), decimalComma(packet.dataWord(3 + 64).value()));
    EXPECT_EQ(cell("HKListView", 63, 1), decimalComma(packet.dataWord(3 + 63).value()));

    choose(NodeKind::RegularHk);
    EXPECT_TRUE(find<QComboBox>("HKPacketHalf")->isVisibleTo(window.get()));
}

TEST_F(HousekeepingPageTest, ParameterAndConfigurationPagesShowWhatTheDecodersWrote)
{
    choose(NodeKind::CsibParameter);
    const orvik::display::ComponentModel& model = window->display().components;
    for (const char* name : {"tpst_pos_open", "tpst_ctrl_timeout", "phdecay", "csib_ms_specdepth", "csib_ms_r2",
                             "csib_gc_tenaxtime", "csib_gc_heating"}) {
        EXPECT_EQ(find<QLabel>(name)->text().toStdString(), model.find(name)->text()) << name;
        EXPECT_NE(find<QLabel>(name)->text(), "-") << name;
    }
    EXPECT_EQ(find<QLabel>("tpst_pos_open")->toolTip().toStdString(),
              model.find("tpst_pos_open")->text(orvik::display::Property::Hint));
    auto* grid = find<QTableWidget>("StringGrid1");
    ASSERT_EQ(grid->rowCount(), 9);
    EXPECT_EQ(grid->item(0, 1)->text(), "Temp");
    EXPECT_EQ(grid->item(8, 0)->text(), "7");
    EXPECT_TRUE(grid->item(8, 2)->text().startsWith("0x"));

    choose(NodeKind::CsibConfig);
    for (const char* name : {"ms_cfg_cathode", "ms_cfg_samplesource", "gc_cfg_duration", "gc_cfg_dacch4"})
        EXPECT_EQ(find<QLabel>(name)->text().toStdString(), model.find(name)->text()) << name;
    const bool direct = model.flag("tpst_cfg_directctrl", orvik::display::Property::Enabled).value();
    EXPECT_EQ(find<QWidget>("tpst_cfg_directctrl")->isEnabled(), direct);
    EXPECT_EQ(find<QWidget>("tpst_cfg_posinfo")->isEnabled(), !direct);
    EXPECT_EQ(find<QLabel>("Label124")->text(), "Potentiometer value:");
}

} // namespace
