#pragma once

#include "tools/sim/Configuration.h"

#include <cstdint>
#include <vector>

namespace orvik::sim {

// Telecommand codes: the low four bits of a telecommand's first word.
enum class TcCode : uint16_t {
    Stst = 1, Cfgc = 2, Udpt = 3, Gdpt = 4, Gihk = 5, Cfms = 6, Uppt = 7, Gtpt = 8,
    Stac = 9, Gtib = 10, Cfts = 11, Mmld = 12, Sucg = 13, Fssv = 14,
};

enum class DatasetKind { Ms, Gc, GcMs };

// Telecommand words as the lander sends them, code word first.
std::vector<uint16_t> simpleTelecommand(TcCode code);
std::vector<uint16_t> selfTestTelecommand(uint16_t units);
std::vector<uint16_t> gcConfigurationTelecommand(const RunConfiguration& configuration);
std::vector<uint16_t> msConfigurationTelecommand(const RunConfiguration& configuration);
std::vector<uint16_t> tpstConfigurationTelecommand(const RunConfiguration& configuration);
std::vector<uint16_t> internalHousekeepingTelecommand();
std::vector<uint16_t> updateDeviceParametersTelecommand();
std::vector<uint16_t> memoryDumpTelecommand(uint16_t memoryType, uint32_t address, uint16_t pages);
// Start action: word 1, 2 or 3 selects an MS, GC or GCMS measurement; then the spectrum count
// and the sample source.
std::vector<uint16_t> startActionTelecommand(DatasetKind kind, uint16_t spectra, uint16_t sampleSource);

} // namespace orvik::sim
