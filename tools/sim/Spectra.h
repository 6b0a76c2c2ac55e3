#pragma once

#include "tools/sim/Random.h"

#include <cstdint>
#include <vector>

namespace orvik::sim {

// The time-of-flight calibration: sample i lies at mass (i × a − b)². Both resolutions cover
// masses up to about 83 with their sample counts.
struct MassCalibration {
    double a;
    double b;
};
MassCalibration massCalibration(bool highResolution);
double sampleIndexOfMass(double mass, bool highResolution);

// One mass spectrum of msSamples(highResolution) samples with peaks at the masses of the gas the
// sample source delivers (water, nitrogen, oxygen, argon, carbon dioxide ...).
std::vector<uint16_t> massSpectrum(Random& random, bool highResolution, uint16_t sampleSource);

// A chromatogram is sampled every 32.768 ms, the samples going round the eight detector channels:
// channels 0..3 the low-gain and 4..7 the high-gain reading of DAC channels 1..4.
constexpr double kChromatogramSampleSeconds = 0.032768;
// Samples of a run of `durationSteps` (about 1.016 minutes each), a whole number of rounds.
unsigned chromatogramSamples(unsigned durationSteps);
// Gaussian peaks per GC column; each DAC channel shows the peaks of the column its nibble of
// `dacChannels` names.
std::vector<uint16_t> chromatogram(Random& random, uint16_t dacChannels, unsigned samples, uint16_t sampleSource);

} // namespace orvik::sim
