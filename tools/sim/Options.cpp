#include "tools/sim/Options.h"

#include <charconv>
#include <limits>

namespace orvik::sim {

namespace {

template <typename T>
std::optional<T> parseUnsigned(std::string_view text)
{
    T value{};
    const auto* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

bool hasArchiveExtension(std::string_view path)
{
    return path.ends_with(".cvlbin") || path.ends_with(".dat");
}

} // namespace

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
    const auto count = parseUnsigned<uint64_t>(text);
    if (!count || *count == 0 || *count > std::numeric_limits<uint64_t>::max() / multiplier)
        return std::nullopt;
    return *count * multiplier;
}

std::variant<CommandLine, std::string> parseCommandLine(const std::vector<std::string>& args)
{
    const std::string usage = "usage: orvik-sim [--seed N] [--size BYTES] [--missing N] OUT.cvlbin|OUT.dat";
    CommandLine result;
    bool haveOutput = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--seed" || arg == "--size" || arg == "--missing") {
            if (i + 1 == args.size())
                return arg + " needs a value; " + usage;
            const std::string& value = args[++i];
            if (arg == "--seed") {
                const auto seed = parseUnsigned<uint64_t>(value);
                if (!seed)
                    return "bad seed '" + value + "': expected an unsigned integer";
                result.settings.seed = *seed;
            } else if (arg == "--size") {
                const auto size = parseByteCount(value);
                if (!size)
                    return "bad size '" + value + "': expected a positive byte count with an optional K, M or G";
                result.settings.targetBytes = size;
            } else {
                const auto missing = parseUnsigned<unsigned>(value);
                if (!missing)
                    return "bad missing-block count '" + value + "': expected an unsigned integer";
                result.settings.missing = *missing;
            }
        } else if (arg.starts_with("-")) {
            return "unknown option '" + arg + "'; " + usage;
        } else if (haveOutput) {
            return "more than one output file given; " + usage;
        } else if (!hasArchiveExtension(arg)) {
            return "output file '" + arg + "' must end in .cvlbin or .dat";
        } else {
            result.outputPath = arg;
            haveOutput = true;
        }
    }
    if (!haveOutput)
        return "no output file given; " + usage;
    return result;
}

} // namespace orvik::sim
