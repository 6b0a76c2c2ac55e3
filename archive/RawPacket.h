#pragma once
// One stored packet: a view of its frame bytes exactly as they were in the file
// (4 sync bytes, 6 primary-header bytes, 10 data-field-header bytes when present,
// then the packet data). The bytes belong to the reader and live until the next open.

#include "archive/OnBoardTime.h"
#include "archive/PacketClass.h"
#include "archive/WordView.h"

namespace orvik {

struct RawPacket {
    const uint8_t* bytes = nullptr;
    uint32_t size = 0;
    PacketClass cls; // set by the reader when it stores the packet

    WordView view() const { return WordView(bytes, size); }
    // The 16-bit word at byte offset n of the frame.
    std::optional<uint16_t> wordAt(size_t byteOffset) const
    {
        if (byteOffset + 2 > size)
            return std::nullopt;
        return readLe16(bytes + byteOffset);
    }
    // Data word k is the word at byte 20 + 2k, whether or not the frame has a data-field header.
    WordView dataWords() const { return size > 20 ? WordView(bytes + 20, size - 20) : WordView(); }
    std::optional<uint16_t> dataWord(size_t k) const { return dataWords().word(k); }

    uint16_t identification() const { return wordAt(4).value_or(0); }
    bool hasDataFieldHeader() const { return identification() & 0x0800; }
    int processId() const { return (identification() & 0x07F0) >> 4; }
    uint16_t sequenceControl() const { return wordAt(6).value_or(0); }
    uint16_t length() const { return wordAt(8).value_or(0); }
    // The on-board time the instrument stamps into the first two words of the data-field
    // header: a 1/32 s count, high word first, that only grows. Nothing without that header.
    std::optional<int64_t> onBoardTicks() const
    {
        const auto high = wordAt(10), low = wordAt(12);
        if (!hasDataFieldHeader() || !high || !low)
            return std::nullopt;
        return ticksFromUnsignedCount(*high, *low);
    }

    std::optional<int> serviceType() const
    {
        auto w = wordAt(16);
        return w ? std::optional<int>(*w & 0x00FF) : std::nullopt;
    }
    std::optional<int> serviceSubtype() const
    {
        auto w = wordAt(18);
        return w ? std::optional<int>((*w & 0xFF00) >> 8) : std::nullopt;
    }
    std::optional<int16_t> categoryWord() const
    {
        auto w = dataWord(1);
        return w ? std::optional<int16_t>(static_cast<int16_t>(*w)) : std::nullopt;
    }
};

// Archives hold millions of packets.
static_assert(sizeof(RawPacket) == 16);

} // namespace orvik
