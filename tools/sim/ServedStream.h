#pragma once

#include "tools/sim/Options.h"

#include <cstdint>
#include <ostream>
#include <span>
#include <streambuf>

namespace orvik::sim {

class StreamServer;

// The writer's bytes on their way to the clients of a StreamServer, cut into frames again: each
// frame goes with the noise that follows it, and a connection that ends within that (a cut, or
// the client went away) drops the rest, so that the next connection begins with a whole frame.
// The faults of --serve are placed by the count of bytes sent, and every byte sent is appended
// to the copy. A frame or garbage of which nothing went out before a client went away goes whole
// to the next client. While no client is connected the writer waits; an interrupt ends the wait,
// and what the writer still hands over is dropped. The writer hands over whole frames, so a
// frame's header never straddles two writes.
class ServedStream : public std::streambuf {
public:
    ServedStream(StreamServer& server, const Serve& faults, uint64_t seed, std::ostream* copy);

    uint64_t bytesSent() const { return sent_; }
    uint64_t framesSent() const { return framesSent_; }

protected:
    std::streamsize xsputn(const char* bytes, std::streamsize count) override;
    int_type overflow(int_type byte) override;

private:
    void beginFrame(size_t length);
    void sendGarbageDue();
    // Sends what it can of the bytes: all of them unless the connection ended on the way, which
    // sets dropping_. `unitStart`: the bytes begin a frame or garbage, which a connection lost
    // before its first byte leaves for the next one.
    size_t deliver(std::span<const char> bytes, bool unitStart);
    void pauseIfDue();

    StreamServer& server_;
    Serve faults_;
    uint64_t seed_;
    std::ostream* copy_;

    uint64_t sent_ = 0;       // bytes sent over all connections
    uint64_t framesSent_ = 0; // frames sent whole
    size_t frameLength_ = 0;
    size_t frameLeft_ = 0;    // bytes of the current frame still to come from the writer
    bool frameWhole_ = false; // all of the current frame so far was sent
    bool dropping_ = false;   // the connection ended within the current frame or its noise
    size_t nextCut_ = 0;
    size_t nextGarbage_ = 0;
    size_t nextPause_ = 0;
};

} // namespace orvik::sim
