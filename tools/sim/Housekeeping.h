#pragma once

#include "tools/sim/Instrument.h"
#include "tools/sim/Random.h"
#include "tools/sim/ScienceStream.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace orvik::sim {

constexpr size_t kHkHalfWords = 64;     // the regular housekeeping set
constexpr size_t kInternalHkWords = 91; // the regular set followed by the internal words 64..90

// Raw words from physical values, inverting the conversions the ground applies.
uint16_t rawUnsigned(double value);               // value = raw (clamped to 0..65535)
uint16_t rawSigned(double value);                 // value = raw read as signed 16-bit
uint16_t rawScaled(double value, double factor);  // value = raw × factor
uint16_t rawKelvinScaled(double celsius, double factor);          // value = raw × factor − 273.16
uint16_t rawOffsetScaled(double value, double zero, double factor); // value = (raw − zero) × factor

// One sample of the regular housekeeping set, taken at on-board time `obt`.
std::array<uint16_t, kHkHalfWords> housekeepingHalf(const InstrumentState& state, uint32_t obt, Random& random);
// The regular set followed by the internal words (memory, buffers, software state).
std::array<uint16_t, kInternalHkWords> internalHousekeeping(const InstrumentState& state, uint32_t obt, Random& random);
// The full housekeeping block of the science stream: the internal block, then spare words.
std::array<uint16_t, kFullHkWords> fullHousekeeping(const InstrumentState& state, uint32_t obt, Random& random);

// The sixteen raw readings of one sweep of the GC's and of the MS's ADC multiplexer.
std::array<uint16_t, kSweepWords> gcSweep(const InstrumentState& state, Random& random);
std::array<uint16_t, kSweepWords> msSweep(const InstrumentState& state, Random& random);

} // namespace orvik::sim
