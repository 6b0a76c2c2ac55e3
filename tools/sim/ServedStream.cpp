#include "tools/sim/ServedStream.h"

#include "tools/sim/ArchiveWriter.h"
#include "tools/sim/Garbage.h"
#include "tools/sim/StreamServer.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace orvik::sim {

namespace {

uint16_t wordAt(std::span<const char> bytes, size_t offset)
{
    return static_cast<uint16_t>(static_cast<uint8_t>(bytes[offset]) | static_cast<uint8_t>(bytes[offset + 1]) << 8);
}

bool startsFrame(std::span<const char> bytes)
{
    return bytes.size() >= 4 && wordAt(bytes, 0) == kSyncWord1 && wordAt(bytes, 2) == kSyncWord2;
}

// The noise at the start of the bytes: the words before the next frame. The writer's noise never
// holds the first sync word.
size_t noiseLength(std::span<const char> bytes)
{
    size_t length = std::min<size_t>(2, bytes.size());
    while (length + 2 <= bytes.size() && !startsFrame(bytes.subspan(length)))
        length += 2;
    return length;
}

} // namespace

ServedStream::ServedStream(StreamServer& server, const Serve& faults, uint64_t seed, std::ostream* copy)
    : server_(server)
    , faults_(faults)
    , seed_(seed)
    , copy_(copy)
{
}

std::streamsize ServedStream::xsputn(const char* data, std::streamsize count)
{
    std::span<const char> bytes(data, static_cast<size_t>(count));
    while (!bytes.empty()) {
        if (frameLeft_ == 0) {
            if (startsFrame(bytes)) {
                if (bytes.size() < kLengthOffset + 2)
                    throw std::logic_error("a frame header came in two writes");
                beginFrame(frameBytesWithLength(wordAt(bytes, kLengthOffset)));
            } else {
                const size_t noise = noiseLength(bytes);
                if (!dropping_)
                    deliver(bytes.first(noise), false);
                bytes = bytes.subspan(noise);
                continue;
            }
        }
        const size_t part = std::min(frameLeft_, bytes.size());
        const bool frameStart = frameWhole_ && frameLeft_ == frameLength_;
        if (dropping_ || deliver(bytes.first(part), frameStart) < part)
            frameWhole_ = false;
        frameLeft_ -= part;
        if (frameLeft_ == 0 && frameWhole_)
            ++framesSent_;
        bytes = bytes.subspan(part);
    }
    return count;
}

ServedStream::int_type ServedStream::overflow(int_type byte)
{
    if (traits_type::eq_int_type(byte, traits_type::eof()))
        return traits_type::not_eof(byte);
    const char c = traits_type::to_char_type(byte);
    xsputn(&c, 1);
    return byte;
}

void ServedStream::beginFrame(size_t length)
{
    sendGarbageDue();
    frameLeft_ = frameLength_ = length;
    frameWhole_ = true;
    dropping_ = false;
}

void ServedStream::sendGarbageDue()
{
    // Garbage sent moves the count on, which may bring the next garbage due before this frame.
    while (nextGarbage_ < faults_.garbageAt.size() && faults_.garbageAt[nextGarbage_].position <= sent_) {
        const std::vector<uint8_t> garbage = hostileBytes(seed_, nextGarbage_, faults_.garbageAt[nextGarbage_].bytes);
        ++nextGarbage_;
        deliver({reinterpret_cast<const char*>(garbage.data()), garbage.size()}, true);
    }
}

size_t ServedStream::deliver(std::span<const char> bytes, bool unitStart)
{
    constexpr uint64_t kNever = std::numeric_limits<uint64_t>::max();
    size_t delivered = 0;
    while (delivered < bytes.size()) {
        if (!server_.connected() && !server_.accept())
            break;
        pauseIfDue();
        const uint64_t nextCut = nextCut_ < faults_.cutsAt.size() ? faults_.cutsAt[nextCut_] : kNever;
        const uint64_t nextPause = nextPause_ < faults_.pausesAt.size() ? faults_.pausesAt[nextPause_].position : kNever;
        const size_t piece = static_cast<size_t>(std::min<uint64_t>(bytes.size() - delivered, std::min(nextCut, nextPause) - sent_));
        const size_t sent = server_.send(bytes.subspan(delivered, piece));
        if (copy_ && !copy_->write(bytes.data() + delivered, static_cast<std::streamsize>(sent)))
            throw std::runtime_error("writing the copy of the bytes sent failed");
        sent_ += sent;
        delivered += sent;
        if (sent < piece) {
            if (delivered == 0 && unitStart)
                continue;
            break;
        }
        if (sent_ == nextCut) {
            pauseIfDue();
            ++nextCut_;
            server_.close();
            break;
        }
    }
    if (delivered < bytes.size() || !server_.connected())
        dropping_ = true;
    return delivered;
}

void ServedStream::pauseIfDue()
{
    for (; nextPause_ < faults_.pausesAt.size() && faults_.pausesAt[nextPause_].position <= sent_; ++nextPause_)
        server_.pause(faults_.pausesAt[nextPause_].seconds);
}

} // namespace orvik::sim
