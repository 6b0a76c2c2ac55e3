#include "tools/sim/Options.h"
#include "OrvikVersion.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

namespace orvik::sim {
namespace {

TEST(ByteCount, TakesPlainCountsAndBinarySuffixesInEitherCase)
{
    EXPECT_EQ(parseByteCount("123"), 123u);
    EXPECT_EQ(parseByteCount("64K"), 64u * 1024);
    EXPECT_EQ(parseByteCount("64k"), 64u * 1024);
    EXPECT_EQ(parseByteCount("3M"), 3u * 1024 * 1024);
    EXPECT_EQ(parseByteCount("1G"), 1ull << 30);
    EXPECT_EQ(parseByteCount("16g"), 16ull << 30);
}

TEST(ByteCount, RejectsEverythingElse)
{
    for (const char* bad : {"", "K", "0", "0M", "-1", "+5", "1.5M", "1T", "12 ", " 12", "1KB", "0x10",
                            "18446744073709551616", "17179869184G"})
        EXPECT_EQ(parseByteCount(bad), std::nullopt) << '"' << bad << '"';
}

std::variant<CommandLine, std::string> parse(std::vector<std::string> args)
{
    return parseCommandLine(args);
}

TEST(CommandLine, ReadsEveryOptionInAnyOrder)
{
    const auto result = parse({"--missing", "3", "out.dat", "--size", "2M", "--seed", "42"});
    ASSERT_TRUE(std::holds_alternative<CommandLine>(result)) << std::get<std::string>(result);
    const auto& line = std::get<CommandLine>(result);
    EXPECT_EQ(line.outputPath, "out.dat");
    EXPECT_EQ(line.settings.seed, 42u);
    EXPECT_EQ(line.settings.targetBytes, 2u << 20);
    EXPECT_EQ(line.settings.missing, 3u);
}

TEST(CommandLine, DefaultsToSeedOneAndTheDemoArchive)
{
    const auto result = parse({"demo.cvlbin"});
    ASSERT_TRUE(std::holds_alternative<CommandLine>(result));
    const auto& settings = std::get<CommandLine>(result).settings;
    EXPECT_EQ(settings.seed, 1u);
    EXPECT_FALSE(settings.targetBytes.has_value());
    EXPECT_EQ(settings.missing, 0u);
}

TEST(CommandLine, ExplainsBadArgumentsInOneLine)
{
    const std::vector<std::vector<std::string>> bad = {
        {},                              // no output
        {"out.cvlbin", "--seed"},        // value missing
        {"--seed", "x", "out.cvlbin"},
        {"--seed", "-1", "out.cvlbin"},
        {"--size", "1T", "out.cvlbin"},
        {"--missing", "many", "out.cvlbin"},
        {"--verbose", "out.cvlbin"},
        {"out.bin"},                     // not an archive extension
        {"a.cvlbin", "b.dat"},
    };
    for (const auto& args : bad) {
        const auto result = parse(args);
        ASSERT_TRUE(std::holds_alternative<std::string>(result)) << testing::PrintToString(args);
        const auto& message = std::get<std::string>(result);
        EXPECT_FALSE(message.empty());
        EXPECT_EQ(message.find('\n'), std::string::npos) << message;
    }
}

// CLI11 on its own reads C literals ("010" as eight, "0x10") and wraps "-1" around.
TEST(CommandLine, TakesDecimalNumbersOnly)
{
    const auto result = parse({"--seed", "010", "--missing", "07", "out.dat"});
    ASSERT_TRUE(std::holds_alternative<CommandLine>(result)) << std::get<std::string>(result);
    EXPECT_EQ(std::get<CommandLine>(result).settings.seed, 10u);
    EXPECT_EQ(std::get<CommandLine>(result).settings.missing, 7u);
    for (const char* bad : {"0x10", "-1", "4294967296"}) {
        const auto refused = parse({"--missing", bad, "out.dat"});
        ASSERT_TRUE(std::holds_alternative<std::string>(refused)) << bad;
        EXPECT_EQ(std::get<std::string>(refused), "--missing takes an unsigned decimal number (see --help)");
    }
}

TEST(CommandLine, HelpAndVersionNeedNoOutputFile)
{
    const auto request = [](std::vector<std::string> args) {
        const auto result = parse(args);
        return std::holds_alternative<CommandLine>(result) ? std::get<CommandLine>(result).request
                                                           : CommandLine::Request::Simulate;
    };
    EXPECT_EQ(request({"--help"}), CommandLine::Request::Help);
    EXPECT_EQ(request({"--seed", "3", "--version"}), CommandLine::Request::Version);
    EXPECT_NE(usageText.find("\nUsage: orvik-sim [OPTIONS] OUT.cvlbin|OUT.dat\n"), std::string::npos) << usageText;
    EXPECT_EQ(versionText, "orvik-sim " ORVIK_FILE_VERSION);
}

} // namespace
} // namespace orvik::sim
