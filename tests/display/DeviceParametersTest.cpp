// The device and GC/MS parameter decoders: every label's text and tooltip.

#include "tests/display/DecoderTest.h"
#include "display/DeviceParameters.h"

using namespace orvik;
using namespace orvik::display;
using namespace orvik::test;

namespace {

class DeviceParametersTest : public DecoderTest {};

TEST_F(DeviceParametersTest, TpstPositionsShowDecimalWithTheWordAsTooltip)
{
    decode(showTpstPositions, {0x0123, 1, 2, 3, 4, 0xFFFF});
    EXPECT_EQ(text("tpst_pos_open"), "291");
    EXPECT_EQ(hint("tpst_pos_open"), "0x0123");
    EXPECT_EQ(text("tpst_pos_lower"), "65535");
    EXPECT_EQ(hint("tpst_pos_lower"), "0xFFFF");
}

TEST_F(DeviceParametersTest, TpstControlFlags)
{
    decode(showTpstControl, {1, 1, 40000, 0});
    EXPECT_EQ(text("tpstctrl_bckram"), "no");
    EXPECT_EQ(text("tpstctrl_ignoresd2"), "yes");
    EXPECT_EQ(text("tpst_ctrl_timeout"), "40000");
    EXPECT_EQ(text("tpst_ctrl_report"), "no");
    decode(showTpstControl, {0, 0, 0, 7});
    EXPECT_EQ(text("tpstctrl_bckram"), "yes");
    EXPECT_EQ(text("tpstctrl_ignoresd2"), "no");
    EXPECT_EQ(text("tpst_ctrl_report"), "yes");
}

TEST_F(DeviceParametersTest, OvenGridRepeatsTheTimeWordInEveryStep)
{
    Words oven = counting(17, 0);
    oven[3] = 0x01F4;
    oven[8] = 12;
    oven[9] = 30;
    oven[10] = 0x0005;
    decode(showOvenAndPipeHeater, oven);
    EXPECT_EQ(cell(0, 0), "Oven");
    EXPECT_EQ(cell(1, 0), "Temp");
    EXPECT_EQ(cell(2, 0), "Time");
    for (int step = 0; step < 8; ++step) {
        EXPECT_EQ(cell(0, step + 1), std::to_string(step));
        EXPECT_EQ(cell(2, step + 1), "0x05") << step;
    }
    EXPECT_EQ(cell(1, 4), "0x1F4");
    EXPECT_EQ(cell(1, 1), "0x00");
    EXPECT_EQ(text("phcycles"), "12");
    EXPECT_EQ(text("phdecay"), "30 sec");
}

TEST_F(DeviceParametersTest, MsParameters)
{
    Words ms(18, 0);
    ms[0] = 16;
    ms[3] = 1;
    ms[4] = 600;
    ms[6] = 0x1A3;
    ms[14] = 9;
    ms[16] = 10;
    ms[17] = 8192;
    decode(showMsParameters, ms);
    EXPECT_EQ(text("csib_ms_specdepth"), "128k");
    EXPECT_EQ(hint("csib_ms_specdepth"), "0x0010");
    EXPECT_EQ(text("csib_ms_mode"), "Multi");
    EXPECT_EQ(text("csib_ms_timeout"), "600");
    EXPECT_EQ(hint("csib_ms_timeout"), "0x0258");
    EXPECT_EQ(text("csib_ms_r2"), "419");
    EXPECT_EQ(hint("csib_ms_r2"), "0x1A3");
    EXPECT_EQ(text("csib_ms_t6"), "9");
    EXPECT_EQ(hint("csib_ms_t6"), "0x09");
    EXPECT_EQ(text("csib_ms_detectordelay"), "320us");
    EXPECT_EQ(text("csib_ms_words"), "8192");

    ms[0] = 0;
    ms[3] = 0;
    ms[16] = 0xFFFF;
    decode(showMsParameters, ms);
    EXPECT_EQ(text("csib_ms_specdepth"), "0k");
    EXPECT_EQ(text("csib_ms_mode"), "Single");
    EXPECT_EQ(text("csib_ms_detectordelay"), "2097120us");
}

TEST_F(DeviceParametersTest, GcParametersSplitWord9IntoTheTwoHeatingTimes)
{
    Words gc = counting(10, 20);
    gc[8] = 1024;
    gc[9] = 0x1E3C;
    decode(showGcParameters, gc);
    EXPECT_EQ(text("csib_gc_coltemp1"), "20");
    EXPECT_EQ(hint("csib_gc_coltemp1"), "0x14");
    EXPECT_EQ(text("csib_gc_coltemp8"), "27");
    EXPECT_EQ(text("csib_gc_words"), "1024");
    EXPECT_EQ(hint("csib_gc_words"), "0x0400");
    EXPECT_EQ(text("csib_gc_tenaxtime"), "60");
    EXPECT_EQ(hint("csib_gc_tenaxtime"), "0x1E3C");
    EXPECT_EQ(text("csib_gc_heating"), "30");
}

TEST_F(DeviceParametersTest, WordsAShortBlockLacksShowADashAndNoTooltip)
{
    decode(showGcParameters, counting(10, 20));
    decode(showGcParameters, {7, 8});
    EXPECT_EQ(text("csib_gc_coltemp2"), "8");
    EXPECT_EQ(text("csib_gc_coltemp3"), "-");
    EXPECT_EQ(hint("csib_gc_coltemp3"), "");
    EXPECT_EQ(text("csib_gc_heating"), "-");

    decode(showOvenAndPipeHeater, {0x10});
    EXPECT_EQ(cell(1, 1), "0x10");
    EXPECT_EQ(cell(1, 2), "-");
    EXPECT_EQ(cell(2, 1), "-");
    EXPECT_EQ(text("phdecay"), "-");
}

} // namespace
