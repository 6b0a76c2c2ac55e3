#pragma once
// The packet-archive reader. One instance lives for the whole run; each open
// releases the previous file's packets. A read takes what the file holds beyond
// the last one, so a file another program is still writing can be followed: a
// frame cut by the current end waits for the rest, and only readEnd() takes the
// end as the end of the file, as a whole-file read does.

#include "archive/PageBackedBuffer.h"
#include "archive/RawPacket.h"

#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace orvik {

// Called now and then during long work with the share done so far (0..1); returning
// false stops the work. Calls come at least every few milliseconds, so a Cancel is felt at once.
using ProgressFn = std::function<bool(double done)>;

class ESAPacket {
public:
    static constexpr uint16_t defaultSyncWord1 = 0x1ACF;
    static constexpr uint16_t defaultSyncWord2 = 0xFC1D;

    ESAPacket() = default;
    ~ESAPacket();
    ESAPacket(const ESAPacket&) = delete;
    ESAPacket& operator=(const ESAPacket&) = delete;

    // Releases the packets and the stream held, then opens the named file for reading.
    void openFile(const std::string& name);
    bool isOpen() const { return open_; }
    const std::string& fileName() const { return fileName_; }
    // Why the last openFile failed (empty after a success).
    const std::string& openError() const { return openError_; }
    // What the reads since the last openFile found wrong with the file's framing, one line each.
    const std::vector<std::string>& problems() const { return problems_; }

    void setSyncWords(uint16_t word1, uint16_t word2);
    // What the reads take their memory from; huge pages where the system offers them unless told otherwise.
    void setPageBacking(PageBacking backing) { backing_ = backing; }
    // Reads frames from the stream position to the end of the file (at most `limit`
    // bytes), appending each packet and adding one to `counter` per packet. A frame
    // the bytes read do not complete waits for the next read. False when `progress`
    // stopped the reading: the packets read so far are kept. Withdraws readEnd().
    // The packets may move to a larger array: packets() tells where they are.
    bool readPackets(uint64_t& counter, const ProgressFn& progress = {}, uint64_t limit = UINT64_MAX);
    // Takes the bytes waiting at the end as the end of the file: a frame cut short keeps
    // the bytes present (one more packet, counted) or is left out, and problems() tells
    // of it and of everything else the reads found wrong.
    void readEnd(uint64_t& counter);
    // Undoes readEnd(): the packet it made goes, and the bytes wait again.
    void reopenEnd();

    // How the file changed since it was opened: grown or not, cut short, or replaced by another file.
    enum class FileChange { None, Grown, Shrunk, Replaced, Gone };
    FileChange fileChange() const;
    // Bytes read from the file so far.
    uint64_t bytesRead() const { return streamPosition_; }
    void clearPackets();
    // Releases the packets and the stream: nothing is open after it.
    void close();

    size_t count() const { return packets_.size(); }
    const RawPacket& operator[](size_t i) const { return packets_[i]; }
    std::span<const RawPacket> packets() const { return packets_; }
    // The packet's index among the stored packets; nothing for a packet stored elsewhere.
    std::optional<size_t> packetNumber(const RawPacket& packet) const;
    // Where the packet's frame began in the file; nothing for a packet stored elsewhere.
    std::optional<uint64_t> fileOffset(const RawPacket& packet) const;
    // How many of the bytes read are held in memory backed by huge pages.
    uint64_t hugePageBytes() const;

    int processIdAt(size_t i) const { return packets_[i].processId(); }
    int serviceTypeAt(size_t i) const { return packets_[i].serviceType().value_or(-1); }
    int serviceSubtypeAt(size_t i) const { return packets_[i].serviceSubtype().value_or(-1); }

private:
    struct FileCloser {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    struct Arena {
        PageBackedBuffer bytes;
        size_t size = 0;
        uint64_t filePosition = 0; // where its first byte was in the file
        size_t firstPacket = 0;    // the first packet cut out of it
    };

    struct Scan {
        uint64_t base = 0;     // where the bytes scanned begin in the file
        size_t pos = 0;        // where the search for the next frame goes on
        bool finished = false; // the end of the file, or a frame without data, ended the reading
        size_t shortFrames = 0; // frames passed over: a data field header, but a length below 9
        size_t firstShortFrame = 0;
        size_t emptyFrameEnd = 0; // where the frame without data that ended the reading ends (0: none)
        std::string cutFrame;     // how the end of the file cut the last frame, if it did
    };
    void reportProblems(const std::string& cutFrame);
    bool readConcurrently(Arena& arena, size_t size, Scan& scan, uint64_t& counter, const ProgressFn& progress);
    void takeScan(const Scan& scan);
    void splitFrames(const uint8_t* bytes, size_t size, bool atEnd, Scan& scan, uint64_t& counter);

    PageBackedVector<RawPacket> packets_;
    // Packets are views into these; each read appends one, so earlier views stay valid.
    std::vector<Arena> arenas_;
    uint16_t syncWord1_ = defaultSyncWord1;
    uint16_t syncWord2_ = defaultSyncWord2;
    PageBacking backing_ = PageBacking::HugePagesWhereOffered;
    bool open_ = false;
    std::string fileName_;
    std::string openError_;
    std::vector<std::string> problems_;
    std::unique_ptr<std::FILE, FileCloser> stream_;
    uint64_t streamPosition_ = 0;
    // What the reads found, for readEnd() to tell.
    bool finished_ = false; // a frame without data ended the reading
    size_t carry_ = 0;      // bytes at the end of the last arena that wait for the rest of their frame
    uint64_t shortFrames_ = 0, firstShortFrame_ = 0, emptyFrameEnd_ = 0;
    bool endRead_ = false;
    size_t packetsBeforeEnd_ = 0;
    uint64_t fileIdentity_[2] = {}; // device and inode (or the platform's equivalent) at the open
};

// How a change of the file is told after its name ("was cut short"); nothing (null) while
// the file still holds what was read: unchanged, or grown.
const char* fileChangeReason(ESAPacket::FileChange change);

} // namespace orvik
