// The instrument's text tables: exact rows, the bits that select them, and codes past a table's end.

#include "display/InstrumentTables.h"

#include <gtest/gtest.h>

using namespace orvik::display;

TEST(InstrumentTablesTest, TelecommandNamesComeFromTheLowFourBits)
{
    EXPECT_EQ(tcName(0x0000), "0x00 - undefined");
    EXPECT_EQ(tcName(0xFFF0), "0x00 - undefined");
    EXPECT_EQ(tcName(0x000F), "0x0f - undefined");
    EXPECT_EQ(tcName(0x1234), "Get device parameter table (GDPT)");
    EXPECT_EQ(tcName(0x00F9), "Start action (STAC)");
    EXPECT_EQ(tcName(0x000E), "Fire Single Shot Valve (FSSV)");
}

TEST(InstrumentTablesTest, EventCategoryIsTheHighestSetBit)
{
    EXPECT_EQ(eventCategoryName(0), "-");
    EXPECT_EQ(eventCategoryName(1), "SW-Event");
    EXPECT_EQ(eventCategoryName(3), "Unused");
    EXPECT_EQ(eventCategoryName(7), "Configuration");
    EXPECT_EQ(eventCategoryName(8), "Telecommand");
    EXPECT_EQ(eventCategoryName(12), "Telecommand");
    EXPECT_EQ(eventCategoryName(15), "Telecommand");
    EXPECT_EQ(eventCategoryName(16), "0x10 - unknown");
}

TEST(InstrumentTablesTest, RowsKeepTheirOwnFormsOfUndefined)
{
    EXPECT_EQ(errorMessage(0x00), "0x00 - undefined");
    EXPECT_EQ(errorMessage(0x0F), "0x0f -- undefined");
    EXPECT_EQ(errorMessage(0x0B), "Single shot valve successfully opened!");
    EXPECT_EQ(errorMessage(0x16), "MS: Failed to generate Calibration Gas sample!");
    EXPECT_EQ(configurationTarget(0x00), "0x00 -- undefined");
    EXPECT_EQ(configurationTarget(0x05), "All");
    EXPECT_EQ(tpstPositionName(0), "Open");
    EXPECT_EQ(tpstPositionName(4), "Lower position");
}

TEST(InstrumentTablesTest, CodesPastTheEndAreNamedAsUnknown)
{
    EXPECT_EQ(errorMessage(0x17), "0x17 - unknown");
    EXPECT_EQ(errorMessage(0xFFF), "0xFFF - unknown");
    EXPECT_EQ(configurationTarget(0x06), "0x06 - unknown");
    EXPECT_EQ(configurationTarget(0xABC), "0xABC - unknown");
    EXPECT_EQ(tpstPositionName(5), "0x05 - unknown");
}
