#pragma once
// What orvik-dump and orvik-sim share about their command lines: a CLI11 parser with
// -h,--help and --version, and every refusal in one line.

#include <CLI/CLI.hpp>

#include <charconv>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orvik::cli {

// "orvik-dump 0.1.5.8": the program's name and the project's file version.
std::string versionText(const std::string& program);

// Decimal digits only, within T's range; none for anything else ("", "+1", "-1", "0x10", "1.5").
template <typename T>
std::optional<T> parseDecimal(std::string_view text)
{
    T value{};
    const char* end = text.data() + text.size();
    const auto [stop, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

// A transform for options that take an unsigned decimal number of type T. CLI11's own
// conversion reads C literals ("010" as eight, "0x10") and wraps "-1" around, so the
// value is handed on as the number written plainly.
template <typename T>
CLI::Validator decimal()
{
    return CLI::Validator(
        [](std::string& text) -> std::string {
            const std::optional<T> value = parseDecimal<T>(text);
            if (!value)
                return "not an unsigned decimal number";
            text = std::to_string(*value);
            return {};
        },
        "");
}

class OptionParser {
public:
    // `usageOperands` ends the usage line: what follows the options ("FILE").
    OptionParser(const std::string& program, const std::string& usageOperands, const std::string& description);

    CLI::App app;

    // A missing or unusable value of `option` is refused with `reason`.
    CLI::Option* refuseWith(CLI::Option* option, std::string reason);

    enum class Outcome { Parsed, Help, Version, Refused };
    // Parses the arguments that follow the program's name. Parsed: `operands` holds
    // those that are no option, in order; Refused: `refusal` says why in one line.
    Outcome parse(const std::vector<std::string>& args);
    std::vector<std::string> operands;
    std::string refusal;

private:
    std::vector<std::pair<const CLI::Option*, std::string>> reasons_;
};

} // namespace orvik::cli
