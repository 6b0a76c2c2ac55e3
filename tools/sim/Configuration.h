#pragma once

#include "tools/sim/Random.h"
#include "tools/sim/ScienceStream.h"

#include <array>
#include <cstdint>

namespace orvik::sim {

// The device parameter table: tapping-station positions and control, oven and pipe heater.
struct DeviceParameters {
    std::array<uint16_t, 6> tpstPositions{};
    std::array<uint16_t, 4> tpstControl{};
    std::array<uint16_t, 17> oven{};
};

// The experiment parameter table: MS timing and voltages, GC column set points.
struct ExperimentParameters {
    std::array<uint16_t, 18> ms{};
    std::array<uint16_t, 10> gc{};
};

// The configuration one measurement runs with; the same words travel in the CFTS, CFMS and CFGC
// telecommands and come back in the CSIB configuration.
struct RunConfiguration {
    std::array<uint16_t, 6> tpst{};
    std::array<uint16_t, 9> ms{};
    std::array<uint16_t, 8> gc{};

    bool highResolution() const { return ms[5] != 0; }
    uint16_t dacChannels() const { return gc[6]; }
    unsigned durationSteps() const { return gc[2] & 0x1F; }
};

// Number of MS samples the DPU copies into the stream: high resolution halves the sample time.
constexpr unsigned msSamples(bool highResolution) { return highResolution ? 8192 : 4096; }

DeviceParameters makeDeviceParameters(Random& random);
ExperimentParameters makeExperimentParameters(Random& random);
// The tapping-station position identifier (0..4) a sample source is taken from.
uint16_t tpstPositionFor(uint16_t sampleSource);
RunConfiguration makeRunConfiguration(Random& random, uint16_t msSource, uint16_t gcSource, bool highResolution,
                                      unsigned durationSteps);

// The 55-word parameter record: positions, control, oven, MS and GC parameters back to back.
std::array<uint16_t, kParameterWords> parameterRecord(const DeviceParameters& device, const ExperimentParameters& experiment);
// The 90-word CSIB configuration: TPST block at word 0, MS block at 30, GC block at 60.
std::array<uint16_t, kConfigurationWords> configurationRecord(const RunConfiguration& configuration);

} // namespace orvik::sim
