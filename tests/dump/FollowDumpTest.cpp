// orvik-dump --follow run as a child process while the test writes its archive in pieces.

#include "tests/archive/ArchiveBuilder.h"
#include "tests/archive/MalformedArchives.h"
#include "tests/dump/ChildProcess.h"
#include "tests/dump/RunTool.h"
#include "tests/live/SimServer.h"
#include "tools/dump/DumpOptions.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

using namespace orvik;
using namespace orvik::test;

namespace {

// An archive as frames, written into a file a piece at a time.
class GrowingArchive {
public:
    explicit GrowingArchive(const std::vector<Packet>& frames)
    {
        for (const Packet& frame : frames) {
            archive_.add(frame);
            frameEnds_.push_back(archive_.bytes().size());
        }
    }
    const std::string& name() const { return name_; }
    const Bytes& bytes() const { return archive_.bytes(); }
    size_t frames() const { return frameEnds_.size(); }
    // Where frame k ends in the archive.
    size_t frameEnd(size_t k) const { return frameEnds_.at(k); }
    // Appends the bytes up to `end`, from where the last piece ended.
    void growTo(size_t end)
    {
        std::ofstream out(name_, std::ios::binary | std::ios::app);
        out.write(reinterpret_cast<const char*>(bytes().data() + written_), std::streamsize(end - written_));
        written_ = end;
    }

private:
    Archive archive_;
    std::vector<size_t> frameEnds_;
    TempDir dir_;
    std::string name_ = dir_.write("growing.cvlbin", {});
    size_t written_ = 0;
};

ChildProcess followed(const GrowingArchive& archive, ChildProcess::Errors errors = ChildProcess::Errors::Apart)
{
    return ChildProcess(ORVIK_DUMP_PROGRAM, {"--follow", archive.name()}, errors);
}

std::string timeList(const std::string& file)
{
    const ProgramRun run = runProgram(ORVIK_DUMP_PROGRAM, "--time '" + file + "'");
    EXPECT_EQ(run.code, 0) << run.err;
    return run.out;
}

size_t lineCount(const std::string& text)
{
    return size_t(std::count(text.begin(), text.end(), '\n'));
}

// Regular and internal housekeeping: each frame one entry, at the end.
std::vector<Packet> plainFrames()
{
    std::vector<Packet> frames;
    for (int k = 0; k < 40; ++k)
        frames.push_back(k % 5 == 4 ? categoryPacket(Category::InternalHk) : regularHk());
    return frames;
}

TEST(FollowDumpTest, AGrowingArchivePrintsTheLinesOfTimeForTheWholeFileAndSigintEndsIt)
{
    GrowingArchive archive(plainFrames());
    archive.growTo(archive.frameEnd(9));
    ChildProcess child = followed(archive);
    ASSERT_TRUE(child.started());
    const std::string first = timeList(archive.name());
    ASSERT_TRUE(child.readUntil([&] { return child.out() == first; })) << child.out();

    ASSERT_EQ(lineCount(first), 10u) << first; // one entry a frame
    // Pieces that end anywhere: a frame cut short waits for its rest.
    size_t complete = 10;
    for (size_t end = archive.frameEnd(9) + 7; end < archive.bytes().size(); end += 45) {
        archive.growTo(end);
        while (archive.frameEnd(complete) <= end)
            ++complete;
        ASSERT_TRUE(child.readUntil([&] { return lineCount(child.out()) == complete; })) << child.out();
    }
    archive.growTo(archive.bytes().size());
    const std::string whole = timeList(archive.name());
    ASSERT_GT(lineCount(whole), lineCount(first));
    ASSERT_TRUE(child.readUntil([&] { return child.out() == whole; })) << child.out();
    child.signal(SIGINT);
    EXPECT_EQ(child.wait(), 0);
    EXPECT_EQ(child.out(), whole);
    EXPECT_EQ(child.err(), "");
}

// What a reader of the merged output makes of it: each line inserted at its number,
// the list cut back where the end was read anew; warnings of the open passed over.
class ListReader {
public:
    // `connection`: lines of a connection's state come between the entries (--connect).
    explicit ListReader(const std::string& file, bool connection = false)
        : readAnew_("orvik-dump: the end of " + file + " was read anew; entries from (\\d+) on are listed again"),
          connection_(connection)
    {
    }

    // Reads the lines after those read so far; a line that cannot be read fails the test.
    void read(const std::string& text)
    {
        static const std::regex entry(R"((\d+)\t(.*))");
        for (size_t end; (end = text.find('\n', read_)) != std::string::npos;) {
            const std::string line = text.substr(read_, end - read_);
            read_ = end + 1;
            std::smatch m;
            if (line.starts_with("orvik-dump: warning: ") || (connection_ && isConnectionLine(line)))
                continue;
            if (std::regex_match(line, m, entry)) {
                const size_t k = std::stoul(m[1]);
                ASSERT_LE(k, lines_.size()) << line;
                insertedBefore_ = insertedBefore_ || (last_ && k <= *last_);
                lines_.insert(lines_.begin() + std::ptrdiff_t(k), line.substr(m[1].length() + 1));
                last_ = k;
            } else {
                ASSERT_TRUE(std::regex_match(line, m, readAnew_)) << line;
                const size_t k = std::stoul(m[1]);
                ASSERT_LE(k, lines_.size()) << line;
                lines_.resize(k);
                last_.reset();
            }
        }
    }
    // The list as --time prints it.
    std::string list() const
    {
        std::string text;
        for (size_t k = 0; k < lines_.size(); ++k)
            text += std::to_string(k) + '\t' + lines_[k] + '\n';
        return text;
    }
    // Whether an entry came before one printed before it.
    bool insertedBefore() const { return insertedBefore_; }

private:
    static bool isConnectionLine(const std::string& line)
    {
        static const std::regex state("orvik-dump: (Connecting to|Connected to|Connection|Disconnected from|[0-9]+ bytes received) .*");
        return std::regex_match(line, state);
    }

    std::regex readAnew_;
    bool connection_ = false;
    std::vector<std::string> lines_;
    size_t read_ = 0;
    std::optional<size_t> last_;
    bool insertedBefore_ = false;
};

TEST(FollowDumpTest, EntriesOfAScienceStreamThatBeganLaterComeWhereItBegan)
{
    // Housekeeping first, then the stream's blocks, each with housekeeping after it.
    const ScienceStreamBuilder stream =
        datasetStart().spectrum(Tag::MS, 5, counting(300)).ti(9).spectrum(Tag::GC, 6, counting(200)).ti(12);
    std::vector<Packet> frames(5, regularHk());
    for (const Packet& block : stream.blocks(100)) {
        frames.push_back(block);
        frames.push_back(regularHk());
    }
    GrowingArchive archive(frames);
    archive.growTo(archive.frameEnd(4));
    ChildProcess child = followed(archive, ChildProcess::Errors::WithOutput);
    ASSERT_TRUE(child.started());
    const std::string first = timeList(archive.name());
    ASSERT_TRUE(child.readUntil([&] { return child.out() == first; })) << child.out();
    ListReader reader(archive.name());
    // Frame by frame, each housekeeping packet waited for: the stream's entries come among those printed.
    for (size_t k = 6; k < archive.frames(); k += 2) {
        archive.growTo(archive.frameEnd(k));
        const size_t before = lineCount(child.out());
        ASSERT_TRUE(child.readUntil([&] { return lineCount(child.out()) > before; })) << child.out();
    }
    const std::string whole = timeList(archive.name());
    ASSERT_TRUE(child.readUntil([&] {
        reader.read(child.out());
        return reader.list() == whole;
    })) << child.out()
        << "read as:\n"
        << reader.list();
    EXPECT_TRUE(reader.insertedBefore()) << child.out();
    child.signal(SIGTERM);
    EXPECT_EQ(child.wait(), 0);
}

// The open reads the end as the end: a memory dump whose pages are still coming is shown cut
// short. When they come, that end is read anew and said so; the lines still make the time list.
TEST(FollowDumpTest, AnEndReadAnewIsSaidAndItsEntriesAreListedAgain)
{
    GrowingArchive archive({regularHk(), dumpHeader(1, 3), dumpPage(counting(128)), dumpPage(counting(128, 2)),
                            dumpPage(counting(128, 3)), regularHk()});
    archive.growTo(archive.frameEnd(2));
    ChildProcess child = followed(archive, ChildProcess::Errors::WithOutput);
    ASSERT_TRUE(child.started());
    ASSERT_TRUE(child.readUntil([&] { return lineCount(child.out()) == 3; })) << child.out(); // a warning, 2 entries
    archive.growTo(archive.bytes().size());
    const std::string whole = timeList(archive.name());
    ListReader reader(archive.name());
    ASSERT_TRUE(child.readUntil([&] {
        reader.read(child.out());
        return reader.list() == whole;
    })) << child.out();
    EXPECT_THAT(child.out(), ::testing::HasSubstr("orvik-dump: the end of " + archive.name() + " was read anew; "));
    child.signal(SIGINT);
    EXPECT_EQ(child.wait(), 0);
}

TEST(FollowDumpTest, ConnectRecordsAServersStreamAcrossALossAndListsItsTimeListAsItGrows)
{
    TempDir dir;
    const std::string recording = (dir.path() / "recording.cvlbin").string(), copy = (dir.path() / "sent.cvlbin").string();
    SimServer server({"--rate", "3000", "--duration", "1.5", "--cut-at", "123457", "--copy", copy});
    ASSERT_NE(server.port(), 0) << server.out();
    const std::string address = "127.0.0.1:" + std::to_string(server.port());
    ChildProcess child(ORVIK_DUMP_PROGRAM, {"--connect", address, "--record", recording}, ChildProcess::Errors::WithOutput);
    ASSERT_TRUE(child.started());
    EXPECT_EQ(server.finish(), 0);
    const size_t sent = std::filesystem::file_size(copy);
    // The recording holds what was sent, and a filling of the frame the loss cut.
    ASSERT_TRUE(child.readUntil([&] { return std::filesystem::file_size(recording) >= sent; })) << child.out();
    ListReader reader(recording, true);
    ASSERT_TRUE(child.readUntil([&] {
        reader.read(child.out());
        return reader.list() == timeList(recording);
    })) << child.out();
    child.signal(SIGINT);
    EXPECT_EQ(child.wait(), 0);
    EXPECT_THAT(child.out(), ::testing::HasSubstr("orvik-dump: Connected to " + address + " — "));
    EXPECT_THAT(child.out(), ::testing::HasSubstr("orvik-dump: Connection lost — retrying in 1 s\n"));
    EXPECT_THAT(child.out(), ::testing::HasSubstr("orvik-dump: " + std::to_string(sent) + " bytes received in 2 connections, recorded in " + recording + "\n"));
}

TEST(FollowDumpTest, ConnectRefusesABadAddressAndAnUnwritableRecording)
{
    TempDir dir;
    const ProgramRun bad = runProgram(ORVIK_DUMP_PROGRAM, "--connect localhost --record '" + (dir.path() / "r.cvlbin").string() + "'");
    EXPECT_EQ(bad.code, 2);
    EXPECT_EQ(bad.err, "orvik-dump: --connect: 'localhost' is not HOST:PORT\n");
    const ProgramRun unwritable = runProgram(ORVIK_DUMP_PROGRAM, "--connect 127.0.0.1:1 --record '" + dir.path().string() + "'");
    EXPECT_EQ(unwritable.code, 2);
    EXPECT_THAT(unwritable.err, ::testing::StartsWith("orvik-dump: cannot write " + dir.path().string() + ": "));
}

struct FileChangeCase {
    std::string name;
    std::function<void(const std::string& file)> change;
    std::string message; // after "orvik-dump: FILE "
};

class FollowEndTest : public ::testing::TestWithParam<FileChangeCase> {};

TEST_P(FollowEndTest, AFileCutShortReplacedOrGoneStopsFollowingWithStatus1)
{
    GrowingArchive archive(plainFrames());
    archive.growTo(archive.frameEnd(9));
    ChildProcess child = followed(archive);
    ASSERT_TRUE(child.started());
    const std::string first = timeList(archive.name());
    ASSERT_TRUE(child.readUntil([&] { return child.out() == first; })) << child.out();
    GetParam().change(archive.name());
    EXPECT_EQ(child.wait(), 1);
    EXPECT_EQ(child.err(), "orvik-dump: " + archive.name() + ' ' + GetParam().message + '\n');
    EXPECT_EQ(child.out(), first);
}

INSTANTIATE_TEST_SUITE_P(
    Changes, FollowEndTest,
    ::testing::Values(
        FileChangeCase{"CutShort", [](const std::string& file) { std::filesystem::resize_file(file, 100); },
                       "was cut short: following stopped"},
        FileChangeCase{"Replaced",
                       [](const std::string& file) {
                           const std::string other = file + ".new";
                           std::ofstream(other, std::ios::binary) << std::string(5000, 'x');
                           std::filesystem::rename(other, file);
                       },
                       "was replaced by another file: following stopped"},
        FileChangeCase{"Gone", [](const std::string& file) { std::filesystem::remove(file); },
                       "is gone: following stopped"}),
    [](const auto& info) { return info.param.name; });

TEST(FollowDumpTest, FollowIsACommandOfItsOwnAndItsHelpTellsTheOrderOfScienceEntries)
{
    const dump::ParsedOptions parsed = dump::parseDumpOptions({"--follow", "a.cvlbin"});
    ASSERT_TRUE(parsed.options);
    EXPECT_EQ(parsed.options->command, dump::Command::Follow);
    EXPECT_EQ(dump::parseDumpOptions({"--time", "--follow", "a.cvlbin"}).error, "--follow excludes the other commands");
    const std::string help = std::regex_replace(dump::usageText, std::regex(R"(\s+)"), " ");
    EXPECT_THAT(help, ::testing::HasSubstr("entries of the science stream are listed where the stream began: their "
                                           "numbers may come before numbers already printed"));
}

} // namespace
