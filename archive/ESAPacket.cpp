#include "archive/ESAPacket.h"

#include "archive/FileName.h"
#include "archive/FrameSearch.h"
#include "archive/PacketClassification.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <thread>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace orvik {

namespace {
// Small enough that a chunk is still in the cache when its frames are cut out.
constexpr size_t readChunk = size_t(1) << 18;
// Files from this size on are read by a helper thread, in larger reads, while frames are being cut.
constexpr size_t concurrentReadSize = size_t(16) << 20;
constexpr size_t concurrentChunk = size_t(8) << 20;

} // namespace

ESAPacket::~ESAPacket()
{
    clearPackets();
}

namespace {
// The file's device and inode, to tell a file replaced under its name; zeros where unknown.
void identify(std::FILE* file, uint64_t (&identity)[2])
{
    identity[0] = identity[1] = 0;
#ifndef _WIN32
    struct stat st {};
    if (file && fstat(fileno(file), &st) == 0) {
        identity[0] = uint64_t(st.st_dev);
        identity[1] = uint64_t(st.st_ino);
    }
#else
    (void)file;
#endif
}
} // namespace

void ESAPacket::openFile(const std::string& name)
{
    close();
    streamPosition_ = 0;
    finished_ = endRead_ = false;
    carry_ = 0;
    shortFrames_ = firstShortFrame_ = emptyFrameEnd_ = 0;
    packetsBeforeEnd_ = 0;
    fileName_ = name;
    openError_.clear();
    problems_.clear();
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(pathOfName(name), ec);
    if (std::filesystem::is_directory(status)) {
        openError_ = "it is a folder, not a file";
    } else if (std::filesystem::is_character_file(status) || std::filesystem::is_block_file(status)) {
        // A device may never end (/dev/zero): reading it would take memory without bound.
        openError_ = "it is a device, not a file";
    } else {
        errno = 0;
        stream_.reset(openFileNamed(name, "rb"));
        if (!stream_)
            openError_ = errno ? std::strerror(errno) : "cannot be opened";
    }
    open_ = stream_ != nullptr;
    identify(stream_.get(), fileIdentity_);
}

ESAPacket::FileChange ESAPacket::fileChange() const
{
    if (!stream_)
        return FileChange::None;
    std::error_code ec;
    const auto size = std::filesystem::file_size(pathOfName(fileName_), ec);
    if (ec)
        return FileChange::Gone;
#ifndef _WIN32
    struct stat st {};
    if (stat(fileName_.c_str(), &st) == 0 && (fileIdentity_[0] || fileIdentity_[1]) &&
        (uint64_t(st.st_dev) != fileIdentity_[0] || uint64_t(st.st_ino) != fileIdentity_[1]))
        return FileChange::Replaced;
#endif
    if (size < streamPosition_)
        return FileChange::Shrunk;
    return size > streamPosition_ ? FileChange::Grown : FileChange::None;
}

const char* fileChangeReason(ESAPacket::FileChange change)
{
    switch (change) {
    case ESAPacket::FileChange::Shrunk: return "was cut short";
    case ESAPacket::FileChange::Replaced: return "was replaced by another file";
    case ESAPacket::FileChange::Gone: return "is gone";
    case ESAPacket::FileChange::None:
    case ESAPacket::FileChange::Grown: break;
    }
    return nullptr;
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
    const std::optional<size_t> number = packetNumber(packet);
    if (!number)
        return std::nullopt;
    // The packet was cut out of the last arena whose first packet is not after it.
    const auto next = std::upper_bound(arenas_.begin(), arenas_.end(), *number,
                                       [](size_t n, const Arena& a) { return n < a.firstPacket; });
    const Arena& arena = *std::prev(next);
    return arena.filePosition + uint64_t(packet.bytes - arena.bytes.data());
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
// the cache. The arena is sized to what the file holds beyond the last read, with
// the bytes of a frame the last read left waiting in front; should the file grow
// while we read it, the arena grows and the packets move with it.
bool ESAPacket::readPackets(uint64_t& counter, const ProgressFn& progress, uint64_t limit)
{
    reopenEnd();
    if (!stream_ || finished_)
        return true;
    std::clearerr(stream_.get()); // the end of the file met last time may have moved on
#ifdef _WIN32
    // Windows' C runtime also keeps that end below the stream, until the next seek.
    _fseeki64(stream_.get(), 0, SEEK_CUR);
#endif
    std::error_code ec;
    const auto fileSize = std::filesystem::file_size(pathOfName(fileName_), ec);
    const size_t expected =
        size_t(std::min<uint64_t>(limit, !ec && fileSize > streamPosition_ ? fileSize - streamPosition_ : 0));
    const size_t carry = carry_;
    Arena arena{PageBackedBuffer(carry + expected, backing_), carry, streamPosition_ - carry, packets_.size()};
    if (carry != 0)
        std::copy_n(arenas_.back().bytes.data() + arenas_.back().size - carry, carry, arena.bytes.data());
    size_t capacity = carry + expected;
    const size_t firstPacket = packets_.size();
    if (firstPacket == 0)
        packets_.reserve(expected / 256);
    Scan scan;
    scan.base = arena.filePosition;
    bool goOn = expected < concurrentReadSize || readConcurrently(arena, expected, scan, counter, progress);
    const auto taken = [&] { return uint64_t(arena.size - carry); };
    // What the file holds beyond (or short of) its size when we looked: read and cut chunk by chunk.
    for (bool atEnd = false; goOn && !atEnd && !scan.finished && taken() < limit;) {
        if (arena.size == capacity) {
            uint8_t probe[4096];
            const size_t n = std::fread(probe, 1, size_t(std::min<uint64_t>(sizeof probe, limit - taken())),
                                        stream_.get());
            if (n == 0)
                break;
            capacity = std::max(capacity * 2, readChunk);
            PageBackedBuffer bigger(capacity, backing_);
            std::copy_n(arena.bytes.data(), arena.size, bigger.data());
            for (size_t i = firstPacket; i < packets_.size(); ++i)
                packets_[i].bytes = bigger.data() + (packets_[i].bytes - arena.bytes.data());
            arena.bytes = std::move(bigger);
            std::copy_n(probe, n, arena.bytes.data() + arena.size);
            arena.size += n;
        }
        const size_t want = size_t(std::min<uint64_t>({readChunk, capacity - arena.size, limit - taken()}));
        const size_t got = std::fread(arena.bytes.data() + arena.size, 1, want, stream_.get());
        arena.size += got;
        atEnd = got < want;
        splitFrames(arena.bytes.data(), arena.size, false, scan, counter);
        goOn = !progress || progress(expected ? std::min(1.0, double(taken()) / double(expected)) : 1.0);
    }
    takeScan(scan);
    carry_ = finished_ ? 0 : arena.size - scan.pos;
    streamPosition_ += taken();
    if (taken() == 0)
        return goOn;
    if (packets_.size() == firstPacket) {
        // Nothing but bytes between frames (a stream of garbage, say): only the bytes that wait
        // for the rest of their frame are kept, in place of the last such read's.
        Arena waiting{PageBackedBuffer(carry_, PageBacking::Plain), carry_, streamPosition_ - carry_, firstPacket};
        std::copy_n(arena.bytes.data() + arena.size - carry_, carry_, waiting.bytes.data());
        if (!arenas_.empty() && arenas_.back().firstPacket == firstPacket)
            arenas_.pop_back();
        arena = std::move(waiting);
    }
    arenas_.push_back(std::move(arena));
    return goOn;
}

void ESAPacket::takeScan(const Scan& scan)
{
    finished_ = scan.finished;
    if (scan.shortFrames && shortFrames_ == 0)
        firstShortFrame_ = scan.base + scan.firstShortFrame;
    shortFrames_ += scan.shortFrames;
    if (scan.emptyFrameEnd)
        emptyFrameEnd_ = scan.base + scan.emptyFrameEnd;
}

void ESAPacket::readEnd(uint64_t& counter)
{
    if (endRead_)
        return;
    endRead_ = true;
    packetsBeforeEnd_ = packets_.size();
    Scan scan;
    if (carry_ != 0) {
        const Arena& last = arenas_.back();
        scan.base = last.filePosition;
        scan.pos = last.size - carry_;
        splitFrames(last.bytes.data(), last.size, true, scan, counter);
    }
    reportProblems(scan.cutFrame);
}

void ESAPacket::reopenEnd()
{
    if (!endRead_)
        return;
    endRead_ = false;
    packets_.resize(packetsBeforeEnd_);
    problems_.clear();
}

// Frames passed over or cut short lose data without a word; the reader says where.
void ESAPacket::reportProblems(const std::string& cutFrame)
{
    problems_.clear();
    if (shortFrames_)
        problems_.push_back(std::to_string(shortFrames_) +
                            " frame(s) with a data field header announce a length below 9, too short to hold it "
                            "(the first at byte " +
                            std::to_string(firstShortFrame_) + "); they were passed over.");
    if (!cutFrame.empty())
        problems_.push_back(cutFrame);
    std::error_code ec;
    const auto size = std::filesystem::file_size(pathOfName(fileName_), ec);
    const uint64_t fileEnd = ec ? streamPosition_ : std::max<uint64_t>(size, streamPosition_);
    if (emptyFrameEnd_ && emptyFrameEnd_ < fileEnd)
        problems_.push_back("The frame ending at byte " + std::to_string(emptyFrameEnd_) +
                            " holds no data bytes, which ends the reading: the " +
                            std::to_string(fileEnd - emptyFrameEnd_) + " bytes after it were not read.");
}

// A helper thread reads the file into the arena while this one cuts frames out
// of what has arrived, so that the two cores share the work of a large open.
bool ESAPacket::readConcurrently(Arena& arena, size_t size, Scan& scan, uint64_t& counter, const ProgressFn& progress)
{
    // Bytes arrived so far, with the top bit set once the helper has stopped.
    constexpr uint64_t stopped = uint64_t(1) << 63;
    std::atomic<uint64_t> arrived{arena.size};
    std::atomic<bool> enough{false};
    const size_t start = arena.size; // the bytes of a frame left waiting by the last read come first
    std::thread reader([&] {
        size_t done = start;
        const size_t end = start + size;
        while (done < end && !enough.load(std::memory_order_relaxed)) {
            const size_t got =
                std::fread(arena.bytes.data() + done, 1, std::min(concurrentChunk, end - done), stream_.get());
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
    for (uint64_t seen = start; !(seen & stopped);) {
        arrived.wait(seen, std::memory_order_acquire);
        seen = arrived.load(std::memory_order_acquire);
        splitFrames(arena.bytes.data(), size_t(seen & ~stopped), false, scan, counter);
        goOn = !progress || progress(double((seen & ~stopped) - start) / double(size));
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
            scan.cutFrame = "The file ends inside the frame at byte " + std::to_string(scan.base + pos) +
                            " (" + std::to_string(size - pos) + " bytes of it present); it was left out.";
    };
    for (;;) {
        const NextFrame next = nextFrame(bytes, size, pos, syncWord1_, syncWord2_);
        pos = next.pos;
        switch (next.kind) {
        case NextFrame::Kind::Wait: return waitOrEnd(next.begun);
        case NextFrame::Kind::Short:
            // Not a frame: search on.
            if (scan.shortFrames++ == 0)
                scan.firstShortFrame = pos;
            pos += 4;
            continue;
        case NextFrame::Kind::Empty:
            // A frame without data bytes ends the reading.
            scan.finished = true;
            scan.pos = pos;
            scan.emptyFrameEnd = pos + next.headerBytes;
            return;
        case NextFrame::Kind::Frame: break;
        }
        const size_t headerBytes = next.headerBytes;
        size_t dataBytes = next.dataBytes;
        const size_t dataStart = pos + headerBytes;
        if (dataStart + dataBytes > size) {
            if (!atEnd || dataStart >= size)
                return waitOrEnd();
            scan.cutFrame = "The frame at byte " + std::to_string(scan.base + pos) + " announces " +
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
