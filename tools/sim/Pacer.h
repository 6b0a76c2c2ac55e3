#pragma once

#include "tools/sim/ArchiveWriter.h"
#include "tools/sim/Options.h"

#include <atomic>
#include <chrono>
#include <cstdint>

namespace orvik::sim {

// Sends a campaign in real time: packet k is due k / rate seconds after the start, on the steady
// clock. The packets that are due go out together; before waiting for the next one the pacer
// flushes the writer, so that another program reading the file sees it grow by whole frames, and
// it waits at least ~10 ms after a flush, so that high rates go out in batches rather than packet
// by packet.
//
// The pacer stops when the duration has passed or `interrupted` is set; from then on it lets
// packets go without waiting, so that the campaign can end its step at once.
class Pacer {
public:
    using Clock = std::chrono::steady_clock;

    Pacer(ArchiveWriter& writer, const RealTime& realTime, const std::atomic<bool>& interrupted);

    // Called before each packet is written: returns when the packet is due or the pacer stopped.
    void beforePacket();
    bool stopped() const { return stoppedAt(Clock::now()); }
    // Since the start, in seconds.
    double elapsed() const;

private:
    bool stoppedAt(Clock::time_point now) const;
    Clock::time_point due(uint64_t packet) const;

    ArchiveWriter& writer_;
    RealTime realTime_;
    const std::atomic<bool>& interrupted_;
    Clock::time_point start_;
    uint64_t packets_ = 0;
};

} // namespace orvik::sim
