// Archives as other programs leave them: named beyond ASCII, and held open for writing
// while they are read. Windows passes names and shares files differently from the others.

#include "archive/ArchiveDocument.h"
#include "tests/archive/ArchiveBuilder.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace orvik {
namespace {

using test::Archive;
using test::Bytes;

// A name no single-byte code page holds.
const std::string foreignName = "Prüfstand Ωμέγα 試験.cvlbin";

// Holds an archive open for writing as an acquisition program does; on Windows it lets
// others read the file, no more.
class Writer {
public:
    explicit Writer(const std::string& name)
    {
#ifdef _WIN32
        file_ = CreateFileW(pathOfName(name).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
        opened_ = file_ != INVALID_HANDLE_VALUE;
#else
        out_.open(pathOfName(name), std::ios::binary | std::ios::trunc);
        opened_ = bool(out_);
#endif
    }
    ~Writer()
    {
#ifdef _WIN32
        if (opened_)
            CloseHandle(file_);
#endif
    }
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    bool opened() const { return opened_; }
    bool write(const Bytes& bytes)
    {
#ifdef _WIN32
        DWORD written = 0;
        return WriteFile(file_, bytes.data(), DWORD(bytes.size()), &written, nullptr) && written == bytes.size();
#else
        out_.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return bool(out_.flush());
#endif
    }

private:
#ifdef _WIN32
    HANDLE file_ = INVALID_HANDLE_VALUE;
#else
    std::ofstream out_;
#endif
    bool opened_ = false;
};

TEST(SharedFileTest, AnArchiveNamedBeyondAsciiOpensAndAWarningNamesIt)
{
    test::TempDir dir;
    const std::string name = dir.write(foreignName, Archive().add(test::regularHk()).bytes());
    EXPECT_TRUE(std::filesystem::exists(dir.path() / pathOfName(foreignName)));
    EXPECT_EQ(nameOfPath(pathOfName(name)), name);
    ArchiveDocument doc;
    ASSERT_TRUE(doc.open(name)) << doc.openError();
    EXPECT_EQ(doc.timeListNodes().size(), 1u);
    EXPECT_EQ(doc.follow().change, ESAPacket::FileChange::None);

    const std::string empty = dir.write("Ωμέγα.dat", {});
    ASSERT_TRUE(doc.open(empty)) << doc.openError();
    EXPECT_THAT(doc.warnings(), ::testing::ElementsAre("No packet was found in " + empty +
                                                       ": it is not an archive of this kind, or it is empty"));
}

TEST(SharedFileTest, AnArchiveHeldOpenForWritingIsReadAndFollowedAsItGrows)
{
    test::TempDir dir;
    const std::string name = nameOfPath(dir.path() / pathOfName(foreignName));
    const Bytes packet = Archive().add(test::regularHk()).bytes();
    Writer writer(name);
    ASSERT_TRUE(writer.opened());
    ASSERT_TRUE(writer.write(packet));

    ArchiveDocument doc;
    ASSERT_TRUE(doc.open(name)) << doc.openError();
    EXPECT_EQ(doc.timeListNodes().size(), 1u);
    ASSERT_TRUE(writer.write(test::operator+(packet, packet)));
    EXPECT_EQ(doc.follow().change, ESAPacket::FileChange::Grown);
    EXPECT_EQ(doc.timeListNodes().size(), 3u);
    EXPECT_TRUE(doc.warnings().empty());
}

} // namespace
} // namespace orvik
