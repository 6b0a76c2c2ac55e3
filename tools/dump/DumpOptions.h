#pragma once
// Command line of orvik-dump: options in any order, the archive last.

#include <optional>
#include <string>
#include <vector>

namespace orvik::dump {

enum class Command { Summary, Tree, Time, Show, Help, Version, ExportDump, Report, Raw, HkCsv, Trend, Follow, Connect, Mzml, Andi };

struct DumpOptions {
    Command command = Command::Summary;
    std::string archive;
    size_t showEntry = 0; // --show K: the time-list entry to show
    bool points = false;  // --points: list every chart point too
    int half = 0;         // --half 1: the second half of a "Regular HK" packet
    bool uncalibrated = false; // --uncalibrated: "calibrated Display" unchecked
    // --export-dump K --binary|--text OUT and --report K OUT: the entry and the file written;
    // --raw K: the entry.
    size_t entry = 0;
    bool binary = false;
    std::string output{};
    // --trend MNEMONIC[,MNEMONIC...]: the parameters, as given.
    std::vector<std::string> trend{};
    // --mzml K OUT, --andi K OUT: `entry` and `output`; their options.
    bool zlib = false;
    std::string series{};
    // --connect HOST:PORT --record: the server, as given; the archive is the recording.
    std::string server{};
};

// The parsed options, or the one-line reason they cannot be used.
struct ParsedOptions {
    std::optional<DumpOptions> options;
    std::string error;
};

ParsedOptions parseDumpOptions(const std::vector<std::string>& args);

// What --help and --version print.
extern const std::string usageText;
extern const std::string versionText;

} // namespace orvik::dump
