// Saving memory dumps: both file formats byte for byte, the node the menus act
// on, and failures that are reported instead of passing in silence.

#include "tests/archive/ArchiveBuilder.h"
#include "reports/MemoryDumpExport.h"

using namespace orvik;
using namespace orvik::reports;
using namespace orvik::test;

namespace {

#if defined(_WIN32)
const std::string lineEnd = "\r\n";
#else
const std::string lineEnd = "\n";
#endif

DumpImage image(uint16_t pages, const Words& data)
{
    return dumpImage(pages, 0x0F00, data);
}

std::string contents(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class MemoryDumpExportTest : public ::testing::Test {
protected:
    std::string exported(const MemoryDumpImage& dump, DumpFileFormat format)
    {
        const std::filesystem::path file = dir.path() / "dump";
        EXPECT_EQ(exportMemoryDump(dump, format, file), "");
        return contents(file);
    }
    TempDir dir;
};

TEST_F(MemoryDumpExportTest, ADumpWithoutPagesGivesEmptyFiles)
{
    EXPECT_EQ(exported(image(0, {}).image, DumpFileFormat::Binary), "");
    EXPECT_EQ(exported(image(0, {}).image, DumpFileFormat::Text), "");
}

TEST_F(MemoryDumpExportTest, WritesEveryDataWordOfThreePagesAndNothingElse)
{
    Words data = counting(3 * 128, 0xFF00);
    data[0] = 0x1234;
    data[1] = 0xFFFF;
    data[2] = 0;
    const DumpImage dump = image(3, data);

    std::string binary, text;
    for (uint16_t w : data) {
        binary += char(w & 0xFF);
        binary += char(w >> 8);
        text += std::to_string(w) + lineEnd;
    }
    const std::string writtenBinary = exported(dump.image, DumpFileFormat::Binary);
    EXPECT_EQ(writtenBinary.size(), 768u);
    EXPECT_EQ(writtenBinary.substr(0, 6), std::string("\x34\x12\xFF\xFF\x00\x00", 6));
    EXPECT_EQ(writtenBinary, binary);

    const std::string writtenText = exported(dump.image, DumpFileFormat::Text);
    EXPECT_EQ(writtenText.substr(0, 3 * lineEnd.size() + 10), "4660" + lineEnd + "65535" + lineEnd + "0" + lineEnd);
    EXPECT_EQ(writtenText, text);
    EXPECT_EQ(std::count(writtenText.begin(), writtenText.end(), '\n'), 384);
}

TEST_F(MemoryDumpExportTest, PagesTheArchiveDidNotHoldAreWrittenAsZeros)
{
    const Bytes page = le(counting(128, 0x0101));
    MemoryDumpImage dump(3, 0x0F00);
    dump.addPage(WordView(page.data(), page.size()));
    const std::string binary = exported(dump, DumpFileFormat::Binary);
    EXPECT_EQ(binary, std::string(page.begin(), page.end()) + std::string(512, '\0'));
    const std::string text = exported(dump, DumpFileFormat::Text);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 384);
    EXPECT_EQ(text.substr(text.size() - 2 * (1 + lineEnd.size())), "0" + lineEnd + "0" + lineEnd);
}

TEST_F(MemoryDumpExportTest, ReplacesAnExistingFile)
{
    dir.write("dump", Bytes(2000, 'x'));
    EXPECT_EQ(exported(image(1, {0x1234}).image, DumpFileFormat::Binary).size(), 256u);
}

TEST_F(MemoryDumpExportTest, AFileThatCannotBeOpenedIsReportedWithItsNameAndReason)
{
    const std::filesystem::path file = dir.path() / "missing folder" / "dump.bin";
    const std::string error = exportMemoryDump(image(1, {}).image, DumpFileFormat::Binary, file);
    EXPECT_EQ(error, "Cannot open \"" + file.string() + "\" for writing: No such file or directory.");
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(MemoryDumpExportTest, AFailedWriteIsReportedAndTheIncompleteFileNamed)
{
    const std::filesystem::path full = "/dev/full"; // accepts the open, refuses every byte
    if (!std::filesystem::exists(full))
        GTEST_SKIP() << "no /dev/full here";
    const std::string error = exportMemoryDump(image(3, {}).image, DumpFileFormat::Text, full);
    EXPECT_EQ(error, "Writing \"/dev/full\" failed: No space left on device. The file is incomplete.");
    EXPECT_TRUE(std::filesystem::exists(full));
}

class ExportableNodeTest : public DocumentTest {};

TEST_F(ExportableNodeTest, OnlyMemoryDumpNodesHoldADump)
{
    open(Archive().add({regularHk(), dumpHeader(0x00F0, 1), dumpPage(counting(128)), categoryPacket(7)}));
    size_t dumps = 0;
    for (NodeId id : doc.timeListNodes()) {
        const MemoryDumpImage* dump = memoryDumpOf(doc.tree(), id);
        EXPECT_EQ(dump != nullptr, doc.tree().kind(id) == NodeKind::MemoryDump) << doc.tree().text(id);
        if (dump) {
            ++dumps;
            EXPECT_EQ(dump->pageCount(), 1);
        }
    }
    EXPECT_EQ(dumps, 1u);
    EXPECT_EQ(memoryDumpOf(doc.tree(), doc.systemNode()), nullptr);
    EXPECT_EQ(memoryDumpOf(doc.tree(), noNode), nullptr);
}

} // namespace
