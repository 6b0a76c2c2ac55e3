#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <span>
#include <vector>

namespace orvik::sim {

// The framing, for those that cut the writer's bytes into frames again.
inline constexpr uint16_t kSyncWord1 = 0x1ACF;
inline constexpr uint16_t kSyncWord2 = 0xFC1D;
inline constexpr uint16_t kDataFieldHeaderFlag = 0x0800; // in the identification word
inline constexpr size_t kLengthOffset = 8;               // of the length word L in a frame
inline constexpr size_t kFrameHeaderBytes = 20;          // sync words, primary and data-field header
constexpr uint64_t frameBytesWithLength(uint16_t length) { return length + 11u; }

// Header fields of one packet. The on-board time (a count of 1/32 s) goes into the otherwise
// uninterpreted first words of the data-field header, as the instrument stamps its packets.
struct PacketHeader {
    uint8_t processId = 0;      // 7 bits
    uint8_t packetCategory = 0; // 4 bits below the process identifier
    uint8_t serviceType = 0;
    uint8_t serviceSubtype = 0;
    uint32_t time = 0;
};

// Frames packets into the archive format: sync words 0x1ACF 0xFC1D, the primary header
// (identification with the data-field-header flag, sequence control, length L), the 10-byte
// data-field header and the data words, every word least significant byte first. A frame is
// L + 11 bytes and always even, since the data are whole words.
//
// Without a stream the writer only counts bytes; the simulator uses that to learn the shape of an
// archive before it writes it.
class ArchiveWriter {
public:
    explicit ArchiveWriter(std::ostream* out);
    ~ArchiveWriter();
    ArchiveWriter(const ArchiveWriter&) = delete;
    ArchiveWriter& operator=(const ArchiveWriter&) = delete;

    void writePacket(const PacketHeader& header, std::span<const uint16_t> dataWords);
    // A packet lost on the way down: it takes its sequence count, as at the source, but no bytes.
    void losePacket(const PacketHeader& header, size_t dataWords);
    // Bytes between frames; the reader skips them in 2-byte steps, so the count must be even.
    void writeStray(std::span<const uint8_t> bytes);
    // Hands what is buffered, whole frames, on to the stream and the stream on to its file.
    void flush();

    uint64_t packetsWritten() const { return packets_; }
    uint64_t bytesWritten() const { return written_; }
    uint64_t bytesLost() const { return lost_; }
    static constexpr uint64_t frameBytes(size_t dataWords) { return kFrameHeaderBytes + 2 * dataWords; }

private:
    void putWord(uint16_t word);

    std::ostream* out_;
    std::vector<char> buffer_;
    uint64_t packets_ = 0;
    uint64_t written_ = 0;
    uint64_t lost_ = 0;
    std::array<uint16_t, 128> sequenceCount_{}; // one counter per process identifier
};

} // namespace orvik::sim
