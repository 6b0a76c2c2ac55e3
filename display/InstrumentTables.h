#pragma once
// The instrument's constant text tables: telecommand names, software-event
// messages, event categories, configuration targets and tapping-station positions,
// each indexed by the code the instrument sends. A code beyond a table's end gets
// a text that says so ("0x17 - unknown"); no lookup reads past its table.

#include <array>
#include <cstdint>
#include <string>

namespace orvik::display {

extern const std::array<const char*, 16> tcNameTable;
extern const std::array<const char*, 23> errorMessageTable;
extern const std::array<const char*, 4> eventCategoryTable;
extern const std::array<const char*, 6> configurationTargetTable;
extern const std::array<const char*, 5> tpstPositionTable;

// The name of the telecommand whose first word is `word` (its code is the low 4 bits).
std::string tcName(uint16_t word);
// The message of a software event.
std::string errorMessage(unsigned id);
// The name of the highest set bit of a 4-bit category value; "-" for 0.
std::string eventCategoryName(unsigned category);
// The unit a configuration event says is missing its configuration.
std::string configurationTarget(unsigned id);
std::string tpstPositionName(unsigned row);

} // namespace orvik::display
