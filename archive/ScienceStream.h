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
#include <string>
#include <vector>

namespace orvik {

constexpr size_t scienceBlockWords = 126;
constexpr uint32_t blockNumbers = 0x10000; // block numbers are 16 bits wide
// The furthest a record reaches from its tag word: a TC or spectrum of 65 535 words
// after its tag and length words.
constexpr size_t longestRecordWords = 0xFFFF + 2;
// A gap between block numbers is kept only as many blocks wide as a record can reach.
constexpr size_t widestGapKept = (longestRecordWords + scienceBlockWords - 1) / scienceBlockWords;

// The stream assembled from its blocks, which may keep arriving. Blocks lie in the
// order of their numbers, each 126 words; the blocks nobody sent between two numbers
// stay zero, up to `widestGapKept` of them (as far as a record reaches). The room for
// the longest stream is taken at once (zeroed on demand, so the pages never written
// cost nothing): the words never move, and spectra read their samples in place.
class ScienceAssembly {
public:
    ScienceAssembly();
    ScienceAssembly(ScienceAssembly&&) = default;
    ScienceAssembly& operator=(ScienceAssembly&&) = default;

    // Gathers every science block of `packets`, as one assembly of a whole file does.
    void assemble(std::span<const RawPacket> packets);
    enum class Placed {
        Passed,   // not a science block, or too short to carry its number
        Added,    // the block took its place
        Conflict, // the block belongs before words already read, or moves the blocks after it: assemble anew
    };
    // Takes one more block, sent after all before; `wordsRead` are the words read so far.
    Placed add(const RawPacket& packet, size_t wordsRead);

    WordView words() const { return WordView(bytes_.data(), span_ * scienceBlockWords * 2); }
    // Per block position: whether any packet supplied it.
    const std::vector<bool>& blockSent() const { return blockSent_; }
    // The number of the block supplied at a position.
    uint16_t blockNumber(size_t position) const { return blockNumber_[position]; }
    int64_t missing() const { return missing_; } // blocks missing from the sequence (negative where numbers repeat)
    size_t blocks() const { return blocks_; }    // transfer packets that supplied a block

private:
    void count(uint16_t number);
    void put(const RawPacket& packet, uint16_t number, size_t position);

    PageBackedBuffer bytes_;
    size_t span_ = 0;
    std::vector<bool> blockSent_;
    std::vector<uint16_t> blockNumber_;
    struct SentNumber {
        uint16_t number;
        uint32_t position;
    };
    std::vector<SentNumber> sent_; // every number sent, rising, with its position
    int64_t expected_ = 0, missing_ = 0;
    size_t blocks_ = 0;
};

// Where the parser hangs its nodes: the group nodes of the tree and the dataset counter.
struct DatasetTarget {
    CategoryTree& tree;
    NodeId gcNode;
    NodeId gcmsNode;
    NodeId msNode;
    uint64_t& datasetCounter;
};

// "Dataset (" number ")", marked "not complete!" when blocks are missing.
std::string datasetText(uint64_t number, bool incomplete);

// Cuts the stream into dataset nodes, record by record, as far as the stream goes:
// every record that lies completely within the stream yields its node; parsing
// stops at a record that runs past the end, and goes on from there when the stream
// has grown. Blocks marked not sent in `blockSent` are known to be zero (blocks past
// its end count as sent). Spectra read their samples in place in the stream, which
// must live as long as their nodes.
class ScienceParser {
public:
    explicit ScienceParser(DatasetTarget target) : t_(target) {}
    // Parses on; `incomplete` marks the datasets made "not complete!". Returns where
    // the record that runs past the end starts, if one does.
    std::optional<size_t> parse(WordView stream, bool incomplete, const std::vector<bool>& blockSent = {});
    // The words read so far: a change below them changes what was parsed.
    size_t wordsRead() const { return reach_; }
    // The dataset group nodes made, in order (dataset k is number k of this parse).
    const std::vector<NodeId>& datasets() const { return datasets_; }

private:
    friend class RecordPass;
    DatasetTarget t_;
    size_t p_ = 0;
    size_t reach_ = 0;
    NodeId dataset_ = noNode;
    NodeId datasetParent_ = noNode;
    NodeId sweepGroup_ = noNode;
    uint32_t sweepNumber_ = 0;
    uint32_t spectrumNumber_ = 0;
    uint16_t csibWord_ = 0xFFFF;
    std::vector<NodeId> datasets_;
};

// One parse of a whole stream.
std::optional<size_t> parseScienceStream(WordView stream, bool incomplete, DatasetTarget target,
                                         const std::vector<bool>& blockSent = {});

} // namespace orvik
