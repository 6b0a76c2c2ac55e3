#include "display/Configuration.h"

#include "display/InstrumentTables.h"
#include "display/LabelWriter.h"
#include "display/WordFormat.h"

#include <bit>

namespace orvik::display {

namespace {
const char* const errorInConfiguration = "Error in CFG!";

// Sample sources are chosen by one nibble of all ones.
std::string sampleSource(uint16_t word, const char* thirdSource)
{
    switch (word) {
    case 0x000F: return "Calibration Gas";
    case 0x00F0: return "Oven";
    case 0x0F00: return thirdSource;
    default: return errorInConfiguration;
    }
}

// The tapping station's named positions; an id beyond them is "undefined".
std::string tpstPosition(uint16_t id)
{
    return id < tpstPositionTable.size() ? tpstPositionName(id) : "undefined";
}
} // namespace

std::string cathodeText(uint16_t word)
{
    if (word == 0)
        return "#0";
    const unsigned cathodes = word & 7u;
    if (cathodes == 0)
        return errorInConfiguration; // set, but none of the three cathodes
    // The position of the highest selected cathode, counted from 1.
    const char text[] = {'#', char('0' + std::bit_width(cathodes)), '\0'};
    return text;
}

std::string columnName(unsigned column)
{
    return "Column " + std::to_string(column + 1);
}

std::string gcSampleSource(uint16_t word)
{
    return sampleSource(word, "Tenax");
}

std::string gcHeadPressureText(uint16_t word)
{
    return hex4(word & 0xFF);
}

std::string gcDurationText(uint16_t word, std::string_view decimalSeparator)
{
    const unsigned steps = word & 0x1Fu;
    return generalThreeDigits(steps * 2 * 30.476190476190474 * (1.0 / 60), decimalSeparator);
}

void showTpstConfiguration(ComponentModel& components, WordView block)
{
    const LabelWriter labels(components, block);
    const auto mode = block.word(0);
    if (!mode) {
        for (const char* name : {"tpst_cfg_direction", "tpst_cfg_timetodrive", "tpst_cfg_positionid",
                                 "tpst_cfg_potivalue"})
            components.setText(name, "-");
        return;
    }
    const bool direct = *mode != 0;
    components.setEnabled("tpst_cfg_posinfo", !direct);
    components.setEnabled("Label123", !direct);
    components.setEnabled("tpst_cfg_directctrl", direct);
    components.setEnabled("Label124", !direct);
    for (const char* name : {"tpst_cfg_direction", "Label125", "tpst_cfg_timetodrive", "Label127"})
        components.setEnabled(name, direct);
    if (direct) {
        labels.text("tpst_cfg_direction", 4, [](uint16_t w) { return std::string(w ? "CS1.D7 = 1" : "CS1.D7 = 0"); });
        labels.text("tpst_cfg_timetodrive", 5, decimal);
        return;
    }
    components.setText("tpst_cfg_positionid", "-");
    components.setText("tpst_cfg_potivalue", "-");
    components.setHint("tpst_cfg_potivalue", "");
    const bool byPotentiometer = block.wordOr(1) != 0;
    components.setEnabled("tpst_cfg_positionid", !byPotentiometer);
    components.setEnabled("Label123", !byPotentiometer);
    components.setEnabled("tpst_cfg_potivalue", byPotentiometer);
    components.setEnabled("Label124", byPotentiometer);
    if (byPotentiometer) {
        labels.textAndHint("tpst_cfg_potivalue", 3, decimal, hex4);
    } else {
        labels.hint("tpst_cfg_positionid", 2, hex4);
        labels.text("tpst_cfg_positionid", 2, tpstPosition);
    }
}

void showMsConfiguration(ComponentModel& components, WordView block)
{
    const LabelWriter labels(components, block);
    labels.text("ms_cfg_hksweep", 0, yesIfSet);
    labels.text("ms_cfg_cathode", 2, [](uint16_t) { return std::string("#0"); });
    labels.hint("ms_cfg_cathode", 2, hex4);
    if (block.wordOr(2) != 0)
        labels.text("ms_cfg_cathode", 2, cathodeText);
    labels.text("ms_cfg_emissioni", 3, hex4);
    labels.text("ms_cfg_detectorv", 4, hex4);
    labels.text("ms_cfg_resolution", 5, [](uint16_t w) { return std::string(w ? "high" : "low"); });
    labels.text("mc_cfg_frequency", 6, [](uint16_t w) { return std::string(w ? "3.9kHz (256us)" : "976Hz (1024us)"); });
    labels.text("ms_cfg_samplesource", 8, [](uint16_t w) { return sampleSource(w, "Sniffing"); });
    labels.text("AccData", 1, yesIfSet);
}

void showGcConfiguration(ComponentModel& components, WordView block, std::string_view decimalSeparator)
{
    const LabelWriter labels(components, block);
    labels.text("gc_cfg_hksweep", 0, yesIfSet);
    labels.textAndHint("gc_cfg_duration", 2,
                       [decimalSeparator](uint16_t w) { return gcDurationText(w, decimalSeparator); },
                       [](uint16_t w) { return hex4(w & 0x1F); });
    labels.text("gc_cfg_injection", 4, decimal);
    labels.text("gc_cfg_hetank", 3, [](uint16_t w) { return std::string(w ? "2" : "1"); });
    labels.text("gc_cfg_colheadpre", 7, gcHeadPressureText);
    for (unsigned channel = 0; channel < 4; ++channel)
        labels.text("gc_cfg_dacch" + std::to_string(channel + 1), 6,
                    [channel](uint16_t w) { return columnName(dacChannelColumn(w, channel)); });
    labels.text("gc_cfg_samplesource", 5, gcSampleSource);
}

} // namespace orvik::display
