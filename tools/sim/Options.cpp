#include "tools/sim/Options.h"

#include "tools/cli/OptionParser.h"

#include <limits>

namespace orvik::sim {

namespace {

const char* const program = "orvik-sim";

bool hasArchiveExtension(std::string_view path)
{
    return path.ends_with(".cvlbin") || path.ends_with(".dat");
}

// orvik-sim's options, bound to one CampaignSettings.
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
    }
};

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
    if (parser.operands.empty())
        return "no output file given (see --help)";
    if (parser.operands.size() > 1)
        return "more than one output file given (see --help)";
    if (!hasArchiveExtension(parser.operands.front()))
        return "output file '" + parser.operands.front() + "' must end in .cvlbin or .dat";
    result.outputPath = parser.operands.front();
    return result;
}

} // namespace orvik::sim
