#include "tools/dump/DumpOptions.h"

#include "tools/cli/OptionParser.h"

#include "OrvikFeatures.h"

#include <algorithm>
#include <tuple>

namespace orvik::dump {

namespace {

const char* const program = "orvik-dump";
const char* const oneOutputFile = "--binary or --text takes the one output file (see --help)";

std::vector<std::string> splitList(const std::string& text)
{
    std::vector<std::string> items;
    for (size_t start = 0;; ) {
        const size_t comma = text.find(',', start);
        items.push_back(text.substr(start, comma - start));
        if (comma == std::string::npos)
            return items;
        start = comma + 1;
    }
}

ParsedOptions refused(std::string reason)
{
    return {std::nullopt, std::move(reason)};
}

// The commands a build may lack, what they need and whether this build has it.
struct BuildFeature {
    bool present;
    const char* needs;
};
constexpr BuildFeature reportFeature{features::report, "Qt"};
constexpr BuildFeature exportFeature{features::datasetExports, "nettle, zlib and netCDF"};

// A command's description, told as missing where the build lacks it.
std::string describe(std::string description, const BuildFeature& feature)
{
    if (!feature.present)
        description += std::string("\n(not in this build of orvik-dump: it needs ") + feature.needs + ")";
    return description;
}

// orvik-dump's options, bound to one DumpOptions.
class DumpParser {
public:
    explicit DumpParser(DumpOptions& options);
    ParsedOptions parse(const std::vector<std::string>& args);
    std::string help() const { return parser_.app.help(); }

private:
    // A command and what is said when it follows another one.
    struct CommandOption {
        const CLI::Option* option;
        Command command;
        std::string clash;
    };
    void command(const CLI::Option* option, Command command, std::string clash)
    {
        commands_.push_back({option, command, std::move(clash)});
    }
    // Sets the command given; the clash of a command that follows a different one.
    std::optional<std::string> chooseCommand();

    DumpOptions& options_;
    cli::OptionParser parser_;
    std::vector<CommandOption> commands_;
    std::string binaryFile_;
    std::string textFile_;
    std::pair<size_t, std::string> report_;
    CLI::Option* binary_ = nullptr;
    CLI::Option* text_ = nullptr;
    CLI::Option* record_ = nullptr;
    std::pair<size_t, std::string> mzml_;
    std::pair<size_t, std::string> andi_;
    CLI::Option* zlib_ = nullptr;
    CLI::Option* series_ = nullptr;
};

DumpParser::DumpParser(DumpOptions& options)
    : options_(options),
      parser_(program, "FILE",
              "orvik-dump: what the viewer shows of an archive FILE (.cvlbin or .dat), as text. Options come in\n"
              "any order; the archive comes last. Without an option: the status texts and the packet statistics.")
{
    CLI::App& app = parser_.app;
    const auto entry = [this](CLI::Option* option, std::string reason) {
        return parser_.refuseWith(option->transform(cli::decimal<size_t>())->option_text("K"), std::move(reason));
    };
    const std::string displays = "--tree, --time and --show exclude each other";
    const std::string saves = "--export-dump, --report, --mzml and --andi exclude the other commands";

    command(app.add_flag("--tree")->description("the category tree"), Command::Tree, displays);
    command(app.add_flag("--time")->description("the time list"), Command::Time, displays);
    command(app.add_flag("--follow")
                ->description("the time list of FILE as another program writes it: its entries, then those\n"
                              "appended, polled every 0.1 s until interrupted; entries of the science stream\n"
                              "are listed where the stream began: their numbers may come before numbers\n"
                              "already printed"),
            Command::Follow, "--follow excludes the other commands");
    command(parser_.refuseWith(app.add_option("--connect", options.server,
                                              "records what the server at HOST:PORT sends into FILE (appended to,\n"
                                              "created when missing; --record says so) and prints its time list as\n"
                                              "--follow does; a lost connection is tried again after growing delays;\n"
                                              "the state of the connection is told on standard error")
                                   ->option_text("HOST:PORT"),
                               "--connect takes the server's HOST:PORT (see --help)"),
            Command::Connect, "--connect excludes the other commands");
    record_ = app.add_flag("--record")->description("with --connect: FILE is the recording, written to");
    command(entry(app.add_option("--show", options.showEntry,
                                 "what showing time-list entry K (from 0) writes into the window's components"),
                  "--show takes a time-list entry number (see --help)"),
            Command::Show, displays);
    app.add_flag("--points", options.points, "with --show: every chart point as well");
    parser_.refuseWith(app.add_option("--half", options.half,
                                      "with --show: the first (0) or the second half (1, words 64-127)\n"
                                      "of a \"Regular HK\" packet")
                           ->check(CLI::IsMember(std::vector<std::string>{"0", "1"}))
                           ->option_text("0|1"),
                       "--half takes 0 or 1 (see --help)");
    app.add_flag("--uncalibrated", options.uncalibrated,
                 "with --show: mass spectra over the sample index (\"calibrated Display\" unchecked)");
    command(entry(app.add_option("--export-dump", options.entry,
                                 "saves the memory dump of time-list entry K, with --binary or --text"),
                  "--export-dump takes a time-list entry number (see --help)"),
            Command::ExportDump, saves);
    binary_ = parser_.refuseWith(app.add_option("--binary", binaryFile_,
                                                "with --export-dump: to OUT as raw words (least significant byte first)")
                                     ->option_text("OUT"),
                                 oneOutputFile);
    text_ = parser_.refuseWith(app.add_option("--text", textFile_,
                                              "with --export-dump: to OUT as one decimal number per line")
                                   ->option_text("OUT"),
                               oneOutputFile);
    command(parser_.refuseWith(app.add_option("--report", report_,
                                              describe("the GC report of the dataset that holds time-list entry K, as a PDF file",
                                                       reportFeature))
                                   ->transform(cli::decimal<size_t>().application_index(0))
                                   ->option_text("K OUT.pdf"),
                               "--report takes a time-list entry number and a PDF file (see --help)"),
            Command::Report, saves);
    command(parser_.refuseWith(app.add_option("--mzml", mzml_,
                                              describe("the dataset that holds time-list entry K as mzML 1.1 (indexed): its mass\n"
                                                       "spectra and chromatograms as the charts plot them",
                                                       exportFeature))
                                   ->transform(cli::decimal<size_t>().application_index(0))
                                   ->option_text("K OUT.mzML"),
                               "--mzml takes a time-list entry number and an output file (see --help)"),
            Command::Mzml, saves);
    zlib_ = app.add_flag("--zlib", options.zlib, "with --mzml: the binary arrays zlib-compressed");
    command(parser_.refuseWith(app.add_option("--andi", andi_,
                                              describe("the dataset that holds time-list entry K as ANDI-MS netCDF (its mass\n"
                                                       "spectra as scans); with --series, one chromatogram of GC entry K as\n"
                                                       "ANDI chromatography netCDF",
                                                       exportFeature))
                                   ->transform(cli::decimal<size_t>().application_index(0))
                                   ->option_text("K OUT.cdf"),
                               "--andi takes a time-list entry number and an output file (see --help)"),
            Command::Andi, saves);
    series_ = app.add_option("--series", options.series,
                             "with --andi: the chromatogram series of GC entry K, as its chart names it (\"Column 3 Low\")")
                  ->option_text("NAME");
    command(entry(app.add_option("--raw", options.entry,
                                 "the stored bytes of time-list entry K as a hex dump (offset, 16 bytes, ASCII)\n"
                                 "under its decoded packet header, or the words of the record it holds"),
                  "--raw takes a time-list entry number (see --help)"),
            Command::Raw, "--raw excludes the other commands");
    command(app.add_flag("--hk-csv")
                ->description("the regular housekeeping as CSV: a header line, then one line per sample (two\n"
                         "per \"Regular HK\" packet), the on-board time and every parameter of the\n"
                         "\"Regular HK\" list in engineering units; \"-\" where a packet lacks the word"),
            Command::HkCsv, "--hk-csv excludes the other commands");
    command(parser_.refuseWith(
                app.add_option_function<std::string>(
                       "--trend", [&options](const std::string& list) { options.trend = splitList(list); },
                       "housekeeping trends as CSV: a header line (\"LOBT [UTC]\", then \"MNEMONIC [UNIT]\"),\n"
                       "then one line per regular housekeeping sample in on-board time order with its\n"
                       "time and the parameters' engineering values; \"-\" where a packet lacks the word\n"
                       "or the parameter is not one of the \"Regular HK\" list (any of the 94 may be named)")
                    ->option_text("MNEMONIC[,MNEMONIC...]"),
                "--trend takes a list of mnemonics separated by commas (see --help)"),
            Command::Trend, "--trend excludes the other commands");
}

std::optional<std::string> DumpParser::chooseCommand()
{
    const CommandOption* chosen = nullptr;
    for (const CLI::Option* given : parser_.app.parse_order()) {
        const auto found = std::find_if(commands_.begin(), commands_.end(),
                                        [given](const CommandOption& c) { return c.option == given; });
        if (found == commands_.end())
            continue;
        if (chosen && chosen->command != found->command)
            return found->clash;
        chosen = &*found;
    }
    if (chosen)
        options_.command = chosen->command;
    return std::nullopt;
}

ParsedOptions DumpParser::parse(const std::vector<std::string>& args)
{
    // The archive is the last argument: no option takes it for its value.
    std::vector<std::string> optionArgs = args;
    if (!args.empty() && !args.back().empty() && args.back()[0] != '-') {
        options_.archive = args.back();
        optionArgs.pop_back();
    }
    switch (parser_.parse(optionArgs)) {
    case cli::OptionParser::Outcome::Help: return {DumpOptions{Command::Help, {}}, {}};
    case cli::OptionParser::Outcome::Version: return {DumpOptions{Command::Version, {}}, {}};
    case cli::OptionParser::Outcome::Refused: return refused(parser_.refusal);
    case cli::OptionParser::Outcome::Parsed: break;
    }
    if (!parser_.operands.empty())
        return refused("unexpected argument '" + parser_.operands.front() + "': the archive comes last (see --help)");
    const size_t formats = binary_->count() + text_->count();
    if (formats > 1)
        return refused(oneOutputFile);
    if (std::optional<std::string> clash = chooseCommand())
        return refused(*clash);
    if (options_.archive.empty())
        return refused("no archive given (see --help)");
    if ((options_.command == Command::Connect) != (record_->count() == 1))
        return refused("--connect goes with --record FILE (see --help)");
    if ((options_.command == Command::ExportDump) != (formats == 1))
        return refused("--export-dump goes with --binary OUT or --text OUT (see --help)");
    if (formats == 1) {
        options_.binary = binary_->count() == 1;
        options_.output = options_.binary ? binaryFile_ : textFile_;
    }
    if (options_.command == Command::Report)
        std::tie(options_.entry, options_.output) = report_;
    if (zlib_->count() != 0 && options_.command != Command::Mzml)
        return refused("--zlib goes with --mzml (see --help)");
    if (series_->count() != 0 && options_.command != Command::Andi)
        return refused("--series goes with --andi (see --help)");
    if (options_.command == Command::Mzml)
        std::tie(options_.entry, options_.output) = mzml_;
    if (options_.command == Command::Andi)
        std::tie(options_.entry, options_.output) = andi_;
    // A well-formed command that this build lacks.
    for (const auto& [command, name, feature] : {std::tuple{Command::Report, "--report", reportFeature},
                                                 std::tuple{Command::Mzml, "--mzml", exportFeature},
                                                 std::tuple{Command::Andi, "--andi", exportFeature}})
        if (options_.command == command && !feature.present)
            return refused(std::string(name) + " is not in this build of orvik-dump: it needs " + feature.needs);
    return {options_, {}};
}

} // namespace

const std::string usageText = [] {
    DumpOptions unused;
    return DumpParser(unused).help();
}();

const std::string versionText = cli::versionText(program);

ParsedOptions parseDumpOptions(const std::vector<std::string>& args)
{
    DumpOptions options;
    return DumpParser(options).parse(args);
}

} // namespace orvik::dump
