#pragma once

// A small archive reader of the tests' own, written from the archive format and kept apart from
// the simulator's writer, so that the tests check the bytes and not the writer against itself.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvik::sim::test {

struct Frame {
    std::string_view bytes; // the whole frame, sync words included
    size_t offset = 0;      // in the archive
};

struct Walk {
    std::vector<Frame> frames;
    size_t strayBytes = 0;
    std::vector<std::string> problems; // empty for a well-formed archive
};

// Searches sync words in 2-byte steps as the ground does and checks each frame: length L + 11
// within the file and even, data-field header present; stray bytes never hold the first sync word.
Walk walkFrames(std::string_view archive);

uint16_t wordAt(const Frame& frame, size_t byteOffset);
// Data word k: the word at byte 20 + 2k; none beyond the frame.
std::optional<uint16_t> dataWord(const Frame& frame, size_t k);
unsigned processId(const Frame& frame);
unsigned serviceType(const Frame& frame);
unsigned serviceSubtype(const Frame& frame);
bool isTransfer(const Frame& frame); // service (20, 3)
bool isScienceBlock(const Frame& frame);

constexpr unsigned kInstrument = 113;

// The science stream as the ground assembles and parses it.
struct Record {
    uint16_t tag;
    size_t position;
    size_t end; // one past the record's last word
};

struct Stream {
    std::vector<uint16_t> blockNumbers; // in file order
    std::vector<uint16_t> words;        // block `first` at word 0
    size_t lastOffset = 0;
    std::vector<Record> records;        // those that start where the ground parses
    size_t parseEnd = 0;                // where parsing stopped
};

Stream assembleStream(const std::vector<Frame>& frames);

} // namespace orvik::sim::test
