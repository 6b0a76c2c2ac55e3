#pragma once
// Follows a stream's framing as the reader will find it in the recording, keeping only the
// bytes from where the reader's search stands (at most one frame). When a connection is lost,
// it gives the bytes that complete the frame the loss cut short (zeros, but for a length word
// cut in half, whose missing byte must not make a frame without data, which would end the
// reading), so that the reader's search stands at the end of the recording again and the next
// connection's first frame is read where it begins, not taken as the rest of the cut one.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace orvik::live {

class CutFrameFiller {
public:
    // The bytes as they go into the recording, fillers included.
    void take(std::span<const uint8_t> bytes);
    // The bytes that bring the reader's search to the end of what was taken.
    std::vector<uint8_t> filler() const;

private:
    std::vector<uint8_t> pending_; // from where the reader's search stands
    bool readingEnded_ = false;    // a frame without data ends the reading: nothing after it counts
};

} // namespace orvik::live
