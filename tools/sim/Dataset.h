#pragma once

#include "tools/sim/Configuration.h"
#include "tools/sim/Random.h"
#include "tools/sim/ScienceStream.h"
#include "tools/sim/Telecommands.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace orvik::sim {

constexpr uint32_t kTicksPerSecond = 32; // on-board time counts 1/32 s

// One spectrum of a measurement and the housekeeping sweeps taken while it was recorded.
struct Segment {
    RecordTag spectrum;  // MassSpectrum or Chromatogram
    unsigned samples;
    unsigned gcSweeps;   // taken before the MS sweeps
    unsigned msSweeps;
    uint32_t ticks;      // from the end of the previous segment to this spectrum
};

// A measurement decided in advance, so that its size in the science stream is known before it
// runs: the start telecommand, the configuration and the spectra with their sweeps.
struct DatasetPlan {
    DatasetKind kind;
    uint16_t msSource;
    uint16_t gcSource;
    RunConfiguration configuration;
    std::vector<uint16_t> startTelecommand;
    std::vector<Segment> segments;

    // Stream words of the whole dataset: TC, CD, TI, PD and HK records, then the segments.
    size_t streamWords() const;
    uint32_t durationTicks() const;
};

// MS: three to five spectra of one source; GC: one chromatogram of a run of five to nine steps
// with a GC sweep a step; GCMS: a GC run with MS spectra taken along it.
DatasetPlan planDataset(Random& random, DatasetKind kind, uint16_t sampleSource, bool highResolution);

} // namespace orvik::sim
