#pragma once
// A tree node: its kind, the number its text shows, and one 8-byte slot that
// holds the stored packet it refers to (not owned), the record it owns, or an
// on-board tick count. Kept to 16 bytes: an archive has millions of nodes.

#include "archive/DatasetRecords.h"
#include "archive/NodeKinds.h"
#include "archive/RawPacket.h"

#include <memory>
#include <tuple>
#include <utility>

namespace orvik {

class NodeWrapper {
    // The records a node may own; the slot's content type is recorded beside the kind.
    using OwnedRecords = std::tuple<SpectrumRecord, HkSweepRecord, CsibConfigRecord, CsibParameterRecord,
                                    FullHkRecord, TelecommandRecord, MemoryDumpImage>;
    enum : uint8_t { holdsNothing, holdsPacket, holdsTicks, firstRecord };

    template <class R, size_t I = 0>
    static constexpr uint8_t recordType()
    {
        if constexpr (std::is_same_v<R, std::tuple_element_t<I, OwnedRecords>>)
            return uint8_t(firstRecord + I);
        else
            return recordType<R, I + 1>();
    }

public:
    explicit NodeWrapper(int16_t kind) : kind(kind) {}
    NodeWrapper(int16_t kind, const RawPacket* packet) : kind(kind), type_(holdsPacket) { slot_.data = packet; }
    NodeWrapper(int16_t kind, int64_t ticks) : kind(kind), type_(holdsTicks) { slot_.ticks = ticks; }
    template <class R>
    NodeWrapper(int16_t kind, std::unique_ptr<R> record) : kind(kind), type_(recordType<R>())
    {
        slot_.data = record.release();
    }

    NodeWrapper(NodeWrapper&& other) noexcept
        : kind(other.kind), type_(std::exchange(other.type_, holdsNothing)), number_(other.number_)
    {
        slot_ = other.slot_;
    }
    NodeWrapper& operator=(NodeWrapper&& other) noexcept
    {
        if (this != &other) {
            release();
            kind = other.kind;
            type_ = std::exchange(other.type_, holdsNothing);
            number_ = other.number_;
            slot_ = other.slot_;
        }
        return *this;
    }
    ~NodeWrapper() { release(); }

    int16_t kind;

    const RawPacket* packet() const { return type_ == holdsPacket ? static_cast<const RawPacket*>(slot_.data) : nullptr; }
    // The tick count of a "Time: " node (0 for every other node).
    int64_t ticks() const { return type_ == holdsTicks ? slot_.ticks : 0; }
    // The owned record of type R, or null when the node holds something else.
    template <class R>
    const R* record() const
    {
        return type_ == recordType<R>() ? static_cast<const R*>(slot_.data) : nullptr;
    }

private:
    friend class CategoryTree; // sets and reads the number

    void release() { releaseRecord(std::make_index_sequence<std::tuple_size_v<OwnedRecords>>{}); }
    template <size_t... I>
    void releaseRecord(std::index_sequence<I...>)
    {
        ((type_ == firstRecord + I ? delete static_cast<const std::tuple_element_t<I, OwnedRecords>*>(slot_.data)
                                   : void()),
         ...);
        type_ = holdsNothing;
    }

    uint8_t type_ = holdsNothing;
    // The sweep or spectrum number of the node's text; for a group node the tree's
    // index of its text and children. Lies where the slot's alignment leaves room.
    uint32_t number_ = 0;
    union {
        const void* data;
        int64_t ticks;
    } slot_{nullptr};
};

static_assert(sizeof(NodeWrapper) == 16);

} // namespace orvik
