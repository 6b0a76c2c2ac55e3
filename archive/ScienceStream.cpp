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

} // namespace

// One parse call: the records of the stream as it stands, handled on the parser's state.
class RecordPass {
public:
    RecordPass(ScienceParser& parser, WordView stream, bool incomplete, const std::vector<bool>& blockSent)
        : st_(parser), s_(stream), incomplete_(incomplete), t_(parser.t_), blockSent_(blockSent)
    {
    }

    std::optional<size_t> run()
    {
        while (st_.p_ < s_.wordCount()) {
            const size_t next = record(st_.p_);
            if (next == 0)
                return st_.p_; // the record runs past the end of the stream
            st_.reach_ = std::max(st_.reach_, next);
            st_.p_ = next;
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
            st_.reach_ = std::max(st_.reach_, p + 108);
            return p + n + 1;
        case Tag::CD:
            if (!fits(p + n + 2))
                return 0;
            {
                auto config = makeRecord<CsibConfigRecord>(s_.slice(p + 2, n));
                st_.csibWord_ = config->words().wordOr(CsibConfigRecord::csibWord);
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
        return t_.tree.addNode(st_.dataset_, std::move(wrapper), number);
    }

    // `words` holds the count n and the n telecommand words w0..w(n-1).
    void telecommand(WordView words)
    {
        auto tc = makeRecord<TelecommandRecord>(words);
        const WordView w = words.from(1);
        if (w.wordOr(1) != 0)
            st_.datasetParent_ = t_.msNode;
        else if (w.wordOr(2) != 0)
            st_.datasetParent_ = t_.gcNode;
        else if (w.wordOr(3) != 0)
            st_.datasetParent_ = t_.gcmsNode;
        st_.dataset_ = t_.tree.addGroup(st_.datasetParent_, datasetText(t_.datasetCounter, incomplete_));
        ++t_.datasetCounter;
        st_.datasets_.push_back(st_.dataset_);
        add(NodeWrapper(NodeKind::Telecommand, std::move(tc)));
    }

    void sweep(bool gc, WordView words)
    {
        if (st_.sweepGroup_ == noNode)
            st_.sweepGroup_ = t_.tree.addGroup(st_.dataset_, "HKSweep");
        t_.tree.addNode(st_.sweepGroup_,
                        NodeWrapper(gc ? NodeKind::GcHkSweep : NodeKind::MsHkSweep, makeRecord<HkSweepRecord>(words)),
                        st_.sweepNumber_++);
    }

    // `words` holds the two time words and the samples, n words in all. A record
    // with n < 2 has no room for its time words and is shown empty.
    void spectrum(uint16_t tag, size_t n, WordView words)
    {
        st_.sweepGroup_ = noNode;
        st_.sweepNumber_ = 0;
        auto record = std::make_unique<SpectrumRecord>();
        record->tag = tag;
        if (n >= 2) {
            record->timeHigh = words.wordOr(0);
            record->timeLow = words.wordOr(1);
            record->sampleCount = uint16_t(n - 2);
            record->samples = words.from(2);
        }
        if (tag == Tag::MS)
            record->csibWord = st_.csibWord_;
        add(NodeWrapper(NodeKind::Spectrum, std::move(record)), st_.spectrumNumber_++);
    }

    ScienceParser& st_;
    const WordView s_;
    const bool incomplete_;
    DatasetTarget& t_;
    const std::vector<bool>& blockSent_;
};

std::string datasetText(uint64_t number, bool incomplete)
{
    std::string text = "Dataset (" + std::to_string(number) + ")";
    if (incomplete)
        text += " - not complete!";
    return text;
}

std::optional<size_t> ScienceParser::parse(WordView stream, bool incomplete, const std::vector<bool>& blockSent)
{
    return RecordPass(*this, stream, incomplete, blockSent).run();
}

std::optional<size_t> parseScienceStream(WordView stream, bool incomplete, DatasetTarget target,
                                         const std::vector<bool>& blockSent)
{
    return ScienceParser(target).parse(stream, incomplete, blockSent);
}

namespace {
// The most block positions a stream takes: every number once.
constexpr size_t mostBlocks = blockNumbers;
} // namespace

ScienceAssembly::ScienceAssembly()
    : bytes_(mostBlocks * scienceBlockWords * 2, PageBacking::ZeroedOnDemand)
{
}

void ScienceAssembly::count(uint16_t number)
{
    // The missing count follows the sequence as sent: a repeated number lowers it.
    if (blocks_++ == 0)
        expected_ = number;
    missing_ += number - expected_;
    expected_ = number + 1;
}

void ScienceAssembly::put(const RawPacket& packet, uint16_t number, size_t position)
{
    if (position >= span_) {
        span_ = position + 1;
        blockSent_.resize(span_, false);
        blockNumber_.resize(span_, 0);
    }
    blockSent_[position] = true;
    blockNumber_[position] = number;
    const WordView block = packet.dataWords().slice(3, scienceBlockWords);
    if (block.byteCount() != 0) // a short packet supplies what it holds; the rest stays zero
        std::memcpy(bytes_.data() + position * scienceBlockWords * 2, block.bytes(), block.byteCount());
}

ScienceAssembly::Placed ScienceAssembly::add(const RawPacket& packet, size_t wordsRead)
{
    if (!packet.cls.isScienceBlock())
        return Placed::Passed;
    const auto number = packet.dataWord(2);
    if (!number)
        return Placed::Passed; // too short to carry a block number
    const uint16_t b = *number;
    count(b);
    const auto after = std::lower_bound(sent_.begin(), sent_.end(), b,
                                        [](const SentNumber& s, uint16_t n) { return s.number < n; });
    size_t position;
    if (sent_.empty()) {
        position = 0;
    } else if (after == sent_.end()) {
        position = span_ + std::min<size_t>(b - sent_.back().number - 1, widestGapKept);
    } else if (after->number == b) {
        position = after->position;
    } else {
        // A number not sent yet among those sent: its place is known only inside a gap kept whole.
        if (after == sent_.begin())
            return Placed::Conflict;
        const SentNumber& before = *std::prev(after);
        if (size_t(after->number - before.number - 1) > widestGapKept) // sent_ rises: never negative
            return Placed::Conflict;
        position = before.position + (b - before.number);
    }
    if (position * scienceBlockWords < wordsRead)
        return Placed::Conflict;
    if (after == sent_.end() || after->number != b)
        sent_.insert(after, {b, uint32_t(position)});
    put(packet, b, position);
    return Placed::Added;
}

void ScienceAssembly::assemble(std::span<const RawPacket> packets)
{
    std::vector<size_t> blocks;
    std::array<uint64_t, blockNumbers / 64> numberSent{}; // one bit per block number
    for (size_t i = 0; i < packets.size(); ++i) {
        if (!packets[i].cls.isScienceBlock())
            continue;
        const auto number = packets[i].dataWord(2);
        if (!number)
            continue; // too short to carry a block number
        blocks.push_back(i);
        numberSent[*number / 64] |= uint64_t(1) << (*number % 64);
    }
    if (blocks.empty())
        return;

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
            sent_.push_back({uint16_t(b), uint32_t(span)});
            shift[w] = int32_t(span++) - int32_t(b);
            previous = b;
        }
    for (size_t i : blocks) {
        const uint16_t b = *packets[i].dataWord(2);
        count(b);
        put(packets[i], b, size_t(int32_t(b) + shift[b / 64]));
    }
}


} // namespace orvik
