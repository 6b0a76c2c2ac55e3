// The command lines of the three executables: --help and --version answered on
// standard output, a bad command line refused with exit code 2 and one line on
// standard error.

#include "OrvikVersion.h"
#include "tests/dump/RunTool.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

using orvik::test::ProgramRun;
using orvik::test::runProgram;

namespace {

#ifdef ORVIK_EGSE_PROGRAM
// orvik-egse runs offscreen, with a runtime folder of its own: without one Qt notes
// on standard error that it has none.
class OffscreenEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        char folder[] = "/tmp/orvik-runtime-XXXXXX";
        if (!std::getenv("XDG_RUNTIME_DIR") && mkdtemp(folder)) {
            runtimeFolder_ = folder;
            setenv("XDG_RUNTIME_DIR", folder, 1);
        }
    }
    void TearDown() override
    {
        if (!runtimeFolder_.empty())
            std::filesystem::remove_all(runtimeFolder_);
    }

private:
    std::string runtimeFolder_;
};
const ::testing::Environment* const offscreen = ::testing::AddGlobalTestEnvironment(new OffscreenEnvironment);
#endif

struct Program {
    std::string name;
    std::string path;
    std::string usage;                // a line of the help
    std::vector<std::string> options; // every option the help lists
    // Bad command lines and what the program says about each on standard error.
    std::vector<std::pair<std::string, std::string>> refusals;
};

void PrintTo(const Program& program, std::ostream* out)
{
    *out << program.name;
}

class CommandLineTest : public ::testing::TestWithParam<Program> {};

TEST_P(CommandLineTest, HelpShowsTheUsageAndEveryOption)
{
    const Program& program = GetParam();
    const ProgramRun run = runProgram(program.path, "--help");
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_THAT(run.out, ::testing::HasSubstr(program.usage + "\n"));
    for (const std::string& option : program.options)
        EXPECT_TRUE(std::regex_search(run.out, std::regex("\n  " + option + "[ ,\n]")))
            << option << " missing in\n" << run.out;
}

TEST_P(CommandLineTest, VersionIsTheProgramAndTheFileVersion)
{
    const Program& program = GetParam();
    const ProgramRun run = runProgram(program.path, "--version");
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, program.name + " " ORVIK_FILE_VERSION "\n");
    EXPECT_EQ(run.err, "");
}

TEST_P(CommandLineTest, ABadCommandLineIsRefusedInOneLine)
{
    const Program& program = GetParam();
    for (const auto& [arguments, message] : program.refusals) {
        const ProgramRun run = runProgram(program.path, arguments);
        EXPECT_EQ(run.code, 2) << arguments;
        EXPECT_EQ(run.out, "") << arguments;
        EXPECT_EQ(run.err, program.name + ": " + message + "\n") << arguments;
    }
}

#ifdef ORVIK_EGSE_PROGRAM
// The viewer answers --help and --version before it asks for a display: the manual
// page is made from them at build time, on machines that may have none.
TEST(ViewerConsoleTest, HelpAndVersionNeedNoDisplay)
{
    for (const std::string option : {"--help", "--version"}) {
        const ProgramRun run = runProgram(
            "env", "-u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb '" ORVIK_EGSE_PROGRAM "' " + option);
        EXPECT_EQ(run.code, 0) << option << ": " << run.err;
        EXPECT_EQ(run.out, runProgram(ORVIK_EGSE_PROGRAM, option).out) << option;
    }
}
#endif

// The programs of this build: the window only where Qt is.
std::vector<Program> programs()
{
    std::vector<Program> built{
        Program{"orvik-dump",
                ORVIK_DUMP_PROGRAM,
                "Usage: orvik-dump [OPTIONS] FILE",
                {"-h", "--version", "--tree", "--time", "--show K", "--points", "--half 0\\|1", "--uncalibrated",
                 "--export-dump K", "--binary OUT", "--text OUT", "--report K OUT.pdf", "--raw K", "--hk-csv",
                 "--trend MNEMONIC\\[,MNEMONIC...\\]", "--follow", "--connect HOST:PORT", "--record"},
                {{"--bogus a.dat", "unknown option '--bogus' (see --help)"},
                 {"--points --show a.dat", "--show takes a time-list entry number (see --help)"},
                 {"--tree --time a.dat", "--tree, --time and --show exclude each other"},
                 {"--tree", "no archive given (see --help)"}}},
        Program{"orvik-sim",
                ORVIK_SIM_PROGRAM,
                "Usage: orvik-sim [OPTIONS] OUT.cvlbin|OUT.dat",
                {"-h", "--version", "--seed N", "--size BYTES", "--missing N", "--append FILE", "--rate N", "--duration S",
                 "--serve PORT", "--cut-at POS\\[,POS...\\]", "--garbage-at POS:COUNT\\[,...\\]", "--pause-at POS:S\\[,...\\]",
                 "--copy FILE"},
                {{"--verbose out.dat", "unknown option '--verbose' (see --help)"},
                 {"out.dat --size", "--size takes a positive byte count with an optional K, M or G (see --help)"},
                 {"a.dat b.dat", "more than one output file given (see --help)"},
                 {"--seed 3", "no output file given (see --help)"}}}};
#ifdef ORVIK_EGSE_PROGRAM
    built.push_back(
        Program{"orvik-egse",
                ORVIK_EGSE_PROGRAM,
                "Usage: orvik-egse [options] [FILE]", // named as installed, whatever path started it
                {"-h", "--version", "--tc-editor", "--live", "--connect <HOST:PORT>"},
                {{"--bogus", "Unknown option 'bogus'."}, {"--tc-editor -x a.cvlbin", "Unknown option 'x'."},
                 {"--connect 127.0.0.1", "--connect: '127.0.0.1' is not HOST:PORT."}}});
#endif
    return built;
}

INSTANTIATE_TEST_SUITE_P(Programs, CommandLineTest, ::testing::ValuesIn(programs()));

} // namespace
