// A followed archive, however the file grew, ends as an open of the whole file shows it.

#include "archive/ArchiveDocument.h"
#include "tests/archive/ArchiveBuilder.h"
#include "tests/archive/DocumentPicture.h"
#include "tests/archive/MalformedArchives.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>

namespace orvik {
namespace {

using test::Archive;
using test::Bytes;

Bytes readFile(const std::string& name)
{
    std::ifstream in(name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

std::string openedPicture(const std::string& file)
{
    ArchiveDocument whole;
    EXPECT_TRUE(whole.open(file));
    return test::documentPicture(whole);
}

// Writes an archive piece by piece while a document follows it.
class GrowingFile {
public:
    explicit GrowingFile(const Bytes& bytes) : bytes_(bytes), name_(dir_.write("growing.cvlbin", {})) {}

    const std::string& name() const { return name_; }
    // Appends the bytes up to `end` (from where the last piece ended).
    void growTo(size_t end)
    {
        std::ofstream out(name_, std::ios::binary | std::ios::app);
        out.write(reinterpret_cast<const char*>(bytes_.data() + written_), std::streamsize(end - written_));
        written_ = end;
    }

private:
    const Bytes& bytes_;
    test::TempDir dir_;
    std::string name_;
    size_t written_ = 0;
};

// Follows `bytes` cut at `cuts` (rising, inside the archive) and compares the settled
// document with an open of the whole file; every `checkEvery`-th piece the document
// is settled and compared with an open of the file as it is then.
void expectFollowedLikeOpened(const Bytes& bytes, const std::vector<size_t>& cuts, size_t checkEvery = 0)
{
    GrowingFile file(bytes);
    ArchiveDocument doc;
    ASSERT_TRUE(doc.open(file.name()));
    for (size_t k = 0; k < cuts.size(); ++k) {
        file.growTo(cuts[k]);
        doc.follow();
        if (checkEvery && k % checkEvery == checkEvery - 1) {
            doc.settle();
            ASSERT_EQ(test::documentPicture(doc), openedPicture(file.name())) << "after " << cuts[k] << " bytes";
        }
    }
    file.growTo(bytes.size());
    doc.follow();
    doc.settle();
    ASSERT_EQ(test::documentPicture(doc), openedPicture(file.name()));
}

std::vector<size_t> randomCuts(size_t size, size_t count, uint32_t seed)
{
    std::mt19937 random(seed);
    std::vector<size_t> cuts;
    for (size_t k = 0; k < count && size > 1; ++k)
        cuts.push_back(1 + random() % (size - 1));
    std::sort(cuts.begin(), cuts.end());
    return cuts;
}

std::vector<size_t> everyByte(size_t size)
{
    std::vector<size_t> cuts(size);
    for (size_t k = 0; k < size; ++k)
        cuts[k] = k;
    return cuts;
}

class FollowCorpusTest : public ::testing::TestWithParam<std::string> {};

TEST_P(FollowCorpusTest, EveryWayOfGrowingEndsAsTheWholeFileOpens)
{
    const Bytes bytes = test::malformedArchives().at(GetParam());
    expectFollowedLikeOpened(bytes, everyByte(bytes.size()), 7);
    for (uint32_t seed = 1; seed <= 20; ++seed)
        expectFollowedLikeOpened(bytes, randomCuts(bytes.size(), 1 + seed % 5, seed), 2);
}

INSTANTIATE_TEST_SUITE_P(Seeds, FollowCorpusTest, ::testing::ValuesIn(test::malformedArchiveNames()),
                         [](const auto& info) { return test::testNameOf(info.param); });

// Cuts at every frame's start and at offsets into its header, data field header and data.
std::vector<size_t> aroundEveryFrame(const ArchiveDocument& doc)
{
    std::vector<size_t> cuts;
    for (const RawPacket& packet : doc.reader().packets()) {
        const uint64_t start = *doc.reader().fileOffset(packet);
        for (size_t into : {size_t(0), size_t(1), size_t(3), size_t(9), size_t(15), size_t(packet.size / 2)})
            if (start + into > (cuts.empty() ? 0 : cuts.back()))
                cuts.push_back(start + into);
    }
    return cuts;
}

TEST(FollowTest, TheDemoArchiveGrownInEveryFrameOrInRandomPiecesEndsAsOpened)
{
    const Bytes demo = readFile(ORVIK_DEMO_ARCHIVE);
    ArchiveDocument whole;
    ASSERT_TRUE(whole.open(ORVIK_DEMO_ARCHIVE));
    const std::vector<size_t> cuts = aroundEveryFrame(whole);
    ASSERT_GT(cuts.size(), 5000u);
    expectFollowedLikeOpened(demo, cuts, 997);
    for (uint32_t seed = 1; seed <= 6; ++seed)
        expectFollowedLikeOpened(demo, randomCuts(demo.size(), 300, seed), 101);
}

// Blocks out of order, repeated, or filling a gap after the parse went past it: the
// stream is read anew, and ends as in one open.
TEST(FollowTest, ScienceBlocksThatComeOutOfOrderEndAsOpened)
{
    namespace Tag = test::Tag;
    const test::ScienceStreamBuilder stream =
        test::datasetStart().spectrum(Tag::MS, 5, test::counting(300)).ti(9).spectrum(Tag::GC, 6, test::counting(200));
    std::vector<test::Packet> blocks = stream.blocks(100);
    ASSERT_GE(blocks.size(), 5u);
    const std::vector<std::vector<test::Packet>> orders = {
        {blocks[0], blocks[2], blocks[3], blocks[1], blocks[4]},            // a gap filled late
        {blocks[0], blocks[1], blocks[2], blocks[1], blocks[3], blocks[4]}, // a block sent twice
        {blocks[2], blocks[3], blocks[4], blocks[0], blocks[1]},            // the first blocks last
    };
    for (const auto& order : orders) {
        Archive archive;
        for (const test::Packet& block : order)
            archive.add(block).add(test::regularHk());
        const Bytes bytes = archive.bytes();
        expectFollowedLikeOpened(bytes, everyByte(bytes.size()), 1);
    }
}

// A dump's pages arrive while other packets come between them.
TEST(FollowTest, AMemoryDumpWhosePagesComeLaterIsShownWhenComplete)
{
    Archive archive;
    archive.add(test::regularHk()).add(test::dumpHeader(1, 3));
    for (uint16_t page = 0; page < 3; ++page)
        archive.add(test::regularHk()).add(test::dumpPage(test::counting(128, page)));
    archive.add(test::regularHk());
    const Bytes bytes = archive.bytes();
    GrowingFile file(bytes);
    ArchiveDocument doc;
    ASSERT_TRUE(doc.open(file.name()));
    const size_t beforeLastPage =
        bytes.size() - test::regularHk().frame().size() - test::dumpPage(test::counting(128)).frame().size();
    file.growTo(beforeLastPage);
    doc.follow();
    // The dump waits for its last page; the packets after its header wait with it.
    EXPECT_EQ(doc.tree().children(doc.systemNode()).size(), 0u);
    EXPECT_EQ(doc.tree().children(doc.housekeepingNode()).size(), 1u);
    // As an open reads the file now: the dump cut short, the walk going on after its last page.
    doc.settle();
    EXPECT_EQ(doc.tree().children(doc.systemNode()).size(), 1u);
    EXPECT_EQ(doc.tree().children(doc.housekeepingNode()).size(), 2u);
    EXPECT_THAT(doc.warnings(), ::testing::Contains(::testing::HasSubstr("announces 3 pages")));
    // The last page withdraws that end: the packets between the pages stay unseen.
    file.growTo(bytes.size());
    doc.follow();
    EXPECT_EQ(doc.tree().children(doc.systemNode()).size(), 1u);
    const NodeRuns& housekeeping = doc.tree().children(doc.housekeepingNode());
    ASSERT_EQ(housekeeping.size(), 2u);
    EXPECT_EQ(doc.reader().packetNumber(*doc.tree().wrapper(housekeeping.back()).packet()), doc.reader().count() - 1);
    EXPECT_EQ(doc.tree().wrapper(doc.tree().children(doc.systemNode()).front()).record<MemoryDumpImage>()->pagesHeld(),
              3u);
}

TEST(FollowTest, AFileCutShortOrReplacedIsNotReadAndWhatWasReadStays)
{
    const Bytes bytes = Archive().add(test::regularHk()).add(test::regularHk()).bytes();
    test::TempDir dir;
    const std::string name = dir.write("a.cvlbin", bytes);
    ArchiveDocument doc;
    ASSERT_TRUE(doc.open(name));
    std::filesystem::resize_file(name, 10);
    EXPECT_EQ(doc.follow().change, ESAPacket::FileChange::Shrunk);
    EXPECT_EQ(doc.timeListNodes().size(), 2u);

#ifndef _WIN32 // Windows lets no other program replace or delete a file that is open for reading.
    dir.write("b.cvlbin", test::operator+(test::operator+(bytes, bytes), bytes));
    std::filesystem::rename(dir.path() / "b.cvlbin", name);
    EXPECT_EQ(doc.follow().change, ESAPacket::FileChange::Replaced);
    EXPECT_EQ(doc.timeListNodes().size(), 2u);
    std::filesystem::remove(name);
    EXPECT_EQ(doc.follow().change, ESAPacket::FileChange::Gone);
    EXPECT_EQ(doc.timeListNodes().size(), 2u);
#endif
}

} // namespace
} // namespace orvik
