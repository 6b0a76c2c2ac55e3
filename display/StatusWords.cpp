#include "display/StatusWords.h"

#include "display/HkParameter.h"
#include "display/WordFormat.h"

namespace orvik::display {

const std::array<StatusBitField, 13> statusBitFields = {{
    {0x0000, "System Status 2", "SSV, MM"},
    {0xC000, "Single Shot Valve", "01: armed, 11:fired"},
    {0x0004, "HK auto collection", "0: disabled, 1: enabled"},
    {0x0002, "MM dump", "0: disabled, 1: enabled"},
    {0x0001, "MM auto dump", "0: disabled, 1: enabled"},
    {0x0000, "System Status 1", "System Mode, Power Switches"},
    {0xE000, "Configuration valid", "xx1: TPST, x1x: MS, 1xx: GC"},
    {0x0700, "System Mode", "000: idle, 001: GC, 010: MS, 011: GCMS, 100: Self-Test"},
    {0x00F0, "Power Switches", "xxx1: PWS1, xx1x: PWS2, x1xx: PWS3, 1xxx: PWS4"},
    {0x0008, "Mass Memory", "0: off, 1: on"},
    {0x0004, "EEPROM Timestamp", "0: okay, 1: mismatch"},
    {0x0002, "TPST direction", "0: no change, 1: changed"},
    {0x0001, "SD2 ready", "0: false, 1: true"},
}};

std::string bitPattern(uint16_t value, uint16_t mask)
{
    std::string pattern;
    for (int bit = 15; bit >= 0; --bit) {
        const auto b = uint16_t(1u << bit);
        pattern += (mask & b) ? ((value & b) ? '1' : '0') : '.';
        if (bit % 4 == 0)
            pattern += ' ';
    }
    return pattern;
}

namespace {
void addStatusWord(size_t first, size_t rows, std::optional<uint16_t> value, std::vector<TreeItem>& tree)
{
    const StatusBitField& header = statusBitFields[first];
    tree.push_back({std::string(header.name) + " = " + hexWord(value) + " " + header.meaning, 0});
    if (!value)
        return;
    for (size_t r = first + 1; r < first + rows; ++r) {
        const StatusBitField& field = statusBitFields[r];
        tree.push_back({bitPattern(*value, field.mask) + field.name + " " + field.meaning, 1});
    }
}
} // namespace

std::vector<TreeItem> statusTree(WordView block, int half)
{
    std::vector<TreeItem> tree;
    addStatusWord(0, 5, halfWord(block, half, 60), tree);
    addStatusWord(5, 8, halfWord(block, half, 61), tree);
    return tree;
}

} // namespace orvik::display
