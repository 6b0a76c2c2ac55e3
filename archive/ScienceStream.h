#pragma once
// The science stream: one continuous run of 16-bit words, cut into numbered
// 126-word blocks, each carried by one transfer packet; it holds tagged records
// (TC, TI, HK, CD, PD, AG, AM, GC, MS) that become the datasets of the tree.

#include "CategoryTree.h"
#include "ESAPacket.h"

namespace orvik {

constexpr size_t scienceBlockWords = 126;

struct AssembledStream {
    std::vector<uint8_t> bytes; // words in the archive's byte order
    int32_t missing = 0;        // blocks missing from the sequence (negative where numbers repeat)
    size_t blocks = 0;          // transfer packets that supplied a block

    WordView words() const { return WordView(bytes.data(), bytes.size()); }
};

// Gathers every science block from packet `first` to the end of the list. Block b
// lands at (b - lowest block number) x 126 words; blocks nobody sent stay zero.
AssembledStream assembleStream(const std::vector<RawPacket>& packets, size_t first);

// Where the parser hangs its nodes: the group nodes of the tree and the dataset counter.
struct DatasetTarget {
    CategoryTree& tree;
    NodeId gcNode;
    NodeId gcmsNode;
    NodeId msNode;
    int32_t& datasetCounter;
};

// Cuts the stream into dataset nodes. Every record that lies completely within
// the stream yields its node; parsing ends at a record that runs past the end.
// `incomplete` marks every dataset "not complete!".
void parseScienceStream(WordView stream, bool incomplete, DatasetTarget target);

} // namespace orvik
