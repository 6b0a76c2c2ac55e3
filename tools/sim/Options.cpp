#include "tools/sim/Options.h"

#include "tools/cli/OptionParser.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace orvik::sim {

namespace {

const char* const program = "orvik-sim";

// Why `path` cannot name an archive to write; none when it can.
std::optional<std::string> badArchiveName(const std::string& path)
{
    if (path.ends_with(".cvlbin") || path.ends_with(".dat"))
        return std::nullopt;
    return "output file '" + path + "' must end in .cvlbin or .dat";
}

// orvik-sim's options, bound to one CampaignSettings; those of --append are held here until
// `interpret` has seen them all.
class SimParser : public cli::OptionParser {
public:
    explicit SimParser(CampaignSettings& settings)
        : OptionParser(program, "OUT.cvlbin|OUT.dat",
                       "orvik-sim: writes a realistic ORVIK packet archive OUT from a seed; the same seed and\n"
                       "options give the same bytes. Options and OUT come in any order.")
    {
        const CLI::Validator byteCount(
            [](std::string& text) -> std::string {
                const std::optional<uint64_t> bytes = parseByteCount(text);
                if (!bytes)
                    return "not a byte count";
                text = std::to_string(*bytes);
                return {};
            },
            "");
        refuseWith(app.add_option("--seed", settings.seed, "the seed that decides every value (1 if not given)")
                       ->transform(cli::decimal<uint64_t>())
                       ->option_text("N"),
                   "--seed takes an unsigned decimal number (see --help)");
        refuseWith(app.add_option_function<uint64_t>(
                          "--size", [&settings](uint64_t bytes) { settings.targetBytes = bytes; },
                          "repeats the measurement campaign, with advancing on-board times, until the\n"
                          "archive reaches BYTES (a K, M or G suffix: binary multiples)")
                       ->transform(byteCount)
                       ->option_text("BYTES"),
                   "--size takes a positive byte count with an optional K, M or G (see --help)");
        refuseWith(app.add_option("--missing", settings.missing, "leaves out N science blocks")
                       ->transform(cli::decimal<unsigned>())
                       ->option_text("N"),
                   "--missing takes an unsigned decimal number (see --help)");
        refuseWith(app.add_option_function<std::string>(
                          "--append", [this](const std::string& path) { appendFile = path; },
                          "instead of writing OUT, appends the campaign to FILE (.cvlbin or .dat, created\n"
                          "when missing) in real time, --rate packets a second, in batches of whole\n"
                          "frames, until --duration ends or SIGINT or SIGTERM; --missing needs --duration")
                       ->option_text("FILE"),
                   "--append takes the archive file to grow (see --help)");
        const CLI::Validator nonZero([](std::string& text) { return text == "0" ? "zero" : ""; }, "");
        refuseWith(app.add_option_function<uint32_t>(
                          "--rate", [this](uint32_t packets) { rate = packets; },
                          "packets a second for --append (a positive whole number)")
                       ->transform(cli::decimal<uint32_t>())
                       ->check(nonZero)
                       ->option_text("N"),
                   "--rate takes a positive whole number of packets a second (see --help)");
        const CLI::Validator seconds(
            [](std::string& text) -> std::string { return parseSeconds(text) ? "" : "not a number of seconds"; }, "");
        refuseWith(app.add_option_function<std::string>(
                          "--duration", [this](const std::string& text) { duration = parseSeconds(text); },
                          "stops --append after S seconds (fractions allowed)")
                       ->check(seconds)
                       ->option_text("S"),
                   "--duration takes a positive number of seconds (see --help)");
    }

    std::optional<std::string> appendFile;
    std::optional<uint32_t> rate;
    std::optional<double> duration;
};

// What the options given make of the command line, or why they make nothing.
std::variant<CommandLine, std::string> interpret(const SimParser& parser, CommandLine result)
{
    if (!parser.appendFile) {
        if (parser.rate || parser.duration)
            return "--rate and --duration go with --append (see --help)";
        if (parser.operands.empty())
            return "no output file given (see --help)";
        if (parser.operands.size() > 1)
            return "more than one output file given (see --help)";
        result.outputPath = parser.operands.front();
    } else {
        if (result.settings.targetBytes)
            return "--append and --size exclude each other";
        if (!parser.operands.empty())
            return "--append and an OUT file exclude each other";
        if (!parser.rate)
            return "--append needs --rate (see --help)";
        // The blocks left out are chosen among all that the run sends, so its end must be known.
        if (result.settings.missing != 0 && !parser.duration)
            return "--missing with --append needs --duration (see --help)";
        result.outputPath = *parser.appendFile;
        result.realTime = RealTime{*parser.rate, parser.duration};
    }
    if (const auto bad = badArchiveName(result.outputPath))
        return *bad;
    return result;
}

} // namespace

const std::string usageText = [] {
    CampaignSettings unused;
    return SimParser(unused).app.help();
}();

const std::string versionText = cli::versionText(program);

std::optional<uint64_t> parseByteCount(std::string_view text)
{
    uint64_t multiplier = 1;
    if (!text.empty()) {
        switch (text.back()) {
        case 'K': case 'k': multiplier = 1ull << 10; break;
        case 'M': case 'm': multiplier = 1ull << 20; break;
        case 'G': case 'g': multiplier = 1ull << 30; break;
        default: break;
        }
        if (multiplier != 1)
            text.remove_suffix(1);
    }
    const auto count = cli::parseDecimal<uint64_t>(text);
    if (!count || *count == 0 || *count > std::numeric_limits<uint64_t>::max() / multiplier)
        return std::nullopt;
    return *count * multiplier;
}

std::optional<double> parseSeconds(std::string_view text)
{
    // from_chars alone would also take a sign, "inf" and "nan".
    const bool plain = std::count(text.begin(), text.end(), '.') <= 1
                       && std::any_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })
                       && std::all_of(text.begin(), text.end(), [](char c) { return c == '.' || (c >= '0' && c <= '9'); });
    double seconds = 0;
    const char* end = text.data() + text.size();
    if (!plain || std::from_chars(text.data(), end, seconds, std::chars_format::fixed).ptr != end || seconds <= 0)
        return std::nullopt;
    return seconds;
}

std::variant<CommandLine, std::string> parseCommandLine(const std::vector<std::string>& args)
{
    CommandLine result;
    SimParser parser(result.settings);
    switch (parser.parse(args)) {
    case cli::OptionParser::Outcome::Help: result.request = CommandLine::Request::Help; return result;
    case cli::OptionParser::Outcome::Version: result.request = CommandLine::Request::Version; return result;
    case cli::OptionParser::Outcome::Refused: return parser.refusal;
    case cli::OptionParser::Outcome::Parsed: break;
    }
    return interpret(parser, result);
}

} // namespace orvik::sim
