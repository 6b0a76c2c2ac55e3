#include "tools/sim/Simulator.h"

#include "tools/sim/ArchiveWriter.h"
#include "tools/sim/Campaign.h"
#include "tools/sim/Random.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace orvik::sim {

std::set<uint16_t> chooseMissingBlocks(const CampaignSettings& settings)
{
    if (settings.missing == 0)
        return {};
    ArchiveWriter counter(nullptr);
    const ScienceSummary science = Campaign(settings, counter, {}).run();
    const uint32_t inner = science.blocks >= 2 ? science.blocks - 2 : 0;
    if (settings.missing > inner)
        throw std::invalid_argument("cannot leave out " + std::to_string(settings.missing) + " science blocks: the stream has "
                                    + std::to_string(inner) + " besides its first and last");

    // A partial shuffle of the inner block numbers; a generator of its own keeps the campaign's
    // values the same with and without missing blocks.
    Random random(settings.seed ^ 0x6D697373696E6721ull);
    std::vector<uint16_t> candidates(inner);
    for (uint32_t i = 0; i < inner; ++i)
        candidates[i] = static_cast<uint16_t>(science.firstBlock + 1 + i);
    for (uint32_t i = 0; i < settings.missing; ++i)
        std::swap(candidates[i], candidates[i + random.below(inner - i)]);
    return {candidates.begin(), candidates.begin() + settings.missing};
}

void writeArchive(const CampaignSettings& settings, const std::set<uint16_t>& missing, std::ostream& out)
{
    ArchiveWriter writer(&out);
    Campaign(settings, writer, missing).run();
}

} // namespace orvik::sim
