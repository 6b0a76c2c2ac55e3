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

TEST(Seconds, TakePlainDecimalsWithFractions)
{
    EXPECT_EQ(parseSeconds("3"), 3.0);
    EXPECT_EQ(parseSeconds("0.25"), 0.25);
    EXPECT_EQ(parseSeconds("12.5"), 12.5);
    EXPECT_EQ(parseSeconds("007"), 7.0);
}

TEST(Seconds, RejectEverythingElse)
{
    for (const char* bad : {"", ".", "0", "0.0", "-1", "+1", "1e3", "inf", "nan", "1.2.3", "1,5", " 1", "1s", "0x10"})
        EXPECT_EQ(parseSeconds(bad), std::nullopt) << '"' << bad << '"';
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
    EXPECT_FALSE(std::get<CommandLine>(result).realTime.has_value());
}

TEST(CommandLine, ReadsAnAppendRunInAnyOrder)
{
    const auto result = parse({"--rate", "5000", "--seed", "9", "--append", "live.dat", "--duration", "2.5", "--missing", "2"});
    ASSERT_TRUE(std::holds_alternative<CommandLine>(result)) << std::get<std::string>(result);
    const auto& line = std::get<CommandLine>(result);
    EXPECT_EQ(line.outputPath, "live.dat");
    ASSERT_TRUE(line.realTime.has_value());
    EXPECT_EQ(line.realTime->packetsPerSecond, 5000u);
    EXPECT_EQ(line.realTime->seconds, 2.5);
    EXPECT_EQ(line.settings.seed, 9u);
    EXPECT_EQ(line.settings.missing, 2u);

    const auto openEnded = parse({"--append", "live.cvlbin", "--rate", "20"});
    ASSERT_TRUE(std::holds_alternative<CommandLine>(openEnded)) << std::get<std::string>(openEnded);
    EXPECT_FALSE(std::get<CommandLine>(openEnded).realTime->seconds.has_value());
}

TEST(CommandLine, RefusesWhatDoesNotGoWithAnAppendRun)
{
    const std::vector<std::pair<std::vector<std::string>, std::string>> refusals = {
        {{"--append", "a.cvlbin"}, "--append needs --rate (see --help)"},
        {{"--append"}, "--append takes the archive file to grow (see --help)"},
        {{"--append", "a.cvlbin", "--rate", "0"}, "--rate takes a positive whole number of packets a second (see --help)"},
        {{"--append", "a.cvlbin", "--rate", "2.5"}, "--rate takes a positive whole number of packets a second (see --help)"},
        {{"--append", "a.cvlbin", "--rate", "-5"}, "--rate takes a positive whole number of packets a second (see --help)"},
        {{"--append", "a.cvlbin", "--rate", "5", "--duration", "soon"}, "--duration takes a positive number of seconds (see --help)"},
        {{"--append", "a.cvlbin", "--rate", "5", "--size", "1M"}, "--append and --size exclude each other"},
        {{"--append", "a.cvlbin", "--rate", "5", "b.dat"}, "--append and an OUT file exclude each other"},
        {{"--append", "a.bin", "--rate", "5"}, "output file 'a.bin' must end in .cvlbin or .dat"},
        {{"--append", "a.dat", "--rate", "5", "--missing", "3"}, "--missing with --append needs --duration (see --help)"},
        {{"--rate", "5", "out.dat"}, "--rate and --duration go with --append or --serve (see --help)"},
        {{"--duration", "5", "out.dat"}, "--rate and --duration go with --append or --serve (see --help)"},
    };
    for (const auto& [args, message] : refusals) {
        const auto result = parse(args);
        ASSERT_TRUE(std::holds_alternative<std::string>(result)) << testing::PrintToString(args);
        EXPECT_EQ(std::get<std::string>(result), message) << testing::PrintToString(args);
    }
}

TEST(CommandLine, ReadsAServeRunWithItsFaultsInPositionOrder)
{
    const auto result = parse({"--pause-at", "900:0.5,100:2", "--serve", "0", "--cut-at", "500,200,500", "--garbage-at",
                               "300:64,7:1", "--copy", "sent.bin", "--seed", "5"});
    ASSERT_TRUE(std::holds_alternative<CommandLine>(result)) << std::get<std::string>(result);
    const auto& line = std::get<CommandLine>(result);
    ASSERT_TRUE(line.serve.has_value());
    EXPECT_EQ(line.serve->port, 0u);
    EXPECT_EQ(line.serve->cutsAt, (std::vector<uint64_t>{200, 500}));
    ASSERT_EQ(line.serve->garbageAt.size(), 2u);
    EXPECT_EQ(line.serve->garbageAt[0].position, 7u);
    EXPECT_EQ(line.serve->garbageAt[0].bytes, 1u);
    EXPECT_EQ(line.serve->garbageAt[1].position, 300u);
    EXPECT_EQ(line.serve->garbageAt[1].bytes, 64u);
    ASSERT_EQ(line.serve->pausesAt.size(), 2u);
    EXPECT_EQ(line.serve->pausesAt[0].position, 100u);
    EXPECT_EQ(line.serve->pausesAt[0].seconds, 2.0);
    EXPECT_EQ(line.serve->pausesAt[1].position, 900u);
    EXPECT_EQ(line.serve->copyPath, "sent.bin");
    EXPECT_EQ(line.settings.seed, 5u);
    ASSERT_TRUE(line.realTime.has_value());
    EXPECT_EQ(line.realTime->packetsPerSecond, 100u) << "the rate without --rate";
    EXPECT_FALSE(line.realTime->seconds.has_value());

    const auto timed = parse({"--serve", "65535", "--rate", "7", "--duration", "2", "--missing", "1"});
    ASSERT_TRUE(std::holds_alternative<CommandLine>(timed)) << std::get<std::string>(timed);
    EXPECT_EQ(std::get<CommandLine>(timed).serve->port, 65535u);
    EXPECT_EQ(std::get<CommandLine>(timed).realTime->packetsPerSecond, 7u);
    EXPECT_EQ(std::get<CommandLine>(timed).realTime->seconds, 2.0);
}

TEST(CommandLine, RefusesBadServeRunsSayingWhy)
{
    const std::vector<std::pair<std::vector<std::string>, std::string>> refusals = {
        {{"--serve", "0", "--append", "a.dat", "--rate", "5"}, "--serve and --append exclude each other"},
        {{"--serve", "0", "--size", "1M"}, "--serve and --size exclude each other"},
        {{"--serve", "0", "out.dat"}, "--serve and an OUT file exclude each other"},
        {{"--serve", "0", "--missing", "2"}, "--missing with --serve needs --duration (see --help)"},
        {{"--serve", "65536"}, "--serve takes a port number, 0 to 65535 (see --help)"},
        {{"--serve", "-1"}, "--serve takes a port number, 0 to 65535 (see --help)"},
        {{"--copy", "c.dat", "out.dat"}, "--cut-at, --garbage-at, --pause-at and --copy go with --serve (see --help)"},
        {{"--cut-at", "5", "--append", "a.dat", "--rate", "5"},
         "--cut-at, --garbage-at, --pause-at and --copy go with --serve (see --help)"},
    };
    for (const auto& [args, message] : refusals) {
        const auto result = parse(args);
        ASSERT_TRUE(std::holds_alternative<std::string>(result)) << testing::PrintToString(args);
        EXPECT_EQ(std::get<std::string>(result), message) << testing::PrintToString(args);
    }
    const std::vector<std::pair<std::string, std::vector<std::string>>> unreadable = {
        {"--cut-at", {"0", "", "5,", ",5", "1,,2", "x", "-3", "5:1"}},
        {"--garbage-at", {"100", "100:0", "100:1048577", ":5", "5:", "5:1,6", "a:b", "5:1:2"}},
        {"--pause-at", {"100", "100:0", "100:-1", "100:x", "5:1,6", ":1"}},
    };
    for (const auto& [option, values] : unreadable)
        for (const std::string& value : values) {
            const auto result = parse({"--serve", "0", option, value});
            ASSERT_TRUE(std::holds_alternative<std::string>(result)) << option << ' ' << value;
            EXPECT_TRUE(std::get<std::string>(result).starts_with(option + " takes ")) << std::get<std::string>(result);
        }
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
    for (const char* option : {"\n  --append FILE ", "\n  --rate N ", "\n  --duration S ", "\n  --serve PORT ",
                               "\n  --cut-at POS[,POS...] ", "\n  --garbage-at POS:COUNT[,...]", "\n  --pause-at POS:S[,...] ",
                               "\n  --copy FILE "})
        EXPECT_NE(usageText.find(option), std::string::npos) << option << " missing in\n" << usageText;
    EXPECT_EQ(versionText, "orvik-sim " ORVIK_FILE_VERSION);
}

} // namespace
} // namespace orvik::sim
