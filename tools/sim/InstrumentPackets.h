#pragma once

#include "tools/sim/Configuration.h"
#include "tools/sim/Instrument.h"
#include "tools/sim/Random.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace orvik::sim {

// Packet categories, the instrument's data word 1.
enum class Category : uint16_t {
    Empty = 0, ScienceParameter = 1, ScienceData = 2, InternalHk = 3, DeviceParameters = 4,
    GcMsParameters = 5, TestResults = 6, ErrorMessage = 7, TpstReport = 8, MemoryDump = 9,
    RawData = 10, CsibConfiguration = 11, ExecutionReport = 12,
};

// Event categories of error messages (top nibble of the event word).
constexpr uint16_t kEventSoftware = 0x1;
constexpr uint16_t kEventConfiguration = 0x4;
constexpr uint16_t kEventTelecommand = 0x8;

// Software events; their identifiers index the ground's message table.
constexpr uint16_t kEventSd2NotReady = 0x07;
constexpr uint16_t kEventTpstTimeout = 0x0A;
constexpr uint16_t kEventSsvOpened = 0x0B;
constexpr uint16_t kEventEepromRefreshed = 0x0C;
constexpr uint16_t kEventTdcTimeout = 0x0D;
constexpr uint16_t kEventGcTimeout = 0x0E;

constexpr size_t kDumpPageWords = 128;

// The builders below return the packet data from data word 3 on; data words 0 to 2 (structure
// identifier, category, packet counter) are the campaign's.

std::vector<uint16_t> deviceParameterBody(const DeviceParameters& parameters);
std::vector<uint16_t> gcMsParameterBody(const ExperimentParameters& parameters);
// Tested and passed units as bit masks, bit 0 MS .. bit 5 tapping station.
std::vector<uint16_t> testResultBody(Random& random, const InstrumentState& state, uint16_t tested, uint16_t passed);
std::vector<uint16_t> errorMessageBody(uint16_t eventCategory, uint16_t eventId, uint16_t tcNumber);
struct TpstMove {
    uint16_t from, to;
    uint16_t ovenRawStart, ovenRawStop;
    std::array<uint16_t, 6> configuration;
};
std::vector<uint16_t> tpstReportBody(Random& random, const TpstMove& move);
std::vector<uint16_t> executionReportBody(uint32_t start, uint32_t stop, uint16_t counter, bool success,
                                          std::span<const uint16_t> tcWords);
std::vector<uint16_t> memoryDumpHeaderBody(uint16_t memoryType, uint16_t pages, uint32_t address);
std::vector<uint16_t> rawDataBody(Random& random);
std::vector<uint16_t> scienceParameterBody(uint16_t spectra, uint16_t sampleSource, bool highResolution);

// One 128-word page of a memory dump; it travels as data words 1..128 of a transfer packet.
// Its first word is never 2, which would make the page look like a science block to the ground.
std::vector<uint16_t> memoryDumpPage(Random& random, uint16_t memoryType, uint16_t page);

// Text packed two characters a word, the first in the high byte, padded with a blank.
std::vector<uint16_t> packText(std::string_view text);

} // namespace orvik::sim
