#pragma once
// Where the blocks that the decoders read begin among the data words of a packet
// of each kind (data word 1 is the category word). A block's own fields are the
// business of its decoder.

#include <cstddef>

namespace orvik {

struct RegularHkPacket {
    static constexpr size_t housekeeping = 1;
};
struct InternalHkPacket {
    static constexpr size_t housekeeping = 3;
};
struct DevParameterPacket {
    static constexpr size_t tpstPositions = 3, tpstControl = 10, ovenAndPipeHeater = 15;
};
struct GcMsParameterPacket {
    static constexpr size_t msParameters = 3, gcParameters = 22;
};
struct TpstReportPacket {
    static constexpr size_t tpstConfiguration = 12, bramWords = 25;
};
struct ExecutionReportPacket {
    static constexpr size_t telecommandWords = 17;
};

} // namespace orvik
