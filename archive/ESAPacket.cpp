#include "archive/ESAPacket.h"

#include "archive/PacketClassification.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <thread>

namespace orvik {

namespace {
// Small enough that a chunk is still in the cache when its frames are cut out.
constexpr size_t readChunk = size_t(1) << 18;
// Files from this size on are read by a helper thread, in larger reads, while frames are being cut.
constexpr size_t concurrentReadSize = size_t(16) << 20;
constexpr size_t concurrentChunk = size_t(8) << 20;
constexpr uint16_t dataFieldHeaderFlag = 0x0800;
constexpr size_t primaryHeaderBytes = 10;
constexpr size_t dataFieldHeaderBytes = 10;

} // namespace

ESAPacket::~ESAPacket()
{
    clearPackets();
}

void ESAPacket::openFile(const std::string& name)
{
    close();
    streamPosition_ = 0;
    fileName_ = name;
    openError_.clear();
    problems_.clear();
    std::error_code ec;
    if (std::filesystem::is_directory(std::filesystem::path(name), ec)) {
        openError_ = "it is a folder, not a file";
    } else {
        errno = 0;
        stream_.reset(std::fopen(name.c_str(), "rb"));
        if (!stream_)
            openError_ = errno ? std::strerror(errno) : "cannot be opened";
    }
    open_ = stream_ != nullptr;
}

void ESAPacket::close()
{
    clearPackets();
    stream_.reset();
    open_ = false;
}

void ESAPacket::setSyncWords(uint16_t word1, uint16_t word2)
{
    syncWord1_ = word1;
    syncWord2_ = word2;
}

void ESAPacket::clearPackets()
{
    packets_.clear();
    packets_.shrink_to_fit();
    arenas_.clear();
}

// Both answers are pointer arithmetic against the stored packets and the bytes read:
// nothing is kept per packet for them.
std::optional<size_t> ESAPacket::packetNumber(const RawPacket& packet) const
{
    const std::less<const RawPacket*> before;
    const RawPacket* first = packets_.data();
    if (before(&packet, first) || !before(&packet, first + packets_.size()))
        return std::nullopt;
    return size_t(&packet - first);
}

std::optional<uint64_t> ESAPacket::fileOffset(const RawPacket& packet) const
{
    const std::less<const uint8_t*> before;
    for (const Arena& arena : arenas_)
        if (!before(packet.bytes, arena.bytes.data()) && before(packet.bytes, arena.bytes.data() + arena.size))
            return arena.filePosition + uint64_t(packet.bytes - arena.bytes.data());
    return std::nullopt;
}

uint64_t ESAPacket::hugePageBytes() const
{
    uint64_t bytes = 0;
    for (const Arena& arena : arenas_)
        if (arena.bytes.hugePages())
            bytes += arena.size;
    return bytes;
}

// Reads in chunks and cuts frames out of each chunk while its bytes are still in
// the cache. The arena is sized to the file; should the file grow while we read
// it (another program writing it), the arena grows and the packets move with it.
bool ESAPacket::readPackets(uint64_t& counter, const ProgressFn& progress)
{
    if (!stream_)
        return true;
    std::error_code ec;
    const auto fileSize = std::filesystem::file_size(std::filesystem::path(fileName_), ec);
    const size_t expected = !ec && fileSize > streamPosition_ ? size_t(fileSize - streamPosition_) : 0;
    Arena arena{PageBackedBuffer(expected, backing_), 0, streamPosition_};
    size_t capacity = expected;
    const size_t firstPacket = packets_.size();
    packets_.reserve(firstPacket + expected / 256);
    Scan scan;
    bool goOn = expected < concurrentReadSize || readConcurrently(arena, expected, scan, counter, progress);
    // What the file holds beyond (or short of) its size when we looked: read and cut chunk by chunk.
    for (bool atEnd = false; goOn && !atEnd && !scan.finished;) {
        if (arena.size == capacity) {
            uint8_t probe[4096];
            const size_t n = std::fread(probe, 1, sizeof probe, stream_.get());
            if (n == 0) {
                splitFrames(arena.bytes.data(), arena.size, true, scan, counter);
                break;
            }
            capacity = std::max(capacity * 2, readChunk);
            PageBackedBuffer bigger(capacity, backing_);
            std::copy_n(arena.bytes.data(), arena.size, bigger.data());
            for (size_t i = firstPacket; i < packets_.size(); ++i)
                packets_[i].bytes = bigger.data() + (packets_[i].bytes - arena.bytes.data());
            arena.bytes = std::move(bigger);
            std::copy_n(probe, n, arena.bytes.data() + arena.size);
            arena.size += n;
        }
        const size_t want = std::min(readChunk, capacity - arena.size);
        const size_t got = std::fread(arena.bytes.data() + arena.size, 1, want, stream_.get());
        arena.size += got;
        atEnd = got < want;
        splitFrames(arena.bytes.data(), arena.size, atEnd, scan, counter);
        goOn = !progress || progress(expected ? std::min(1.0, double(arena.size) / double(expected)) : 1.0);
    }
    reportProblems(scan, streamPosition_, expected ? streamPosition_ + expected : streamPosition_ + arena.size);
    streamPosition_ += arena.size;
    arenas_.push_back(std::move(arena));
    return goOn;
}

// Frames passed over or cut short lose data without a word; the reader says where.
void ESAPacket::reportProblems(const Scan& scan, uint64_t base, uint64_t fileEnd)
{
    if (scan.shortFrames)
        problems_.push_back(std::to_string(scan.shortFrames) +
                            " frame(s) with a data field header announce a length below 9, too short to hold it "
                            "(the first at byte " +
                            std::to_string(base + scan.firstShortFrame) + "); they were passed over.");
    if (!scan.cutFrame.empty())
        problems_.push_back(scan.cutFrame);
    if (scan.emptyFrameEnd && base + scan.emptyFrameEnd < fileEnd)
        problems_.push_back("The frame ending at byte " + std::to_string(base + scan.emptyFrameEnd) +
                            " holds no data bytes, which ends the reading: the " +
                            std::to_string(fileEnd - base - scan.emptyFrameEnd) + " bytes after it were not read.");
}

// A helper thread reads the file into the arena while this one cuts frames out
// of what has arrived, so that the two cores share the work of a large open.
bool ESAPacket::readConcurrently(Arena& arena, size_t size, Scan& scan, uint64_t& counter, const ProgressFn& progress)
{
    // Bytes arrived so far, with the top bit set once the helper has stopped.
    constexpr uint64_t stopped = uint64_t(1) << 63;
    std::atomic<uint64_t> arrived{0};
    std::atomic<bool> enough{false};
    std::thread reader([&] {
        size_t done = 0;
        while (done < size && !enough.load(std::memory_order_relaxed)) {
            const size_t got =
                std::fread(arena.bytes.data() + done, 1, std::min(concurrentChunk, size - done), stream_.get());
            done += got;
            if (got == 0)
                break;
            arrived.store(done, std::memory_order_release);
            arrived.notify_one();
        }
        arrived.store(done | stopped, std::memory_order_release);
        arrived.notify_one();
    });
    bool goOn = true;
    for (uint64_t seen = 0; !(seen & stopped);) {
        arrived.wait(seen, std::memory_order_acquire);
        seen = arrived.load(std::memory_order_acquire);
        splitFrames(arena.bytes.data(), size_t(seen & ~stopped), false, scan, counter);
        goOn = !progress || progress(double(seen & ~stopped) / double(size));
        if (scan.finished || !goOn) {
            enough.store(true, std::memory_order_relaxed);
            break;
        }
    }
    reader.join();
    arena.size = size_t(arrived.load(std::memory_order_acquire) & ~stopped);
    return goOn;
}

// Cuts the frames that lie in bytes[scan.pos, size). Before the end of the file a
// frame that is not all there yet waits for the next chunk; at the end it is kept
// with the bytes that are there. The search moves in 2-byte steps from the end of
// the previous frame, so a frame that starts at an odd distance from it is not found.
void ESAPacket::splitFrames(const uint8_t* bytes, size_t size, bool atEnd, Scan& scan, uint64_t& counter)
{
    size_t pos = scan.pos;
    // At the end of the file a frame begun at pos is left out.
    const auto waitOrEnd = [&](bool frameBegun = true) {
        scan.finished = atEnd;
        scan.pos = pos;
        if (atEnd && frameBegun)
            scan.cutFrame = "The file ends inside the frame at byte " + std::to_string(streamPosition_ + pos) +
                            " (" + std::to_string(size - pos) + " bytes of it present); it was left out.";
    };
    for (;;) {
        if (pos + 2 > size)
            return waitOrEnd(false);
        if (readLe16(bytes + pos) != syncWord1_) {
            pos += 2;
            continue;
        }
        if (pos + 4 > size)
            return waitOrEnd();
        if (readLe16(bytes + pos + 2) != syncWord2_) {
            // The word after a first sync word is not tried as a first sync word itself.
            pos += 4;
            continue;
        }
        if (pos + primaryHeaderBytes > size)
            return waitOrEnd();
        const uint16_t identification = readLe16(bytes + pos + 4);
        const uint16_t length = readLe16(bytes + pos + 8);
        size_t headerBytes = primaryHeaderBytes;
        size_t dataBytes = size_t(length) + 1;
        if (identification & dataFieldHeaderFlag) {
            if (length < 9) {
                // The data field cannot even hold its own header: not a frame, search on.
                if (scan.shortFrames++ == 0)
                    scan.firstShortFrame = pos;
                pos += 4;
                continue;
            }
            headerBytes += dataFieldHeaderBytes;
            dataBytes -= dataFieldHeaderBytes;
        }
        if (dataBytes == 0) {
            // A frame without data bytes ends the reading.
            scan.finished = true;
            scan.pos = pos;
            scan.emptyFrameEnd = pos + headerBytes;
            return;
        }
        const size_t dataStart = pos + headerBytes;
        if (dataStart + dataBytes > size) {
            if (!atEnd || dataStart >= size)
                return waitOrEnd();
            scan.cutFrame = "The frame at byte " + std::to_string(streamPosition_ + pos) + " announces " +
                            std::to_string(dataBytes) + " data bytes, but the file ends after " +
                            std::to_string(size - dataStart) + "; its packet keeps the bytes present.";
            dataBytes = size - dataStart; // cut short by the end of the file: keep what is there
        }
        RawPacket packet{bytes + pos, uint32_t(headerBytes + dataBytes), {}};
        packet.cls = classifyPacket(packet);
        packets_.push_back(packet);
        ++counter;
        pos = dataStart + dataBytes;
    }
}

} // namespace orvik
