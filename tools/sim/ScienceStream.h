#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace orvik::sim {

// Tags of the science stream's records: two ASCII letters, the first in the high byte.
enum class RecordTag : uint16_t {
    Telecommand = 0x5443,   // "TC"
    Time = 0x5449,          // "TI"
    Housekeeping = 0x484B,  // "HK"
    Configuration = 0x4344, // "CD"
    Parameters = 0x5044,    // "PD"
    GcSweep = 0x4147,       // "AG"
    MsSweep = 0x414D,       // "AM"
    Chromatogram = 0x4743,  // "GC"
    MassSpectrum = 0x4D53,  // "MS"
};

constexpr size_t kBlockWords = 126;
constexpr size_t kFullHkWords = 106;
constexpr size_t kConfigurationWords = 90;
constexpr size_t kParameterWords = 55;
constexpr size_t kSweepWords = 16;

using Block = std::array<uint16_t, kBlockWords>;

// Stream words each record takes, tag included; the campaign plans a dataset with these before
// it decides whether the stream has room for it.
constexpr size_t telecommandRecordWords(size_t tcWords) { return 2 + tcWords; }
constexpr size_t kTimeRecordWords = 3;
constexpr size_t kHousekeepingRecordWords = 2 + kFullHkWords;
constexpr size_t kConfigurationRecordWords = 2 + kConfigurationWords;
constexpr size_t kParameterRecordWords = 2 + kParameterWords;
constexpr size_t kSweepRecordWords = 1 + kSweepWords;
constexpr size_t spectrumRecordWords(size_t samples) { return 4 + samples; }

// The instrument's science stream: tagged records appended in time order and cut into 126-word
// blocks as they fill. The ground assembles the blocks and parses records only while they start
// more than one block before the start of the last block, so finish() pads the open block with
// zeros and adds two blocks of zeros: then every record lies completely inside the parsed part.
class ScienceStream {
public:
    void appendTelecommand(std::span<const uint16_t> words);
    void appendTime(uint32_t obt);
    void appendHousekeeping(std::span<const uint16_t, kFullHkWords> words);
    void appendConfiguration(std::span<const uint16_t, kConfigurationWords> words);
    void appendParameters(std::span<const uint16_t, kParameterWords> words);
    void appendSweep(RecordTag tag, std::span<const uint16_t, kSweepWords> words);
    void appendSpectrum(RecordTag tag, uint32_t obt, std::span<const uint16_t> samples);
    void finish();

    bool hasFullBlock() const { return pending_.size() - readPos_ >= kBlockWords; }
    Block takeBlock();

    // Blocks the whole stream occupies, padding included, once `extraWords` more are appended.
    size_t blocksWith(size_t extraWords) const;
    size_t wordsAppended() const { return appended_; }

private:
    void put(uint16_t word);
    void put(std::span<const uint16_t> words);

    std::vector<uint16_t> pending_;
    size_t readPos_ = 0;
    size_t appended_ = 0;
};

} // namespace orvik::sim
