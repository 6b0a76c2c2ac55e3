#pragma once
// Records cut out of the science stream and assembled memory dumps. Their words
// are kept in the archive's byte order, so decoders read them as they read packets.

#include "archive/RawPacket.h"
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
    std::vector<uint8_t> sampleBytes;

    WordView samples() const { return WordView(sampleBytes.data(), sampleBytes.size()); }
};

// A memory dump as its header announced it: word 0 the page count, word 1 the
// memory type, then the pages of 128 words each. Only the pages the file held
// are stored; the rest read as zero without taking room, so a header announcing
// 65 535 pages in a file cut short costs what the file brought, not 16 MiB.
class MemoryDumpImage {
public:
    static constexpr size_t pageWords = 128;

    MemoryDumpImage(uint16_t pages, uint16_t memoryType) : bytes_(4)
    {
        writeLe16(bytes_.data(), pages);
        writeLe16(bytes_.data() + 2, memoryType);
    }

    // Stores the next page; a short one is padded with zeros, one past the announced count is ignored.
    void addPage(WordView page)
    {
        if (pagesHeld() >= pageCount())
            return;
        const size_t at = bytes_.size();
        bytes_.resize(at + 2 * pageWords, 0);
        std::copy_n(page.bytes(), std::min(page.byteCount(), 2 * pageWords), bytes_.data() + at);
    }

    // The stored packet that announced the dump (not owned; null where none did).
    const RawPacket* headerPacket = nullptr;

    uint16_t pageCount() const { return words().wordOr(0); }
    uint16_t memoryType() const { return words().wordOr(1); }
    size_t pagesHeld() const { return (bytes_.size() - 4) / (2 * pageWords); }
    // The header and the pages held, as stored.
    WordView words() const { return WordView(bytes_.data(), bytes_.size()); }
    // Every word of the announced pages; those beyond the pages held read as zero.
    size_t dataWordCount() const { return pageWords * pageCount(); }
    uint16_t dataWord(size_t k) const { return words().wordOr(2 + k); }
    WordView heldDataWords() const { return words().from(2); }
    // Page p, a page of zeros where the file did not hold it.
    WordView page(size_t p) const
    {
        static constexpr std::array<uint8_t, 2 * pageWords> zeroPage{};
        if (p < pagesHeld())
            return words().slice(2 + pageWords * p, pageWords);
        return p < pageCount() ? WordView(zeroPage.data(), zeroPage.size()) : WordView();
    }

private:
    std::vector<uint8_t> bytes_;
};

} // namespace orvik
