#include "tools/sim/Pacer.h"

#include <algorithm>
#include <thread>

namespace orvik::sim {

namespace {

// The shortest time between two batches, and the longest between two looks at whether to stop.
constexpr std::chrono::milliseconds kBatchPeriod{10};

} // namespace

Pacer::Pacer(ArchiveWriter& writer, const RealTime& realTime, const std::atomic<bool>& interrupted)
    : writer_(writer)
    , realTime_(realTime)
    , interrupted_(interrupted)
    , start_(Clock::now())
{
}

void Pacer::beforePacket()
{
    const Clock::time_point packetDue = due(packets_++);
    Clock::time_point now = Clock::now();
    if (now >= packetDue || stoppedAt(now))
        return;
    writer_.flush();
    const Clock::time_point wake = std::max(packetDue, now + kBatchPeriod);
    while (now < wake && !stoppedAt(now)) {
        std::this_thread::sleep_until(std::min(wake, now + kBatchPeriod));
        now = Clock::now();
    }
}

double Pacer::elapsed() const
{
    return std::chrono::duration<double>(Clock::now() - start_).count();
}

bool Pacer::stoppedAt(Clock::time_point now) const
{
    return interrupted_.load(std::memory_order_relaxed)
           || (realTime_.seconds && std::chrono::duration<double>(now - start_).count() >= *realTime_.seconds);
}

// In whole seconds and the nanoseconds of the rest, exact for any packet count.
Pacer::Clock::time_point Pacer::due(uint64_t packet) const
{
    const uint64_t rate = realTime_.packetsPerSecond;
    const auto offset = std::chrono::seconds(packet / rate) + std::chrono::nanoseconds(packet % rate * 1'000'000'000 / rate);
    return start_ + std::chrono::duration_cast<Clock::duration>(offset);
}

} // namespace orvik::sim
