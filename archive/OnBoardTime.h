#pragma once
// The instrument's on-board time: a count of 1/65536 s ("ticks") since
// 2003-01-01 00:00:00 UTC. Instrument data carry 32-bit counts of 1/32 s.

#include <cstdint>
#include <string>

namespace orvik {

// Seconds from 1970-01-01 00:00:00 UTC to the on-board epoch.
constexpr int32_t obtEpoch = 1041379200;
constexpr const char* timeNodeFormat = "%d-%b-%y %H:%M:%S";

struct SplitTime {
    double seconds;   // whole seconds since the epoch, low 32 bits
    int milliseconds; // 0..999, truncated
};

SplitTime splitOnBoardTime(int64_t ticks);
// Calendar text in UTC with the C locale's English names, a comma and the milliseconds.
std::string formatOnBoardTime(int64_t ticks, const char* format);
std::string formatOnBoardTimeWithDay(int64_t ticks);

// A 1/32 s count (high word first) as ticks, widened with its sign or without.
inline int64_t ticksFromSignedCount(uint16_t high, uint16_t low)
{
    const auto count = static_cast<int32_t>((uint32_t(high) << 16) | low);
    return int64_t(count) * 2048;
}
inline int64_t ticksFromUnsignedCount(uint16_t high, uint16_t low)
{
    return int64_t((uint32_t(high) << 16) | low) * 2048;
}

} // namespace orvik
