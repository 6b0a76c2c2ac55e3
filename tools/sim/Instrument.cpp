#include "tools/sim/Instrument.h"

#include <algorithm>

namespace orvik::sim {

namespace {

// First-order approach with time constant tau; linear in the step, which is fine for steps well
// below tau.
void approach(double& value, double target, double seconds, double tau)
{
    value += (target - value) * std::min(1.0, seconds / tau);
}

} // namespace

void InstrumentState::relax(double seconds)
{
    approach(ovenC, ovenTargetC, seconds, 90.0);
    approach(columnC, columnTargetC, seconds, 45.0);
    approach(tenaxC, tenaxTargetC, seconds, 30.0);
    approach(pipeC, pipeTargetC, seconds, 120.0);
}

void InstrumentState::countTelecommand()
{
    ++cdmsReceived;
    ++cdmsTransmitted;
    ++storedTcs;
}

} // namespace orvik::sim
