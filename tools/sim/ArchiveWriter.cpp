#include "tools/sim/ArchiveWriter.h"

#include <stdexcept>

namespace orvik::sim {

namespace {

constexpr uint16_t kStandaloneSegment = 0xC000; // sequence flags: packet not split
constexpr size_t kFlushThreshold = 1 << 20;

} // namespace

ArchiveWriter::ArchiveWriter(std::ostream* out)
    : out_(out)
{
    if (out_)
        buffer_.reserve(kFlushThreshold + 4096);
}

ArchiveWriter::~ArchiveWriter()
{
    // Destructors must not throw; callers that care about write errors call flush() themselves.
    try {
        flush();
    } catch (...) {
    }
}

void ArchiveWriter::putWord(uint16_t word)
{
    buffer_.push_back(static_cast<char>(word & 0xFF));
    buffer_.push_back(static_cast<char>(word >> 8));
}

void ArchiveWriter::writePacket(const PacketHeader& header, std::span<const uint16_t> dataWords)
{
    uint16_t& count = sequenceCount_[header.processId & 0x7F];
    ++packets_;
    written_ += frameBytes(dataWords.size());
    if (!out_) {
        count = (count + 1) & 0x3FFF;
        return;
    }
    const auto length = static_cast<uint16_t>(10 + 2 * dataWords.size() - 1);

    putWord(kSyncWord1);
    putWord(kSyncWord2);
    putWord(static_cast<uint16_t>(kDataFieldHeaderFlag | (header.processId & 0x7F) << 4 | (header.packetCategory & 0x0F)));
    putWord(static_cast<uint16_t>(kStandaloneSegment | count));
    putWord(length);
    putWord(static_cast<uint16_t>(header.time >> 16));
    putWord(static_cast<uint16_t>(header.time & 0xFFFF));
    putWord(0);
    putWord(header.serviceType);
    putWord(static_cast<uint16_t>(header.serviceSubtype << 8));
    for (const uint16_t word : dataWords)
        putWord(word);
    count = (count + 1) & 0x3FFF;

    if (buffer_.size() >= kFlushThreshold)
        flush();
}

void ArchiveWriter::losePacket(const PacketHeader& header, size_t dataWords)
{
    uint16_t& count = sequenceCount_[header.processId & 0x7F];
    count = (count + 1) & 0x3FFF;
    lost_ += frameBytes(dataWords);
}

void ArchiveWriter::writeStray(std::span<const uint8_t> bytes)
{
    if (bytes.size() % 2 != 0)
        throw std::invalid_argument("stray bytes between frames must come in whole words");
    written_ += bytes.size();
    if (out_)
        buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
}

void ArchiveWriter::flush()
{
    if (!out_ || buffer_.empty())
        return;
    out_->write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    buffer_.clear();
    out_->flush();
    if (!*out_)
        throw std::runtime_error("writing the archive failed");
}

} // namespace orvik::sim
