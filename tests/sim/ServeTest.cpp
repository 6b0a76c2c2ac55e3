// orvik-sim --serve as the viewer's tests use it: the built program serving clients of the test's
// own on a port the system chose.
#include "tests/sim/FrameWalker.h"
#include "tests/sim/SimProcess.h"
#include "tests/sim/StreamClient.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

namespace orvik::sim::test {
namespace {

namespace fs = std::filesystem;

// At most 201 packets fall due in half a second at 400 a second, and the campaign's first step
// sends more: however the runs are timed, each ends after that step, and every run of these options
// sends the same campaign. The campaign depends on the rate times the duration, not on either.
const std::vector<std::string> kRun = {"--rate", "400", "--duration", "0.5", "--seed", "3"};

std::string contentOf(const fs::path& file)
{
    std::ostringstream bytes;
    bytes << std::ifstream(file, std::ios::binary).rdbuf();
    return std::move(bytes).str();
}

std::vector<std::string> with(std::vector<std::string> args, const std::vector<std::string>& more)
{
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

class Serve : public testing::Test {
protected:
    void TearDown() override { fs::remove_all(folder); }

    // What --append writes with kRun, made once.
    static const std::string& appended()
    {
        static const std::string bytes = [] {
            const fs::path file = fs::temp_directory_path() / ("orvik-serve-reference-" + std::to_string(getpid()) + ".cvlbin");
            fs::remove(file);
            const Finished run = runSim(with({"--append", file.string()}, kRun));
            EXPECT_EQ(run.code, 0) << run.err;
            std::string content = contentOf(file);
            fs::remove(file);
            return content;
        }();
        return bytes;
    }

    // The offset in appended() of the first frame that begins at `offset` or later.
    static size_t frameAtOrAfter(size_t offset)
    {
        for (const Frame& frame : walkFrames(appended()).frames)
            if (frame.offset >= offset)
                return frame.offset;
        return appended().size();
    }

    // Starts the server with `args` and reads the port it announces.
    uint16_t start(SimProcess& sim)
    {
        EXPECT_TRUE(sim.started());
        const std::string line = sim.readLine();
        std::smatch match;
        if (!std::regex_match(line, match, std::regex(R"(listening on 127\.0\.0\.1:(\d+)\n)"))) {
            ADD_FAILURE() << "no port announced: " << line;
            return 0;
        }
        return static_cast<uint16_t>(std::stoul(match[1]));
    }

    const fs::path folder = [] {
        const fs::path path = fs::temp_directory_path() / ("orvik-serve-" + std::to_string(getpid()) + "-"
                                                           + testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(path);
        return path;
    }();
    const fs::path copy = folder / "copy.cvlbin";
};

bool beginsWithSyncWords(std::string_view bytes)
{
    return bytes.substr(0, 4) == std::string_view("\xCF\x1A\x1D\xFC", 4);
}

TEST_F(Serve, SendsTheBytesAppendWritesToOneClientAndReportsThem)
{
    SimProcess sim(with({"--serve", "0", "--copy", copy.string()}, kRun));
    StreamClient client(start(sim));
    const std::string received = client.readAll();
    EXPECT_TRUE(client.endedInOrder());
    const Finished run = sim.finish();
    EXPECT_EQ(run.code, 0) << run.err;

    EXPECT_EQ(received.size(), appended().size());
    EXPECT_TRUE(received == appended()) << "the campaign of --append, byte for byte";
    EXPECT_TRUE(contentOf(copy) == received);
    const Walk walk = walkFrames(received);
    EXPECT_TRUE(walk.problems.empty()) << walk.problems.front();
    const std::string bytes = std::to_string(received.size());
    std::smatch match;
    ASSERT_TRUE(std::regex_match(run.out, match,
                                 std::regex("listening on 127\\.0\\.0\\.1:\\d+\nconnection 1: sent " + bytes + " bytes\nserved (\\d+) packets \\("
                                            + bytes + " bytes\\) over 1 connection in \\d+\\.\\d s\n")))
        << run.out;
    EXPECT_EQ(std::stoull(match[1]), walk.frames.size());
}

TEST_F(Serve, CutsEndConnectionsWhereAskedAndTheNextBeginsWithTheNextWholeFrame)
{
    const std::vector<Frame> frames = walkFrames(appended()).frames;
    const auto noiseAfter = [&frames](size_t i) { return frames[i].offset + frames[i].bytes.size() < frames[i + 1].offset; };
    // The first cut at an odd position within a frame that line noise follows, which goes with it;
    // the second where a frame begins right after the one before, 60 frames on.
    size_t cutFrame = 20;
    while (cutFrame + 1 < frames.size() && !noiseAfter(cutFrame))
        ++cutFrame;
    size_t nextStart = cutFrame + 60;
    while (nextStart < frames.size() && noiseAfter(nextStart - 1))
        ++nextStart;
    ASSERT_LT(nextStart, frames.size());
    const size_t firstCut = frames[cutFrame].offset + 33;
    const size_t resumed = frameAtOrAfter(firstCut);
    ASSERT_EQ(resumed, frames[cutFrame + 1].offset);
    const size_t secondCut = firstCut + (frames[nextStart].offset - resumed);

    SimProcess sim(with({"--serve", "0", "--copy", copy.string(), "--cut-at",
                         std::to_string(secondCut) + "," + std::to_string(firstCut)},
                        kRun));
    const uint16_t port = start(sim);
    std::vector<std::string> connections;
    for (int i = 0; i < 3; ++i) {
        StreamClient client(port);
        connections.push_back(client.readAll());
        EXPECT_TRUE(client.endedInOrder()) << "connection " << i + 1;
    }
    const Finished run = sim.finish();
    EXPECT_EQ(run.code, 0) << run.err;

    EXPECT_EQ(connections[0].size(), firstCut);
    EXPECT_TRUE(connections[0] == appended().substr(0, firstCut));
    EXPECT_TRUE(beginsWithSyncWords(connections[1]));
    EXPECT_TRUE(connections[1] == appended().substr(resumed, frames[nextStart].offset - resumed));
    EXPECT_TRUE(connections[2] == appended().substr(frames[nextStart].offset)) << "a cut between frames drops nothing";
    EXPECT_TRUE(contentOf(copy) == connections[0] + connections[1] + connections[2]);

    // Frames by the tests' own walk: all of the campaign's but the one cut.
    std::vector<std::string_view> served;
    for (const std::string& bytes : connections)
        for (const Frame& frame : walkFrames(bytes).frames)
            served.push_back(frame.bytes);
    std::vector<std::string_view> expected;
    for (size_t i = 0; i < frames.size(); ++i)
        if (i != cutFrame)
            expected.push_back(frames[i].bytes);
    EXPECT_TRUE(served == expected);

    for (size_t i = 0; i < connections.size(); ++i)
        EXPECT_NE(run.out.find("connection " + std::to_string(i + 1) + ": sent " + std::to_string(connections[i].size()) + " bytes\n"),
                  std::string::npos)
            << run.out;
    EXPECT_NE(run.out.find(" over 3 connections in "), std::string::npos) << run.out;
}

TEST_F(Serve, SendsHostileGarbageBeforeTheFirstFrameAtOrAfterEachPosition)
{
    // Positions count the garbage sent before them.
    const size_t firstAt = 20001;
    const size_t secondAt = 60000;
    const size_t count = 600;
    const size_t first = frameAtOrAfter(firstAt);
    const size_t second = frameAtOrAfter(secondAt - count);
    SimProcess sim(with({"--serve", "0", "--garbage-at", std::to_string(secondAt) + ":600," + std::to_string(firstAt) + ":600"}, kRun));
    StreamClient client(start(sim));
    const std::string received = client.readAll();
    EXPECT_EQ(sim.finish().code, 0);

    ASSERT_EQ(received.size(), appended().size() + 2 * count);
    EXPECT_TRUE(received.substr(0, first) == appended().substr(0, first));
    const std::string firstGarbage = received.substr(first, count);
    EXPECT_TRUE(received.substr(first + count, second - first) == appended().substr(first, second - first));
    const std::string secondGarbage = received.substr(second + count, count);
    EXPECT_TRUE(received.substr(second + 2 * count) == appended().substr(second));
    EXPECT_NE(firstGarbage, secondGarbage);
    for (const std::string& garbage : {firstGarbage, secondGarbage}) {
        EXPECT_TRUE(beginsWithSyncWords(garbage));
        EXPECT_EQ(garbage.substr(8, 2), "\xFF\xFF") << "a header announcing the longest frame";
    }
}

TEST_F(Serve, PausesKeepTheConnectionOpenAndSilent)
{
    const size_t pauseAt = 30001;
    SimProcess sim(with({"--serve", "0", "--pause-at", std::to_string(pauseAt) + ":1.5"}, kRun));
    StreamClient client(start(sim));
    const std::string before = client.read(pauseAt);
    const auto pausedFrom = std::chrono::steady_clock::now();
    std::chrono::steady_clock::time_point resumedAt;
    const std::string after = client.readAll(&resumedAt);
    const Finished run = sim.finish();
    EXPECT_EQ(run.code, 0) << run.err;

    EXPECT_TRUE(before + after == appended()) << "a pause adds nothing and drops nothing";
    // A lower bound only, and half the pause: a loaded machine can make the gap longer, never
    // shorter than the server's silence minus the test's own delay.
    EXPECT_GE(std::chrono::duration<double>(resumedAt - pausedFrom).count(), 0.75);
    std::smatch match;
    ASSERT_TRUE(std::regex_search(run.out, match, std::regex(R"(over 1 connection in (\d+\.\d) s)"))) << run.out;
    EXPECT_GE(std::stod(match[1]), 1.5);
}

TEST_F(Serve, AClientThatGoesAwayLeavesTheRestToTheNextOneWhichWaitedItsTurn)
{
    // The campaign of kRun, sent over two seconds: it is far from its end when the first client
    // leaves, however late the test gets to it.
    SimProcess sim({"--serve", "0", "--copy", copy.string(), "--rate", "100", "--duration", "2", "--seed", "3"});
    const uint16_t port = start(sim);
    std::string second;
    {
        StreamClient leaving(port);
        StreamClient waiting(port); // in the backlog until the first one is gone
        EXPECT_EQ(leaving.read(25001).size(), 25001u);
        leaving.close(); // with bytes unread: the server's next write fails
        second = waiting.readAll();
        EXPECT_TRUE(waiting.endedInOrder());
    }
    const Finished run = sim.finish();
    EXPECT_EQ(run.code, 0) << run.err;

    std::smatch match;
    ASSERT_TRUE(std::regex_search(run.out, match, std::regex(R"(connection 1: sent (\d+) bytes\n)"))) << run.out;
    const size_t first = std::stoull(match[1]);
    EXPECT_GE(first, 25001u);
    const std::string sent = contentOf(copy);
    ASSERT_EQ(sent.size(), first + second.size());
    EXPECT_TRUE(sent.substr(0, first) == appended().substr(0, first));
    EXPECT_TRUE(beginsWithSyncWords(second));
    EXPECT_TRUE(second == appended().substr(frameAtOrAfter(first)));
    EXPECT_NE(run.out.find(" over 2 connections in "), std::string::npos) << run.out;
}

TEST_F(Serve, RunsUntilSignalledAndThenEndsTheStreamWithWholeFrames)
{
    SimProcess sim({"--serve", "0", "--rate", "2000"});
    StreamClient client(start(sim));
    const std::string first = client.read(10000);
    sim.signal(SIGTERM);
    const std::string received = first + client.readAll();
    EXPECT_TRUE(client.endedInOrder());
    const Finished run = sim.finish();
    EXPECT_EQ(run.code, 0) << run.err;
    const Walk walk = walkFrames(received);
    EXPECT_TRUE(walk.problems.empty()) << walk.problems.front();
    EXPECT_NE(run.out.find("served " + std::to_string(walk.frames.size()) + " packets (" + std::to_string(received.size())
                           + " bytes) over 1 connection in "),
              std::string::npos)
        << run.out;
}

TEST_F(Serve, AClientThatDoesNotReadKeepsAnInterruptedServerOnlyForAFewSeconds)
{
    SimProcess sim({"--serve", "0", "--rate", "1000000"});
    StreamClient client(start(sim));
    EXPECT_EQ(client.read(1).size(), 1u); // served, then never read again
    sim.signal(SIGINT);
    const Finished run = sim.finish(); // a hang here is the fault
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("\nserved "), std::string::npos) << run.out;
}

TEST_F(Serve, AnInterruptBeforeAnyClientEndsTheRun)
{
    SimProcess sim({"--serve", "0"});
    start(sim);
    sim.signal(SIGINT);
    const Finished run = sim.finish();
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("\nserved 0 packets (0 bytes) over 0 connections in 0.0 s\n"), std::string::npos) << run.out;
}

TEST_F(Serve, FloodsAsFastAsTheClientReads)
{
    SimProcess sim({"--serve", "0", "--rate", "1000000", "--duration", "0.2", "--copy", copy.string()});
    StreamClient client(start(sim));
    const std::string received = client.readAll();
    EXPECT_EQ(sim.finish().code, 0);
    const Walk walk = walkFrames(received);
    EXPECT_TRUE(walk.problems.empty()) << walk.problems.front();
    EXPECT_TRUE(contentOf(copy) == received);
}

TEST_F(Serve, RefusesBadCombinationsInOneLineWithoutListening)
{
    const std::vector<std::vector<std::string>> bad = {
        {"--serve", "0", "--append", (folder / "a.cvlbin").string(), "--rate", "5"},
        {"--cut-at", "100", "--append", (folder / "a.cvlbin").string(), "--rate", "5"},
        {"--serve", "0", "--cut-at", "0"},
        {"--serve", "0", "--garbage-at", "100"},
        {"--serve", "65536"},
    };
    for (const auto& args : bad) {
        const Finished run = runSim(args);
        EXPECT_EQ(run.code, 2) << testing::PrintToString(args);
        EXPECT_EQ(run.out, "") << testing::PrintToString(args);
        EXPECT_TRUE(run.err.starts_with("orvik-sim: ")) << run.err;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    }
}

} // namespace
} // namespace orvik::sim::test
