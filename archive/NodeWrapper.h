#pragma once
// The payload of every tree node: its kind, and either the stored packet it
// refers to (not owned), the record it owns, or an on-board tick count.

#include "DatasetRecords.h"
#include "RawPacket.h"

#include <memory>
#include <variant>

namespace orvik {

namespace NodeKind {
constexpr int16_t Spectrum = 2, InternalHk = 3, OvenTpstParameter = 4, GcMsParameter = 5, TestResults = 6,
                  ErrorMessage = 7, TpstReport = 8, ExecutionReport = 12, Group = 265, GcHkSweep = 266,
                  MsHkSweep = 267, CsibConfig = 268, MemoryDump = 269, RegularHk = 270, Time = 271,
                  Telecommand = 272, FullHk = 273, CsibParameter = 274;
} // namespace NodeKind

class NodeWrapper {
public:
    using Payload = std::variant<std::monostate, const RawPacket*, int64_t, std::unique_ptr<SpectrumRecord>,
                                 std::unique_ptr<HkSweepRecord>, std::unique_ptr<CsibConfigRecord>,
                                 std::unique_ptr<CsibParameterRecord>, std::unique_ptr<FullHkRecord>,
                                 std::unique_ptr<TelecommandRecord>, std::unique_ptr<MemoryDumpImage>>;

    NodeWrapper(int16_t kind, Payload payload = {}) : kind(kind), payload(std::move(payload)) {}

    int16_t kind;
    Payload payload;

    const RawPacket* packet() const
    {
        auto p = std::get_if<const RawPacket*>(&payload);
        return p ? *p : nullptr;
    }
    // The tick count of a "Time: " node (0 for every other node).
    int64_t ticks() const
    {
        auto t = std::get_if<int64_t>(&payload);
        return t ? *t : 0;
    }
    // The owned record of type R, or null when the node holds another payload.
    template <class R>
    const R* record() const
    {
        auto r = std::get_if<std::unique_ptr<R>>(&payload);
        return r ? r->get() : nullptr;
    }
};

} // namespace orvik
