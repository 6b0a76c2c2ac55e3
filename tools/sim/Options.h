#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace orvik::sim {

// What the simulator makes: the seed decides every value, the target size how often the
// measurement campaign is repeated, and `missing` how many science blocks the downlink loses.
struct CampaignSettings {
    uint64_t seed = 1;
    std::optional<uint64_t> targetBytes; // none: one demo campaign
    unsigned missing = 0;
    std::optional<uint16_t> firstBlock;  // first science block number; none: chosen by the seed
};

// --append: the campaign goes into the file as a data system's archive grows, packet k at
// k / packetsPerSecond seconds after the start.
struct RealTime {
    uint32_t packetsPerSecond = 1;
    std::optional<double> seconds; // none: until SIGINT or SIGTERM
};

// --serve: the campaign of an --append run, sent to TCP clients on 127.0.0.1 one at a time, with
// the faults asked for. Positions count the bytes sent over all connections, garbage included:
// they are offsets in the --copy file.
struct GarbageAt {
    uint64_t position = 0; // before the first frame that begins here or later
    uint32_t bytes = 0;
};
struct PauseAt {
    uint64_t position = 0; // once this many bytes were sent
    double seconds = 0;
};
struct Serve {
    uint16_t port = 0;                // 0: the system chooses one
    std::vector<uint64_t> cutsAt;     // ascending, positive; the connection ends once this many bytes were sent
    std::vector<GarbageAt> garbageAt; // ascending positions
    std::vector<PauseAt> pausesAt;    // ascending positions
    std::optional<std::string> copyPath;
};

struct CommandLine {
    CampaignSettings settings;
    std::string outputPath;            // OUT, or the FILE of --append
    std::optional<RealTime> realTime;  // --append and --serve
    std::optional<Serve> serve;        // --serve
    // --help and --version print `usageText` or `versionText` instead.
    enum class Request { Simulate, Help, Version } request = Request::Simulate;
};

extern const std::string usageText;
extern const std::string versionText;

// "123", "64K", "3M", "1G" (binary multiples, either case); none for anything else, for 0 and on
// overflow.
std::optional<uint64_t> parseByteCount(std::string_view text);

// "2", "0.5", "12.25": plain decimals with an optional fraction; none for anything else and for 0.
std::optional<double> parseSeconds(std::string_view text);

// The largest COUNT of --garbage-at.
inline constexpr uint32_t kMostGarbageBytes = 1u << 20;

// The parsed command line, or the one-line message that explains what is wrong with it.
std::variant<CommandLine, std::string> parseCommandLine(const std::vector<std::string>& args);

} // namespace orvik::sim
