#include "tools/dump/DumpOptions.h"

namespace orvik::dump {

const char* const usageText =
    "usage: orvik-dump [OPTION] FILE\n"
    "  (no option)   status texts and packet statistics\n"
    "  --tree        the category tree\n"
    "  --time        the time list\n"
    "  --show K      what showing time-list entry K (from 0) writes into the window's components\n"
    "  --points      with --show: every chart point as well\n"
    "  --half 1      with --show: the second half (words 64-127) of a \"Regular HK\" packet\n"
    "  --uncalibrated  with --show: mass spectra over the sample index (\"calibrated Display\" unchecked)\n"
    "  --export-dump K --binary|--text OUT\n"
    "                saves the memory dump of time-list entry K as raw words (least significant\n"
    "                byte first) or as one decimal number per line\n"
    "  --report K OUT.pdf\n"
    "                the GC report of the dataset that holds time-list entry K, as a PDF file\n"
    "  --raw K       the stored bytes of time-list entry K as a hex dump (offset, 16 bytes, ASCII)\n"
    "                under its decoded packet header, or the words of the record it holds\n"
    "  --hk-csv      the regular housekeeping as CSV: a header line, then one line per sample (two\n"
    "                per \"Regular HK\" packet), the on-board time and every parameter of the\n"
    "                \"Regular HK\" list in engineering units; \"-\" where a packet lacks the word\n"
    "  --trend MNEMONIC[,MNEMONIC...]\n"
    "                housekeeping trends as CSV: a header line (\"LOBT [UTC]\", then \"MNEMONIC [UNIT]\"),\n"
    "                then one line per regular housekeeping sample in on-board time order with its\n"
    "                time and the parameters' engineering values; \"-\" where a packet lacks the word\n"
    "                or the parameter is not one of the \"Regular HK\" list (any of the 94 may be named)\n"
    "  --help        this text\n";

namespace {
bool parseEntry(const std::string& text, size_t& entry)
{
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    entry = std::stoul(text);
    return true;
}

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
} // namespace

ParsedOptions parseDumpOptions(const std::vector<std::string>& args)
{
    DumpOptions options;
    bool commandGiven = false;
    bool formatGiven = false;
    std::string exportFile;
    const auto setCommand = [&](Command c) {
        if (commandGiven && options.command != c)
            return false;
        options.command = c;
        commandGiven = true;
        return true;
    };
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool last = i + 1 == args.size();
        if (a == "--help" || a == "-h")
            return {DumpOptions{Command::Help, {}}, {}};
        if (a == "--tree" || a == "--time") {
            if (!setCommand(a == "--tree" ? Command::Tree : Command::Time))
                return {std::nullopt, "--tree, --time and --show exclude each other"};
        } else if (a == "--hk-csv") {
            if (!setCommand(Command::HkCsv))
                return {std::nullopt, "--hk-csv excludes the other commands"};
        } else if (a == "--trend") {
            if (i + 2 >= args.size())
                return {std::nullopt, "--trend takes a list of mnemonics separated by commas (see --help)"};
            if (!setCommand(Command::Trend))
                return {std::nullopt, "--trend excludes the other commands"};
            options.trend = splitList(args[++i]);
        } else if (a == "--show") {
            if (i + 2 >= args.size() || !parseEntry(args[i + 1], options.showEntry))
                return {std::nullopt, "--show takes a time-list entry number (see --help)"};
            if (!setCommand(Command::Show))
                return {std::nullopt, "--tree, --time and --show exclude each other"};
            ++i;
        } else if (a == "--export-dump" || a == "--report") {
            const bool report = a == "--report";
            if (i + 2 >= args.size() || !parseEntry(args[i + 1], options.entry) || (report && i + 3 >= args.size()))
                return {std::nullopt, report ? "--report takes a time-list entry number and a PDF file (see --help)"
                                             : "--export-dump takes a time-list entry number (see --help)"};
            if (commandGiven)
                return {std::nullopt, "--export-dump and --report exclude the other commands"};
            setCommand(report ? Command::Report : Command::ExportDump);
            ++i;
            if (report)
                options.output = args[++i];
        } else if (a == "--raw") {
            if (i + 2 >= args.size() || !parseEntry(args[i + 1], options.entry))
                return {std::nullopt, "--raw takes a time-list entry number (see --help)"};
            if (commandGiven)
                return {std::nullopt, "--raw excludes the other commands"};
            setCommand(Command::Raw);
            ++i;
        } else if (a == "--binary" || a == "--text") {
            if (i + 2 >= args.size() || formatGiven)
                return {std::nullopt, "--binary or --text takes the one output file (see --help)"};
            formatGiven = true;
            options.binary = a == "--binary";
            exportFile = args[++i];
        } else if (a == "--points") {
            options.points = true;
        } else if (a == "--half") {
            if (i + 2 >= args.size() || (args[i + 1] != "0" && args[i + 1] != "1"))
                return {std::nullopt, "--half takes 0 or 1 (see --help)"};
            options.half = args[++i] == "1";
        } else if (a == "--uncalibrated") {
            options.uncalibrated = true;
        } else if (last && !a.empty() && a[0] != '-') {
            options.archive = a;
        } else if (!a.empty() && a[0] == '-') {
            return {std::nullopt, "unknown option '" + a + "' (see --help)"};
        } else {
            return {std::nullopt, "unexpected argument '" + a + "': the archive comes last (see --help)"};
        }
    }
    if (options.archive.empty())
        return {std::nullopt, "no archive given (see --help)"};
    if ((options.command == Command::ExportDump) != formatGiven)
        return {std::nullopt, "--export-dump goes with --binary OUT or --text OUT (see --help)"};
    if (formatGiven)
        options.output = exportFile;
    return {options, {}};
}

} // namespace orvik::dump
