// The stream recorder against the real orvik-sim --serve on localhost.

#include "live/StreamRecorder.h"

#include "tests/archive/ArchiveBuilder.h"
#include "tests/live/SimServer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <random>
#include <thread>

using namespace orvik;
using namespace orvik::test;
using live::StreamRecorder;

namespace {

using State = StreamRecorder::State;
using Ending = StreamRecorder::Ending;

// Quick retries, so that a test of reconnections takes a few seconds.
StreamRecorder::Settings quick()
{
    StreamRecorder::Settings s;
    s.firstRetry = std::chrono::milliseconds(50);
    s.longestRetry = std::chrono::milliseconds(400);
    return s;
}

// Polls until `done` holds, for at most a generous while; whether it holds.
bool waitFor(const std::function<bool()>& done, std::chrono::seconds patience = std::chrono::seconds(30))
{
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (!done() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return done();
}

Bytes readFile(const std::string& name)
{
    std::ifstream in(name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

std::vector<Bytes> packetsOf(const std::string& file)
{
    ArchiveDocument doc;
    EXPECT_TRUE(doc.open(file)) << doc.openError();
    std::vector<Bytes> packets;
    for (const RawPacket& p : doc.reader().packets())
        packets.emplace_back(p.bytes, p.bytes + p.size);
    return packets;
}

class RecorderTest : public ::testing::Test {
protected:
    live::ServerAddress local(uint16_t port) const { return {"127.0.0.1", port}; }
    // Records from `server` until the server's campaign is over and the recorder saw the loss.
    StreamRecorder::Status recordAll(SimServer& server, StreamRecorder::Settings settings = quick())
    {
        EXPECT_NE(server.port(), 0) << server.out();
        StreamRecorder recorder(local(server.port()), recording, settings);
        EXPECT_TRUE(recorder.start()) << recorder.startError();
        EXPECT_EQ(server.finish(), 0) << server.out();
        // The campaign's end ended the connection: the recorder waits to try again, or tries.
        EXPECT_TRUE(waitFor([&] {
            const auto s = recorder.status();
            return s.state != State::Connected && s.bytesReceived == readFile(copy).size();
        })) << live::statusText(recorder.status());
        recorder.stop();
        return recorder.status();
    }
    // The recording is the copy of what the server sent, each connection's bytes followed by
    // zeros that fill a frame the connection's end cut short.
    void expectCopyWithFillers(const std::vector<size_t>& connections)
    {
        const Bytes sent = readFile(copy), recorded = readFile(recording);
        size_t at = 0, recordedAt = 0;
        for (const size_t bytes : connections) {
            ASSERT_LE(recordedAt + bytes, recorded.size());
            EXPECT_TRUE(std::equal(sent.begin() + std::ptrdiff_t(at), sent.begin() + std::ptrdiff_t(at + bytes),
                                   recorded.begin() + std::ptrdiff_t(recordedAt)));
            at += bytes;
            recordedAt += bytes;
            while (recordedAt < recorded.size() && (at == sent.size() || recorded[recordedAt] == 0) &&
                   !std::equal(sent.begin() + std::ptrdiff_t(at), sent.begin() + std::ptrdiff_t(std::min(sent.size(), at + 4)),
                               recorded.begin() + std::ptrdiff_t(recordedAt)))
                ++recordedAt;
        }
        EXPECT_EQ(at, sent.size());
        EXPECT_EQ(recordedAt, recorded.size());
    }

    TempDir dir;
    std::string recording = (dir.path() / "recording.cvlbin").string();
    std::string copy = (dir.path() / "sent.cvlbin").string();
};

TEST_F(RecorderTest, TheRecordingIsByteForByteWhatTheServerSent)
{
    SimServer server({"--rate", "4000", "--duration", "1.5", "--seed", "3", "--copy", copy});
    const StreamRecorder::Status status = recordAll(server);
    const Bytes sent = readFile(copy);
    EXPECT_GT(sent.size(), 100000u);
    EXPECT_EQ(readFile(recording), sent);
    EXPECT_EQ(status.bytesReceived, sent.size());
    EXPECT_EQ(status.bytesRecorded, sent.size());
    EXPECT_EQ(status.connections, 1u);
    EXPECT_EQ(status.state, State::Stopped);
    EXPECT_EQ(live::statusText(status), "Disconnected from 127.0.0.1:" + std::to_string(server.port()));
}

TEST_F(RecorderTest, AfterCutsAtRandomPointsTheRecordingHoldsAllThatWasSentAndReadsAsTheCampaign)
{
    std::mt19937 random(42);
    std::vector<size_t> cuts(4);
    for (size_t& cut : cuts)
        cut = 1 + random() % 400000;
    std::sort(cuts.begin(), cuts.end());
    std::string cutList;
    for (const size_t cut : cuts)
        cutList += (cutList.empty() ? "" : ",") + std::to_string(cut);
    SimServer server({"--rate", "5000", "--duration", "2", "--seed", "9", "--cut-at", cutList, "--copy", copy});
    const StreamRecorder::Status status = recordAll(server);
    const std::vector<size_t> connections = server.connectionBytes();
    ASSERT_EQ(connections.size(), cuts.size() + 1) << server.out();
    EXPECT_EQ(status.connections, connections.size());
    expectCopyWithFillers(connections);

    // The campaign as sent, without the frames the cuts left unfinished: each connection's
    // whole frames, end to end.
    Bytes whole;
    const Bytes sent = readFile(copy);
    size_t at = 0;
    for (const size_t bytes : connections) {
        ESAPacket reader;
        const std::string part = dir.write("part.cvlbin", Bytes(sent.begin() + std::ptrdiff_t(at), sent.begin() + std::ptrdiff_t(at + bytes)));
        reader.openFile(part);
        uint64_t counter = 0;
        reader.readPackets(counter); // a frame cut by the end waits: it is not taken
        for (const RawPacket& p : reader.packets())
            whole.insert(whole.end(), p.bytes, p.bytes + p.size);
        at += bytes;
    }
    const std::vector<Bytes> expected = packetsOf(dir.write("whole.cvlbin", whole));
    const std::vector<Bytes> recorded = packetsOf(recording);
    // Every packet of the campaign, in order; beside them at most the filled frame of each cut.
    size_t matched = 0, filled = 0;
    for (const Bytes& packet : recorded) {
        if (matched < expected.size() && packet == expected[matched])
            ++matched;
        else
            ++filled;
    }
    EXPECT_EQ(matched, expected.size());
    EXPECT_LE(filled, cuts.size());
}

TEST_F(RecorderTest, ARefusedConnectionIsTriedAgainWithGrowingDelaysUntilTheServerListens)
{
    // A port that nothing listens on: a server is started and ended to find one.
    uint16_t port = 0;
    {
        SimServer probe({});
        port = probe.port();
        probe.signal(SIGTERM);
        ASSERT_EQ(probe.finish(), 0);
    }
    ASSERT_NE(port, 0);
    StreamRecorder::Settings settings = quick();
    settings.firstRetry = std::chrono::milliseconds(200);
    settings.longestRetry = std::chrono::milliseconds(800);
    StreamRecorder recorder(local(port), recording, settings);
    ASSERT_TRUE(recorder.start());
    std::vector<StreamRecorder::Duration> delays;
    ASSERT_TRUE(waitFor([&] {
        const auto s = recorder.status();
        if (s.state == State::Waiting && (delays.empty() || s.retryIn > delays.back()))
            delays.push_back(s.retryIn);
        return delays.size() >= 3;
    }));
    const auto status = recorder.status();
    EXPECT_EQ(status.ending, Ending::Refused);
    EXPECT_EQ(status.connections, 0u);
    EXPECT_GT(delays[2], std::chrono::milliseconds(400)); // doubled twice from 200 ms, at most 800
    EXPECT_LE(delays[2], std::chrono::milliseconds(800));
    EXPECT_NE(live::statusText(status).find("Connection to 127.0.0.1:" + std::to_string(port) + " refused — retrying in "),
              std::string::npos);

    SimServer server({"--rate", "2000", "--duration", "1", "--copy", copy}, std::to_string(port));
    ASSERT_EQ(server.port(), port);
    ASSERT_TRUE(waitFor([&] { return recorder.status().state == State::Connected; }));
    EXPECT_EQ(server.finish(), 0);
    EXPECT_TRUE(waitFor([&] { return recorder.status().bytesReceived == readFile(copy).size(); }));
    recorder.stop();
    EXPECT_EQ(readFile(recording), readFile(copy));
}

TEST_F(RecorderTest, ASilentConnectionIsDroppedAndTheNextOneGoesOn)
{
    SimServer server({"--rate", "3000", "--duration", "1.5", "--pause-at", "50000:2", "--copy", copy});
    StreamRecorder::Settings settings = quick();
    settings.silence = std::chrono::milliseconds(500);
    bool sawSilence = false;
    StreamRecorder recorder(local(server.port()), recording, settings);
    ASSERT_TRUE(recorder.start());
    ASSERT_TRUE(waitFor([&] {
        const auto s = recorder.status();
        sawSilence = sawSilence || (s.state == State::Waiting && s.ending == Ending::Silent);
        return sawSilence;
    }));
    EXPECT_EQ(server.finish(), 0);
    const std::vector<size_t> connections = server.connectionBytes();
    ASSERT_GE(connections.size(), 2u) << server.out();
    const Bytes sent = readFile(copy);
    EXPECT_TRUE(waitFor([&] { return readFile(recording).size() >= 50000 + connections.back(); }));
    recorder.stop();
    // What the server wrote after the pause into the connection dropped is lost with it; the
    // silence before, and the next connection, are recorded whole.
    const Bytes recorded = readFile(recording);
    EXPECT_TRUE(std::equal(sent.begin(), sent.begin() + 50000, recorded.begin()));
    EXPECT_TRUE(std::equal(sent.end() - std::ptrdiff_t(connections.back()), sent.end(), recorded.end() - std::ptrdiff_t(connections.back())));
}

TEST_F(RecorderTest, ARecordingThatCannotBeWrittenIsToldAndReceivingStops)
{
    // A folder is no file to write.
    StreamRecorder folder(local(1), dir.path().string(), quick());
    EXPECT_FALSE(folder.start());
    EXPECT_NE(folder.startError().find("cannot write " + dir.path().string()), std::string::npos);

    // The disk full: the first bytes fail to go in.
    SimServer server({"--rate", "1000", "--duration", "5"});
    StreamRecorder full(local(server.port()), "/dev/full", quick());
    ASSERT_TRUE(full.start());
    ASSERT_TRUE(waitFor([&] { return full.status().state == State::Failed; }));
    const StreamRecorder::Status status = full.status();
    EXPECT_EQ(status.bytesRecorded, 0u);
    EXPECT_EQ(live::statusText(status), "Recording stopped: cannot write /dev/full: No space left on device");
    // It stays stopped: no new connection is made.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(full.status().connections, 1u);
    full.stop();
    EXPECT_EQ(full.status().state, State::Failed);
}

TEST_F(RecorderTest, GarbageAndAFloodFollowedAsTheyComeEndInTheFramesThatWereSent)
{
    SimServer server({"--rate", "1000000", "--duration", "1", "--garbage-at", "0:1048576,200000:65536,900000:1048576",
                      "--cut-at", "500001", "--copy", copy});
    StreamRecorder recorder(local(server.port()), recording, quick());
    ASSERT_TRUE(recorder.start());
    // A document follows the recording while it grows, as the window does.
    ArchiveDocument doc;
    ASSERT_TRUE(waitFor([&] { return std::filesystem::exists(recording); }));
    ASSERT_TRUE(doc.open(recording));
    std::atomic<int> serverExit{-2};
    std::thread finisher([&] { serverExit = server.finish(); });
    waitFor([&] {
        doc.follow(4 << 20);
        return serverExit != -2 && recorder.status().bytesReceived == readFile(copy).size();
    });
    finisher.join();
    EXPECT_EQ(serverExit, 0);
    recorder.stop();
    doc.follow();
    doc.settle();
    expectCopyWithFillers(server.connectionBytes());
    const std::vector<Bytes> opened = packetsOf(recording);
    ASSERT_EQ(doc.reader().count(), opened.size());
    EXPECT_GT(opened.size(), 1000u);
}

} // namespace
