#include "tests/sim/FrameWalker.h"

#include <algorithm>
#include <iterator>

namespace orvik::sim::test {

namespace {

uint16_t wordIn(std::string_view bytes, size_t offset)
{
    return static_cast<uint16_t>(static_cast<unsigned char>(bytes[offset]) | static_cast<unsigned char>(bytes[offset + 1]) << 8);
}

bool isTag(uint16_t word)
{
    constexpr uint16_t kTags[] = {0x5443, 0x5449, 0x484B, 0x4344, 0x5044, 0x4147, 0x414D, 0x4743, 0x4D53};
    return std::find(std::begin(kTags), std::end(kTags), word) != std::end(kTags);
}

// Where the next record starts, by the format table; 1 past an untagged word.
size_t recordLength(const std::vector<uint16_t>& w, size_t p)
{
    auto at = [&w](size_t i) -> size_t { return i < w.size() ? w[i] : 0; };
    switch (w[p]) {
    case 0x5443: case 0x4344: case 0x5044: case 0x4743: case 0x4D53: return at(p + 1) + 2; // TC CD PD GC MS
    case 0x484B: return at(p + 1) + 1;                                                      // HK
    case 0x5449: return 3;                                                                  // TI
    case 0x4147: case 0x414D: return 17;                                                    // AG AM
    default: return 1;
    }
}

} // namespace

Walk walkFrames(std::string_view archive)
{
    Walk walk;
    size_t pos = 0;
    while (pos + 2 <= archive.size()) {
        const bool sync = pos + 4 <= archive.size() && wordIn(archive, pos) == 0x1ACF && wordIn(archive, pos + 2) == 0xFC1D;
        if (!sync) {
            if (wordIn(archive, pos) == 0x1ACF)
                walk.problems.push_back("stray sync word at " + std::to_string(pos));
            walk.strayBytes += 2;
            pos += 2;
            continue;
        }
        if (pos + 20 > archive.size()) {
            walk.problems.push_back("header cut short at " + std::to_string(pos));
            break;
        }
        const size_t length = wordIn(archive, pos + 8) + 11u;
        if (length % 2 != 0)
            walk.problems.push_back("odd frame length at " + std::to_string(pos));
        if ((wordIn(archive, pos + 4) & 0x0800) == 0)
            walk.problems.push_back("no data-field header at " + std::to_string(pos));
        if (pos + length > archive.size()) {
            walk.problems.push_back("frame cut short at " + std::to_string(pos));
            break;
        }
        walk.frames.push_back({archive.substr(pos, length), pos});
        pos += length;
    }
    if (pos != archive.size())
        walk.problems.push_back("odd byte at the end");
    return walk;
}

uint16_t wordAt(const Frame& frame, size_t byteOffset)
{
    return wordIn(frame.bytes, byteOffset);
}

std::optional<uint16_t> dataWord(const Frame& frame, size_t k)
{
    const size_t offset = 20 + 2 * k;
    if (offset + 2 > frame.bytes.size())
        return std::nullopt;
    return wordAt(frame, offset);
}

unsigned processId(const Frame& frame) { return (wordAt(frame, 4) & 0x07F0u) >> 4; }
unsigned serviceType(const Frame& frame) { return wordAt(frame, 16) & 0xFFu; }
unsigned serviceSubtype(const Frame& frame) { return wordAt(frame, 18) >> 8; }
bool isTransfer(const Frame& frame) { return serviceType(frame) == 20 && serviceSubtype(frame) == 3; }
bool isScienceBlock(const Frame& frame) { return isTransfer(frame) && dataWord(frame, 1) == 2; }

Stream assembleStream(const std::vector<Frame>& frames)
{
    Stream stream;
    std::vector<const Frame*> blocks;
    for (const Frame& frame : frames) {
        if (isScienceBlock(frame)) {
            blocks.push_back(&frame);
            stream.blockNumbers.push_back(*dataWord(frame, 2));
        }
    }
    if (blocks.empty())
        return stream;
    const uint16_t first = stream.blockNumbers.front();
    const uint16_t largest = *std::max_element(stream.blockNumbers.begin(), stream.blockNumbers.end());
    stream.words.assign((largest - first + 1u) * 126u, 0);
    for (size_t i = 0; i < blocks.size(); ++i) {
        const size_t offset = static_cast<size_t>(stream.blockNumbers[i] - first) * 126;
        stream.lastOffset = std::max(stream.lastOffset, offset);
        for (size_t k = 0; k < 126; ++k)
            stream.words[offset + k] = dataWord(*blocks[i], 3 + k).value_or(0);
    }
    size_t p = 0;
    while (p + 126 < stream.lastOffset) {
        const size_t length = recordLength(stream.words, p);
        if (isTag(stream.words[p]))
            stream.records.push_back({stream.words[p], p, p + length});
        p += length;
    }
    stream.parseEnd = p;
    return stream;
}

} // namespace orvik::sim::test
