#include "DumpOptions.h"

namespace orvik::dump {

const char* const usageText =
    "usage: orvik-dump [OPTION] FILE\n"
    "  (no option)   status texts and packet statistics\n"
    "  --tree        the category tree\n"
    "  --time        the time list\n"
    "  --help        this text\n";

ParsedOptions parseDumpOptions(const std::vector<std::string>& args)
{
    DumpOptions options;
    bool commandGiven = false;
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
                return {std::nullopt, "--tree and --time exclude each other"};
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
    return {options, {}};
}

} // namespace orvik::dump
