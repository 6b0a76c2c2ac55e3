#include "reports/GcReportValues.h"

#include "display/Configuration.h"
#include "display/WordFormat.h"

#include <cstdio>

namespace orvik::reports {

namespace {
// "Col: i - hhhh": a column's set point in four lower-case hexadecimal digits.
std::string setPointLine(unsigned column, uint16_t w)
{
    char text[32];
    std::snprintf(text, sizeof text, "Col: %u - %04x", column, unsigned(w));
    return text;
}
} // namespace

std::optional<GcRun> gcRunOf(const CategoryTree& tree, NodeId group)
{
    if (group == noNode || !tree.contains(group) || tree.kind(group) != NodeKind::Group)
        return std::nullopt;
    const CsibParameterRecord* parameters = nullptr;
    const CsibConfigRecord* configuration = nullptr;
    for (NodeId child : tree.children(group)) {
        const NodeWrapper& w = tree.wrapper(child);
        if (!parameters && w.kind == NodeKind::CsibParameter)
            parameters = w.record<CsibParameterRecord>();
        if (!configuration && w.kind == NodeKind::CsibConfig)
            configuration = w.record<CsibConfigRecord>();
    }
    if (!parameters || !configuration)
        return std::nullopt;
    return GcRun{parameters->words().slice(CsibParameterRecord::gcParameters, gcParameterBlockWords),
                 configuration->words().slice(CsibConfigRecord::gcConfiguration, gcConfigurationBlockWords)};
}

NodeId gcRunHolder(const CategoryTree& tree, NodeId node)
{
    for (; node != noNode && tree.contains(node); node = tree.parent(node))
        if (gcRunOf(tree, node))
            return node;
    return noNode;
}

GcReportValues gcReportValues(const GcRun& run, char decimalSeparator)
{
    const WordView p = run.parameters, c = run.configuration;
    GcReportValues v;
    using display::decimal, display::orDash;
    v.timeToHeatTenax = orDash(p.word(9), decimal);
    v.wordsToCopy = orDash(p.word(8), decimal);
    for (unsigned i = 0; i < 8; ++i)
        v.colTempSetPoints.push_back(orDash(p.word(i), [i](uint16_t w) { return setPointLine(i, w); }));

    v.hkSweep = orDash(c.word(0), display::yesIfSet);
    // The configuration page's duration, in the report with its unit.
    v.duration = orDash(c.word(2), [decimalSeparator](uint16_t w) {
        return display::gcDurationText(w, std::string_view(&decimalSeparator, 1)) + " min";
    });
    v.injectionTime = orDash(c.word(4), [](uint16_t w) { return decimal(w) + " msec"; });
    v.heTank = orDash(c.word(3), [](uint16_t w) { return std::string(w != 0 ? "#2" : "#1"); });
    v.source = orDash(c.word(5), display::gcSampleSource);
    v.headPressure = orDash(c.word(7), display::gcHeadPressureText);
    for (unsigned i = 0; i < 4; ++i)
        v.channels[i] =
            orDash(c.word(6), [i](uint16_t w) { return decimal(uint16_t(display::dacChannelColumn(w, i) + 1)); });
    return v;
}

} // namespace orvik::reports
