#include "ESAPacket.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

namespace orvik {

namespace {
constexpr size_t readChunk = size_t(8) << 20;
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
    if (stream_) {
        clearPackets();
        stream_.reset();
    }
    streamPosition_ = 0;
    fileName_ = name;
    openError_.clear();
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

ESAPacket::Arena ESAPacket::readRemainder(const ProgressFn& progress)
{
    Arena arena;
    // The size is only a first guess: the file may grow while we read it.
    std::error_code ec;
    const auto fileSize = std::filesystem::file_size(std::filesystem::path(fileName_), ec);
    size_t capacity = !ec && fileSize > streamPosition_ ? size_t(fileSize - streamPosition_) : 0;
    const size_t expected = std::max<size_t>(capacity, 1);
    arena.bytes = std::make_unique_for_overwrite<uint8_t[]>(std::max<size_t>(capacity, 1));
    for (;;) {
        if (arena.size == capacity) {
            // The file grew while we read it (or its size was unknown): keep reading to its end.
            const size_t grown = std::max(capacity * 2, readChunk);
            auto bigger = std::make_unique_for_overwrite<uint8_t[]>(grown);
            std::memcpy(bigger.get(), arena.bytes.get(), arena.size);
            arena.bytes = std::move(bigger);
            capacity = grown;
        }
        const size_t want = std::min(readChunk, capacity - arena.size);
        const size_t got = std::fread(arena.bytes.get() + arena.size, 1, want, stream_.get());
        arena.size += got;
        streamPosition_ += got;
        if (progress)
            progress(std::min(1.0, double(arena.size) / double(expected)));
        if (got < want)
            break;
    }
    return arena;
}

void ESAPacket::readPackets(int& counter, const ProgressFn& progress)
{
    if (!stream_)
        return;
    Arena arena = readRemainder(progress);
    packets_.reserve(packets_.size() + arena.size / 256);
    splitFrames(arena.bytes.get(), arena.size, counter);
    arenas_.push_back(std::move(arena));
}

// The frame search moves in 2-byte steps from the end of the previous frame, so
// a frame that starts at an odd distance from it is not found.
void ESAPacket::splitFrames(const uint8_t* bytes, size_t size, int& counter)
{
    size_t pos = 0;
    while (pos + 2 <= size) {
        if (readLe16(bytes + pos) != syncWord1_) {
            pos += 2;
            continue;
        }
        if (pos + 4 > size)
            return;
        if (readLe16(bytes + pos + 2) != syncWord2_) {
            // The word after a first sync word is not tried as a first sync word itself.
            pos += 4;
            continue;
        }
        if (pos + primaryHeaderBytes > size)
            return;
        const uint16_t identification = readLe16(bytes + pos + 4);
        const uint16_t length = readLe16(bytes + pos + 8);
        size_t headerBytes = primaryHeaderBytes;
        size_t dataBytes = size_t(length) + 1;
        if (identification & dataFieldHeaderFlag) {
            if (length < 9) {
                // The data field cannot even hold its own header: not a frame, search on.
                pos += 4;
                continue;
            }
            headerBytes += dataFieldHeaderBytes;
            dataBytes -= dataFieldHeaderBytes;
        }
        const size_t dataStart = pos + headerBytes;
        // A frame whose data the file does not deliver at all ends the reading.
        if (dataBytes == 0 || dataStart >= size)
            return;
        // A frame cut short by the end of the file keeps the bytes that are there.
        const size_t present = std::min(dataBytes, size - dataStart);
        packets_.push_back(RawPacket{bytes + pos, uint32_t(headerBytes + present)});
        ++counter;
        pos = dataStart + present;
    }
}

} // namespace orvik
