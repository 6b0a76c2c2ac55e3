// The MS and GC housekeeping sweeps: values in their exact formats, tooltips with
// the raw reading, the oven's "open" reading and the cold part on "Public HK".

#include "tests/archive/ArchiveBuilder.h"
#include "tests/display/CommaLocale.h"
#include "display/MainDisplay.h"

using namespace orvik;
using namespace orvik::display;
using namespace orvik::test;

namespace {

class SweepDisplayTest : public ::testing::Test {
protected:
    // Shows a sweep whose words are all zero but those given.
    void showMs(std::initializer_list<std::pair<int, uint16_t>> words) { show(words, false); }
    void showGc(std::initializer_list<std::pair<int, uint16_t>> words) { show(words, true); }

    std::string text(const char* label) const { return display.components.find(label)->text(); }
    std::string hint(const char* label) const { return display.components.find(label)->text(Property::Hint); }
    // "TEXT|HINT" of a label.
    std::string shown(const char* label) const { return text(label) + "|" + hint(label); }

    MainDisplay display;

private:
    void show(std::initializer_list<std::pair<int, uint16_t>> words, bool gc)
    {
        Words sweep(16, 0);
        for (const auto& [k, w] : words)
            sweep[size_t(k)] = w;
        bytes_ = le(sweep);
        display.components.beginDisplay();
        const WordView view(bytes_.data(), bytes_.size());
        gc ? display.displayGcSweep(view) : display.displayMsSweep(view);
    }
    Bytes bytes_;
};

TEST_F(SweepDisplayTest, MsTemperaturesKeepTheirFieldWidthAndGrowWhenWider)
{
    showMs({{0, 2520}, {1, 0}, {3, 0}});
    EXPECT_EQ(shown("mshksweep_pipea"), "  0.00 °C|0x09D8");
    EXPECT_EQ(shown("mshksweep_pipeb"), "-279.72 °C|0x0000");
    EXPECT_EQ(text("mshksweep_coldpart"), "-273.16 °C");
    showMs({{3, 6830}});
    EXPECT_EQ(text("mshksweep_coldpart"), "  0.04 °C");
}

TEST_F(SweepDisplayTest, MsVoltagesCurrentsAndPlainChannels)
{
    showMs({{9, 100}, {8, 1000}, {12, 10000}, {4, 10000}, {5, 0xFFFF}});
    EXPECT_EQ(text("mshksweep_detector"), "  50.50 V");
    EXPECT_EQ(text("mshksweep_ifila"), "   7.30 uA");
    EXPECT_EQ(text("mshksweep_ref1"), "   3.66 kV");
    EXPECT_EQ(text("mshksweep_ref2"), "   0.00 kV");
    EXPECT_EQ(text("mshksweep_pcalgas"), " 3.660V");
    EXPECT_EQ(shown("hmshksweep_postpst"), "-0.000V|0xFFFFFFFF");
    showMs({{9, 30000}});
    EXPECT_EQ(text("mshksweep_detector"), "15150.00 V");
    // Every shown word has its label, words 6 and 7 none.
    EXPECT_EQ(display.components.writes().size(), 2u * 14);
}

TEST_F(SweepDisplayTest, ValuesKeepTheirPointUnderARegionalSettingWithADecimalComma)
{
    const CommaLocale comma;
    showMs({{12, 10000}, {4, 10000}, {0, 2520}});
    EXPECT_EQ(text("mshksweep_ref1"), "   3.66 kV");
    EXPECT_EQ(text("mshksweep_pcalgas"), " 3.660V");
    EXPECT_EQ(text("mshksweep_pipea"), "  0.00 °C");
}

TEST_F(SweepDisplayTest, AnOpenOvenReadsOpenAndItsTooltipShowsTheReading)
{
    showMs({{2, 970}});
    EXPECT_EQ(shown("mshksweep_oven"), "  0.00 °C|0x03CA");
    showMs({{2, 0x1FFF}});
    EXPECT_EQ(shown("mshksweep_oven"), "open|0x1FFF") << "never the tooltip of the sweep before";
}

TEST_F(SweepDisplayTest, GcPressuresTemperaturesAndVoltages)
{
    showGc({{5, 4563}, {8, 0xFFFF}, {15, 1000}, {3, 6830}, {4, 1000}, {7, 100}, {0, 10000}, {1, 20000}, {2, 1}});
    EXPECT_EQ(text("gchksweep_kpy"), "  1.00 bar");
    EXPECT_EQ(shown("gchksweep_col1"), " -0.01 °C|0xFFFFFFFF");
    EXPECT_EQ(text("gchksweep_col8"), " 14.00 °C");
    EXPECT_EQ(text("gchksweep_cold"), "  0.04 °C");
    EXPECT_EQ(text("gchksweep_warm"), " 28.00 °C");
    EXPECT_EQ(text("gchksweep_valve"), "  4.50 V");
    EXPECT_EQ(text("gchksweep_phe1"), " 3.660V");
    EXPECT_EQ(text("gchwsweep_phe2"), " 7.320V");
    EXPECT_EQ(shown("gchksweep_ion"), " 0.000V|0x0001");

    // A reading of 0 on the KPY channel gives 0 and the labels after it are still written.
    showGc({{5, 0}, {7, 200}});
    EXPECT_EQ(text("gchksweep_kpy"), "  0.00 bar");
    EXPECT_EQ(text("gchksweep_valve"), "  9.00 V");
}

TEST_F(SweepDisplayTest, OnlyTheGcSweepWritesTheColdPartOfPublicHk)
{
    showMs({{3, 6830}});
    EXPECT_EQ(display.components.find("tempcoldpart1"), nullptr);
    showGc({{3, 0}});
    EXPECT_EQ(shown("tempcoldpart1"), "-273.16 °C|0x0000");
}

TEST(OrvikHKTest, ChannelFormulas)
{
    const OrvikHK hk;
    EXPECT_FLOAT_EQ(hk.msSweepValue(2, 1070), 14.0f);
    EXPECT_FLOAT_EQ(hk.msSweepValue(6, -5), -5.0f);
    EXPECT_FLOAT_EQ(hk.msSweepValue(5, 1000), 0.366f);
    EXPECT_FLOAT_EQ(hk.gcSweepValue(5, -4563), -1.0f);
    EXPECT_EQ(hk.gcSweepValue(5, 0), 0.0f);
    EXPECT_FLOAT_EQ(hk.gcSweepValue(6, 7), 7.0f);
}

} // namespace
