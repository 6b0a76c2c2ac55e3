// The housekeeping CSV: which packets give samples, the time column, the values
// against the "Regular HK" list view's texts, short packets, quoting, and a
// writing that fails or is stopped.

#include "display/CsvField.h"
#include "display/HousekeepingCsv.h"
#include "display/MainDisplay.h"

#include "tests/archive/ArchiveBuilder.h"

#include <sstream>

using namespace orvik;
using namespace orvik::display;
using namespace orvik::test;

namespace {

std::vector<std::string> split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, separator);)
        parts.push_back(part);
    return parts;
}

// The values of a sample's line, after its time (a quoted time holds a comma).
std::vector<std::string> valuesOf(const std::string& line)
{
    const size_t timeEnd = line.front() == '"' ? line.find('"', 1) + 1 : line.find(',');
    return split(line.substr(timeEnd + 1), ',');
}

class HousekeepingCsvTest : public DocumentTest {
protected:
    void SetUp() override
    {
        block = counting(128, 1000);
        block[0] = 0x8000;                      // ORVH_p5V_C: signed, -5996.54
        block[16] = 0xFFFF;                     // ORVH_He1_Pressure: unsigned × 16
        block[54] = 0, block[55] = 32;          // LOBT of the first half: one second
        block[64 + 54] = 0x0001, block[64 + 55] = 16; // 2^16 / 32 s + 0.5 s later
        // Internal HK and "Full HK" are no samples of the regular collection.
        ScienceStreamBuilder science;
        science.tc(msCommand).hk(107, counting(106, 5000));
        open(Archive()
                 .add({regularHkWith(block), categoryPacket(Category::InternalHk, counting(92, 3000)),
                       regularHkWith(counting(50, 1))})
                 .add(science.blocks()));
    }
    std::string csv()
    {
        std::string text;
        const CsvResult result = writeHousekeepingCsv(doc, lists.regularHkList, [&text](std::string_view piece) {
            text += piece;
            return true;
        });
        EXPECT_EQ(result, CsvResult::Written);
        return text;
    }
    // The "Value" column of the "Regular HK" list view for that node and half.
    std::vector<std::string> listViewValues(NodeId node, int half)
    {
        MainDisplay display;
        display.components.beginDisplay();
        display.displayNode(doc.tree(), node);
        display.HKPacketHalfChange(half);
        std::vector<std::string> values;
        for (size_t row = 0; row < lists.regularHkList.size(); ++row)
            values.push_back(display.HKListViewData(row).at(1));
        return values;
    }

    Words block;
    const HousekeepingLists lists;
};

TEST_F(HousekeepingCsvTest, HeaderNamesTheTimeAndEveryRegularParameterWithItsUnit)
{
    const std::vector<std::string> header = split(split(csv(), '\n').at(0), ',');
    ASSERT_EQ(header.size(), 65u);
    EXPECT_EQ(header[0], "LOBT [UTC]");
    EXPECT_EQ(header[1], "ORVH_p5V_C [mA]");
    EXPECT_EQ(header[6], "ORVH_GC_ADC_Input") << "no unit: the mnemonic alone";
    EXPECT_EQ(header[20], "ORVH_GCboard2_Temp [°C]");
    EXPECT_EQ(header[64], "ORVH_TPST_last");
}

TEST_F(HousekeepingCsvTest, EachRegularPacketGivesTwoRowsWithTheListViewsTexts)
{
    const std::vector<std::string> lines = split(csv(), '\n');
    ASSERT_EQ(lines.size(), 1u + 2 * 2) << "the header and two samples per regular packet only";

    const NodeRuns& housekeeping = doc.tree().children(doc.housekeepingNode());
    ASSERT_EQ(doc.tree().kind(housekeeping.at(0)), NodeKind::RegularHk);
    ASSERT_EQ(doc.tree().kind(housekeeping.at(2)), NodeKind::RegularHk);
    const struct {
        size_t line;
        NodeId node;
        int half;
        std::string time;
    } samples[] = {{1, housekeeping[0], 0, "\"2003-01-01 00:00:01,000\""},
                   {2, housekeeping[0], 1, "\"2003-01-01 00:34:08,500\""},
                   {3, housekeeping[2], 0, "-"},
                   {4, housekeeping[2], 1, "-"}};
    for (const auto& s : samples) {
        // The time holds a comma and comes quoted; no value holds one.
        const std::string& line = lines[s.line];
        ASSERT_EQ(line.substr(0, s.time.size()), s.time) << line;
        EXPECT_EQ(valuesOf(line), listViewValues(s.node, s.half)) << "line " << s.line;
    }
    EXPECT_EQ(valuesOf(lines[1]).at(0), "-5996.54");
    EXPECT_EQ(valuesOf(lines[1]).at(16), "1048560.00");
    EXPECT_EQ(valuesOf(lines[3]).at(5), "6.00");
    EXPECT_EQ(valuesOf(lines[3]).at(49), "50.00");
    EXPECT_EQ(valuesOf(lines[3]).at(50), "-") << "word 50 lies beyond the short packet's 50 words";
    EXPECT_EQ(valuesOf(lines[4]), std::vector<std::string>(64, "-")) << "the short packet has no second half";
}

TEST_F(HousekeepingCsvTest, AnArchiveWithoutRegularHousekeepingGivesTheHeaderAlone)
{
    open(Archive().add(categoryPacket(Category::InternalHk, counting(92))));
    EXPECT_EQ(csv(), housekeepingCsvHeader(lists.regularHkList));
}

TEST_F(HousekeepingCsvTest, AFailedWriteOrAStopEndsTheWritingAndSaysWhy)
{
    std::vector<Packet> packets(300, regularHkWith(block)); // several pieces of text
    open(Archive().add(packets));
    size_t pieces = 0;
    const auto failing = [&pieces](std::string_view) { return ++pieces < 2; };
    EXPECT_EQ(writeHousekeepingCsv(doc, lists.regularHkList, failing), CsvResult::WriteFailed);
    EXPECT_EQ(pieces, 2u);

    std::string written;
    std::vector<double> shares;
    const auto keep = [&written](std::string_view piece) {
        written += piece;
        return true;
    };
    EXPECT_EQ(writeHousekeepingCsv(doc, lists.regularHkList, keep, [&shares](double done) {
        shares.push_back(done);
        return true;
    }),
              CsvResult::Written);
    ASSERT_GE(shares.size(), 2u);
    EXPECT_TRUE(std::is_sorted(shares.begin(), shares.end()));
    EXPECT_GT(shares.front(), 0.0);
    EXPECT_LE(shares.back(), 1.0);
    EXPECT_EQ(split(written, '\n').size(), 601u);

    written.clear();
    EXPECT_EQ(writeHousekeepingCsv(doc, lists.regularHkList, keep, [](double) { return false; }),
              CsvResult::Cancelled);
    EXPECT_LT(split(written, '\n').size(), 601u);
}

TEST(CsvFieldTest, QuotesOnlyFieldsThatNeedIt)
{
    EXPECT_EQ(csvField("1234.00"), "1234.00");
    EXPECT_EQ(csvField(""), "");
    EXPECT_EQ(csvField("12,5"), "\"12,5\"");
    EXPECT_EQ(csvField("Column \"A\""), "\"Column \"\"A\"\"\"");
    EXPECT_EQ(csvField("two\nlines"), "\"two\nlines\"");
    EXPECT_EQ(csvField("cr\r"), "\"cr\r\"");
}

} // namespace
