#pragma once
// The decoders of the configuration blocks a measurement ran with: the tapping
// station's (also carried by TPST reports), the MS's and the GC's.

#include "display/ComponentModel.h"
#include "archive/WordView.h"

#include <string>
#include <string_view>

namespace orvik::display {

void showTpstConfiguration(ComponentModel& components, WordView block); // 6 words
void showMsConfiguration(ComponentModel& components, WordView block);   // 9 words
// The duration is written with the decimal separator given.
void showGcConfiguration(ComponentModel& components, WordView block, std::string_view decimalSeparator); // 8 words

// The GC run duration in minutes of a duration word: bits 0..4 count steps of about 1.016 min (1.02, 15.2).
std::string gcDurationText(uint16_t word, std::string_view decimalSeparator);
// The GC sample source a source word names: "Calibration Gas", "Oven", "Tenax" or "Error in CFG!".
std::string gcSampleSource(uint16_t word);
// The GC column head pressure: bits 0..7 of its word as "0x" and four hexadecimal digits (0x00AB).
std::string gcHeadPressureText(uint16_t word);
// The column (from 0) that DAC channel 0..3 is set to: the channel's nibble of the
// GC configuration's DAC channel word (word 6).
constexpr unsigned dacChannelColumn(uint16_t word, unsigned channel)
{
    return (word >> (4 * channel)) & 0xFu;
}
// A GC column (from 0) by its name: "Column 1", "Column 2", ...
std::string columnName(unsigned column);

// "#1".."#3": the highest selected cathode of bits 0..2; "#0" for no cathode;
// "Error in CFG!" for a word that selects none of the three.
std::string cathodeText(uint16_t word);

} // namespace orvik::display
