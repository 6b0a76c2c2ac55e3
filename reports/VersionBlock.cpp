#include "reports/VersionBlock.h"

#include "archive/WordView.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace orvik::reports {

namespace {

constexpr size_t align4(size_t n)
{
    return (n + 3) & ~size_t(3);
}

std::u16string utf16(std::string_view ascii)
{
    return {ascii.begin(), ascii.end()};
}

bool sameKey(const std::u16string& a, const std::u16string& b)
{
    const auto lower = [](char16_t c) { return c < 128 ? char16_t(std::tolower(int(c))) : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char16_t x, char16_t y) { return lower(x) == lower(y); });
}

} // namespace

std::optional<VersionBlockReader::Node> VersionBlockReader::nodeAt(size_t start, size_t limit) const
{
    if (start + 6 > limit)
        return std::nullopt;
    Node n;
    n.start = start;
    const size_t length = readLe16(block_ + start);
    n.valueLength = readLe16(block_ + start + 2);
    n.type = readLe16(block_ + start + 4);
    if (length < 6 || start + length > limit)
        return std::nullopt;
    n.end = start + length;
    size_t k = start + 6;
    for (;; k += 2) {
        if (k + 2 > n.end)
            return std::nullopt; // a key without its terminator
        const char16_t c = readLe16(block_ + k);
        if (c == 0)
            break;
        n.key.push_back(c);
    }
    n.valueStart = std::min(align4(k + 2), n.end);
    const size_t valueBytes = n.type == 1 ? 2 * size_t(n.valueLength) : n.valueLength;
    n.valueEnd = std::min(n.valueStart + valueBytes, n.end);
    n.childrenStart = std::min(align4(n.valueEnd), n.end);
    return n;
}

std::optional<VersionBlockReader::Node> VersionBlockReader::find(std::string_view path) const
{
    std::optional<Node> node = nodeAt(0, size_);
    if (!node)
        return std::nullopt;
    while (!path.empty()) {
        if (path.front() == '\\') {
            path.remove_prefix(1);
            continue;
        }
        const size_t cut = std::min(path.find('\\'), path.size());
        const std::u16string key = utf16(path.substr(0, cut));
        path.remove_prefix(cut);
        std::optional<Node> match;
        for (size_t at = node->childrenStart; at < node->end && !match;) {
            const std::optional<Node> child = nodeAt(at, node->end);
            if (!child)
                return std::nullopt;
            if (sameKey(child->key, key))
                match = child;
            at = align4(child->end);
        }
        if (!match)
            return std::nullopt;
        node = match;
    }
    return node;
}

std::optional<std::vector<uint8_t>> VersionBlockReader::binary(std::string_view path) const
{
    const std::optional<Node> node = find(path);
    if (!node)
        return std::nullopt;
    return std::vector<uint8_t>(block_ + node->valueStart, block_ + node->valueEnd);
}

std::optional<std::string> VersionBlockReader::text(std::string_view path) const
{
    const std::optional<std::vector<uint8_t>> value = binary(path);
    if (!value)
        return std::nullopt;
    std::string s;
    for (size_t k = 0; k + 1 < value->size(); k += 2) {
        const uint16_t c = readLe16(value->data() + k);
        if (c == 0)
            break;
        s.push_back(c < 128 ? char(c) : '?'); // the block's strings are ASCII
    }
    return s;
}

int VersionBlockReader::fileVersion(std::string& version) const
{
    const std::optional<std::vector<uint8_t>> translation = binary("\\VarFileInfo\\Translation");
    if (!translation || translation->size() < 4)
        return -3;
    char table[9];
    std::snprintf(table, sizeof table, "%04X%04X", unsigned(readLe16(translation->data())),
                  unsigned(readLe16(translation->data() + 2)));
    const std::optional<std::string> found = text(std::string("\\StringFileInfo\\") + table + "\\FileVersion");
    if (!found)
        return -3;
    version = *found;
    return 0;
}

std::optional<EmbeddedBlock> findVersionBlock(const std::vector<uint8_t>& file)
{
    // The key in UTF-16, built here so that no copy of it in this program's own
    // constant data can be taken for the block.
    std::vector<uint8_t> key;
    for (char c : std::string_view("VS_VERSION_INFO"))
        key.insert(key.end(), {uint8_t(c), 0});
    key.insert(key.end(), {0, 0});

    constexpr size_t keyOffset = 6, fixedInfoOffset = 40, fixedInfoBytes = 52;
    for (auto at = file.begin();
         (at = std::search(at, file.end(), key.begin(), key.end())) != file.end(); ++at) {
        const auto pos = size_t(at - file.begin());
        if (pos < keyOffset || pos - keyOffset + fixedInfoOffset + fixedInfoBytes > file.size())
            continue;
        const uint8_t* header = file.data() + pos - keyOffset;
        const uint32_t signature = uint32_t(readLe16(header + fixedInfoOffset)) |
                                  uint32_t(readLe16(header + fixedInfoOffset + 2)) << 16;
        if (readLe16(header + 2) == fixedInfoBytes && readLe16(header + 4) == 0 &&
            signature == VersionBlockWriter::fixedInfoSignature)
            return EmbeddedBlock{pos - keyOffset, readLe16(header)};
    }
    return std::nullopt;
}

} // namespace orvik::reports
