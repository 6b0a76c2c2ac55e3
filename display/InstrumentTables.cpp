#include "display/InstrumentTables.h"

#include "display/WordFormat.h"

#include <bit>

namespace orvik::display {

// The instrument's own texts, including the differing forms of its undefined rows.
const std::array<const char*, 16> tcNameTable = {
    "0x00 - undefined",
    "Start Self-Test (STST)",
    "Send GC configuration data (CFGC)",
    "Update device parameter table (UDPT)",
    "Get device parameter table (GDPT)",
    "Get internal housekeeping data (GIHK)",
    "Send MS Configuration data (CFMS)",
    "Update experiment parameter table (UPPT)",
    "Get parameter table (GTPT)",
    "Start action (STAC)",
    "Get CSIB (GTIB)",
    "Set TPST configuration data (CFTS)",
    "Memory load and dump (MMLD)",
    "Send unit configuration (SUCG)",
    "Fire Single Shot Valve (FSSV)",
    "0x0f - undefined",
};

const std::array<const char*, 23> errorMessageTable = {
    "0x00 - undefined",
    "He pressure too low!",
    "Timeout during calibration of TDC!",
    "Trying to shoot Single Shot Valve without arming it first!",
    "HV failed after switching on MS power (G3 too low!)",
    "Trying to start GC running 0 cycles!",
    "Trying to start MS running 0 cycles!",
    "SD2 not ready!",
    "EEPROM timestamp mismatch. Reload parameters!",
    "Unable to talk to HW!",
    "Tapping Station produced timeout!",
    "Single shot valve successfully opened!",
    "TC to automatically refresh EEPROM was executed!",
    "TDC produced timeout!",
    "GC produced timeout!",
    "0x0f -- undefined",
    "0x10 -- undefined",
    "GC: Failed to generate Tenax sample!",
    "GC: Failed to generate Oven sample!",
    "GC: Failed to generate Calibration Gas sample!",
    "MS: Failed to generate Sniffing sample!",
    "MS: Failed to generate Oven sample!",
    "MS: Failed to generate Calibration Gas sample!",
};

const std::array<const char*, 4> eventCategoryTable = {"SW-Event", "Unused", "Configuration", "Telecommand"};

const std::array<const char*, 6> configurationTargetTable = {
    "0x00 -- undefined", "Tapping Station", "MS", "GC", "GC/MS", "All",
};

const std::array<const char*, 5> tpstPositionTable = {
    "Open", "Contacts closed", "Main Terminal", "Side Terminal", "Lower position",
};

namespace {
// What a code without a row shows.
std::string unknownCode(unsigned code)
{
    return hex2(code) + " - unknown";
}

// The row of `code`, or a text naming the code the table has no row for.
template <size_t N>
std::string lookup(const std::array<const char*, N>& table, unsigned code)
{
    return code < N ? std::string(table[code]) : unknownCode(code);
}
} // namespace

std::string tcName(uint16_t word)
{
    return tcNameTable[word & 0x000F];
}

std::string errorMessage(unsigned id)
{
    return lookup(errorMessageTable, id);
}

std::string eventCategoryName(unsigned category)
{
    if (category == 0)
        return "-";
    if (category > 0xF)
        return unknownCode(category);
    return eventCategoryTable[std::bit_width(category) - 1];
}

std::string configurationTarget(unsigned id)
{
    return lookup(configurationTargetTable, id);
}

std::string tpstPositionName(unsigned row)
{
    return lookup(tpstPositionTable, row);
}

} // namespace orvik::display
