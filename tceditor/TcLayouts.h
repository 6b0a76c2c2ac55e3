#pragma once
// Where the parameters of the telecommands with an editor page sit in the
// record, and how their values are coded. Words not named here stay 0.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace orvik::tceditor::tcwords {

// Flag words: on/yes is all ones, off/no is zero.
inline constexpr std::uint16_t flagOn = 0xFFFF;
inline constexpr std::uint16_t flagOff = 0x0000;
constexpr std::uint16_t flag(bool on) { return on ? flagOn : flagOff; }

// Storage targets combine nibble masks.
inline constexpr std::uint16_t storeInRam = 0x000F;
inline constexpr std::uint16_t storeInEeprom = 0x00F0;
constexpr std::uint16_t storageWord(bool ram, bool eeprom)
{
    return std::uint16_t((ram ? storeInRam : 0) | (eeprom ? storeInEeprom : 0));
}

// STST, start self-test.
namespace stst {
inline constexpr std::size_t subsystems = 1; // bit mask of the units to test
inline constexpr std::size_t dpuRamPage = 6; // 1..7
inline constexpr std::size_t mmFirstPage = 8; // 0..31
inline constexpr std::size_t mmPageCount = 9; // 1..32, first page + count <= 32
inline constexpr std::size_t ovenPwm = 11;
inline constexpr std::size_t ovenTerminal = 12; // on: main (GC), off: side (MS)
inline constexpr std::size_t tpstDirection = 13; // on: CS1.D7 = 1, off: CS1.D7 = 0

// The unit bits, as in the self-test results.
inline constexpr std::uint16_t ms = 0x0001;
inline constexpr std::uint16_t gc = 0x0002;
inline constexpr std::uint16_t dpu = 0x0004;
inline constexpr std::uint16_t massMemory = 0x0008;
inline constexpr std::uint16_t oven = 0x0010;
inline constexpr std::uint16_t tappingStation = 0x0020;

inline constexpr int massMemoryPages = 32;
} // namespace stst

// GIHK, get internal housekeeping data.
namespace gihk {
inline constexpr std::size_t powerSwitches = 1; // flag
} // namespace gihk

// CFGC, send GC configuration data. Words 1..8 are laid out as the GC
// configuration block that the instrument reports (block word k = word k + 1).
namespace cfgc {
inline constexpr std::size_t hkCollection = 1; // flag
inline constexpr std::size_t duration = 3; // steps, 1..31
inline constexpr std::size_t heliumTank = 4; // off: tank 1, on: tank 2
inline constexpr std::size_t injectionTime = 5; // milliseconds
inline constexpr std::size_t sampleSource = 6; // one nibble mask per source
inline constexpr std::size_t columns = 7; // one nibble per DAC channel: column number - 1
inline constexpr std::size_t headPressure = 8;

inline constexpr int sampleSourceCount = 3; // Calibration Gas, Oven, Tenax
inline constexpr int channelCount = 4;

// Calibration Gas 0x000F, Oven 0x00F0, Tenax 0x0F00.
constexpr std::uint16_t sampleSourceWord(int index) { return std::uint16_t(0x000F << (4 * index)); }
// The source a word names; none for 0, which leaves a selection as it is.
std::optional<int> sampleSourceIndex(std::uint16_t word);

constexpr std::uint16_t columnsWord(const std::array<int, channelCount>& columnNibbles)
{
    unsigned word = 0;
    for (int channel = channelCount - 1; channel >= 0; --channel)
        word = (word << 4) | (unsigned(columnNibbles[std::size_t(channel)]) & 0xF);
    return std::uint16_t(word);
}
constexpr int columnOf(std::uint16_t word, int channel) { return (word >> (4 * channel)) & 0xF; }

// What the editor shows for a duration in steps.
constexpr double durationMinutes(int steps) { return steps * 2 * 0.56; }
} // namespace cfgc

// UDPT, update device parameter table.
namespace udpt {
inline constexpr std::size_t positionStorage = 1; // storage targets of the tapping-station positions
inline constexpr std::size_t controlStorage = 8; // storage targets of its control parameters
} // namespace udpt

} // namespace orvik::tceditor::tcwords
