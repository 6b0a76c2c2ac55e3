#pragma once

#include "tools/sim/Options.h"
#include "tools/sim/Simulator.h"

#include <sstream>
#include <string>

namespace orvik::sim::test {

inline std::string simulate(const CampaignSettings& settings)
{
    std::ostringstream out;
    writeArchive(settings, chooseMissingBlocks(settings), out);
    return std::move(out).str();
}

// The default archive, as `orvik-sim OUT` writes it; made once for all tests.
inline const std::string& demoArchive()
{
    static const std::string archive = simulate({});
    return archive;
}

} // namespace orvik::sim::test
