// The MS and GC housekeeping sweeps: sixteen multiplexer readings, each shown as
// its engineering value with the raw reading as the tooltip.

#include "display/MainDisplay.h"
#include "display/WordFormat.h"

#include <cstdio>

namespace orvik::display {

namespace {

// How a row turns its reading into a value: by the multiplexer's channel formula
// (the channel is the word's index) or as a plain voltage in double precision.
enum class Conversion { Channel, Volts };

// How a value is written: fixed-point, right-aligned in `width` characters, then the unit.
struct ValueFormat {
    int width;
    int precision;
    const char* unit;
};

struct SweepRow {
    int word;
    const char* label;
    Conversion conversion;
    ValueFormat format;
};

constexpr SweepRow msRows[] = {
    {9, "mshksweep_detector", Conversion::Channel, {7, 2, " V"}},
    {12, "mshksweep_ref1", Conversion::Channel, {7, 2, " kV"}},
    {11, "mshksweep_ref2", Conversion::Channel, {7, 2, " kV"}},
    {10, "mshksweep_ref7", Conversion::Channel, {7, 2, " kV"}},
    {14, "mshksweep_lense1", Conversion::Channel, {7, 2, " kV"}},
    {13, "mshksweep_lense2", Conversion::Channel, {7, 2, " kV"}},
    {15, "mshksweep_g3", Conversion::Channel, {7, 2, " kV"}},
    {8, "mshksweep_ifila", Conversion::Channel, {7, 2, " uA"}},
    {0, "mshksweep_pipea", Conversion::Channel, {6, 2, " °C"}},
    {1, "mshksweep_pipeb", Conversion::Channel, {6, 2, " °C"}},
    {2, "mshksweep_oven", Conversion::Channel, {6, 2, " °C"}},
    {3, "mshksweep_coldpart", Conversion::Channel, {6, 2, " °C"}},
    {4, "mshksweep_pcalgas", Conversion::Volts, {6, 3, "V"}},
    {5, "hmshksweep_postpst", Conversion::Volts, {6, 3, "V"}},
};

constexpr SweepRow gcRows[] = {
    {0, "gchksweep_phe1", Conversion::Volts, {6, 3, "V"}},
    {1, "gchwsweep_phe2", Conversion::Volts, {6, 3, "V"}},
    {2, "gchksweep_ion", Conversion::Volts, {6, 3, "V"}},
    {5, "gchksweep_kpy", Conversion::Channel, {6, 2, " bar"}},
    {8, "gchksweep_col1", Conversion::Channel, {6, 2, " °C"}},
    {9, "gchksweep_col2", Conversion::Channel, {6, 2, " °C"}},
    {10, "gchksweep_col3", Conversion::Channel, {6, 2, " °C"}},
    {11, "gchksweep_col4", Conversion::Channel, {6, 2, " °C"}},
    {12, "gchksweep_col5", Conversion::Channel, {6, 2, " °C"}},
    {13, "gchksweep_col6", Conversion::Channel, {6, 2, " °C"}},
    {14, "gchksweep_col7", Conversion::Channel, {6, 2, " °C"}},
    {15, "gchksweep_col8", Conversion::Channel, {6, 2, " °C"}},
    {3, "gchksweep_cold", Conversion::Channel, {6, 2, " °C"}},
    {4, "gchksweep_warm", Conversion::Channel, {6, 2, " °C"}},
    {7, "gchksweep_valve", Conversion::Channel, {6, 2, " V"}},
};

// The MS oven channel reads this when the oven is open.
constexpr uint16_t ovenOpen = 0x1FFF;

// The row's text for the reading s, given the value of the multiplexer's formula for it.
std::string rowText(const SweepRow& row, int16_t s, float channelValue)
{
    const double value = row.conversion == Conversion::Volts ? s * 0.000366 : double(channelValue);
    return fixedText(value, row.format.width, row.format.precision) + row.format.unit;
}

// A label's text, with the raw reading as its tooltip: "0x" and at least four
// upper-case hexadecimal digits of the reading widened with its sign, so that
// readings 0x8000..0xFFFF show eight digits.
void showSweepRow(ComponentModel& components, const char* label, const std::string& text, int16_t s)
{
    char hint[16];
    std::snprintf(hint, sizeof hint, "0x%04X", unsigned(int32_t(s)));
    components.setText(label, text);
    components.setHint(label, hint);
}

} // namespace

void MainDisplay::displayMsSweep(WordView sweep)
{
    for (const SweepRow& row : msRows) {
        const uint16_t word = sweep.wordOr(size_t(row.word));
        const auto s = int16_t(word);
        if (row.word == 2 && word == ovenOpen) {
            showSweepRow(components, row.label, "open", s);
            continue;
        }
        showSweepRow(components, row.label, rowText(row, s, orvikHK.msSweepValue(row.word, s)), s);
    }
}

void MainDisplay::displayGcSweep(WordView sweep)
{
    for (const SweepRow& row : gcRows) {
        const auto s = int16_t(sweep.wordOr(size_t(row.word)));
        const std::string text = rowText(row, s, orvikHK.gcSweepValue(row.word, s));
        showSweepRow(components, row.label, text, s);
        // The cold part also shows on the "Public HK" page.
        if (row.word == 3)
            showSweepRow(components, "tempcoldpart1", text, s);
    }
}

} // namespace orvik::display
