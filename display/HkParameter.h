#pragma once
// The housekeeping parameter descriptors: which word of a housekeeping block a
// parameter is, and how its raw value becomes an engineering value. The 94
// descriptors are constant data built into the program.

#include "archive/WordView.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace orvik::display {

// raw value, factor, offset -> engineering value
using HkConversion = float (*)(uint16_t raw, float factor, float offset);

float scaleSigned(uint16_t raw, float factor, float offset);     // raw as signed 16-bit × factor
float scaleUnsigned(uint16_t raw, float factor, float offset);   // raw × factor
float scaleThenOffset(uint16_t raw, float factor, float offset); // raw × factor + offset
float offsetThenScale(uint16_t raw, float factor, float offset); // (raw + offset) × factor

struct HkParameter {
    int16_t key;                        // 1812 housekeeping, 1813 internal extension, 1820 science packet
    std::array<int16_t, 5> identification; // carried, never read
    int16_t serviceType;                // carried, never read
    int16_t serviceSubtype;             // carried, never read
    int16_t wordIndex;                  // word of the housekeeping block (0..90)
    int16_t bitOffset;                  // lowest bit of the value in the word
    int16_t bitCount;                   // width of the value, index into bitMasks
    int16_t samplesPerPacket;           // carried, never read
    int16_t wordsPerSample;             // carried, never read
    const char* mnemonic;
    const char* description;
    const char* unit;
    const char* formula;                // the conversion written out; for reference only
    HkConversion convert;               // null: the raw value is the engineering value
    float factor;
    float offset;
};

// A regular housekeeping block holds two samples, one per half of 64 words.
constexpr size_t hkHalfWords = 64;
// Word `word` of the block's half 0 or 1; nothing when the block does not hold it.
inline std::optional<uint16_t> halfWord(WordView block, int half, size_t word)
{
    return block.word(hkHalfWords * size_t(half) + word);
}

// Entry n (1..16) is 2^n - 1.
extern const std::array<uint16_t, 17> bitMasks;

constexpr int16_t regularHkKey = 1812, internalHkKey = 1813, scienceKey = 1820;
constexpr size_t hkParameterCount = 94;
extern const std::array<HkParameter, hkParameterCount> hkParameterTable;

// "MNEMONIC [UNIT]", or the mnemonic alone for a parameter without unit ("-"):
// a parameter's name over a column or a series of its values.
std::string titleWithUnit(const HkParameter& d);

// The engineering value of `d` in the block's half 0 or 1, or nothing when the
// block does not hold the word.
std::optional<float> engineeringValue(const HkParameter& d, WordView block, int half);

} // namespace orvik::display
