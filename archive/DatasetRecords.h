#pragma once
// Records cut out of the science stream and assembled memory dumps. Their words
// are kept in the archive's byte order, so decoders read them as they read packets.

#include "WordView.h"

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

struct HkSweepRecord : FixedWordRecord<16> {};
struct CsibConfigRecord : FixedWordRecord<90> {};
struct CsibParameterRecord : FixedWordRecord<55> {};
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
    std::vector<uint8_t> sampleBytes;

    WordView samples() const { return WordView(sampleBytes.data(), sampleBytes.size()); }
};

// Word 0: page count, word 1: memory type, then the pages of 128 words each.
struct MemoryDumpImage {
    static constexpr size_t pageWords = 128;
    std::vector<uint8_t> bytes;

    explicit MemoryDumpImage(uint16_t pages, uint16_t memoryType)
        : bytes(2 * (2 + pageWords * pages), 0)
    {
        writeLe16(bytes.data(), pages);
        writeLe16(bytes.data() + 2, memoryType);
    }
    WordView words() const { return WordView(bytes.data(), bytes.size()); }
    uint16_t pageCount() const { return words().wordOr(0); }
    uint16_t memoryType() const { return words().wordOr(1); }
    WordView page(size_t p) const { return words().slice(2 + pageWords * p, pageWords); }
    uint8_t* pageBytes(size_t p) { return bytes.data() + 2 * (2 + pageWords * p); }
};

} // namespace orvik
