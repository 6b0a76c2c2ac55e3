#include "display/DeviceParameters.h"

#include "display/LabelWriter.h"
#include "display/WordFormat.h"

namespace orvik::display {

void showTpstPositions(ComponentModel& components, WordView block)
{
    const LabelWriter labels(components, block);
    const char* const names[] = {"tpst_pos_open", "tpst_pos_contacts", "tpst_pos_main",
                                 "tpst_pos_side", "tpst_pos_upper",    "tpst_pos_lower"};
    for (size_t w = 0; w < std::size(names); ++w)
        labels.textAndHint(names[w], w, decimal, hex4);
}

void showTpstControl(ComponentModel& components, WordView block)
{
    const LabelWriter labels(components, block);
    // The flag word says whether to skip the update: zero means update.
    labels.text("tpstctrl_bckram", 0, [](uint16_t w) { return std::string(w == 0 ? "yes" : "no"); });
    labels.text("tpstctrl_ignoresd2", 1, yesIfSet);
    labels.text("tpst_ctrl_timeout", 2, decimal);
    labels.text("tpst_ctrl_report", 3, yesIfSet);
}

void showOvenAndPipeHeater(ComponentModel& components, WordView block)
{
    const char* const headers[] = {"Oven", "Temp", "Time"};
    for (int col = 0; col < 3; ++col)
        components.setCell("StringGrid1", col, 0, headers[col]);
    // Every step shows the same time word.
    const auto time = block.word(10);
    for (int step = 0; step < 8; ++step) {
        const auto temp = block.word(size_t(step));
        components.setCell("StringGrid1", 0, step + 1, std::to_string(step));
        components.setCell("StringGrid1", 1, step + 1, orDash(temp, hex2));
        components.setCell("StringGrid1", 2, step + 1, orDash(time, hex2));
    }
    const LabelWriter labels(components, block);
    labels.text("phdecay", 9, [](uint16_t w) { return decimal(w) + " sec"; });
    labels.text("phcycles", 8, decimal);
}

void showMsParameters(ComponentModel& components, WordView block)
{
    const LabelWriter labels(components, block);
    labels.textAndHint("csib_ms_specdepth", 0, [](uint16_t w) { return std::to_string(w * 8u) + "k"; }, hex4);
    labels.text("csib_ms_mode", 3, [](uint16_t w) { return std::string(w ? "Multi" : "Single"); });
    labels.textAndHint("csib_ms_timeout", 4, decimal, hex4);
    const std::pair<const char*, size_t> settings[] = {
        {"csib_ms_r2", 6},  {"csib_ms_r24", 7}, {"csib_ms_ux", 8},  {"csib_ms_uy", 9},  {"csib_ms_t1", 10},
        {"csib_ms_t3", 11}, {"csib_ms_t4", 12}, {"csib_ms_t5", 13}, {"csib_ms_t6", 14},
    };
    for (const auto& [name, word] : settings)
        labels.textAndHint(name, word, decimal, hex2);
    labels.text("csib_ms_detectordelay", 16, [](uint16_t w) { return std::to_string(w * 32u) + "us"; });
    labels.text("csib_ms_words", 17, decimal);
}

void showGcParameters(ComponentModel& components, WordView block)
{
    const LabelWriter labels(components, block);
    for (size_t column = 0; column < 8; ++column)
        labels.textAndHint("csib_gc_coltemp" + std::to_string(column + 1), column, decimal, hex2);
    labels.textAndHint("csib_gc_words", 8, decimal, hex4);
    // Word 9 holds both heating times: Tenax in the low byte, GC in the high byte.
    labels.textAndHint("csib_gc_tenaxtime", 9, [](uint16_t w) { return decimal(uint16_t(w & 0xFF)); }, hex2);
    labels.text("csib_gc_heating", 9, [](uint16_t w) { return decimal(uint16_t(w >> 8)); });
}

} // namespace orvik::display
