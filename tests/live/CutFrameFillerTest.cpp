// The recording after a lost connection: the frame cut short, the filling, then the next
// connection's frames, read by the real reader.

#include "live/CutFrameFiller.h"

#include "tests/archive/ArchiveBuilder.h"

#include <gtest/gtest.h>

#include <random>

using namespace orvik;
using namespace orvik::test;

namespace {

struct Read {
    std::vector<Bytes> packets;
    std::vector<std::string> problems;
};

Read readRecording(const TempDir& dir, const Bytes& bytes)
{
    const std::string file = dir.write("recording.cvlbin", bytes);
    ESAPacket reader;
    reader.openFile(file);
    uint64_t counter = 0;
    reader.readPackets(counter);
    reader.readEnd(counter);
    Read read{{}, reader.problems()};
    for (const RawPacket& p : reader.packets())
        read.packets.emplace_back(p.bytes, p.bytes + p.size);
    return read;
}

// The filler's answer after taking `bytes` in pieces of random sizes.
size_t fillerAfter(const Bytes& bytes, std::mt19937& random)
{
    live::CutFrameFiller filler;
    for (size_t at = 0; at < bytes.size();) {
        const size_t piece = std::min(bytes.size() - at, size_t(random() % 40));
        filler.take({bytes.data() + at, piece});
        at += piece;
    }
    return filler.fillerBytes();
}

Bytes cutAndFilled(const Bytes& cut, std::mt19937& random)
{
    return cut + Bytes(fillerAfter(cut, random), 0);
}

std::vector<Bytes> sampleFrames()
{
    std::vector<Bytes> frames;
    for (const Packet& p : {categoryPacket(4, counting(30)), regularHkWith(counting(3)), Packet{.dataFieldHeader = false, .data = le(counting(5))},
                            categoryPacket(2, counting(250, 0x0100)), transfer({7})})
        frames.push_back(p.frame());
    return frames;
}

TEST(CutFrameFillerTest, AfterACutAnywhereTheNextConnectionsFramesAreReadWhereTheyBegin)
{
    const std::vector<Bytes> frames = sampleFrames();
    std::mt19937 random(5);
    TempDir dir;
    Bytes before;
    for (size_t cutFrame = 0; cutFrame < frames.size(); ++cutFrame) {
        Bytes after;
        for (size_t k = cutFrame + 1; k < frames.size(); ++k)
            after = after + frames[k];
        const std::vector<Bytes> afterFrames(frames.begin() + std::ptrdiff_t(cutFrame) + 1, frames.end());
        for (size_t kept = 0; kept < frames[cutFrame].size(); ++kept) {
            const Bytes cut = before + Bytes(frames[cutFrame].begin(), frames[cutFrame].begin() + std::ptrdiff_t(kept));
            const Read read = readRecording(dir, cutAndFilled(cut, random) + after);
            SCOPED_TRACE("frame " + std::to_string(cutFrame) + " cut after " + std::to_string(kept) + " bytes");
            // The frames before, at most the cut one (filled), then every frame of the next connection.
            ASSERT_GE(read.packets.size(), cutFrame + afterFrames.size());
            ASSERT_LE(read.packets.size(), cutFrame + 1 + afterFrames.size());
            EXPECT_TRUE(std::equal(frames.begin(), frames.begin() + std::ptrdiff_t(cutFrame), read.packets.begin()));
            EXPECT_TRUE(std::equal(afterFrames.rbegin(), afterFrames.rend(), read.packets.rbegin()));
            if (read.packets.size() > cutFrame + afterFrames.size()) {
                EXPECT_TRUE(std::equal(cut.end() - std::ptrdiff_t(kept), cut.end(), read.packets[cutFrame].begin()))
                    << "the filled packet begins with the bytes received";
            }
        }
        before = before + frames[cutFrame];
    }
}

TEST(CutFrameFillerTest, NothingIsFilledBetweenWholeFrames)
{
    std::mt19937 random(1);
    Bytes whole;
    for (const Bytes& frame : sampleFrames()) {
        whole = whole + frame;
        EXPECT_EQ(fillerAfter(whole, random), 0u);
    }
}

TEST(CutFrameFillerTest, AfterGarbageAFrameIsFoundUnlessTheGarbageEndedTheReading)
{
    // Garbage rich in sync words and headers, some with huge lengths.
    const Bytes next = regularHkWith(counting(3)).frame();
    const Bytes sync = le({ESAPacket::defaultSyncWord1, ESAPacket::defaultSyncWord2});
    std::mt19937 random(11);
    TempDir dir;
    int endedReadings = 0;
    for (int run = 0; run < 400; ++run) {
        Bytes garbage;
        const size_t pieces = random() % 12;
        for (size_t k = 0; k < pieces; ++k) {
            switch (random() % 4) {
            case 0: garbage = garbage + sync; break;
            case 1: garbage = garbage + frameHeader(uint16_t(random()), uint16_t(random() % 3 ? random() : 0xFFFF)); break;
            case 2: garbage.push_back(uint8_t(random())); break;
            default: garbage = garbage + le(counting(random() % 8, uint16_t(random()))); break;
            }
        }
        const Read read = readRecording(dir, cutAndFilled(garbage, random) + next);
        const bool found = !read.packets.empty() && read.packets.back() == next;
        const bool ended = std::any_of(read.problems.begin(), read.problems.end(),
                                       [](const std::string& p) { return p.find("were not read") != std::string::npos; });
        EXPECT_TRUE(found || ended) << "run " << run;
        endedReadings += ended;
    }
    EXPECT_LT(endedReadings, 40); // the garbage mostly lets the reading go on: the check above means something
}

} // namespace
