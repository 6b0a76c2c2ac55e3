#include "display/OrvikHK.h"

namespace orvik::display {

// Both compute in extended precision and keep the result in single precision.

float OrvikHK::msSweepValue(int channel, int s) const
{
    const long double v = s;
    switch (channel) {
    case 0:
    case 1: return float((v - 2520) * 0.111);
    case 2: return float((v - 970) * 0.14);
    case 3: return float(v * 0.04 - 273.16);
    case 8: return float(v * 0.0073);
    case 9: return float(v * 0.505);
    case 5:
    case 10:
    case 11:
    case 12:
    case 13:
    case 14:
    case 15: return float(v * 0.000366);
    default: return float(v); // 4, 6, 7
    }
}

float OrvikHK::gcSweepValue(int channel, int s) const
{
    const long double v = s;
    switch (channel) {
    case 3: return float(v * 0.04 - 273.16);
    case 4: return float(v * 0.028);
    // The reading over 4563 with single-precision constants; a reading of 0 gives 0.
    case 5: return s == 0 ? 0.0f : float(1.0f / (4563.0f / v));
    case 7: return float(v * 0.045);
    default:
        if (channel >= 8 && channel <= 15)
            return float(v * 0.014);
        return float(v); // 0, 1, 2, 6
    }
}

} // namespace orvik::display
