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

// "A,B,C", each item read by `item`, in the order of their positions; none when an item is
// unreadable.
template <typename T, typename ReadItem>
std::optional<std::vector<T>> parseList(std::string_view text, ReadItem item)
{
    std::vector<T> items;
    for (size_t start = 0;;) {
        const size_t comma = text.find(',', start);
        const std::optional<T> value = item(text.substr(start, comma == std::string_view::npos ? comma : comma - start));
        if (!value)
            return std::nullopt;
        items.push_back(*value);
        if (comma == std::string_view::npos)
            break;
        start = comma + 1;
    }
    std::stable_sort(items.begin(), items.end(), [](const T& a, const T& b) { return a.position < b.position; });
    return items;
}

// "POS:VALUE", VALUE read by `value`.
template <typename T, typename ReadValue>
std::optional<T> parseAt(std::string_view text, ReadValue value)
{
    const size_t colon = text.find(':');
    if (colon == std::string_view::npos)
        return std::nullopt;
    const auto position = cli::parseDecimal<uint64_t>(text.substr(0, colon));
    const auto second = value(text.substr(colon + 1));
    if (!position || !second)
        return std::nullopt;
    return T{*position, *second};
}

struct CutAt {
    uint64_t position = 0;
};

std::optional<std::vector<CutAt>> parseCuts(std::string_view text)
{
    return parseList<CutAt>(text, [](std::string_view item) -> std::optional<CutAt> {
        const auto position = cli::parseDecimal<uint64_t>(item);
        if (!position || *position == 0)
            return std::nullopt;
        return CutAt{*position};
    });
}

std::optional<std::vector<GarbageAt>> parseGarbage(std::string_view text)
{
    return parseList<GarbageAt>(text, [](std::string_view item) {
        return parseAt<GarbageAt>(item, [](std::string_view count) -> std::optional<uint32_t> {
            const auto bytes = cli::parseDecimal<uint32_t>(count);
            if (!bytes || *bytes == 0 || *bytes > kMostGarbageBytes)
                return std::nullopt;
            return bytes;
        });
    });
}

std::optional<std::vector<PauseAt>> parsePauses(std::string_view text)
{
    return parseList<PauseAt>(text, [](std::string_view item) { return parseAt<PauseAt>(item, parseSeconds); });
}

// A validator that accepts what `parse` reads.
template <typename Parse>
CLI::Validator readableBy(Parse parse)
{
    return CLI::Validator([parse](std::string& text) -> std::string { return parse(text) ? "" : "unreadable"; }, "");
}

// orvik-sim's options, bound to one CampaignSettings; those of --append and --serve are held here
// until `interpret` has seen them all.
class SimParser : public cli::OptionParser {
public:
    explicit SimParser(CampaignSettings& settings)
        : OptionParser(program, "OUT.cvlbin|OUT.dat",
                       "orvik-sim: writes a realistic ORVIK packet archive OUT from a seed; the same seed and\n"
                       "options give the same bytes. Options and OUT come in any order. --append grows an\n"
                       "archive in real time instead, --serve sends it to TCP clients in real time.")
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
                          "packets a second for --append and --serve (a positive whole number; 100 for\n"
                          "--serve if not given)")
                       ->transform(cli::decimal<uint32_t>())
                       ->check(nonZero)
                       ->option_text("N"),
                   "--rate takes a positive whole number of packets a second (see --help)");
        const CLI::Validator seconds(
            [](std::string& text) -> std::string { return parseSeconds(text) ? "" : "not a number of seconds"; }, "");
        refuseWith(app.add_option_function<std::string>(
                          "--duration", [this](const std::string& text) { duration = parseSeconds(text); },
                          "stops --append or --serve after S seconds (fractions allowed)")
                       ->check(seconds)
                       ->option_text("S"),
                   "--duration takes a positive number of seconds (see --help)");
        refuseWith(app.add_option_function<uint16_t>(
                          "--serve", [this](uint16_t port) {
                              serve.port = port;
                              serving = true;
                          },
                          "instead of writing OUT, listens on 127.0.0.1:PORT (0: a free port) and prints\n"
                          "'listening on 127.0.0.1:PORT'; sends the campaign of --append as one stream of\n"
                          "frames to one client at a time, each connection going on where the last one\n"
                          "stopped, the next whole frame first: a frame cut short is never completed. The\n"
                          "campaign's clock starts with the first client; it waits while no client is\n"
                          "connected, and what fell due meanwhile goes out at once. At the end of\n"
                          "--duration or on SIGINT or SIGTERM it ends the campaign's step, closes the\n"
                          "connection and prints 'served N packets (B bytes) over C connections in S s'.\n"
                          "The positions POS of --cut-at, --garbage-at and --pause-at\n"
                          "count the bytes sent over all connections, garbage included: they are offsets\n"
                          "in the --copy file. --missing needs --duration")
                       ->transform(cli::decimal<uint16_t>())
                       ->option_text("PORT"),
                   "--serve takes a port number, 0 to 65535 (see --help)");
        refuseWith(app.add_option_function<std::string>(
                          "--cut-at",
                          [this](const std::string& text) {
                              const std::vector<CutAt> cuts = *parseCuts(text);
                              for (const CutAt cut : cuts)
                                  if (serve.cutsAt.empty() || serve.cutsAt.back() != cut.position)
                                      serve.cutsAt.push_back(cut.position);
                          },
                          "with --serve: closes the connection once POS bytes were sent (POS > 0)")
                       ->check(readableBy(parseCuts))
                       ->option_text("POS[,POS...]"),
                   "--cut-at takes positive byte positions separated by commas (see --help)");
        refuseWith(app.add_option_function<std::string>(
                          "--garbage-at", [this](const std::string& text) { serve.garbageAt = *parseGarbage(text); },
                          "with --serve: sends COUNT hostile bytes (1 to 1048576: fake sync words before\n"
                          "headers of length 0xFFFF, and random runs; the same for a seed) before the\n"
                          "first frame that begins at POS or later")
                       ->check(readableBy(parseGarbage))
                       ->option_text("POS:COUNT[,...]"),
                   "--garbage-at takes POS:COUNT pairs separated by commas, COUNT 1 to 1048576 (see --help)");
        refuseWith(app.add_option_function<std::string>(
                          "--pause-at", [this](const std::string& text) { serve.pausesAt = *parsePauses(text); },
                          "with --serve: sends nothing for S seconds once POS bytes were sent, the\n"
                          "connection kept open (fractions allowed)")
                       ->check(readableBy(parsePauses))
                       ->option_text("POS:S[,...]"),
                   "--pause-at takes POS:SECONDS pairs separated by commas (see --help)");
        refuseWith(app.add_option_function<std::string>(
                          "--copy", [this](const std::string& path) { serve.copyPath = path; },
                          "with --serve: appends every byte it sends to FILE as well, and prints\n"
                          "'connection K: sent B bytes' when connection K ends")
                       ->option_text("FILE"),
                   "--copy takes the file to append the bytes sent to (see --help)");
    }

    std::optional<std::string> appendFile;
    std::optional<uint32_t> rate;
    std::optional<double> duration;
    bool serving = false;
    Serve serve;
    bool faultsGiven() const
    {
        return !serve.cutsAt.empty() || !serve.garbageAt.empty() || !serve.pausesAt.empty() || serve.copyPath;
    }
};

// How many packets a second --serve sends without --rate.
constexpr uint32_t kServedRate = 100;

// What --append or --serve (`mode`) asks of the campaign, or why it cannot be had.
std::variant<RealTime, std::string> realTimeOf(const SimParser& parser, const CommandLine& result, const std::string& mode,
                                               std::optional<uint32_t> defaultRate)
{
    if (result.settings.targetBytes)
        return mode + " and --size exclude each other";
    if (!parser.operands.empty())
        return mode + " and an OUT file exclude each other";
    const std::optional<uint32_t> rate = parser.rate ? parser.rate : defaultRate;
    if (!rate)
        return mode + " needs --rate (see --help)";
    // The blocks left out are chosen among all that the run sends, so its end must be known.
    if (result.settings.missing != 0 && !parser.duration)
        return "--missing with " + mode + " needs --duration (see --help)";
    return RealTime{*rate, parser.duration};
}

// What the options given make of the command line, or why they make nothing.
std::variant<CommandLine, std::string> interpret(const SimParser& parser, CommandLine result)
{
    if (parser.faultsGiven() && !parser.serving)
        return "--cut-at, --garbage-at, --pause-at and --copy go with --serve (see --help)";
    if (parser.serving && parser.appendFile)
        return "--serve and --append exclude each other";
    if (parser.serving || parser.appendFile) {
        const std::string mode = parser.serving ? "--serve" : "--append";
        auto realTime = realTimeOf(parser, result, mode, parser.serving ? std::optional(kServedRate) : std::nullopt);
        if (const auto* refusal = std::get_if<std::string>(&realTime))
            return *refusal;
        result.realTime = std::get<RealTime>(realTime);
        if (parser.serving) {
            result.serve = parser.serve;
            return result;
        }
        result.outputPath = *parser.appendFile;
    } else {
        if (parser.rate || parser.duration)
            return "--rate and --duration go with --append or --serve (see --help)";
        if (parser.operands.empty())
            return "no output file given (see --help)";
        if (parser.operands.size() > 1)
            return "more than one output file given (see --help)";
        result.outputPath = parser.operands.front();
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
