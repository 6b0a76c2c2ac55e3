#pragma once
// The class of one stored packet, worked out once by the reader while the frame's
// bytes are at hand, so that later walks over the packets need not touch them.

#include <cstdint>

namespace orvik {

namespace Category {
constexpr int16_t Empty = 0, ScienceParameter = 1, ScienceData = 2, InternalHk = 3, DevParameter = 4,
                  GcMsParameter = 5, TestResults = 6, ErrorMessages = 7, TpstReport = 8, MemoryDump = 9,
                  RawData = 10, CsibCfg = 11, ExecutionReport = 12;
constexpr int count = 13;
} // namespace Category

struct PacketClass {
    enum Kind : uint8_t { Foreign, RegularHousekeeping, Categorised, Unrecognised };
    // Bit fields: with the category the class takes four bytes, and a stored packet sixteen.
    Kind kind : 2 = Foreign;
    bool transfer : 1 = false;        // service type 20, subtype 3
    bool hasCategoryWord : 1 = false; // the packet is long enough for data word 1
    int16_t category = 0;             // data word 1, whatever the kind

    // The statistics row this packet is counted in, or -1.
    int statisticsRow() const
    {
        const bool instrument = kind == Categorised || kind == Unrecognised;
        return instrument && hasCategoryWord && category >= 0 && category < Category::count ? category : -1;
    }
    // A block of the science stream; the process identifier does not matter.
    bool isScienceBlock() const { return transfer && hasCategoryWord && category == Category::ScienceData; }
};

} // namespace orvik
