#pragma once
// Builds archives for the tests: frames with their headers, science streams of
// tagged records cut into 126-word blocks, and a temporary folder per test that
// holds the files.

#include "archive/ArchiveDocument.h"
#include "archive/FileName.h"
#include "archive/ScienceStream.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace orvik::test {

using Bytes = std::vector<uint8_t>;
using Words = std::vector<uint16_t>;

inline Bytes le(const Words& words)
{
    Bytes bytes(2 * words.size());
    for (size_t k = 0; k < words.size(); ++k)
        writeLe16(bytes.data() + 2 * k, words[k]);
    return bytes;
}

// first, first + 1, ...: words that show where they came from.
inline Words counting(size_t count, uint16_t first = 1)
{
    Words w(count);
    for (size_t k = 0; k < count; ++k)
        w[k] = uint16_t(first + k);
    return w;
}

// A dump image and the bytes its pages are read from, as a stored packet's would be.
struct DumpImage {
    Bytes bytes;
    MemoryDumpImage image;
};

// A dump image of `pages` pages held, filled from `data` in order (the rest zero).
inline DumpImage dumpImage(uint16_t pages, uint16_t memoryType, const Words& data)
{
    DumpImage dump{le(data), MemoryDumpImage(pages, memoryType)};
    const WordView words(dump.bytes.data(), dump.bytes.size());
    for (size_t p = 0; p < pages; ++p)
        dump.image.addPage(words.slice(p * MemoryDumpImage::pageWords, MemoryDumpImage::pageWords));
    return dump;
}

// A CSIB configuration block with the MS resolution word and the GC DAC channel word set.
inline Words csibConfiguration(uint16_t resolution, uint16_t dacChannels)
{
    Words block(CsibConfigRecord::wordCount, 0);
    block[CsibConfigRecord::csibWord] = resolution;
    block[CsibConfigRecord::dacChannelWord] = dacChannels;
    return block;
}

inline Bytes operator+(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Sync words, identification, sequence control and length word: the first 10 bytes of a frame.
inline Bytes frameHeader(uint16_t identification, uint16_t length)
{
    return le({ESAPacket::defaultSyncWord1, ESAPacket::defaultSyncWord2, identification, 0, length});
}

struct Packet {
    int processId = instrumentProcessId;
    bool dataFieldHeader = true;
    uint8_t serviceType = 1;
    uint8_t serviceSubtype = 0;
    Bytes data;
    uint32_t time = 0; // on-board 1/32 s count, in the first words of the data-field header

    Bytes frame() const
    {
        Bytes field = dataFieldHeader ? le({uint16_t(time >> 16), uint16_t(time), 0, serviceType, uint16_t(serviceSubtype << 8)}) : Bytes{};
        field = field + data;
        const auto identification = uint16_t((dataFieldHeader ? 0x0800 : 0) | (processId << 4));
        return frameHeader(identification, uint16_t(field.size() - 1)) + field;
    }
};

// An instrument packet: data word 0, the category word, then `more` data words.
inline Packet categoryPacket(int16_t category, const Words& more = {})
{
    return {.data = le({0, uint16_t(category)}) + le(more)};
}

inline Packet stampedAt(Packet packet, uint32_t time)
{
    packet.time = time;
    return packet;
}

inline Packet withProcessId(Packet packet, int processId)
{
    packet.processId = processId;
    return packet;
}

// A "Regular HK" packet carrying `block` after its first data word.
inline Packet regularHkWith(const Words& block)
{
    return {.serviceType = 3, .data = le({0}) + le(block)};
}

inline Packet regularHk()
{
    return regularHkWith({0});
}

inline Packet transfer(const Words& dataWords)
{
    return {.serviceType = 20, .serviceSubtype = 3, .data = le(dataWords)};
}

inline Packet dumpHeader(uint16_t memoryType, uint16_t pages)
{
    return categoryPacket(Category::MemoryDump, {0, memoryType, pages});
}

// A dump page: data words 1.. hold the page.
inline Packet dumpPage(const Words& page)
{
    Words words{0};
    words.insert(words.end(), page.begin(), page.end());
    return transfer(words);
}

class Archive {
public:
    Archive& add(const Packet& packet) { return raw(packet.frame()); }
    Archive& add(const std::vector<Packet>& packets)
    {
        for (const Packet& p : packets)
            add(p);
        return *this;
    }
    Archive& raw(const Bytes& bytes)
    {
        bytes_.insert(bytes_.end(), bytes.begin(), bytes.end()); // in place: archives of 70 000 packets are built
        return *this;
    }
    const Bytes& bytes() const { return bytes_; }

private:
    Bytes bytes_;
};

namespace Tag {
constexpr uint16_t TC = 0x5443, TI = 0x5449, HK = 0x484B, CD = 0x4344, PD = 0x5044, AG = 0x4147, AM = 0x414D,
                   GC = gcTag, MS = msTag;
}

// Telecommands whose words 1..3 choose the group a dataset goes under.
inline const Words msCommand = {0x0010, 1, 0, 0};
inline const Words gcCommand = {0x0010, 0, 1, 0};
inline const Words gcmsCommand = {0x0010, 0, 0, 1};
inline const Words untargetedCommand = {0x0010, 0, 0, 0};

class ScienceStreamBuilder {
public:
    ScienceStreamBuilder& words(const Words& w)
    {
        words_.insert(words_.end(), w.begin(), w.end());
        return *this;
    }
    ScienceStreamBuilder& counted(uint16_t tag, const Words& w)
    {
        return words({tag, uint16_t(w.size())}).words(w);
    }
    ScienceStreamBuilder& tc(const Words& w) { return counted(Tag::TC, w); }
    ScienceStreamBuilder& cd(const Words& w) { return counted(Tag::CD, w); }
    ScienceStreamBuilder& pd(const Words& w) { return counted(Tag::PD, w); }
    ScienceStreamBuilder& ti(uint32_t count) { return words({Tag::TI, uint16_t(count >> 16), uint16_t(count)}); }
    ScienceStreamBuilder& sweep(uint16_t tag, uint16_t fill = 0) { return words({tag}).words(Words(16, fill)); }
    ScienceStreamBuilder& spectrum(uint16_t tag, uint32_t time, const Words& samples)
    {
        return words({tag, uint16_t(samples.size() + 2), uint16_t(time >> 16), uint16_t(time)}).words(samples);
    }
    // Length word n, then the data words.
    ScienceStreamBuilder& hk(uint16_t n, const Words& data) { return words({Tag::HK, n}).words(data); }
    // Zero words (no tag) until the stream holds `count` words.
    ScienceStreamBuilder& padTo(size_t count) { return words(Words(count - words_.size(), 0)); }

    // Block k of the stream (zero-padded at the end) in a science packet carrying block number `number`.
    Packet block(size_t k, uint16_t number) const
    {
        Words w{0, uint16_t(Category::ScienceData), number};
        for (size_t i = k * scienceBlockWords; i < (k + 1) * scienceBlockWords; ++i)
            w.push_back(i < words_.size() ? words_[i] : 0);
        return transfer(w);
    }
    // Every block of the stream, numbered from `first` on.
    std::vector<Packet> blocks(uint16_t first = 0) const
    {
        std::vector<Packet> packets;
        for (size_t k = 0; k * scienceBlockWords < words_.size(); ++k)
            packets.push_back(block(k, uint16_t(first + k)));
        return packets;
    }

private:
    Words words_;
};

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir()
    {
        std::random_device random;
        do
            path_ = std::filesystem::temp_directory_path() / ("orvik-test-" + std::to_string(random()));
        while (!std::filesystem::create_directory(path_));
    }
    ~TempDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string write(const std::string& name, const Bytes& bytes) const
    {
        const std::filesystem::path file = path_ / pathOfName(name);
        std::ofstream out(file, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return nameOfPath(file);
    }

private:
    std::filesystem::path path_;
};

// Every node under `parent` in tree order, each as its path from there: "Dataset (0) > TC: ".
inline void collectOutline(const CategoryTree& tree, NodeId parent, const std::string& prefix,
                           std::vector<std::string>& out)
{
    for (NodeId child : tree.children(parent)) {
        const std::string path = prefix + tree.text(child);
        out.push_back(path);
        collectOutline(tree, child, path + " > ", out);
    }
}
inline std::vector<std::string> outline(const CategoryTree& tree, NodeId parent = noNode)
{
    std::vector<std::string> out;
    collectOutline(tree, parent, "", out);
    return out;
}

// Opens built archives in one document.
class DocumentTest : public ::testing::Test {
protected:
    void open(const Archive& archive, const std::string& name = "archive.cvlbin")
    {
        ASSERT_TRUE(doc.open(dir.write(name, archive.bytes()))) << doc.openError();
    }
    std::vector<std::string> timeList() const
    {
        std::vector<std::string> texts;
        for (NodeId id : doc.timeListNodes())
            texts.push_back(doc.tree().text(id));
        return texts;
    }

    TempDir dir;
    ArchiveDocument doc;
};

} // namespace orvik::test
