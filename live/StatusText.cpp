#include "live/StreamRecorder.h"

#include <charconv>

namespace orvik::live {

namespace {

// "0 B/s", "812 kB/s", "1.25 MB/s": decimal units, three significant digits from a kilobyte on.
std::string rateText(double bytesPerSecond)
{
    static constexpr const char* units[] = {"B/s", "kB/s", "MB/s", "GB/s"};
    size_t unit = 0;
    while (bytesPerSecond >= 1000 && unit + 1 < std::size(units)) {
        bytesPerSecond /= 1000;
        ++unit;
    }
    // Without the C locale: the window's regional settings must not change the point.
    char text[32];
    const int decimals = unit == 0 || bytesPerSecond >= 100 ? 0 : bytesPerSecond >= 10 ? 1 : 2;
    const auto end = std::to_chars(text, text + sizeof text, bytesPerSecond, std::chars_format::fixed, decimals).ptr;
    return std::string(text, end) + " " + units[unit];
}

// Whole seconds, rounded up: "retrying in 1 s" until the try.
long long secondsUp(StreamRecorder::Duration d)
{
    return (d.count() + 999) / 1000;
}

// A connection counts as silent in the status from this long without a byte.
constexpr StreamRecorder::Duration quietShown{5000};

} // namespace

std::string statusText(const StreamRecorder::Status& status)
{
    using State = StreamRecorder::State;
    switch (status.state) {
    case State::Connecting: return "Connecting to " + status.server + "...";
    case State::Connected:
        if (status.silentFor >= quietShown)
            return "Connected to " + status.server + " — no data for " + std::to_string(status.silentFor.count() / 1000) + " s";
        return "Connected to " + status.server + " — " + rateText(status.bytesPerSecond);
    case State::Waiting: {
        const std::string retrying = " — retrying in " + std::to_string(secondsUp(status.retryIn)) + " s";
        switch (status.ending) {
        case StreamRecorder::Ending::Refused: return "Connection to " + status.server + " refused" + retrying;
        case StreamRecorder::Ending::NotMade:
            return "Cannot connect to " + status.server + ": " + status.problem + retrying;
        case StreamRecorder::Ending::Silent: return "Connection silent: " + status.problem + retrying;
        case StreamRecorder::Ending::None:
        case StreamRecorder::Ending::Lost: break;
        }
        return "Connection lost" + retrying;
    }
    case State::Stopped: return "Disconnected from " + status.server;
    case State::Failed: return "Recording stopped: " + status.problem;
    }
    return {};
}

} // namespace orvik::live
