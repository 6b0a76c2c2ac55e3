#include "archive/ArchiveDocument.h"

#include <algorithm>

namespace orvik {

namespace {
const std::array<std::string, 3> initialStatusPanels = {"Packets:", "Unknown:", "Missing:"};

// Reading the file is the first half of an open's progress, the walk the second.
ProgressFn half(const ProgressFn& progress, double offset)
{
    if (!progress)
        return {};
    return [progress, offset](double share) { return progress(offset + share / 2); };
}
} // namespace

// The science stream from its first packet on: its blocks, and the parse of them so
// far. Its nodes are numbered in the tree's early range, after those added before it.
struct ArchiveDocument::Science {
    Science(size_t first, const CategoryTree::Mark& start, DatasetTarget target)
        : first(first), start(start), parser(target)
    {
    }
    size_t first;               // the first science packet
    size_t fed = 0;             // the packets looked at for blocks end here
    CategoryTree::Mark start;   // the tree when the stream began
    ScienceAssembly assembly;
    ScienceParser parser;
    std::optional<size_t> waiting; // where a record waits for the rest of the stream
    bool incomplete = false;       // the datasets are marked "not complete!"
};

ArchiveDocument::ArchiveDocument() : statusPanels_(initialStatusPanels)
{
    tree_.setNodeAddedHandler([this](NodeId id) {
        if (tree_.kind(id) != NodeKind::Group)
            timeListNodes_.insert(id);
    });
}

ArchiveDocument::~ArchiveDocument() = default;

void ArchiveDocument::reset()
{
    currentNode = noNode;
    timeListNodes_.clear();
    science_.reset();
    tree_.clear();
    housekeepingNode_ = systemNode_ = gcNode_ = gcmsNode_ = msNode_ = noNode;
    warnings_.clear();
    packetStatistics_.reset();
    unknownCount_ = 0;
    datasetCounter_ = 0;
    packetCounter_ = 0;
    walked_ = 0;
    pendingDump_.reset();
    provisional_.reset();
    settled_ = false;
}

bool ArchiveDocument::open(const std::string& fileName, const ProgressFn& progress)
{
    cancelled_ = false;
    reader_.openFile(fileName);
    // By now the previous file's packets are released: nothing may keep referring to them,
    // whether or not the new file opened.
    reset();
    if (!reader_.isOpen())
        return closed();
    caption_ = std::string(applicationCaption) + ": " + fileName;
    buildGroupNodes();

    reader_.setSyncWords(ESAPacket::defaultSyncWord1, ESAPacket::defaultSyncWord2);
    if (!reader_.readPackets(packetCounter_, half(progress, 0)))
        return cancel();
    tree_.reserve(tree_.size() + reader_.count());
    if (!takeIn(half(progress, 0.5)))
        return cancel();
    settle();
    return true;
}

bool ArchiveDocument::closed()
{
    statusPanels_ = initialStatusPanels;
    caption_ = applicationCaption;
    return false;
}

// A cancelled open leaves nothing open, as a failed one does: half an archive would pass for the whole.
bool ArchiveDocument::cancel()
{
    cancelled_ = true;
    reset();
    reader_.close();
    return closed();
}

void ArchiveDocument::buildGroupNodes()
{
    housekeepingNode_ = tree_.addGroup(noNode, "Housekeeping");
    systemNode_ = tree_.addGroup(noNode, "System");
    gcNode_ = tree_.addGroup(noNode, "GC");
    gcmsNode_ = tree_.addGroup(noNode, "GCMS");
    msNode_ = tree_.addGroup(noNode, "MS");
}

ArchiveDocument::Update ArchiveDocument::follow(uint64_t limit)
{
    Update update;
    update.change = reader_.fileChange();
    if (update.change != ESAPacket::FileChange::Grown)
        return update;
    const CategoryTree::Mark before = tree_.mark();
    reshaped_ = false;
    unsettle();
    keepingNodesOnPackets([&] { reader_.readPackets(packetCounter_, {}, limit); });
    const CategoryTree::Mark read = tree_.mark();
    takeIn({});
    update.reshaped = reshaped_ || read != before;
    update.from = update.reshaped ? CategoryTree::Mark{} : before; // when reshaped, everything is new
    return update;
}

// Reading more packets may move them all to a larger array: the nodes move with them.
void ArchiveDocument::keepingNodesOnPackets(const std::function<void()>& read)
{
    const RawPacket* const packets = reader_.packets().data();
    const size_t count = reader_.count();
    read();
    if (count != 0 && reader_.packets().data() != packets)
        tree_.movePackets(packets, reader_.packets().data(), count);
}

bool ArchiveDocument::takeIn(const ProgressFn& progress)
{
    if (science_)
        feedScience();
    const bool goOn = classifyPackets(false, progress);
    statusPanels_[0] = "Packets: " + std::to_string(packetCounter_);
    statusPanels_[1] = "Unknown: " + std::to_string(unknownCount_);
    return goOn;
}

bool ArchiveDocument::settle()
{
    if (settled_ || !reader_.isOpen())
        return false;
    reshaped_ = false;
    Provisional p{tree_.mark(), packetStatistics_, unknownCount_, packetCounter_, datasetCounter_,
                  statusPanels_, walked_, std::nullopt, science_ == nullptr, false};
    if (pendingDump_)
        p.pendingHeader = pendingDump_->header;
    keepingNodesOnPackets([&] { reader_.readEnd(packetCounter_); });
    statusPanels_[0] = "Packets: " + std::to_string(packetCounter_);
    warnings_ = reader_.problems();
    if (reader_.packets().empty())
        warnings_.push_back("No packet was found in " + reader_.fileName() +
                            ": it is not an archive of this kind, or it is empty");
    if (science_) {
        // Only a block the end read made changes the stream: anything else leaves it alone.
        p.scienceFed = science_->fed < reader_.count() && reader_.packets().back().cls.isScienceBlock();
        feedScience();
        if (const auto cut = scienceCutWarning())
            warnings_.push_back(*cut);
    }
    classifyPackets(true, {});
    statusPanels_[1] = "Unknown: " + std::to_string(unknownCount_);
    if (const auto refused = tree_.refusalWarning())
        warnings_.push_back(*refused);
    provisional_ = std::move(p);
    settled_ = true;
    return reshaped_;
}

void ArchiveDocument::unsettle()
{
    if (!settled_)
        return;
    settled_ = false;
    Provisional& p = *provisional_;
    if (tree_.mark() != p.mark)
        reshaped_ = true;
    tree_.truncate(p.mark);
    CategoryTree::eraseAfter(timeListNodes_, p.mark);
    reader_.reopenEnd();
    packetStatistics_ = p.statistics;
    unknownCount_ = p.unknownCount;
    packetCounter_ = p.packetCounter;
    datasetCounter_ = p.datasetCounter;
    statusPanels_ = p.statusPanels;
    walked_ = p.walked;
    pendingDump_.reset();
    if (p.pendingHeader)
        startDump(*p.pendingHeader);
    if (p.scienceStarted) {
        science_.reset();
    } else if (science_) {
        // The packet the end read made was looked at for a block; its frame, complete, will be again.
        science_->fed = std::min(science_->fed, reader_.count());
        if (p.scienceFed)
            rebuildScience();
    }
    warnings_.clear();
    provisional_.reset();
}

bool ArchiveDocument::classifyPackets(bool atEnd, const ProgressFn& progress)
{
    const std::span<const RawPacket> packets = reader_.packets();
    constexpr size_t progressStep = 1 << 16;
    const size_t first = walked_;
    for (size_t nextReport = walked_; walked_ < packets.size(); ++walked_) {
        const size_t i = walked_;
        // A memory dump moves the walk on by its pages: reports go by the packets passed, not by multiples.
        if (progress && i >= nextReport) {
            if (!progress(double(i - first) / double(packets.size() - first)))
                return false;
            nextReport = i + progressStep;
        }
        if (pendingDump_) { // the walk waited here for the dump's pages
            if (!gatherPages(atEnd))
                return true;
            walked_ = finishDump();
            continue;
        }
        const RawPacket& packet = packets[i];
        const PacketClass cls = packet.cls;
        if (const int row = cls.statisticsRow(); row >= 0)
            ++packetStatistics_.counts[size_t(row)];
        if (cls.kind == PacketClass::Unrecognised)
            ++unknownCount_;

        const auto add = [&](NodeId parent, int16_t kind) { tree_.addNode(parent, NodeWrapper(kind, &packet)); };
        if (cls.kind == PacketClass::RegularHousekeeping) {
            add(housekeepingNode_, NodeKind::RegularHk);
            continue;
        }
        // The silent category is categorised but has no entry: it makes nothing.
        if (cls.kind != PacketClass::Categorised || cls.category < 0 || cls.category >= Category::count)
            continue;
        const CategoryEntry& entry = categories[size_t(cls.category)];
        switch (entry.placement) {
        case Placement::CountedOnly: break;
        case Placement::Housekeeping: add(housekeepingNode_, entry.nodeKind); break;
        case Placement::System: add(systemNode_, entry.nodeKind); break;
        case Placement::MsAndGc:
            add(msNode_, entry.nodeKind);
            add(gcNode_, entry.nodeKind);
            break;
        case Placement::ScienceStream:
            if (!science_)
                startScience(i, atEnd);
            break;
        case Placement::MemoryDump:
            startDump(i);
            if (!gatherPages(atEnd))
                return true;
            walked_ = finishDump();
            break;
        }
    }
    return !progress || progress(1.0);
}

void ArchiveDocument::startDump(size_t header)
{
    const WordView words = reader_[header].dataWords();
    pendingDump_ = PendingDump{header, std::make_unique<MemoryDumpImage>(words.wordOr(4), words.wordOr(3)),
                               header + 1, header};
}

// Between pages only the service type and subtype count: any transfer packet is the
// next page, anything else is passed over unseen. A dump cut short by the end of the
// file keeps the pages found, the rest reads as zero, and the walk resumes after the
// last page found.
bool ArchiveDocument::gatherPages(bool atEnd)
{
    PendingDump& dump = *pendingDump_;
    MemoryDumpImage& image = *dump.image;
    const std::span<const RawPacket> packets = reader_.packets();
    for (; image.pagesHeld() < image.pageCount() && dump.next < packets.size(); ++dump.next) {
        if (!packets[dump.next].cls.transfer)
            continue;
        // Data words 1..128 are the page, read in place; a short packet leaves the rest of it zero.
        image.addPage(packets[dump.next].dataWords().slice(1, MemoryDumpImage::pageWords));
        dump.last = dump.next;
    }
    if (image.pagesHeld() == image.pageCount())
        return true;
    if (!atEnd)
        return false;
    const std::string text = memoryDumpNodeText(image.memoryType());
    warnings_.push_back(text.substr(0, text.find_last_not_of(' ') + 1) + " (packet " + std::to_string(dump.header) +
                        ") announces " + std::to_string(image.pageCount()) + " pages, but the file ends after " +
                        std::to_string(image.pagesHeld()) + "; the missing pages read as zero.");
    return true;
}

size_t ArchiveDocument::finishDump()
{
    PendingDump dump = std::move(*pendingDump_);
    pendingDump_.reset();
    dump.image->headerPacket = &reader_[dump.header];
    tree_.addNode(systemNode_, NodeWrapper(NodeKind::MemoryDump, std::move(dump.image)));
    return dump.last;
}

// The stream's nodes are shown where its first packet is: they keep to the early
// range of ids, and the nodes of later packets go to the later one.
void ArchiveDocument::startScience(size_t first, bool atEnd)
{
    science_ = std::make_unique<Science>(first, tree_.mark(),
                                         DatasetTarget{tree_, gcNode_, gcmsNode_, msNode_, datasetCounter_});
    feedScience();
    tree_.setRange(CategoryTree::Range::Later);
    tree_.reserve(reader_.count() - first); // room for a node per packet still to come
    if (atEnd)
        if (const auto cut = scienceCutWarning())
            warnings_.push_back(*cut);
}

void ArchiveDocument::feedScience()
{
    Science& s = *science_;
    const std::span<const RawPacket> packets = reader_.packets();
    bool conflict = false;
    if (s.fed == 0) {
        s.assembly.assemble(packets.subspan(s.first));
    } else {
        for (size_t i = s.fed; i < packets.size() && !conflict; ++i)
            conflict = s.assembly.add(packets[i], s.parser.wordsRead()) == ScienceAssembly::Placed::Conflict;
    }
    s.fed = packets.size();
    if (conflict)
        return rebuildScience();
    parseScience();
}

void ArchiveDocument::parseScience()
{
    Science& s = *science_;
    statusPanels_[2] = "Missing: " + std::to_string(s.assembly.missing());
    const bool incomplete = s.assembly.missing() != 0;
    if (incomplete != s.incomplete) {
        s.incomplete = incomplete;
        for (size_t k = 0; k < s.parser.datasets().size(); ++k)
            tree_.setGroupText(s.parser.datasets()[k], datasetText(k, incomplete));
    }
    const CategoryTree::Range range = tree_.range();
    tree_.setRange(CategoryTree::Range::Early);
    s.waiting = s.parser.parse(s.assembly.words(), incomplete, s.assembly.blockSent());
    tree_.setRange(range);
}

// A block that belongs where the parse has been: the stream is assembled and parsed anew.
void ArchiveDocument::rebuildScience()
{
    const size_t first = science_->first, fed = science_->fed;
    const CategoryTree::Mark start = science_->start;
    CategoryTree::Mark mark = tree_.mark();
    mark.early = start.early;
    mark.groups = start.groups;
    tree_.truncate(mark); // before the stream goes: spectra read their samples in it
    CategoryTree::eraseAfter(timeListNodes_, mark);
    reshaped_ = true;
    datasetCounter_ = 0;
    science_ = std::make_unique<Science>(first, start, DatasetTarget{tree_, gcNode_, gcmsNode_, msNode_, datasetCounter_});
    science_->assembly.assemble(reader_.packets().subspan(first, fed - first));
    science_->fed = fed;
    parseScience();
}

std::optional<std::string> ArchiveDocument::scienceCutWarning() const
{
    const Science& s = *science_;
    if (!s.waiting)
        return std::nullopt;
    const size_t cut = *s.waiting;
    const uint16_t tag = s.assembly.words().wordOr(cut);
    const char name[] = {char(tag >> 8), char(tag & 0xFF), 0};
    return "The science stream ends inside a " + std::string(name) + " record, which starts at word " +
           std::to_string(cut % scienceBlockWords) + " of block " +
           std::to_string(s.assembly.blockNumber(cut / scienceBlockWords)) + "; that record is left out.";
}

} // namespace orvik
