#pragma once
// The channel conversions of the ADC multiplexer sweeps of the MS and the GC:
// each raw reading becomes an engineering value by a fixed linear formula.

namespace orvik::display {

class OrvikHK {
public:
    // Channel 0..15 of the MS multiplexer; s the reading as a signed 16-bit value.
    float msSweepValue(int channel, int s) const;
    // Channel 0..15 of the GC multiplexer.
    float gcSweepValue(int channel, int s) const;
};

} // namespace orvik::display
