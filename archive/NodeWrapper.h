#pragma once
// A tree node: its kind and one 8-byte slot that holds the stored packet it refers
// to (not owned), the record it owns, an on-board tick count, or for a group node
// the tree's index of its text and children. Kept to 12 bytes: an archive has
// millions of nodes, so the slot is two 32-bit halves rather than one aligned word.

#include "archive/DatasetRecords.h"
#include "archive/NodeKinds.h"
#include "archive/RawPacket.h"

#include <cstring>
#include <memory>
#include <tuple>
#include <utility>

namespace orvik {

class NodeWrapper {
    // The records a node may own; the slot's content type is recorded beside the kind.
    using OwnedRecords = std::tuple<SpectrumRecord, HkSweepRecord, CsibConfigRecord, CsibParameterRecord,
                                    FullHkRecord, TelecommandRecord, MemoryDumpImage>;
    enum : uint8_t { holdsNothing, holdsPacket, holdsTicks, holdsGroup, firstRecord };

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
    NodeWrapper(int16_t kind, const RawPacket* packet) : kind(kind), type_(holdsPacket) { store(packet); }
    NodeWrapper(int16_t kind, int64_t ticks) : kind(kind), type_(holdsTicks) { store(ticks); }
    template <class R>
    NodeWrapper(int16_t kind, std::unique_ptr<R> record) : kind(kind), type_(recordType<R>())
    {
        store(static_cast<const void*>(record.release()));
    }

    NodeWrapper(NodeWrapper&& other) noexcept : kind(other.kind), type_(std::exchange(other.type_, holdsNothing))
    {
        std::memcpy(slot_, other.slot_, sizeof slot_);
    }
    NodeWrapper& operator=(NodeWrapper&& other) noexcept
    {
        if (this != &other) {
            release();
            kind = other.kind;
            type_ = std::exchange(other.type_, holdsNothing);
            std::memcpy(slot_, other.slot_, sizeof slot_);
        }
        return *this;
    }
    ~NodeWrapper() { release(); }

    int16_t kind;

    const RawPacket* packet() const
    {
        return type_ == holdsPacket ? static_cast<const RawPacket*>(load<const void*>()) : nullptr;
    }
    // The tick count of a "Time: " node (0 for every other node).
    int64_t ticks() const { return type_ == holdsTicks ? load<int64_t>() : 0; }
    // The owned record of type R, or null when the node holds something else.
    template <class R>
    const R* record() const
    {
        return type_ == recordType<R>() ? static_cast<const R*>(load<const void*>()) : nullptr;
    }

private:
    friend class CategoryTree; // makes group nodes, reads their index, moves packet references
    static NodeWrapper group(uint32_t index)
    {
        NodeWrapper w(NodeKind::Group);
        w.type_ = holdsGroup;
        w.store(int64_t(index));
        return w;
    }
    uint32_t groupIndex() const { return uint32_t(load<int64_t>()); }

    template <class T>
    void store(T value)
    {
        static_assert(sizeof(T) <= sizeof slot_);
        std::memcpy(slot_, &value, sizeof value);
    }
    template <class T>
    T load() const
    {
        T value;
        std::memcpy(&value, slot_, sizeof value);
        return value;
    }

    void release() { releaseRecord(std::make_index_sequence<std::tuple_size_v<OwnedRecords>>{}); }
    template <size_t... I>
    void releaseRecord(std::index_sequence<I...>)
    {
        ((type_ == firstRecord + I ? delete static_cast<const std::tuple_element_t<I, OwnedRecords>*>(load<const void*>())
                                   : void()),
         ...);
        type_ = holdsNothing;
    }

    uint8_t type_ = holdsNothing;
    uint32_t slot_[2] = {};
};

static_assert(sizeof(NodeWrapper) == 12);

} // namespace orvik
