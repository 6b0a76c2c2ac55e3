#pragma once
// An opened archive as the main window shows it: the reader and its packets,
// the category tree, the time list, the packet statistics and the status texts.
// It runs every step of an open that does not touch a widget, and takes in what
// another program appends to the file while it is open (follow()). Whatever the
// pieces the file grew by, the document after settle() is the one an open of the
// whole file makes.

#include "archive/CategoryTree.h"
#include "archive/ESAPacket.h"
#include "archive/PacketClassification.h"
#include "archive/ScienceStream.h"
#include "archive/TimeList.h"

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace orvik {

class ArchiveDocument {
public:
    static constexpr const char* applicationCaption = "ORVIK-EGSE";

    ArchiveDocument();
    ~ArchiveDocument();

    // Opens `fileName` and rebuilds everything from it. False when the file cannot
    // be opened or `progress` cancelled the open; the previous file's packets are gone
    // then, and so is everything that referred to them.
    bool open(const std::string& fileName, const ProgressFn& progress = {});
    // Whether the last open was cancelled (rather than failed).
    bool cancelled() const { return cancelled_; }

    // What follow() found and did.
    struct Update {
        ESAPacket::FileChange change = ESAPacket::FileChange::None;
        // The tree before the new nodes came: ids from it on in both ranges are new.
        CategoryTree::Mark from;
        // Nodes went as well as came (the end an open read as the end, or the science
        // stream read anew): what refers to nodes must be looked at again.
        bool reshaped = false;
    };
    // Takes in what was appended to the file since the last read, at most `limit`
    // bytes of it. What is not complete at the end (a frame, a memory dump whose pages
    // are still coming, a science record) waits for the rest; settle() takes it as the
    // end. A file cut short or replaced is not read: the change says so, and what was
    // read stays.
    Update follow(uint64_t limit = UINT64_MAX);
    // Reads what waits at the end as the end of the file, as an open does; the next
    // follow() withdraws it again. An open ends settled. True when nodes went as well
    // as came (a block read at the end had the science stream read anew).
    bool settle();
    bool settled() const { return settled_; }

    const ESAPacket& reader() const { return reader_; }
    const CategoryTree& tree() const { return tree_; }
    // Every non-group node, in the order of the ids (the science stream's where it began).
    const TimeList& timeListNodes() const { return timeListNodes_; }
    const PacketStatistics& packetStatistics() const { return packetStatistics_; }
    uint64_t unknownCount() const { return unknownCount_; }
    uint64_t datasetCounter() const { return datasetCounter_; }
    bool scienceAssembled() const { return science_ != nullptr; }
    // Texts of the three status-bar panels: packets, unknown, missing.
    const std::array<std::string, 3>& statusPanels() const { return statusPanels_; }
    const std::string& caption() const { return caption_; }
    // What went wrong in the last open without stopping it (a memory dump cut short...).
    const std::vector<std::string>& warnings() const { return warnings_; }
    // Why the last open failed.
    const std::string& openError() const { return reader_.openError(); }

    NodeId housekeepingNode() const { return housekeepingNode_; }
    NodeId systemNode() const { return systemNode_; }
    NodeId gcNode() const { return gcNode_; }
    NodeId gcmsNode() const { return gcmsNode_; }
    NodeId msNode() const { return msNode_; }

    // The node on display; none after every open.
    NodeId currentNode = noNode;

private:
    struct Science;
    // A memory dump whose pages are being gathered; the walk waits at its header.
    struct PendingDump {
        size_t header;
        std::unique_ptr<MemoryDumpImage> image;
        size_t next;  // where the search for the next page goes on
        size_t last;  // the last packet taken as a page
    };
    // What settle() changed, to be undone.
    struct Provisional {
        CategoryTree::Mark mark;
        PacketStatistics statistics;
        uint64_t unknownCount, packetCounter, datasetCounter;
        std::array<std::string, 3> statusPanels;
        size_t walked;
        std::optional<size_t> pendingHeader;
        bool scienceStarted;  // the science stream began in the end read
        bool scienceFed;      // the packet the end read made went to the science stream
    };

    void reset();
    bool closed();
    bool cancel();
    void buildGroupNodes();
    void keepingNodesOnPackets(const std::function<void()>& read);
    // Feeds the new packets to the science stream and walks them.
    bool takeIn(const ProgressFn& progress);
    bool classifyPackets(bool atEnd, const ProgressFn& progress);
    void startDump(size_t header);
    // Gathers pages for the pending dump: true when it is complete, or cut short by the end.
    bool gatherPages(bool atEnd);
    size_t finishDump();
    void startScience(size_t first, bool atEnd);
    void feedScience();
    void parseScience();
    void rebuildScience();
    std::optional<std::string> scienceCutWarning() const;
    void unsettle();

    ESAPacket reader_;
    CategoryTree tree_;
    TimeList timeListNodes_;
    PacketStatistics packetStatistics_;
    uint64_t unknownCount_ = 0;
    uint64_t datasetCounter_ = 0;
    uint64_t packetCounter_ = 0;
    bool cancelled_ = false;
    bool settled_ = false;
    bool reshaped_ = false; // nodes went since follow() began
    std::array<std::string, 3> statusPanels_;
    std::string caption_ = applicationCaption;
    std::vector<std::string> warnings_;
    size_t walked_ = 0; // the next packet the walk visits
    std::optional<PendingDump> pendingDump_;
    std::unique_ptr<Science> science_;
    std::optional<Provisional> provisional_;
    NodeId housekeepingNode_ = noNode, systemNode_ = noNode, gcNode_ = noNode, gcmsNode_ = noNode,
           msNode_ = noNode;
};

} // namespace orvik
