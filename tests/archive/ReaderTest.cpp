#include "tests/archive/ArchiveBuilder.h"

#include <algorithm>
#include <cstring>
#include <thread>
#include <utility>
#ifdef _WIN32
#include <windows.h>
#include <psapi.h>
#else
#include <sys/stat.h>
#endif

using namespace orvik;
using namespace orvik::test;

namespace {

class ReaderTest : public ::testing::Test {
protected:
    // Reads `bytes` as an archive file; returns the packet counter.
    int read(const Bytes& bytes, const std::string& name = "archive.cvlbin")
    {
        reader.openFile(dir.write(name, bytes));
        EXPECT_TRUE(reader.isOpen());
        uint64_t counter = 0;
        reader.readPackets(counter);
        reader.readEnd(counter);
        EXPECT_EQ(counter, reader.count());
        return int(counter);
    }
    // The stored packet i is the file's bytes from `offset` on, `size` of them.
    void expectStoredAs(size_t i, const Bytes& file, size_t offset, size_t size) const
    {
        expectStoredAs(reader, i, file, offset, size);
    }
    static void expectStoredAs(const ESAPacket& from, size_t i, const Bytes& file, size_t offset, size_t size)
    {
        ASSERT_LT(i, from.count());
        ASSERT_EQ(from[i].size, size);
        EXPECT_EQ(0, std::memcmp(from[i].bytes, file.data() + offset, size));
    }

    TempDir dir;
    ESAPacket reader;
};

const Packet internalHk = categoryPacket(Category::InternalHk, {0x1111, 0x2222});

TEST_F(ReaderTest, FramesAreStoredByteForByteWithTheirHeaderFields)
{
    const Packet block{.processId = 113, .serviceType = 20, .serviceSubtype = 3, .data = le({7, 2, 0xBEEF})};
    const Bytes file = Archive().add(block).add(internalHk).bytes();
    EXPECT_EQ(read(file, "archive.dat"), 2);
    expectStoredAs(0, file, 0, 26);
    expectStoredAs(1, file, 26, 28);
    EXPECT_EQ(reader.processIdAt(0), 113);
    EXPECT_EQ(reader.serviceTypeAt(0), 20);
    EXPECT_EQ(reader.serviceSubtypeAt(0), 3);
    EXPECT_EQ(reader[0].dataWord(2), 0xBEEF);
    EXPECT_EQ(reader[0].length(), 15);
    EXPECT_TRUE(reader.problems().empty());
}

TEST_F(ReaderTest, EmptyFileAndStrayBytesYieldNoPackets)
{
    EXPECT_EQ(read({}), 0);
    EXPECT_EQ(read(Bytes(301, 0xCF)), 0);
    EXPECT_TRUE(reader.problems().empty()) << "stray bytes begin no frame";
}

TEST_F(ReaderTest, FrameWithoutDataFieldHeaderKeepsTenHeaderBytesAndItsData)
{
    const Packet bare{.processId = 5, .dataFieldHeader = false, .data = le({1, 2, 3})};
    const Bytes file = bare.frame();
    EXPECT_EQ(read(file), 1);
    expectStoredAs(0, file, 0, 16);
    EXPECT_FALSE(reader[0].hasDataFieldHeader());
    EXPECT_EQ(reader.processIdAt(0), 5);
}

// The search moves in 2-byte steps from the end of the previous frame.
struct Gap {
    size_t firstFrameOddBytes; // 1: the first frame has an odd length
    size_t strayBytes;
    int found;
};
class FrameDistanceTest : public ReaderTest, public ::testing::WithParamInterface<Gap> {};

TEST_P(FrameDistanceTest, SecondFrameIsFoundOnlyAtAnEvenDistance)
{
    const Gap g = GetParam();
    Packet first = internalHk;
    first.data.resize(first.data.size() + g.firstFrameOddBytes, 0);
    EXPECT_EQ(read(Archive().add(first).raw(Bytes(g.strayBytes, 0x55)).add(internalHk).bytes()), g.found);
}

INSTANTIATE_TEST_SUITE_P(Gaps, FrameDistanceTest,
                         ::testing::Values(Gap{0, 0, 2}, Gap{0, 2, 2}, Gap{0, 6, 2}, Gap{0, 1, 1}, Gap{0, 3, 1},
                                           Gap{1, 0, 2}, Gap{1, 1, 1}));

TEST_F(ReaderTest, WordAfterAFirstSyncWordIsNotTriedAsAFirstSyncWord)
{
    // CF 1A CF 1A 1D FC: the frame at the second CF 1A is passed over; the one after it is found.
    const Bytes file = Archive().raw(le({ESAPacket::defaultSyncWord1})).add(internalHk).add(internalHk).bytes();
    EXPECT_EQ(read(file), 1);
    expectStoredAs(0, file, 30, 28);
}

TEST_F(ReaderTest, FlaggedFrameOfLengthNineEndsTheReading)
{
    const Packet noData{.data = {}};
    EXPECT_EQ(read(Archive().add(internalHk).add(noData).add(internalHk).bytes()), 1);
    EXPECT_THAT(reader.problems(), ::testing::ElementsAre("The frame ending at byte 48 holds no data bytes, which "
                                                          "ends the reading: the 28 bytes after it were not read."));
    EXPECT_EQ(read(Archive().add(internalHk).add(noData).bytes()), 1);
    EXPECT_TRUE(reader.problems().empty()) << "nothing after it is lost";
}

TEST_F(ReaderTest, FlaggedFrameShorterThanItsHeaderIsSkippedRightAfterItsSyncWords)
{
    // Identification 0x1ACF (flag set) and sequence word 0xFC1D are the sync words of a
    // frame that starts 4 bytes in; the outer length word 0 is its identification.
    const Bytes inner = frameHeader(0x0000, 1) + Bytes{0xAB, 0xCD};
    const Bytes file = le({ESAPacket::defaultSyncWord1, ESAPacket::defaultSyncWord2}) + inner;
    EXPECT_EQ(read(file), 1);
    expectStoredAs(0, file, 4, 12);
    EXPECT_THAT(reader.problems(),
                ::testing::ElementsAre("1 frame(s) with a data field header announce a length below 9, too short to "
                                       "hold it (the first at byte 0); they were passed over."));
}

TEST_F(ReaderTest, TruncatedLastFrameKeepsTheBytesThatAreThere)
{
    Bytes file = Archive().add(internalHk).add(internalHk).bytes();
    file.resize(28 + 20 + 5);
    EXPECT_EQ(read(file), 2);
    expectStoredAs(1, file, 28, 25);
    EXPECT_EQ(reader[1].dataWord(1), Category::InternalHk);
    EXPECT_EQ(reader[1].dataWord(2), std::nullopt);
    EXPECT_EQ(reader[1].length(), 17);
    EXPECT_THAT(reader.problems(), ::testing::ElementsAre("The frame at byte 28 announces 8 data bytes, but the file "
                                                          "ends after 5; its packet keeps the bytes present."));

    file.resize(28 + 20); // headers only: no data byte at all
    EXPECT_EQ(read(file), 1);
    EXPECT_THAT(reader.problems(), ::testing::ElementsAre("The file ends inside the frame at byte 28 (20 bytes of it "
                                                          "present); it was left out."));
}

TEST_F(ReaderTest, TheCounterGoesOnPastThirtyOneBits)
{
    reader.openFile(dir.write("archive.cvlbin", Archive().add(internalHk).add(internalHk).bytes()));
    uint64_t counter = INT32_MAX;
    reader.readPackets(counter);
    EXPECT_EQ(counter, uint64_t(INT32_MAX) + 2);
}

TEST_F(ReaderTest, OpeningAnotherFileReplacesThePackets)
{
    EXPECT_EQ(read(Archive().add(internalHk).add(internalHk).bytes(), "first.cvlbin"), 2);
    EXPECT_EQ(read(Archive().add(regularHk()).bytes(), "second.cvlbin"), 1);
    EXPECT_EQ(reader.serviceTypeAt(0), 3);

    for (const std::string& name : {(dir.path() / "missing.cvlbin").string(), dir.path().string()}) {
        read(Archive().add(internalHk).bytes());
        reader.openFile(name);
        EXPECT_FALSE(reader.isOpen()) << name;
        EXPECT_EQ(reader.fileName(), name);
        EXPECT_FALSE(reader.openError().empty());
        EXPECT_EQ(reader.count(), 0u);
    }
}

using OpenTest = DocumentTest;

TEST_F(OpenTest, FailedOpenReturnsTheDocumentToItsInitialState)
{
    const std::string name = dir.write("a.cvlbin", Archive().add(internalHk).add(regularHk()).bytes());
    ASSERT_TRUE(doc.open(name));
    doc.currentNode = doc.timeListNodes().front();
    EXPECT_EQ(doc.caption(), "ORVIK-EGSE: " + name);
    EXPECT_EQ(doc.statusPanels()[0], "Packets: 2");

    EXPECT_FALSE(doc.open(dir.path().string()));
    EXPECT_EQ(doc.tree().size(), 0u);
    EXPECT_TRUE(doc.timeListNodes().empty());
    EXPECT_EQ(doc.currentNode, noNode);
    EXPECT_EQ(doc.statusPanels(), (std::array<std::string, 3>{"Packets:", "Unknown:", "Missing:"}));
    EXPECT_EQ(doc.caption(), "ORVIK-EGSE");
    EXPECT_EQ(doc.unknownCount(), 0u);
    EXPECT_EQ(doc.packetStatistics().counts, decltype(doc.packetStatistics().counts){});
}

#ifndef _WIN32
TEST_F(OpenTest, ADeviceThatNeverEndsIsRefusedAtOnce)
{
    EXPECT_FALSE(doc.open("/dev/zero"));
    EXPECT_EQ(doc.openError(), "it is a device, not a file");
}
#endif

// Cancelled while reading or while building the tree, an open leaves nothing open;
// the next open is not cancelled by the one before.
TEST_F(OpenTest, ACancelledOpenLeavesNothingOpen)
{
    Archive archive;
    for (int k = 0; k < 70000; ++k) // more packets than the tree building reports progress for at once
        archive.add(k % 2 ? internalHk : regularHk());
    const std::string name = dir.write("a.cvlbin", archive.bytes());
    for (const double cancelFrom : {0.0, 0.5}) {
        ASSERT_TRUE(doc.open(name));
        bool askedAfterCancel = false, cancelled = false;
        EXPECT_FALSE(doc.open(name, [&](double done) {
            askedAfterCancel |= cancelled;
            cancelled = done > cancelFrom;
            return !cancelled;
        })) << cancelFrom;
        EXPECT_FALSE(askedAfterCancel);
        EXPECT_TRUE(doc.cancelled());
        EXPECT_FALSE(doc.reader().isOpen());
        EXPECT_EQ(doc.reader().count(), 0u);
        EXPECT_EQ(doc.tree().size(), 0u);
        EXPECT_TRUE(doc.timeListNodes().empty());
        EXPECT_EQ(doc.statusPanels(), (std::array<std::string, 3>{"Packets:", "Unknown:", "Missing:"}));
        EXPECT_EQ(doc.caption(), "ORVIK-EGSE");
        EXPECT_EQ(doc.packetStatistics().counts, decltype(doc.packetStatistics().counts){});
    }
    ASSERT_TRUE(doc.open(name, [](double) { return true; }));
    EXPECT_FALSE(doc.cancelled());
    EXPECT_EQ(doc.timeListNodes().size(), 70000u);
}

// A file without a single frame opens, but as what it is: no archive of this kind.
TEST_F(OpenTest, AFileWithoutAFrameOpensWithAWarningThatNamesIt)
{
    for (const Bytes& bytes : {Bytes{}, Bytes(301, 0xCF)}) {
        const std::string name = dir.write("none.cvlbin", bytes);
        ASSERT_TRUE(doc.open(name));
        EXPECT_THAT(doc.warnings(), ::testing::ElementsAre("No packet was found in " + name +
                                                           ": it is not an archive of this kind, or it is empty"));
    }
    ASSERT_TRUE(doc.open(dir.write("a.cvlbin", Archive().add(regularHk()).bytes())));
    EXPECT_TRUE(doc.warnings().empty());
}

} // namespace

namespace {

// Files of many megabytes are read by a helper thread while frames are cut out of
// what has arrived; frames straddle every read boundary.
class LargeFileTest : public ReaderTest {
protected:
    void addFrame(const Bytes& frame)
    {
        frames.emplace_back(file.size(), frame.size());
        file.insert(file.end(), frame.begin(), frame.end());
    }
    void fillTo(size_t size)
    {
        for (uint16_t k = 0; file.size() < size; ++k) {
            addFrame(categoryPacket(Category::InternalHk, counting(1 + k % 300, k)).frame());
            if (k % 7 == 0)
                file.insert(file.end(), {0, 0, 0, 0});
        }
    }
    void expectFramesStored(size_t count) const { expectFramesStored(reader, count); }
    void expectFramesStored(const ESAPacket& from, size_t count) const
    {
        ASSERT_EQ(from.count(), count);
        for (size_t i = 0; i < count; ++i)
            expectStoredAs(from, i, file, frames[i].first, frames[i].second);
    }

    Bytes file;
    std::vector<std::pair<size_t, size_t>> frames;
};

TEST_F(LargeFileTest, EveryFrameIsFoundAndATruncatedLastFrameKeepsItsBytes)
{
    fillTo(size_t(40) << 20);
    const Bytes last = categoryPacket(Category::InternalHk, counting(50)).frame();
    file.insert(file.end(), last.begin(), last.begin() + 30);
    frames.emplace_back(file.size() - 30, 30);
    EXPECT_EQ(read(file), int(frames.size()));
    expectFramesStored(frames.size());
    EXPECT_THAT(reader.problems(),
                ::testing::ElementsAre("The frame at byte " + std::to_string(frames.back().first) +
                                       " announces 104 data bytes, but the file ends after 10; its packet keeps the "
                                       "bytes present."));
}

TEST_F(LargeFileTest, AFrameWithoutDataEndsTheReadingInTheMiddle)
{
    fillTo(size_t(20) << 20);
    const size_t before = frames.size();
    const Bytes empty = frameHeader(uint16_t(0x0800 | (instrumentProcessId << 4)), 9) + Bytes(10, 0);
    file.insert(file.end(), empty.begin(), empty.end());
    fillTo(size_t(40) << 20);
    EXPECT_EQ(read(file), int(before));
    expectFramesStored(before);
    const size_t emptyEnd = frames[before].first;
    EXPECT_THAT(reader.problems(), ::testing::ElementsAre("The frame ending at byte " + std::to_string(emptyEnd) +
                                                          " holds no data bytes, which ends the reading: the " +
                                                          std::to_string(file.size() - emptyEnd) +
                                                          " bytes after it were not read."));
}

// Whether this system backs memory with huge pages when asked (Linux with transparent huge pages).
bool hugePagesOffered()
{
#ifdef __linux__
    return std::filesystem::exists("/sys/kernel/mm/transparent_hugepage/enabled");
#else
    return false;
#endif
}

// Read into huge pages or into plain memory, a file gives the same packets and
// problems, whether it is read in chunks (3 MiB) or by the helper thread (20 MiB).
TEST_F(LargeFileTest, HugePagesAndPlainMemoryHoldTheSamePackets)
{
    for (const size_t size : {size_t(3) << 20, size_t(20) << 20}) {
        file.clear();
        frames.clear();
        fillTo(size);
        addFrame(categoryPacket(Category::InternalHk, counting(50)).frame());
        file.resize(file.size() - 3);
        frames.back().second -= 3;
        EXPECT_EQ(read(file), int(frames.size()));
        expectFramesStored(frames.size());
        EXPECT_EQ(reader.hugePageBytes(), hugePagesOffered() ? file.size() : 0u);

        ESAPacket plain;
        plain.setPageBacking(PageBacking::Plain);
        plain.openFile(reader.fileName());
        uint64_t counter = 0;
        plain.readPackets(counter);
        plain.readEnd(counter);
        EXPECT_EQ(counter, frames.size());
        expectFramesStored(plain, frames.size());
        EXPECT_EQ(plain.hugePageBytes(), 0u);
        ASSERT_EQ(plain.problems().size(), 1u);
        EXPECT_EQ(plain.problems(), reader.problems());
    }
}

#ifndef _WIN32
// A file whose size is not known beforehand (a pipe) is read into growing buffers,
// first plain ones, then ones in huge pages; the packets move with their bytes.
TEST_F(LargeFileTest, AFileOfUnknownSizeGrowsItsBufferAndKeepsEveryFrame)
{
    fillTo(size_t(5) << 20);
    const std::string pipe = (dir.path() / "pipe").string();
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    std::thread writer([&] {
        std::ofstream out(pipe, std::ios::binary);
        out.write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
    });
    reader.openFile(pipe);
    uint64_t counter = 0;
    reader.readPackets(counter);
    reader.readEnd(counter);
    writer.join();
    EXPECT_EQ(counter, frames.size());
    expectFramesStored(frames.size());
    EXPECT_TRUE(reader.problems().empty());
    EXPECT_EQ(reader.hugePageBytes(), hugePagesOffered() ? file.size() : 0u);
}
#endif

// Another program cuts the file short while it is being read: the reading ends
// where the file now ends, with the usual word on the frame cut.
// Stopped by its progress function, a read ends at once, in chunks (3 MiB) and with
// the helper thread (40 MiB), and keeps the packets cut so far. (How far the helper
// has read by then is up to the system; in chunks the first report comes after one.)
TEST_F(LargeFileTest, AReadStoppedByItsProgressKeepsThePacketsCutSoFar)
{
    for (const size_t size : {size_t(3) << 20, size_t(40) << 20}) {
        file.clear();
        frames.clear();
        fillTo(size);
        reader.openFile(dir.write("archive.cvlbin", file));
        uint64_t counter = 0;
        int calls = 0;
        EXPECT_FALSE(reader.readPackets(counter, [&](double) { return ++calls > 1; })) << size;
        EXPECT_EQ(calls, 1);
        EXPECT_GT(counter, 0u);
        if (size < (size_t(16) << 20)) {
            EXPECT_LT(counter, frames.size() / 4);
        }
        expectFramesStored(size_t(counter));
    }
}

TEST_F(LargeFileTest, AFileCutShortWhileReadEndsWhereItNowEnds)
{
    fillTo(size_t(1) << 20);
    // Past the first chunk read, so that the file is cut after the reading began.
    const auto cutFrame = std::find_if(frames.begin(), frames.end(), [](const auto& f) { return f.first >= 400000; });
    ASSERT_NE(cutFrame, frames.end());
    const size_t kept = size_t(cutFrame - frames.begin()) + 1;
    const size_t dataBytes = cutFrame->second - 20;
    const std::string name = dir.write("archive.cvlbin", file);
    reader.openFile(name);
    bool cut = false;
    uint64_t counter = 0;
    reader.readPackets(counter, [&](double) {
        if (!std::exchange(cut, true))
            std::filesystem::resize_file(name, cutFrame->first + 21);
        return true;
    });
    reader.readEnd(counter);
    EXPECT_EQ(counter, kept);
    frames.resize(kept);
    frames.back().second = 21;
    expectFramesStored(kept);
    EXPECT_THAT(reader.problems(),
                ::testing::ElementsAre("The frame at byte " + std::to_string(frames.back().first) + " announces " +
                                       std::to_string(dataBytes) +
                                       " data bytes, but the file ends after 1; its packet keeps the bytes present."));
}

// What this process holds in memory, from the system's own count.
double residentBytes()
{
#ifdef _WIN32
    PROCESS_MEMORY_COUNTERS counters{};
    K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return double(counters.WorkingSetSize);
#else
    std::ifstream statm("/proc/self/statm");
    double pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * double(sysconf(_SC_PAGESIZE));
#endif
}

TEST_F(ReaderTest, AGrowingFileOfGarbageCostsNoMemoryAndTheFrameAfterItIsFound)
{
    // 96 MiB of bytes between frames, read as they come, with a first sync word at the end of
    // every piece; then a frame whose first bytes end the last piece.
    const Bytes frame = regularHkWith(counting(5)).frame();
    Bytes piece(size_t(4) << 20, 0x55);
    writeLe16(piece.data() + piece.size() - 2, ESAPacket::defaultSyncWord1);
    const std::string name = dir.write("garbage.cvlbin", {});
    reader.openFile(name);
    uint64_t counter = 0;
    const auto append = [&](const uint8_t* bytes, size_t size) {
        std::ofstream(name, std::ios::binary | std::ios::app).write(reinterpret_cast<const char*>(bytes), std::streamsize(size));
        reader.readPackets(counter);
    };
    append(piece.data(), piece.size());
    const double before = residentBytes();
    for (int k = 1; k < 24; ++k)
        append(piece.data(), piece.size());
    const Bytes tail(frame.begin() + 2, frame.end());
    append(tail.data(), tail.size());
    EXPECT_LT(residentBytes() - before, 16.0 * (1 << 20));
    ASSERT_EQ(counter, 1u);
    EXPECT_EQ(reader.fileOffset(reader[0]), 24 * piece.size() - 2);
    EXPECT_TRUE(std::equal(frame.begin(), frame.end(), reader[0].bytes));
}

} // namespace
