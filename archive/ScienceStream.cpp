#include "archive/ScienceStream.h"

#include "archive/OnBoardTime.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <new>

namespace orvik {

namespace {

namespace Tag {
constexpr uint16_t TC = 0x5443, TI = 0x5449, HK = 0x484B, CD = 0x4344, PD = 0x5044, AG = 0x4147, AM = 0x414D,
                   GC = gcTag, MS = msTag;
}

constexpr uint16_t noCsibWord = 0xFFFF;

class Parser {
public:
    Parser(WordView stream, bool incomplete, DatasetTarget target, const std::vector<bool>& blockSent)
        : s_(stream), incomplete_(incomplete), t_(target), blockSent_(blockSent)
    {
    }

    std::optional<size_t> run()
    {
        size_t p = 0;
        while (p < s_.wordCount()) {
            const size_t next = record(p);
            if (next == 0)
                return p; // the record runs past the end of the stream
            p = next;
        }
        return std::nullopt;
    }

private:
    // Handles the record at p and returns where the next one starts, or 0 when
    // the record does not lie completely within the stream.
    size_t record(size_t p)
    {
        const size_t end = s_.wordCount();
        const auto fits = [end](size_t next) { return next <= end; };
        const size_t n = s_.wordOr(p + 1);
        switch (s_.wordOr(p)) {
        case Tag::TC:
            if (!fits(p + n + 2))
                return 0;
            telecommand(s_.slice(p + 1, n + 1));
            return p + n + 2;
        case Tag::TI:
            if (!fits(p + 3))
                return 0;
            add(NodeWrapper(NodeKind::Time, ticksFromSignedCount(s_.wordOr(p + 1), s_.wordOr(p + 2))));
            return p + 3;
        case Tag::HK:
            // 106 data words whatever the length word says; the next tag follows at p + n + 1.
            if (!fits(p + 108) || !fits(p + n + 1))
                return 0;
            add(NodeWrapper(NodeKind::FullHk, makeRecord<FullHkRecord>(s_.from(p + 2))));
            return p + n + 1;
        case Tag::CD:
            if (!fits(p + n + 2))
                return 0;
            {
                auto config = makeRecord<CsibConfigRecord>(s_.slice(p + 2, n));
                csibWord_ = config->words().wordOr(CsibConfigRecord::csibWord);
                add(NodeWrapper(NodeKind::CsibConfig, std::move(config)));
            }
            return p + n + 2;
        case Tag::PD:
            if (!fits(p + n + 2))
                return 0;
            add(NodeWrapper(NodeKind::CsibParameter, makeRecord<CsibParameterRecord>(s_.slice(p + 2, n))));
            return p + n + 2;
        case Tag::AG:
        case Tag::AM:
            if (!fits(p + 17))
                return 0;
            sweep(s_.wordOr(p) == Tag::AG, s_.from(p + 1));
            return p + 17;
        case Tag::GC:
        case Tag::MS:
            if (!fits(p + n + 2))
                return 0;
            spectrum(s_.wordOr(p), n, s_.slice(p + 2, n));
            return p + n + 2;
        default:
            return pastBlocksNotSent(p + 1);
        }
    }

    // Blocks nobody sent are zero, and a zero word is no tag: a gap of thousands of
    // blocks is passed over at once rather than word by word.
    size_t pastBlocksNotSent(size_t p) const
    {
        for (size_t block = p / scienceBlockWords; block < blockSent_.size() && !blockSent_[block]; ++block)
            p = (block + 1) * scienceBlockWords;
        return p;
    }

    template <class R>
    static std::unique_ptr<R> makeRecord(WordView words)
    {
        auto r = std::make_unique<R>();
        r->fill(words);
        return r;
    }

    NodeId add(NodeWrapper wrapper, uint32_t number = 0)
    {
        return t_.tree.addNode(dataset_, std::move(wrapper), number);
    }

    // `words` holds the count n and the n telecommand words w0..w(n-1).
    void telecommand(WordView words)
    {
        auto tc = makeRecord<TelecommandRecord>(words);
        const WordView w = words.from(1);
        if (w.wordOr(1) != 0)
            datasetParent_ = t_.msNode;
        else if (w.wordOr(2) != 0)
            datasetParent_ = t_.gcNode;
        else if (w.wordOr(3) != 0)
            datasetParent_ = t_.gcmsNode;
        std::string text = "Dataset (" + std::to_string(t_.datasetCounter) + ")";
        if (incomplete_)
            text += " - not complete!";
        ++t_.datasetCounter;
        dataset_ = t_.tree.addGroup(datasetParent_, std::move(text));
        add(NodeWrapper(NodeKind::Telecommand, std::move(tc)));
    }

    void sweep(bool gc, WordView words)
    {
        if (sweepGroup_ == noNode)
            sweepGroup_ = t_.tree.addGroup(dataset_, "HKSweep");
        t_.tree.addNode(sweepGroup_,
                        NodeWrapper(gc ? NodeKind::GcHkSweep : NodeKind::MsHkSweep, makeRecord<HkSweepRecord>(words)),
                        sweepNumber_++);
    }

    // `words` holds the two time words and the samples, n words in all. A record
    // with n < 2 has no room for its time words and is shown empty.
    void spectrum(uint16_t tag, size_t n, WordView words)
    {
        sweepGroup_ = noNode;
        sweepNumber_ = 0;
        auto record = std::make_unique<SpectrumRecord>();
        record->tag = tag;
        if (n >= 2) {
            record->timeHigh = words.wordOr(0);
            record->timeLow = words.wordOr(1);
            record->sampleCount = uint16_t(n - 2);
            record->samples = words.from(2);
        }
        if (tag == Tag::MS)
            record->csibWord = csibWord_;
        add(NodeWrapper(NodeKind::Spectrum, std::move(record)), spectrumNumber_++);
    }

    const WordView s_;
    const bool incomplete_;
    DatasetTarget t_;
    NodeId dataset_ = noNode;
    NodeId datasetParent_ = noNode;
    NodeId sweepGroup_ = noNode;
    uint32_t sweepNumber_ = 0;
    uint32_t spectrumNumber_ = 0;
    uint16_t csibWord_ = noCsibWord;
    const std::vector<bool>& blockSent_;
};

} // namespace

AssembledStream assembleStream(std::span<const RawPacket> packets, size_t first)
{
    AssembledStream stream;
    std::vector<size_t> blocks;
    std::array<uint64_t, blockNumbers / 64> numberSent{}; // one bit per block number
    for (size_t i = first; i < packets.size(); ++i) {
        if (!packets[i].cls.isScienceBlock())
            continue;
        const auto number = packets[i].dataWord(2);
        if (!number)
            continue; // too short to carry a block number
        blocks.push_back(i);
        numberSent[*number / 64] |= uint64_t(1) << (*number % 64);
    }
    if (blocks.empty())
        return stream;

    // Each number sent gets its place, in the order of the numbers; a gap between
    // them is kept as zeros, but no wider than a record can reach into it: the parser
    // passes over the gap all the same, and blocks numbered 0 and 65 000 take 130 KiB
    // rather than 16 MiB.
    // Gaps within 64 numbers are kept whole, so the numbers sent that share a word
    // of the bitmap share the distance between number and place.
    static_assert(widestGapKept >= 63);
    std::array<int32_t, blockNumbers / 64> shift{};
    size_t span = 0;
    uint32_t previous = blockNumbers;
    for (size_t w = 0; w < numberSent.size(); ++w)
        for (uint64_t bits = numberSent[w]; bits != 0; bits &= bits - 1) {
            const uint32_t b = uint32_t(w * 64 + size_t(std::countr_zero(bits)));
            if (previous != blockNumbers)
                span += std::min<size_t>(b - previous - 1, widestGapKept);
            shift[w] = int32_t(span++) - int32_t(b);
            previous = b;
        }
    const auto place = [&shift](uint16_t b) { return size_t(int32_t(b) + shift[b / 64]); };
    stream.blocks = blocks.size();
    stream.byteCount = span * scienceBlockWords * 2;
    stream.bytes.reset(static_cast<uint8_t*>(std::calloc(stream.byteCount, 1)));
    if (!stream.bytes)
        throw std::bad_alloc();
    stream.blockSent.assign(span, false);
    stream.blockNumber.assign(span, 0);
    // The missing count follows the sequence as sent: a repeated number lowers it.
    int64_t expected = *packets[blocks.front()].dataWord(2);
    for (size_t i : blocks) {
        const RawPacket& packet = packets[i];
        const uint16_t b = *packet.dataWord(2);
        stream.missing += b - expected;
        expected = b + 1;
        const WordView block = packet.dataWords().slice(3, scienceBlockWords);
        const size_t at = place(b);
        stream.blockSent[at] = true;
        stream.blockNumber[at] = b;
        if (block.byteCount() != 0) // a short packet supplies what it holds; the rest stays zero
            std::memcpy(stream.bytes.get() + at * scienceBlockWords * 2, block.bytes(), block.byteCount());
    }
    return stream;
}

std::optional<size_t> parseScienceStream(WordView stream, bool incomplete, DatasetTarget target,
                                         const std::vector<bool>& blockSent)
{
    return Parser(stream, incomplete, target, blockSent).run();
}

} // namespace orvik
