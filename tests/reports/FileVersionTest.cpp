// The version information: the block the build embeds, and fileVersionOf
// reading it from executables and from files that have none or a broken one.

#include "tests/archive/ArchiveBuilder.h"
#include "reports/FileVersion.h"
#include "reports/VersionBlock.h"

#include <fstream>
#include <iterator>

using namespace orvik;
using namespace orvik::reports;
using namespace orvik::test;

namespace {

constexpr VersionInfo designed{.fileVersion = {0, 1, 5, 8},
                               .productVersion = {1, 0, 0, 0},
                               .fileVersionText = "0.1.5.8",
                               .fileDescription = "ORVIK EGSE",
                               .productVersionText = "1.0.0.0"};

Bytes blockOf(const VersionInfo& info)
{
    return VersionBlockWriter(info).toVector();
}

TEST(VersionBlockTest, HoldsTheFixedVersionTheStringTableAndTheTranslation)
{
    const Bytes block = blockOf(designed);
    const VersionBlockReader reader(block.data(), block.size());
    EXPECT_EQ(readLe16(block.data()), block.size()) << "the root's length covers the block";

    const auto fixed = reader.binary("\\");
    ASSERT_TRUE(fixed);
    ASSERT_EQ(fixed->size(), 52u);
    const WordView f(fixed->data(), fixed->size());
    EXPECT_EQ(f.wordOr(0) | f.wordOr(1) << 16, 0xFEEF04BDu);
    EXPECT_EQ(std::vector<uint16_t>({f.wordOr(5), f.wordOr(4), f.wordOr(7), f.wordOr(6)}),
              std::vector<uint16_t>({0, 1, 5, 8}));

    EXPECT_EQ(reader.binary("\\VarFileInfo\\Translation"), Bytes({0x07, 0x04, 0xE4, 0x04}));
    EXPECT_EQ(reader.text("\\StringFileInfo\\040704E4\\FileVersion"), "0.1.5.8");
    EXPECT_EQ(reader.text("\\stringfileinfo\\040704e4\\FileDescription"), "ORVIK EGSE");
    EXPECT_EQ(reader.text("\\StringFileInfo\\040704E4\\ProductVersion"), "1.0.0.0");
    EXPECT_EQ(reader.text("\\StringFileInfo\\040704E4\\CompanyName"), std::nullopt);

    std::string version = "unchanged";
    EXPECT_EQ(reader.fileVersion(version), 0);
    EXPECT_EQ(version, "0.1.5.8");
}

TEST(VersionBlockTest, AStringTableForAnotherTranslationHasNoFileVersion)
{
    VersionInfo other = designed;
    other.tableTranslation = std::pair<uint16_t, uint16_t>(0x0409, 0x04B0);
    const Bytes block = blockOf(other);
    std::string version;
    EXPECT_EQ(VersionBlockReader(block.data(), block.size()).fileVersion(version), -3);
    EXPECT_EQ(version, "");
}

TEST(VersionBlockTest, NeverReadsOutsideABrokenBlock)
{
    const Bytes block = blockOf(designed);
    for (size_t cut = 0; cut < block.size(); ++cut) {
        Bytes broken = block;
        broken[cut] ^= 0xFF;
        std::string version = "unchanged";
        const int result = VersionBlockReader(broken.data(), broken.size()).fileVersion(version);
        EXPECT_TRUE(result == 0 || (result == -3 && version == "unchanged")) << cut;
        std::string shortVersion = "unchanged";
        const int shortResult = VersionBlockReader(block.data(), cut).fileVersion(shortVersion);
        EXPECT_EQ(shortResult, -3) << cut;
        EXPECT_EQ(shortVersion, "unchanged");
    }
}

class FileVersionTest : public ::testing::Test {
protected:
    int versionOf(const std::string& name, const Bytes& bytes, std::string& version)
    {
        return fileVersionOf(dir.write(name, bytes), version);
    }
    TempDir dir;
};

TEST_F(FileVersionTest, ReadsTheBlockEmbeddedInThisProgram)
{
    std::string version;
    EXPECT_EQ(fileVersionOf(ORVIK_TEST_PROGRAM, version), 0);
    EXPECT_EQ(version, "0.1.5.8");

    std::ifstream in(ORVIK_TEST_PROGRAM, std::ios::binary);
    const std::vector<uint8_t> file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const std::optional<EmbeddedBlock> block = findVersionBlock(file);
    ASSERT_TRUE(block);
    const VersionBlockReader reader(file.data() + block->offset, block->length);
    EXPECT_EQ(reader.text("\\StringFileInfo\\040704E4\\FileDescription"), "ORVIK EGSE");
    EXPECT_EQ(reader.text("\\StringFileInfo\\040704E4\\ProductVersion"), "1.0.0.0");
}

#ifdef _WIN32
// Windows reads the version resource through its own calls, whatever the program's path.
TEST_F(FileVersionTest, ReadsTheResourceOfAProgramNamedBeyondAscii)
{
    const std::filesystem::path copy = dir.path() / pathOfName("Prüfprogramm Ωμέγα.exe");
    std::filesystem::copy_file(ORVIK_TEST_PROGRAM, copy);
    std::string version;
    EXPECT_EQ(fileVersionOf(copy, version), 0);
    EXPECT_EQ(version, "0.1.5.8");
}
#else
// Elsewhere the block is searched for in the file; Windows reads only a resource.
TEST_F(FileVersionTest, FindsABlockAnywhereInAFile)
{
    std::string version;
    EXPECT_EQ(versionOf("program", Bytes(1001, 0x56) + blockOf(designed) + Bytes(77, 0), version), 0);
    EXPECT_EQ(version, "0.1.5.8");
}

#endif

TEST_F(FileVersionTest, AFileWithoutVersionInformationGivesMinusOne)
{
    std::string version = "unchanged";
    EXPECT_EQ(versionOf("plain.txt", le(counting(5000)), version), -1);
    EXPECT_EQ(versionOf("empty", {}, version), -1);
    EXPECT_EQ(fileVersionOf(dir.path() / "no such file", version), -1);
    EXPECT_EQ(version, "unchanged");
}

#ifndef _WIN32
TEST_F(FileVersionTest, ABlockCutShortByTheEndOfTheFileGivesMinusTwo)
{
    const Bytes block = blockOf(designed);
    std::string version = "unchanged";
    EXPECT_EQ(versionOf("cut", Bytes(16, 0) + Bytes(block.begin(), block.end() - 20), version), -2);
    EXPECT_EQ(version, "unchanged");
}

TEST_F(FileVersionTest, AMissingFileVersionEntryGivesMinusThree)
{
    VersionInfo other = designed;
    other.tableTranslation = std::pair<uint16_t, uint16_t>(0x0407, 0x04B0);
    std::string version = "unchanged";
    EXPECT_EQ(versionOf("other table", blockOf(other), version), -3);
    EXPECT_EQ(version, "unchanged");
}
#endif

} // namespace
