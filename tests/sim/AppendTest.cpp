// orvik-sim --append run as engineers run it: the built program writing into a file in real time.
#include "archive/ArchiveDocument.h"
#include "tests/sim/FrameWalker.h"
#include "tests/sim/SimProcess.h"
#include "tests/sim/SimulatedArchive.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>
#include <sstream>
#include <thread>

namespace orvik::sim::test {
namespace {

namespace fs = std::filesystem;

struct Report {
    uint64_t packets = 0;
    uint64_t bytes = 0;
    double seconds = 0;
};

// "appended N packets (B bytes) to FILE in S s", the one line a run ends with.
std::optional<Report> readReport(const std::string& out, const fs::path& file)
{
    std::smatch match;
    if (!std::regex_match(out, match, std::regex(R"(appended (\d+) packets \((\d+) bytes\) to (.+) in (\d+\.\d) s\n)"))
        || match[3] != file.string())
        return std::nullopt;
    return Report{std::stoull(match[1]), std::stoull(match[2]), std::stod(match[4])};
}

std::string contentOf(const fs::path& file)
{
    std::ostringstream bytes;
    bytes << std::ifstream(file, std::ios::binary).rdbuf();
    return std::move(bytes).str();
}

// The appended bytes are whole frames, as many as reported, and nothing is cut short.
void expectWholeFrames(std::string_view appended, const Report& report)
{
    const Walk walk = walkFrames(appended);
    EXPECT_TRUE(walk.problems.empty()) << walk.problems.front();
    EXPECT_EQ(walk.frames.size(), report.packets);
    EXPECT_EQ(appended.size(), report.bytes);
}

class Append : public testing::Test {
protected:
    void TearDown() override { fs::remove_all(folder); }

    const fs::path folder = [] {
        const fs::path path = fs::temp_directory_path() / ("orvik-append-" + std::to_string(getpid()) + "-"
                                                           + testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(path);
        return path;
    }();
    const fs::path archive = folder / "live.cvlbin";
};

TEST_F(Append, WritesAsManyWholeFramesAsItReportsAndTheReaderTakesThemWithoutWarnings)
{
    const Finished run = runSim({"--append", archive.string(), "--rate", "50000", "--duration", "0.2", "--seed", "4"});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.err, "");
    const std::optional<Report> report = readReport(run.out, archive);
    ASSERT_TRUE(report) << run.out;
    EXPECT_GE(report->seconds, 0.2) << "runs for its duration";
    expectWholeFrames(contentOf(archive), *report);

    ArchiveDocument document;
    ASSERT_TRUE(document.open(archive.string()));
    EXPECT_EQ(document.reader().count(), report->packets);
    EXPECT_TRUE(document.warnings().empty()) << document.warnings().front();
    EXPECT_GT(document.datasetCounter(), 0u) << "the campaign measures as it does in a written archive";
}

TEST_F(Append, GrowsAnExistingArchiveAndLeavesItsBytesAsTheyWere)
{
    std::ofstream(archive, std::ios::binary) << demoArchive();
    const Finished run = runSim({"--duration", "0.1", "--rate", "50000", "--append", archive.string(), "--seed", "2"});
    EXPECT_EQ(run.code, 0);
    const std::optional<Report> report = readReport(run.out, archive);
    ASSERT_TRUE(report) << run.out;
    const std::string content = contentOf(archive);
    ASSERT_GT(content.size(), demoArchive().size());
    EXPECT_EQ(content.substr(0, demoArchive().size()), demoArchive());
    expectWholeFrames(std::string_view(content).substr(demoArchive().size()), *report);
}

class AppendUntilSignalled : public Append, public testing::WithParamInterface<int> {};

TEST_P(AppendUntilSignalled, EndsWithStatusZeroOnAFrameBoundary)
{
    SimProcess sim({"--append", archive.string(), "--rate", "20000"});
    ASSERT_TRUE(sim.started());
    // The file holds bytes once the handlers are in place and the first batch went out.
    for (int i = 0; i < 2000 && !(fs::exists(archive) && fs::file_size(archive) > 0); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    sim.signal(GetParam());
    const Finished run = sim.finish();
    EXPECT_EQ(run.code, 0) << run.err;
    const std::optional<Report> report = readReport(run.out, archive);
    ASSERT_TRUE(report) << run.out;
    EXPECT_GT(report->packets, 0u);
    expectWholeFrames(contentOf(archive), *report);
}

INSTANTIATE_TEST_SUITE_P(Signals, AppendUntilSignalled, testing::Values(SIGINT, SIGTERM),
                         [](const testing::TestParamInfo<int>& info) { return info.param == SIGINT ? "SIGINT" : "SIGTERM"; });

TEST_F(Append, RefusesABadCommandLineInOneLineAndLeavesNoFile)
{
    const std::string file = archive.string();
    // Two the parser refuses (the others are in OptionsTest) and one the campaign refuses.
    const std::vector<std::vector<std::string>> bad = {
        {"--append", file, "--rate", "0"},
        {"--append", file, "--rate", "10", "--size", "1M"},
        {"--append", file, "--rate", "10", "--duration", "0.1", "--missing", "1000000"}, // more than the stream has
    };
    for (const auto& args : bad) {
        const Finished run = runSim(args);
        EXPECT_EQ(run.code, 2) << testing::PrintToString(args);
        EXPECT_EQ(run.out, "");
        EXPECT_TRUE(run.err.starts_with("orvik-sim: ")) << run.err;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
        EXPECT_FALSE(fs::exists(archive)) << testing::PrintToString(args);
    }
}

} // namespace
} // namespace orvik::sim::test
