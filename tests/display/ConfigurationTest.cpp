// The TPST, MS and GC configuration decoders.

#include "display/Configuration.h"
#include "tests/display/DecoderTest.h"

using namespace orvik;
using namespace orvik::display;
using namespace orvik::test;

namespace {

class ConfigurationTest : public DecoderTest {
protected:
    void decodeGc(const Words& words, const char* separator = ".")
    {
        decode([separator](ComponentModel& c, WordView block) { showGcConfiguration(c, block, separator); }, words);
    }
};

Words msBlock(uint16_t cathode, uint16_t source)
{
    return {0xFFFF, 0, cathode, 0x0ABC, 0x0123, 1, 0, 0, source};
}

TEST_F(ConfigurationTest, MsConfiguration)
{
    decode(showMsConfiguration, msBlock(0x0006, 0x00F0));
    EXPECT_EQ(text("ms_cfg_hksweep"), "yes");
    EXPECT_EQ(text("AccData"), "no");
    EXPECT_EQ(text("ms_cfg_cathode"), "#3");
    EXPECT_EQ(hint("ms_cfg_cathode"), "0x0006");
    EXPECT_EQ(text("ms_cfg_emissioni"), "0x0ABC");
    EXPECT_EQ(text("ms_cfg_detectorv"), "0x0123");
    EXPECT_EQ(text("ms_cfg_resolution"), "high");
    EXPECT_EQ(text("mc_cfg_frequency"), "976Hz (1024us)");
    EXPECT_EQ(text("ms_cfg_samplesource"), "Oven");
    EXPECT_EQ(components.writes().back().component, "AccData") << "accumulate data is written last";

    decode(showMsConfiguration, {0, 1, 0, 0, 0, 0, 1, 0, 0x00FF});
    EXPECT_EQ(text("ms_cfg_hksweep"), "no");
    EXPECT_EQ(text("AccData"), "yes");
    EXPECT_EQ(text("ms_cfg_cathode"), "#0");
    EXPECT_EQ(hint("ms_cfg_cathode"), "0x0000");
    EXPECT_EQ(text("ms_cfg_resolution"), "low");
    EXPECT_EQ(text("mc_cfg_frequency"), "3.9kHz (256us)");
    EXPECT_EQ(text("ms_cfg_samplesource"), "Error in CFG!");
}

TEST_F(ConfigurationTest, CathodeIsTheHighestOfBits0To2)
{
    const std::pair<uint16_t, const char*> cases[] = {
        {0x0001, "#1"}, {0x0002, "#2"}, {0x0003, "#2"}, {0x0004, "#3"}, {0x0007, "#3"}, {0xFFF9, "#1"},
        // Non-zero, but none of the three cathodes: an invalid configuration word.
        {0x0008, "Error in CFG!"}, {0xFFF8, "Error in CFG!"},
    };
    for (const auto& [word, expected] : cases) {
        decode(showMsConfiguration, msBlock(word, 0x000F));
        EXPECT_EQ(text("ms_cfg_cathode"), expected) << word;
        EXPECT_EQ(text("ms_cfg_samplesource"), "Calibration Gas") << "the rest of the block is still shown";
    }
    decode(showMsConfiguration, msBlock(0x0008, 0x0F00));
    EXPECT_EQ(hint("ms_cfg_cathode"), "0x0008");
    EXPECT_EQ(text("ms_cfg_samplesource"), "Sniffing");
}

TEST_F(ConfigurationTest, GcConfiguration)
{
    decodeGc({1, 0, 0x0041, 0, 250, 0x0F00, 0x3210, 0x12AB});
    EXPECT_EQ(text("gc_cfg_hksweep"), "yes");
    EXPECT_EQ(text("gc_cfg_duration"), "1.02");
    EXPECT_EQ(hint("gc_cfg_duration"), "0x0001");
    EXPECT_EQ(text("gc_cfg_hetank"), "1");
    EXPECT_EQ(text("gc_cfg_injection"), "250");
    EXPECT_EQ(text("gc_cfg_samplesource"), "Tenax");
    EXPECT_EQ(text("gc_cfg_dacch1"), "Column 1");
    EXPECT_EQ(text("gc_cfg_dacch2"), "Column 2");
    EXPECT_EQ(text("gc_cfg_dacch3"), "Column 3");
    EXPECT_EQ(text("gc_cfg_dacch4"), "Column 4");
    EXPECT_EQ(text("gc_cfg_colheadpre"), "0x00AB");

    decodeGc({0, 0, 0xFFFF, 3, 0, 0x000E, 0xFFFF, 0}, ",");
    EXPECT_EQ(text("gc_cfg_hksweep"), "no");
    EXPECT_EQ(text("gc_cfg_duration"), "31,5");
    EXPECT_EQ(hint("gc_cfg_duration"), "0x001F");
    EXPECT_EQ(text("gc_cfg_hetank"), "2");
    EXPECT_EQ(text("gc_cfg_samplesource"), "Error in CFG!");
    for (int channel = 1; channel <= 4; ++channel)
        EXPECT_EQ(text("gc_cfg_dacch" + std::to_string(channel)), "Column 16");
}

TEST_F(ConfigurationTest, DurationHasThreeSignificantDigits)
{
    EXPECT_EQ(gcDurationText(0, "."), "0");
    EXPECT_EQ(gcDurationText(1, "."), "1.02");
    EXPECT_EQ(gcDurationText(15, "."), "15.2");
    EXPECT_EQ(gcDurationText(31, "."), "31.5");
    EXPECT_EQ(gcDurationText(0x0020, "."), "0") << "bit 5 is not part of the duration";
}

TEST_F(ConfigurationTest, TpstDirectControlGreysOutThePositionInformation)
{
    decode(showTpstConfiguration, {0, 0, 2, 0, 0, 0}); // position texts to keep
    decode(showTpstConfiguration, {1, 0, 0, 0, 1, 45});
    EXPECT_EQ(text("tpst_cfg_direction"), "CS1.D7 = 1");
    EXPECT_EQ(text("tpst_cfg_timetodrive"), "45");
    EXPECT_EQ(text("tpst_cfg_positionid"), "Main Terminal") << "the inactive mode keeps its texts";
    EXPECT_EQ(enabled("tpst_cfg_directctrl"), true);
    EXPECT_EQ(enabled("tpst_cfg_posinfo"), false);
    EXPECT_EQ(enabled("Label123"), false);
    EXPECT_EQ(enabled("Label124"), false);
    for (const char* name : {"tpst_cfg_direction", "Label125", "tpst_cfg_timetodrive", "Label127"})
        EXPECT_EQ(enabled(name), true) << name;

    decode(showTpstConfiguration, {0xFFFF, 0, 0, 0, 0, 0});
    EXPECT_EQ(text("tpst_cfg_direction"), "CS1.D7 = 0");
}

TEST_F(ConfigurationTest, TpstPositionByIdentifierOrByPotentiometer)
{
    decode(showTpstConfiguration, {0, 0, 7, 0, 0, 0});
    EXPECT_EQ(text("tpst_cfg_positionid"), "undefined");
    EXPECT_EQ(hint("tpst_cfg_positionid"), "0x0007");
    EXPECT_EQ(text("tpst_cfg_potivalue"), "-");
    EXPECT_EQ(hint("tpst_cfg_potivalue"), "");
    EXPECT_EQ(enabled("tpst_cfg_posinfo"), true);
    EXPECT_EQ(enabled("tpst_cfg_directctrl"), false);
    EXPECT_EQ(enabled("tpst_cfg_positionid"), true);
    EXPECT_EQ(enabled("Label123"), true);
    EXPECT_EQ(enabled("tpst_cfg_potivalue"), false);
    EXPECT_EQ(enabled("Label124"), false);
    EXPECT_EQ(enabled("Label125"), false);

    const char* const positions[] = {"Open", "Contacts closed", "Main Terminal", "Side Terminal", "Lower position"};
    for (uint16_t id = 0; id < 5; ++id) {
        decode(showTpstConfiguration, {0, 0, id, 0, 0, 0});
        EXPECT_EQ(text("tpst_cfg_positionid"), positions[id]);
    }

    decode(showTpstConfiguration, {0, 1, 3, 0x0ABC, 0, 0});
    EXPECT_EQ(text("tpst_cfg_positionid"), "-");
    EXPECT_EQ(text("tpst_cfg_potivalue"), "2748");
    EXPECT_EQ(hint("tpst_cfg_potivalue"), "0x0ABC");
    EXPECT_EQ(enabled("tpst_cfg_positionid"), false);
    EXPECT_EQ(enabled("Label123"), false);
    EXPECT_EQ(enabled("tpst_cfg_potivalue"), true);
    EXPECT_EQ(enabled("Label124"), true);
}

TEST_F(ConfigurationTest, ShortBlocksShowDashes)
{
    decode(showTpstConfiguration, {});
    EXPECT_EQ(text("tpst_cfg_direction"), "-");
    EXPECT_EQ(text("tpst_cfg_potivalue"), "-");
    EXPECT_FALSE(enabled("tpst_cfg_posinfo").has_value()) << "an unknown mode greys out nothing";

    decode(showTpstConfiguration, {1, 0, 0, 0, 1});
    EXPECT_EQ(text("tpst_cfg_direction"), "CS1.D7 = 1");
    EXPECT_EQ(text("tpst_cfg_timetodrive"), "-");

    decode(showMsConfiguration, {0xFFFF});
    EXPECT_EQ(text("ms_cfg_hksweep"), "yes");
    EXPECT_EQ(text("ms_cfg_cathode"), "-");
    EXPECT_EQ(hint("ms_cfg_cathode"), "");
    EXPECT_EQ(text("AccData"), "-");
    decodeGc({1, 0, 5});
    EXPECT_EQ(text("gc_cfg_duration"), "5.08");
    EXPECT_EQ(text("gc_cfg_dacch4"), "-");
}

} // namespace
