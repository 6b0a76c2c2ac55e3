// What the event decoders write: error messages, test results and their details,
// tapping-station and execution reports, dataset telecommands and dump pages.

#include "tests/archive/ArchiveBuilder.h"
#include "tests/display/CommaLocale.h"
#include "display/ErrorMessageDisplay.h"
#include "display/ExecutionReportDisplay.h"
#include "display/MemoryDumpDisplay.h"
#include "archive/OnBoardTime.h"
#include "display/TestResultsDisplay.h"
#include "display/TpstReportDisplay.h"

using namespace orvik;
using namespace orvik::display;
using namespace orvik::test;

namespace {

// Packet data words 0..: the given words at their data-word numbers, zero elsewhere.
class PacketData {
public:
    explicit PacketData(size_t count) : words_(count, 0) {}
    PacketData& set(size_t k, uint16_t w)
    {
        words_.at(k) = w;
        return *this;
    }
    WordView view()
    {
        bytes_ = le(words_);
        return WordView(bytes_.data(), bytes_.size());
    }

private:
    Words words_;
    Bytes bytes_;
};

class EventDisplayTest : public ::testing::Test {
protected:
    std::string text(const std::string& component, Property p = Property::Text) const
    {
        const ComponentState* s = components.find(component);
        return s ? s->text(p) : "<never written>";
    }
    std::string cell(const std::string& grid, int col, int row) const
    {
        const ComponentState* s = components.find(grid);
        if (!s)
            return "<never written>";
        const auto it = s->cells().find({col, row});
        return it == s->cells().end() ? "<never written>" : it->second;
    }
    std::vector<ListItem> items(const std::string& list) const
    {
        const Value* v = components.find(list)->get(Property::Items);
        return v ? std::get<std::vector<ListItem>>(*v) : std::vector<ListItem>{};
    }
    std::vector<ChartSeries> series(const std::string& chart) const
    {
        const ComponentState* s = components.find(chart);
        const Value* v = s ? s->get(Property::Series) : nullptr;
        return v ? std::get<std::vector<ChartSeries>>(*v) : std::vector<ChartSeries>{};
    }

    ComponentModel components;
};

TEST_F(EventDisplayTest, ErrorMessageNamesTheHighestBitButWordsOnlyExactCategories)
{
    struct Case {
        uint16_t event;
        const char *mask, *id, *memo;
    };
    const Case cases[] = {
        {0x100B, "SW-Event", "0x000B", "Single shot valve successfully opened!"},
        {0x4002, "Configuration", "0x0002", "Configuration missing for: MS"},
        {0x8000, "Telecommand", "0x0000", "Checksum error in TC(513)"},
        {0x0123, "-", "0x0123", ""},
        {0x2005, "Unused", "0x0005", ""},
        {0x5001, "Configuration", "0x0001", ""},
        {0xF001, "Telecommand", "0x0001", ""},
        {0x1017, "SW-Event", "0x0017", "0x17 - unknown"},
        {0x4FFF, "Configuration", "0x0FFF", "Configuration missing for: 0xFFF - unknown"},
    };
    for (const Case& c : cases) {
        displayErrorMessage(components, PacketData(5).set(3, c.event).set(4, 513).view());
        EXPECT_EQ(text("errmsg_eventmask"), c.mask) << c.event;
        EXPECT_EQ(text("errmsg_eventid"), c.id) << c.event;
        EXPECT_EQ(text("errmsg_Memo1"), c.memo) << c.event;
    }
}

TEST_F(EventDisplayTest, ErrorMessageOfAShortPacketShowsDashes)
{
    displayErrorMessage(components, PacketData(4).set(3, 0x8000).view());
    EXPECT_EQ(text("errmsg_Memo1"), "Checksum error in TC(-)");
    displayErrorMessage(components, PacketData(3).view());
    EXPECT_EQ(text("errmsg_eventmask"), "-");
    EXPECT_EQ(text("errmsg_eventid"), "-");
    EXPECT_EQ(text("errmsg_Memo1"), "");
}

TEST_F(EventDisplayTest, TestResultsListTestedUnitsWithPassOrFailIcons)
{
    displayTestResults(components, PacketData(123).set(3, 0x0503).view());
    EXPECT_EQ(text("testresult"), "0x0503");
    EXPECT_EQ(items("testresultListView1"),
              (std::vector<ListItem>{{"MS", passedIcon}, {"GC", failedIcon}}));

    displayTestResults(components, PacketData(123).set(3, 0x3F3F).view());
    EXPECT_EQ(items("testresultListView1"),
              (std::vector<ListItem>{{"MS", passedIcon},
                                     {"GC", passedIcon},
                                     {"DPU", passedIcon},
                                     {"Mass Memory", passedIcon},
                                     {"Oven", passedIcon},
                                     {"Tapping Station", passedIcon}}));

    displayTestResults(components, PacketData(123).set(3, 0xFF00).view());
    EXPECT_TRUE(items("testresultListView1").empty()) << "passed bits without tested bits list nothing";
    EXPECT_EQ(text("testresult"), "0xFF00");
}

TEST_F(EventDisplayTest, UnitDetailsFillTheirPage)
{
    PacketData data(123);
    data.set(5, 0x0010).set(6, 0x0020).set(7, 0xBEEF).set(8, 0x0003).set(9, 0x5678).set(10, 0x1234);
    data.set(11, 0x0005).set(12, 0x0123).set(19, 0x0AAA).set(20, 0x0BBB);
    for (int i = 0; i < 48; ++i)
        data.set(size_t(21 + 2 * i), uint16_t(100 + i));
    for (int k = 0; k < 27; ++k)
        data.set(size_t(69 + 2 * k), uint16_t(1000 + k)).set(size_t(70 + 2 * k), uint16_t(2000 + k));
    const WordView words = data.view();

    showTestResultDetails(components, words, "MS");
    EXPECT_EQ(text("mstestaddr"), "0x12345678");
    EXPECT_EQ(components.find("testresultdetailsPageControl")->text(Property::ActivePage), "MSTestTabSheet");

    showTestResultDetails(components, words, "GC");
    EXPECT_EQ(cell("coltempStringGrid", 0, 0), "Column");
    EXPECT_EQ(cell("coltempStringGrid", 1, 0), "DeltaT");
    EXPECT_EQ(cell("coltempStringGrid", 1, 1), "0x05");
    EXPECT_EQ(cell("coltempStringGrid", 1, 2), "0x123") << "at least two digits";
    EXPECT_EQ(cell("coltempStringGrid", 1, 3), "0x00");
    for (int j = 0; j < 8; ++j)
        EXPECT_EQ(cell("coltempStringGrid", 0, j + 1), std::to_string(j));

    showTestResultDetails(components, words, "DPU");
    EXPECT_EQ(text("dpuresultaddress"), "0xBEEF");
    EXPECT_EQ(text("dpuresultpage"), "0x0003");
    showTestResultDetails(components, words, "Oven");
    EXPECT_EQ(text("ovenresultt0"), "0x0AAA");
    EXPECT_EQ(text("ovenresultt1"), "0x0BBB");

    showTestResultDetails(components, words, "Mass Memory");
    EXPECT_EQ(text("mmstartpage"), "0x0010");
    EXPECT_EQ(text("mmendpage"), "0x0020");
    const std::vector<ChartSeries> pageErrors = series("Chart2");
    ASSERT_EQ(pageErrors.size(), 1u);
    EXPECT_EQ(pageErrors[0].title, "MassMemoryErrors");
    ASSERT_EQ(pageErrors[0].points.size(), 48u);
    EXPECT_EQ(pageErrors[0].points[23], (ChartPoint{23, 123})) << "every second word from data word 21";
    EXPECT_EQ(pageErrors[0].points[47], (ChartPoint{47, 1023})) << "data word 115 is also an oven reading";
    EXPECT_EQ(components.find("testresultdetailsPageControl")->text(Property::ActivePage), "MMTestTabSheet");

    showTestResultDetails(components, words, "Tapping Station");
    const std::vector<ChartSeries> tpst = series("Chart3");
    ASSERT_EQ(tpst.size(), 2u);
    EXPECT_EQ(tpst[0].title, "Tapping Station");
    EXPECT_EQ(tpst[1].title, "Oven");
    ASSERT_EQ(tpst[0].points.size(), 27u);
    ASSERT_EQ(tpst[1].points.size(), 27u);
    EXPECT_EQ(tpst[1].points[0], (ChartPoint{0, 1000}));
    EXPECT_EQ(tpst[0].points[26], (ChartPoint{26, 2026}));
    EXPECT_EQ(components.find("testresultdetailsPageControl")->text(Property::ActivePage), "TPSTTesttabSheet");
}

TEST_F(EventDisplayTest, UnitDetailsOfAShortPacketShowOnlyWhatItHolds)
{
    PacketData data(30);
    const WordView words = data.set(9, 0x5678).view();
    showTestResultDetails(components, words, "MS");
    EXPECT_EQ(text("mstestaddr"), "0x00005678");
    showTestResultDetails(components, words, "Mass Memory");
    EXPECT_EQ(series("Chart2")[0].points.size(), 5u) << "data words 21, 23, 25, 27, 29";
    showTestResultDetails(components, PacketData(10).view(), "MS");
    EXPECT_EQ(text("mstestaddr"), "-");
    showTestResultDetails(components, words, "Nothing");
    EXPECT_EQ(components.find("testresultdetailsPageControl")->text(Property::ActivePage), "MSTestTabSheet");
}

TEST_F(EventDisplayTest, TpstReportFillsTheGridTheLabelsAndTheBackupRam)
{
    PacketData data(57);
    data.set(3, 0x0A0B).set(4, 0xFFFF).set(5, 0x0002).set(6, 0x1234).set(7, 0x0003).set(8, 0x8001);
    for (uint16_t i = 0; i < 32; ++i)
        data.set(size_t(25 + i), i);
    displayTpstReport(components, data.view());
    EXPECT_EQ(cell("tpst_report_StringGrid", 1, 0), "Position");
    EXPECT_EQ(cell("tpst_report_StringGrid", 2, 0), "Oven temp.");
    EXPECT_EQ(cell("tpst_report_StringGrid", 0, 1), "Start");
    EXPECT_EQ(cell("tpst_report_StringGrid", 0, 2), "Stop");
    EXPECT_EQ(cell("tpst_report_StringGrid", 0, 0), "<never written>");
    EXPECT_EQ(cell("tpst_report_StringGrid", 1, 1), "0x0A0B");
    EXPECT_EQ(cell("tpst_report_StringGrid", 2, 1), "0xFFFF");
    EXPECT_EQ(cell("tpst_report_StringGrid", 1, 2), "0x0002");
    EXPECT_EQ(cell("tpst_report_StringGrid", 2, 2), "0x1234");
    EXPECT_EQ(text("TPSTfinalpos"), "0x0003");
    EXPECT_EQ(text("SD2bramstatus"), "0x8001");
    std::string bram;
    for (const char* group : {"0000", "0001", "0002", "0003", "0004", "0005", "0006", "0007", "0008", "0009", "000A",
                              "000B", "000C", "000D", "000E", "000F", "0010", "0011", "0012", "0013", "0014", "0015",
                              "0016", "0017", "0018", "0019", "001A", "001B", "001C", "001D", "001E", "001F"})
        bram += std::string(group) + " ";
    EXPECT_EQ(text("BRAMMemo"), bram);
    EXPECT_EQ(text("tpst_cfg_positionid"), "Open") << "an empty configuration block: position id 0";

    // The configuration block at data word 12 fills the "Configuration" page.
    data.set(12, 0).set(13, 0).set(14, 3);
    displayTpstReport(components, data.view());
    EXPECT_EQ(text("tpst_cfg_positionid"), "Side Terminal");
    data.set(12, 1).set(16, 1).set(17, 42);
    displayTpstReport(components, data.view());
    EXPECT_EQ(text("tpst_cfg_direction"), "CS1.D7 = 1");
    EXPECT_EQ(text("tpst_cfg_timetodrive"), "42");

    displayTpstReport(components, PacketData(27).set(26, 0x00AB).view());
    EXPECT_EQ(text("BRAMMemo").substr(0, 15), "0000 00AB ---- ") << "words the packet lacks are marked";
}

class ExecutionReportTest : public EventDisplayTest {
protected:
    void show(uint32_t start, uint32_t stop, uint32_t duration, uint16_t count = 3)
    {
        PacketData data(49);
        data.set(3, uint16_t(start >> 16)).set(4, uint16_t(start)).set(5, uint16_t(stop >> 16)).set(6, uint16_t(stop));
        data.set(7, uint16_t(duration >> 16)).set(8, uint16_t(duration)).set(9, 0xFFFF).set(10, 0x8000);
        data.set(16, count);
        for (uint16_t i = 0; i < 32; ++i)
            data.set(size_t(17 + i), uint16_t(0x00F9 + i));
        displayExecutionReport(components, data.view(), separator);
    }
    std::string separator = ".";
};

TEST_F(ExecutionReportTest, GridShowsCountsTicksAndCalendarTimes)
{
    show(0x00000001, 0x80000000, 0x00000064);
    const char* grid = "exereporttime";
    EXPECT_EQ(cell(grid, 1, 0), "Start");
    EXPECT_EQ(cell(grid, 3, 0), "Duration");
    EXPECT_EQ(cell(grid, 0, 1), "LOBT");
    EXPECT_EQ(cell(grid, 0, 3), "UTC");
    EXPECT_EQ(cell(grid, 0, 0), "<never written>");
    EXPECT_EQ(cell(grid, 1, 1), "0x00000001");
    EXPECT_EQ(cell(grid, 3, 1), "0x00000064");
    EXPECT_EQ(cell(grid, 1, 2), "0x000000000800") << "twelve digits";
    EXPECT_EQ(cell(grid, 2, 2), "0x040000000000") << "zero-extended";
    EXPECT_EQ(cell(grid, 3, 2), "0x00000064");
    EXPECT_EQ(cell(grid, 1, 3), formatOnBoardTimeWithDay(2048));
    EXPECT_EQ(cell(grid, 2, 3), formatOnBoardTimeWithDay(int64_t(0x80000000) * 2048));
    EXPECT_EQ(cell(grid, 3, 3), "3.125 sec");
}

TEST_F(ExecutionReportTest, DurationIsSignedSecondsWithoutTrailingZeros)
{
    show(0, 0, 0x00000040);
    EXPECT_EQ(cell("exereporttime", 3, 3), "2 sec");
    show(0, 0, 0xFFFFFFFF);
    EXPECT_EQ(cell("exereporttime", 3, 3), "-0.03125 sec");
    {
        // The separator is the one asked for, whatever the C library's locale says.
        const CommaLocale comma;
        show(0, 0, 0xFFFFFFFF);
        EXPECT_EQ(cell("exereporttime", 3, 3), "-0.03125 sec");
    }
    EXPECT_EQ(cell("exereporttime", 3, 1), "0xFFFFFFFF");
    EXPECT_EQ(cell("exereporttime", 3, 2), "0xFFFFFFFF");
    show(0, 0, 0x7FFFFFFF);
    EXPECT_EQ(cell("exereporttime", 3, 3), "67108863.96875 sec");
    separator = ",";
    show(0, 0, 0x00000064);
    EXPECT_EQ(cell("exereporttime", 3, 3), "3,125 sec") << "the user's decimal separator";
}

TEST_F(ExecutionReportTest, TelecommandCopyCounterAndResult)
{
    show(0, 0, 0, 0x0003);
    EXPECT_EQ(text("TCDataWords"), "00F9 00FA 00FB ");
    EXPECT_EQ(text("TCName"), "Start action (STAC)");
    EXPECT_EQ(text("cntTCs"), "-1");
    EXPECT_EQ(text("stacresult"), "successful");
    show(0, 0, 0, 0x0020);
    EXPECT_EQ(text("TCDataWords").size(), 32u * 5) << "a count of 0 in bits 0-4 stands for 32";
    EXPECT_EQ(text("TCDataWords").substr(31 * 5), "0118 ");
    show(0, 0, 0, 0xFFE1);
    EXPECT_EQ(text("TCDataWords"), "00F9 ") << "only bits 0-4 count";

    displayExecutionReport(components, PacketData(11).view());
    EXPECT_EQ(text("stacresult"), "not successful!");
    EXPECT_EQ(text("TCDataWords"), "");
    EXPECT_EQ(text("TCName"), "-");
}

TEST_F(EventDisplayTest, DatasetTelecommandShowsItsCountedWords)
{
    TelecommandRecord record;
    record.fill(WordView(le(Words{2, 0x1234, 0xABCD, 0x0005}).data(), 8));
    displayDatasetTelecommand(components, record);
    EXPECT_EQ(text("TCTCDataWords"), "1234 ABCD ");
    EXPECT_EQ(text("TCTCName"), "Get device parameter table (GDPT)");

    for (uint16_t count : {uint16_t(0), uint16_t(40)}) {
        Words words = counting(33, 0);
        words[0] = count;
        const Bytes bytes = le(words);
        record.fill(WordView(bytes.data(), bytes.size()));
        displayDatasetTelecommand(components, record);
        EXPECT_EQ(text("TCTCDataWords").size(), 32u * 5) << count;
        EXPECT_EQ(text("TCTCDataWords").substr(31 * 5), "0020 ") << count;
    }
}

class MemoryDumpTest : public EventDisplayTest {
protected:
    // Word i of the image holds i (pages start at word 2).
    static DumpImage dump(uint16_t pages, uint16_t type)
    {
        return dumpImage(pages, type, counting(MemoryDumpImage::pageWords * pages, 2));
    }
    int position() const { return components.number("MemDumpScrollBar1", Property::Position).value_or(-1); }
};

TEST_F(MemoryDumpTest, PageTextIsOneLineOfHexWords)
{
    const std::string page2 = pageText(dump(3, 0x0F00).image, 2);
    ASSERT_EQ(page2.size(), 640u);
    EXPECT_EQ(page2.substr(0, 10), "0102 0103 ") << "words 258 and 259";
    EXPECT_EQ(page2.substr(635), "0181 ") << "word 385";
}

TEST_F(MemoryDumpTest, ShowsTypeLengthAndThePageAtTheScrollPosition)
{
    displayMemoryDump(components, dump(3, 0x0F00).image);
    EXPECT_EQ(text("memtype"), "MS/TDC");
    EXPECT_EQ(text("memtype", Property::Hint), "0x0F00");
    EXPECT_EQ(text("dumplength"), "3");
    EXPECT_EQ(text("dumplength", Property::Hint), "0x0003");
    EXPECT_EQ(components.number("MemDumpScrollBar1", Property::Maximum), 2);
    EXPECT_EQ(position(), 0);
    EXPECT_EQ(text("MemDumpPacket"), "0");
    EXPECT_EQ(text("MemDumpMemo").substr(0, 5), "0002 ");

    displayMemoryDump(components, dump(1, 0x0001).image);
    EXPECT_EQ(text("memtype"), "unknown");
    EXPECT_EQ(text("memtype", Property::Hint), "0x0001");
}

TEST_F(MemoryDumpTest, ScrollPositionCarriesOverClampedToTheNextDump)
{
    const DumpImage ten = dump(10, 0x000F);
    displayMemoryDump(components, ten.image);
    components.userSet("MemDumpScrollBar1", Property::Position, 5);
    displayMemoryDump(components, ten.image);
    EXPECT_EQ(text("MemDumpPacket"), "5");
    EXPECT_EQ(text("MemDumpMemo"), pageText(ten.image, 5));

    const DumpImage three = dump(3, 0x00F0);
    displayMemoryDump(components, three.image);
    EXPECT_EQ(position(), 2);
    EXPECT_EQ(text("MemDumpPacket"), "2");
    EXPECT_EQ(text("MemDumpMemo"), pageText(three.image, 2));
}

TEST_F(MemoryDumpTest, ADumpWithoutPagesShowsNoPage)
{
    displayMemoryDump(components, dump(0, 0xF000).image);
    EXPECT_EQ(text("memtype"), "DPU");
    EXPECT_EQ(text("dumplength"), "0");
    EXPECT_EQ(components.flag("MemDumpScrollBar1", Property::Enabled), false);
    EXPECT_EQ(position(), 0);
    EXPECT_EQ(text("MemDumpPacket"), "-");
    EXPECT_EQ(text("MemDumpMemo"), "");
    displayMemoryDump(components, dump(2, 0xF000).image);
    EXPECT_EQ(components.flag("MemDumpScrollBar1", Property::Enabled), true);
}

} // namespace
