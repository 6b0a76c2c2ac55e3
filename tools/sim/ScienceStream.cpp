#include "tools/sim/ScienceStream.h"

#include <algorithm>
#include <stdexcept>

namespace orvik::sim {

namespace {

constexpr size_t kPaddingBlocks = 2;

uint16_t high(uint32_t value) { return static_cast<uint16_t>(value >> 16); }
uint16_t low(uint32_t value) { return static_cast<uint16_t>(value & 0xFFFF); }

} // namespace

void ScienceStream::put(uint16_t word)
{
    pending_.push_back(word);
    ++appended_;
}

void ScienceStream::put(std::span<const uint16_t> words)
{
    pending_.insert(pending_.end(), words.begin(), words.end());
    appended_ += words.size();
}

void ScienceStream::appendTelecommand(std::span<const uint16_t> words)
{
    put(static_cast<uint16_t>(RecordTag::Telecommand));
    put(static_cast<uint16_t>(words.size()));
    put(words);
}

void ScienceStream::appendTime(uint32_t obt)
{
    put(static_cast<uint16_t>(RecordTag::Time));
    put(high(obt));
    put(low(obt));
}

void ScienceStream::appendHousekeeping(std::span<const uint16_t, kFullHkWords> words)
{
    // The length word counts itself, so the next record starts at tag + length + 1.
    put(static_cast<uint16_t>(RecordTag::Housekeeping));
    put(static_cast<uint16_t>(kFullHkWords + 1));
    put(words);
}

void ScienceStream::appendConfiguration(std::span<const uint16_t, kConfigurationWords> words)
{
    put(static_cast<uint16_t>(RecordTag::Configuration));
    put(static_cast<uint16_t>(words.size()));
    put(words);
}

void ScienceStream::appendParameters(std::span<const uint16_t, kParameterWords> words)
{
    put(static_cast<uint16_t>(RecordTag::Parameters));
    put(static_cast<uint16_t>(words.size()));
    put(words);
}

void ScienceStream::appendSweep(RecordTag tag, std::span<const uint16_t, kSweepWords> words)
{
    put(static_cast<uint16_t>(tag));
    put(words);
}

void ScienceStream::appendSpectrum(RecordTag tag, uint32_t obt, std::span<const uint16_t> samples)
{
    // The count covers the two time words and the samples.
    if (samples.size() > 0xFFFF - 2)
        throw std::length_error("a spectrum holds at most 65533 samples");
    put(static_cast<uint16_t>(tag));
    put(static_cast<uint16_t>(samples.size() + 2));
    put(high(obt));
    put(low(obt));
    put(samples);
}

void ScienceStream::finish()
{
    const size_t open = appended_ % kBlockWords;
    const size_t zeros = (open == 0 ? 0 : kBlockWords - open) + kPaddingBlocks * kBlockWords;
    pending_.insert(pending_.end(), zeros, 0);
    appended_ += zeros;
}

Block ScienceStream::takeBlock()
{
    if (!hasFullBlock())
        throw std::logic_error("no full science block to take");
    Block block;
    std::copy_n(pending_.begin() + static_cast<std::ptrdiff_t>(readPos_), kBlockWords, block.begin());
    readPos_ += kBlockWords;
    // Drop what has been sent once it is the larger part, so the buffer stays small.
    if (readPos_ * 2 > pending_.size()) {
        pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(readPos_));
        readPos_ = 0;
    }
    return block;
}

size_t ScienceStream::blocksWith(size_t extraWords) const
{
    return (appended_ + extraWords + kBlockWords - 1) / kBlockWords + kPaddingBlocks;
}

} // namespace orvik::sim
