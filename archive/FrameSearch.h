#pragma once
// Where the reader finds the next frame: the one place for its framing rules, shared by the
// reader and by the recorder of a network stream, which must know where the reader will look
// after a frame that a lost connection cut short.

#include "archive/WordView.h"

#include <cstddef>
#include <cstdint>

namespace orvik {

constexpr uint16_t dataFieldHeaderFlag = 0x0800;
constexpr size_t primaryHeaderBytes = 10;
constexpr size_t dataFieldHeaderBytes = 10;

struct NextFrame {
    enum class Kind {
        Wait,  // the bytes end before a header is complete; the search waits at pos
        Frame, // a frame at pos, headerBytes + dataBytes long; it may run past the bytes at hand
        Short, // a data-field header flag with a length below 9 at pos: no frame, the search goes on at pos + 4
        Empty, // a frame without data bytes at pos: it ends the reading
    };
    Kind kind;
    size_t pos;
    size_t headerBytes = 0;
    size_t dataBytes = 0;
    bool begun = false; // Wait: a first sync word lies at pos
};

// The search moves in 2-byte steps from `pos` and never looks at the other byte positions.
inline NextFrame nextFrame(const uint8_t* bytes, size_t size, size_t pos, uint16_t syncWord1, uint16_t syncWord2)
{
    for (;;) {
        if (pos + 2 > size)
            return {NextFrame::Kind::Wait, pos};
        if (readLe16(bytes + pos) != syncWord1) {
            pos += 2;
            continue;
        }
        if (pos + 4 > size)
            return {NextFrame::Kind::Wait, pos, 0, 0, true};
        if (readLe16(bytes + pos + 2) != syncWord2) {
            // The word after a first sync word is not tried as a first sync word itself.
            pos += 4;
            continue;
        }
        if (pos + primaryHeaderBytes > size)
            return {NextFrame::Kind::Wait, pos, 0, 0, true};
        const uint16_t identification = readLe16(bytes + pos + 4);
        const uint16_t length = readLe16(bytes + pos + 8);
        size_t headerBytes = primaryHeaderBytes;
        size_t dataBytes = size_t(length) + 1;
        if (identification & dataFieldHeaderFlag) {
            // The data field cannot even hold its own header.
            if (length < 9)
                return {NextFrame::Kind::Short, pos};
            headerBytes += dataFieldHeaderBytes;
            dataBytes -= dataFieldHeaderBytes;
        }
        return {dataBytes == 0 ? NextFrame::Kind::Empty : NextFrame::Kind::Frame, pos, headerBytes, dataBytes};
    }
}

} // namespace orvik
