#pragma once
// Records cut out of the science stream, and the memory dumps assembled from
// packets (archive/MemoryDumpImage.h). Their words are in the archive's byte order,
// so decoders read them as they read packets.

#include "archive/MemoryDumpImage.h"
#include "archive/WordView.h"

#include <algorithm>
#include <array>
#include <vector>

namespace orvik {

template <size_t N>
struct FixedWordRecord {
    static constexpr size_t wordCount = N;
    std::array<uint8_t, 2 * N> bytes{};

    WordView words() const { return WordView(bytes.data(), bytes.size()); }
    // Copies the first N words of `source`; words the source does not hold stay zero.
    void fill(WordView source)
    {
        std::copy_n(source.bytes(), std::min(source.wordCount(), N) * 2, bytes.begin());
    }
};

// Lengths of the blocks that stand in more than one record or packet.
constexpr size_t gcParameterBlockWords = 10;     // eight column set points, words to copy, Tenax heating time
constexpr size_t gcConfigurationBlockWords = 8;  // laid out as words 1..8 of a CFGC telecommand

struct HkSweepRecord : FixedWordRecord<16> {};
// The configuration in force for a dataset. Its blocks begin at these words.
struct CsibConfigRecord : FixedWordRecord<90> {
    static constexpr size_t tpstConfiguration = 0, msConfiguration = 30, gcConfiguration = 60;
    // The CSIB word, which chooses the calibration of the MS spectra that follow.
    static constexpr size_t csibWord = 35;
    // Word 6 of the GC configuration block: the channels of the DACs.
    static constexpr size_t dacChannelWord = gcConfiguration + 6;
};
// The device and GC/MS parameters in force for a dataset. Its blocks begin at these words.
struct CsibParameterRecord : FixedWordRecord<55> {
    static constexpr size_t tpstPositions = 0, tpstControl = 6, ovenAndPipeHeater = 10, msParameters = 27,
                            gcParameters = 45;
};
struct FullHkRecord : FixedWordRecord<106> {};
// Word 0 is the telecommand's word count n, words 1..32 its first 32 words.
struct TelecommandRecord : FixedWordRecord<33> {
    uint16_t count() const { return words().wordOr(0); }
};

constexpr uint16_t gcTag = 0x4743;
constexpr uint16_t msTag = 0x4D53;

struct SpectrumRecord {
    uint16_t tag = 0;
    uint16_t sampleCount = 0;
    uint16_t timeHigh = 0;
    uint16_t timeLow = 0;
    uint16_t csibWord = 0; // MS spectra: the CSIB word in force when the spectrum was parsed
    // Read in place in the assembled science stream, which the document keeps as long as its nodes.
    WordView samples;
};

} // namespace orvik
