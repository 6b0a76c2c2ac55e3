#pragma once
// The science stream: one continuous run of 16-bit words, cut into numbered
// 126-word blocks, each carried by one transfer packet; it holds tagged records
// (TC, TI, HK, CD, PD, AG, AM, GC, MS) that become the datasets of the tree.

#include "archive/CategoryTree.h"
#include "archive/ESAPacket.h"

#include <cstdlib>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace orvik {

constexpr size_t scienceBlockWords = 126;
constexpr uint32_t blockNumbers = 0x10000; // block numbers are 16 bits wide
// The furthest a record reaches from its tag word: a TC or spectrum of 65 535 words
// after its tag and length words.
constexpr size_t longestRecordWords = 0xFFFF + 2;
// A gap between block numbers is kept only as many blocks wide as a record can reach.
constexpr size_t widestGapKept = (longestRecordWords + scienceBlockWords - 1) / scienceBlockWords;

struct AssembledStream {
    struct Free {
        void operator()(uint8_t* p) const { std::free(p); }
    };
    // Words in the archive's byte order. Zeroed by calloc, so that the pages of a wide
    // gap between block numbers are never touched: the parser passes over them unread.
    std::unique_ptr<uint8_t[], Free> bytes;
    size_t byteCount = 0;
    std::vector<bool> blockSent;       // per block position: whether any packet supplied it
    std::vector<uint16_t> blockNumber; // per block position: the number of the block supplied there
    int64_t missing = 0;         // blocks missing from the sequence (negative where numbers repeat)
    size_t blocks = 0;           // transfer packets that supplied a block

    WordView words() const { return WordView(bytes.get(), byteCount); }
};

// Gathers every science block from packet `first` to the end of the list. Blocks
// lie in the order of their numbers, each 126 words; the blocks nobody sent between
// two numbers stay zero, up to `widestGapKept` of them (as far as a record reaches).
AssembledStream assembleStream(std::span<const RawPacket> packets, size_t first);

// Where the parser hangs its nodes: the group nodes of the tree and the dataset counter.
struct DatasetTarget {
    CategoryTree& tree;
    NodeId gcNode;
    NodeId gcmsNode;
    NodeId msNode;
    uint64_t& datasetCounter;
};

// Cuts the stream into dataset nodes. Every record that lies completely within
// the stream yields its node; parsing ends at a record that runs past the end.
// `incomplete` marks every dataset "not complete!". Blocks marked not sent in
// `blockSent` are known to be zero (blocks past its end count as sent). Returns
// where the record that runs past the end starts, if one does. Spectra read their
// samples in place in `stream`, which must live as long as their nodes.
std::optional<size_t> parseScienceStream(WordView stream, bool incomplete, DatasetTarget target,
                                         const std::vector<bool>& blockSent = {});

} // namespace orvik
