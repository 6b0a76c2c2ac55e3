#include "live/CutFrameFiller.h"

#include "archive/ESAPacket.h"
#include "archive/FrameSearch.h"

#include <algorithm>

namespace orvik::live {

namespace {

NextFrame nextFrameIn(const std::vector<uint8_t>& bytes, size_t pos)
{
    return nextFrame(bytes.data(), bytes.size(), pos, ESAPacket::defaultSyncWord1, ESAPacket::defaultSyncWord2);
}

} // namespace

void CutFrameFiller::take(std::span<const uint8_t> bytes)
{
    if (readingEnded_)
        return;
    pending_.insert(pending_.end(), bytes.begin(), bytes.end());
    size_t pos = 0;
    for (;;) {
        const NextFrame next = nextFrameIn(pending_, pos);
        pos = next.pos;
        if (next.kind == NextFrame::Kind::Short) {
            pos += 4;
            continue;
        }
        if (next.kind == NextFrame::Kind::Empty) {
            readingEnded_ = true;
            pending_.clear();
            return;
        }
        if (next.kind == NextFrame::Kind::Wait || pos + next.headerBytes + next.dataBytes > pending_.size())
            break;
        pos += next.headerBytes + next.dataBytes;
    }
    pending_.erase(pending_.begin(), pending_.begin() + std::ptrdiff_t(std::min(pos, pending_.size())));
}

std::vector<uint8_t> CutFrameFiller::filler() const
{
    if (readingEnded_)
        return {};
    // The reader's search over the bytes waiting and the filling after them; the filling holds
    // no sync word, so once the search is past the bytes waiting, it stands where the filling ends.
    const size_t waiting = pending_.size();
    std::vector<uint8_t> bytes = pending_;
    size_t pos = 0;
    for (;;) {
        const NextFrame next = nextFrameIn(bytes, pos);
        pos = next.pos;
        switch (next.kind) {
        case NextFrame::Kind::Wait:
            if (!next.begun && pos >= waiting)
                return {bytes.begin() + std::ptrdiff_t(waiting), bytes.begin() + std::ptrdiff_t(pos)};
            // A header cut short, completed with zeros; a length of 9 (no data) after the
            // data-field header flag becomes 0x109.
            bytes.resize(pos + primaryHeaderBytes);
            if (pos + 9 >= waiting && (readLe16(&bytes[pos + 4]) & dataFieldHeaderFlag) && readLe16(&bytes[pos + 8]) == 9)
                bytes[pos + 9] = 1;
            break;
        case NextFrame::Kind::Short: pos += 4; break;
        case NextFrame::Kind::Empty: return {}; // received whole: the reading ends here whatever follows
        case NextFrame::Kind::Frame:
            pos += next.headerBytes + next.dataBytes;
            bytes.resize(std::max(bytes.size(), pos));
            break;
        }
    }
}

} // namespace orvik::live
