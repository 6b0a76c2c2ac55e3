#pragma once
// The program's version information as a Windows version resource lays it out
// (VS_VERSIONINFO): a fixed file version, one string table per translation and
// the list of translations. On Windows the build links it as a real resource;
// elsewhere the build embeds the same block in the executable, and the
// reader below finds it there.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace orvik::reports {

struct VersionInfo {
    std::array<uint16_t, 4> fileVersion{};    // fixed file version, e.g. 0.1.5.8
    std::array<uint16_t, 4> productVersion{};
    uint16_t language = 0x0407; // of the string table and of the translation entry
    uint16_t codePage = 0x04E4;
    std::string_view fileVersionText;     // the FileVersion string
    std::string_view fileDescription;
    std::string_view productVersionText;
    // A string table for another translation than the one listed (for checking readers).
    std::optional<std::pair<uint16_t, uint16_t>> tableTranslation = std::nullopt;
};

// Writes the block. constexpr, so that the build can embed it as constant data.
class VersionBlockWriter {
public:
    static constexpr size_t capacity = 1024;
    static constexpr uint32_t fixedInfoSignature = 0xFEEF04BD;

    constexpr explicit VersionBlockWriter(const VersionInfo& v)
    {
        const size_t root = open("VS_VERSION_INFO", 13 * 4, binaryType);
        const uint32_t fixed[13] = {fixedInfoSignature, 0x00010000,
                                    pair(v.fileVersion[0], v.fileVersion[1]), pair(v.fileVersion[2], v.fileVersion[3]),
                                    pair(v.productVersion[0], v.productVersion[1]),
                                    pair(v.productVersion[2], v.productVersion[3]),
                                    0x3F, 0, 0x00040004 /* Windows NT, 32 bit */, 1 /* application */, 0, 0, 0};
        for (uint32_t d : fixed)
            u32(d);

        const size_t strings = open("StringFileInfo", 0, textType);
        const auto table = v.tableTranslation.value_or(std::pair(v.language, v.codePage));
        char tableName[9] = {};
        hex4(tableName, table.first);
        hex4(tableName + 4, table.second);
        const size_t tableNode = open(std::string_view(tableName, 8), 0, textType);
        string("FileVersion", v.fileVersionText);
        string("FileDescription", v.fileDescription);
        string("ProductVersion", v.productVersionText);
        close(tableNode);
        close(strings);

        const size_t vars = open("VarFileInfo", 0, textType);
        const size_t translation = open("Translation", 4, binaryType);
        u16(v.language);
        u16(v.codePage);
        close(translation);
        close(vars);
        close(root);
    }

    constexpr size_t size() const { return size_; }
    constexpr const std::array<uint8_t, capacity>& bytes() const { return bytes_; }
    std::vector<uint8_t> toVector() const { return {bytes_.begin(), bytes_.begin() + std::ptrdiff_t(size_)}; }

private:
    static constexpr uint16_t binaryType = 0, textType = 1;

    static constexpr uint32_t pair(uint16_t high, uint16_t low) { return uint32_t(high) << 16 | low; }
    static constexpr void hex4(char* out, uint16_t v)
    {
        for (int i = 0; i < 4; ++i)
            out[i] = "0123456789ABCDEF"[(v >> (12 - 4 * i)) & 0xF];
    }

    constexpr void u8(uint8_t b)
    {
        if (size_ == capacity)
            throw std::length_error("version block too large");
        bytes_[size_++] = b;
    }
    constexpr void u16(uint16_t w)
    {
        u8(uint8_t(w & 0xFF));
        u8(uint8_t(w >> 8));
    }
    constexpr void u32(uint32_t d)
    {
        u16(uint16_t(d & 0xFFFF));
        u16(uint16_t(d >> 16));
    }
    // Every node, value and child starts on a 32-bit boundary of the block.
    constexpr void align()
    {
        while (size_ % 4 != 0)
            u8(0);
    }
    // ASCII text as UTF-16 with its terminator.
    constexpr void text(std::string_view s)
    {
        for (char c : s)
            u16(uint16_t(uint8_t(c)));
        u16(0);
    }
    constexpr void patch16(size_t at, uint16_t w)
    {
        bytes_[at] = uint8_t(w & 0xFF);
        bytes_[at + 1] = uint8_t(w >> 8);
    }
    // Header and key of a node; its length is filled in by close().
    constexpr size_t open(std::string_view key, uint16_t valueLength, uint16_t type)
    {
        align();
        const size_t start = size_;
        u16(0);
        u16(valueLength);
        u16(type);
        text(key);
        align();
        return start;
    }
    constexpr void close(size_t start) { patch16(start, uint16_t(size_ - start)); }
    // A string entry; its value length counts UTF-16 units with the terminator.
    constexpr void string(std::string_view key, std::string_view value)
    {
        const size_t node = open(key, uint16_t(value.size() + 1), textType);
        text(value);
        close(node);
    }

    std::array<uint8_t, capacity> bytes_{};
    size_t size_ = 0;
};

// Reads a block as the platform's version query does. Never reads outside it.
class VersionBlockReader {
public:
    VersionBlockReader(const uint8_t* block, size_t size) : block_(block), size_(size) {}

    // The value of a sub-block such as "\VarFileInfo\Translation" (raw bytes) or
    // "\StringFileInfo\040704E4\FileVersion" (text, without its terminator).
    // Keys compare without regard to case. None when the path is not there.
    std::optional<std::vector<uint8_t>> binary(std::string_view path) const;
    std::optional<std::string> text(std::string_view path) const;

    // The FileVersion string of the first translation's string table:
    // 0 and `version` set, or -3 (`version` unchanged) when there is none.
    int fileVersion(std::string& version) const;

private:
    struct Node {
        size_t start = 0, end = 0;
        uint16_t valueLength = 0, type = 0;
        std::u16string key;
        size_t valueStart = 0, valueEnd = 0, childrenStart = 0;
    };
    std::optional<Node> nodeAt(size_t start, size_t limit) const;
    std::optional<Node> find(std::string_view path) const;

    const uint8_t* block_;
    size_t size_;
};

// Where an embedded block starts in a file's bytes, and how long it says it is.
struct EmbeddedBlock {
    size_t offset = 0;
    size_t length = 0;
};
// Finds the first well-formed block header (key "VS_VERSION_INFO", fixed file
// information with its signature) in a file's bytes.
std::optional<EmbeddedBlock> findVersionBlock(const std::vector<uint8_t>& file);

} // namespace orvik::reports
