#include "tools/cli/OptionParser.h"

#include "OrvikVersion.h"

#include <algorithm>
#include <memory>

namespace orvik::cli {

namespace {

// CLI11's usage line lists the options only; ours names what follows them.
class UsageFormatter : public CLI::Formatter {
public:
    explicit UsageFormatter(std::string operands) : operands_(std::move(operands)) {}
    std::string make_usage(const CLI::App*, std::string name) const override
    {
        return "Usage: " + name + " [OPTIONS] " + operands_ + "\n";
    }

private:
    std::string operands_;
};

} // namespace

std::string versionText(const std::string& program)
{
    return program + " " ORVIK_FILE_VERSION;
}

OptionParser::OptionParser(const std::string& program, const std::string& usageOperands,
                           const std::string& description)
    : app(description, program)
{
    app.formatter(std::make_shared<UsageFormatter>(usageOperands));
    app.set_help_flag("-h,--help", "this text, then exit");
    app.set_version_flag("--version", versionText(program), "the program's name and version, then exit");
    // An option given again replaces its value, as the last word counts.
    app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    // Unknown options are refused below in the tools' own words; the operands are
    // gathered here, hidden from the help (the usage line names them).
    app.allow_extras();
    // Options are the same everywhere: on Windows CLI11 would take "/x" for an option
    // too, and a file name from the root of the drive with it.
    app.allow_windows_style_options(false);
    app.add_option("operands", operands)->group("")->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
}

CLI::Option* OptionParser::refuseWith(CLI::Option* option, std::string reason)
{
    reasons_.emplace_back(option, std::move(reason));
    return option;
}

OptionParser::Outcome OptionParser::parse(const std::vector<std::string>& args)
{
    try {
        app.parse(std::vector<std::string>(args.rbegin(), args.rend())); // CLI11 takes them last first
    } catch (const CLI::CallForHelp&) {
        return Outcome::Help;
    } catch (const CLI::CallForVersion&) {
        return Outcome::Version;
    } catch (const CLI::ParseError& e) {
        // CLI11 names the option first in what it says about its values ("--show: ...").
        const std::string_view said = e.what();
        const auto concerned = std::find_if(reasons_.begin(), reasons_.end(), [said](const auto& entry) {
            return said.starts_with(entry.first->get_name() + ":");
        });
        refusal = concerned != reasons_.end() ? concerned->second : std::string(said) + " (see --help)";
        return Outcome::Refused;
    }
    if (const std::vector<std::string> unknown = app.remaining(); !unknown.empty()) {
        refusal = "unknown option '" + unknown.front() + "' (see --help)";
        return Outcome::Refused;
    }
    return Outcome::Parsed;
}

} // namespace orvik::cli
