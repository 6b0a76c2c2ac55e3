#include "tools/sim/InstrumentPackets.h"

#include <algorithm>

namespace orvik::sim {

namespace {

template <size_t N>
void append(std::vector<uint16_t>& words, const std::array<uint16_t, N>& block)
{
    words.insert(words.end(), block.begin(), block.end());
}

uint16_t high(uint32_t value) { return static_cast<uint16_t>(value >> 16); }
uint16_t low(uint32_t value) { return static_cast<uint16_t>(value & 0xFFFF); }

} // namespace

std::vector<uint16_t> deviceParameterBody(const DeviceParameters& p)
{
    // Data words 3 (positions), 10 (control) and 15 (oven), one spare word between the blocks.
    std::vector<uint16_t> words;
    append(words, p.tpstPositions);
    words.push_back(0);
    append(words, p.tpstControl);
    words.push_back(0);
    append(words, p.oven);
    return words;
}

std::vector<uint16_t> gcMsParameterBody(const ExperimentParameters& p)
{
    // Data words 3 (MS) and 22 (GC), one spare word between.
    std::vector<uint16_t> words;
    append(words, p.ms);
    words.push_back(0);
    append(words, p.gc);
    return words;
}

std::vector<uint16_t> testResultBody(Random& random, const InstrumentState& state, uint16_t tested, uint16_t passed)
{
    // Data words 3 .. 122; index i here is data word i + 3.
    std::vector<uint16_t> words(120, 0);
    auto at = [&words](size_t dataWord) -> uint16_t& { return words[dataWord - 3]; };
    at(3) = static_cast<uint16_t>((tested & 0x3F) | (passed & tested & 0x3F) << 8);
    at(5) = 0x0000;                      // mass-memory test pages
    at(6) = 0x0007;
    at(7) = static_cast<uint16_t>(0x4000 + random.below(0x1000) * 2); // DPU test address
    at(8) = 0x0003;                      // DPU page
    const uint32_t msAddress = 0x00020000 + random.below(0x8000) * 4;
    at(9) = low(msAddress);
    at(10) = high(msAddress);
    for (size_t column = 0; column < 8; ++column) // column temperature differences
        at(11 + column) = static_cast<uint16_t>(random.below(6));
    at(19) = static_cast<uint16_t>(970 + state.ovenC / 0.14);                // oven before and after
    at(20) = static_cast<uint16_t>(970 + (state.ovenC + 18.0) / 0.14);
    // Page error counts of the first 24 pages; the words of the later pages double as the
    // tapping-station test's oven readings.
    for (size_t page = 0; page < 24; ++page)
        at(21 + 2 * page) = random.chance(0.1) ? static_cast<uint16_t>(random.below(3)) : 0;
    // Tapping-station test: the oven reading and the potentiometer while driving open -> lower.
    for (size_t k = 0; k < 27; ++k) {
        at(69 + 2 * k) = static_cast<uint16_t>(970 + (state.ovenC + 0.2 * static_cast<double>(k)) / 0.14 + random.between(-2, 2));
        at(70 + 2 * k) = static_cast<uint16_t>(kTpstPositions[0] + (kTpstPositions[5] - kTpstPositions[0]) * static_cast<int>(k) / 26
                                               + random.between(-3, 3));
    }
    return words;
}

std::vector<uint16_t> errorMessageBody(uint16_t eventCategory, uint16_t eventId, uint16_t tcNumber)
{
    return {static_cast<uint16_t>(eventCategory << 12 | (eventId & 0x0FFF)), tcNumber, 0, 0};
}

std::vector<uint16_t> tpstReportBody(Random& random, const TpstMove& move)
{
    // Data words 3 .. 56; index i here is data word i + 3.
    std::vector<uint16_t> words(54, 0);
    auto at = [&words](size_t dataWord) -> uint16_t& { return words[dataWord - 3]; };
    at(3) = move.from;
    at(4) = move.ovenRawStart;
    at(5) = move.to;
    at(6) = move.ovenRawStop;
    at(7) = move.to;
    at(8) = 0x0001;                     // SD2 backup RAM ready
    std::copy(move.configuration.begin(), move.configuration.end(), words.begin() + (12 - 3));
    for (size_t i = 0; i < 32; ++i)     // backup RAM: a position log, newest first
        at(25 + i) = static_cast<uint16_t>(i % 2 == 0 ? move.to - i : random.below(0x100));
    return words;
}

std::vector<uint16_t> executionReportBody(uint32_t start, uint32_t stop, uint16_t counter, bool success,
                                          std::span<const uint16_t> tcWords)
{
    // Data words 3 .. 48: times, counter, result, five spare words, the word count (0 for 32)
    // and a copy of up to 32 telecommand words.
    const uint32_t duration = stop - start;
    std::vector<uint16_t> words{high(start), low(start), high(stop), low(stop),
                                high(duration), low(duration), counter, static_cast<uint16_t>(success ? 0xFFFF : 0)};
    words.insert(words.end(), 5, 0);
    const size_t n = std::min<size_t>(tcWords.size(), 32);
    words.push_back(static_cast<uint16_t>(n & 0x1F));
    words.insert(words.end(), tcWords.begin(), tcWords.begin() + static_cast<std::ptrdiff_t>(n));
    words.resize(46, 0);
    return words;
}

std::vector<uint16_t> memoryDumpHeaderBody(uint16_t memoryType, uint16_t pages, uint32_t address)
{
    return {memoryType, pages, high(address), low(address)};
}

std::vector<uint16_t> rawDataBody(Random& random)
{
    // A TDC raw frame: channel number and count pairs.
    std::vector<uint16_t> words;
    for (uint16_t channel = 0; channel < 48; ++channel) {
        words.push_back(static_cast<uint16_t>(0x0100 + channel));
        words.push_back(static_cast<uint16_t>(random.below(40) * random.below(40)));
    }
    return words;
}

std::vector<uint16_t> scienceParameterBody(uint16_t spectra, uint16_t sampleSource, bool highResolution)
{
    return {spectra, sampleSource, static_cast<uint16_t>(msSamples(highResolution)), 0x0010, 0, 0};
}

std::vector<uint16_t> memoryDumpPage(Random& random, uint16_t memoryType, uint16_t page)
{
    std::vector<uint16_t> words(kDumpPageWords);
    for (size_t i = 0; i < kDumpPageWords; ++i) {
        switch (memoryType) {
        case kMemoryMassMemory: // stored housekeeping: slowly varying readings
            words[i] = static_cast<uint16_t>(0x0800 + (page * 37 + i * 11) % 0x200 + random.below(8));
            break;
        case kMemoryGc:         // GC tables: small set points and flags
            words[i] = static_cast<uint16_t>(i % 8 == 7 ? 0xFFFF : random.between(30, 180));
            break;
        case kMemoryMsTdc:      // TDC histogram memory: counts
            words[i] = static_cast<uint16_t>(random.below(24) * random.below(24));
            break;
        default:                // DPU program memory
            words[i] = static_cast<uint16_t>(random.next());
            break;
        }
    }
    if (words[0] == 2)
        words[0] = 3;
    return words;
}

std::vector<uint16_t> packText(std::string_view text)
{
    std::vector<uint16_t> words;
    for (size_t i = 0; i < text.size(); i += 2) {
        const auto first = static_cast<unsigned char>(text[i]);
        const auto second = static_cast<unsigned char>(i + 1 < text.size() ? text[i + 1] : ' ');
        words.push_back(static_cast<uint16_t>(first << 8 | second));
    }
    return words;
}

} // namespace orvik::sim
