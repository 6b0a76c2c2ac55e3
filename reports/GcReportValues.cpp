#include "reports/GcReportValues.h"

#include "display/Configuration.h"
#include "display/WordFormat.h"

#include <cstdio>
#include <functional>

namespace orvik::reports {

namespace {
const std::string absent = "-";

// Formats the word when the block holds it.
std::string shown(WordView block, size_t k, const std::function<std::string(uint16_t)>& format)
{
    const auto w = block.word(k);
    return w ? format(*w) : absent;
}

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
    if (group == noNode || group >= tree.size() || tree.kind(group) != NodeKind::Group)
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
    for (; node != noNode && node < tree.size(); node = tree.parent(node))
        if (gcRunOf(tree, node))
            return node;
    return noNode;
}

GcReportValues gcReportValues(const GcRun& run, char decimalSeparator)
{
    const WordView p = run.parameters, c = run.configuration;
    GcReportValues v;
    v.timeToHeatTenax = shown(p, 9, display::decimal);
    v.wordsToCopy = shown(p, 8, display::decimal);
    for (unsigned i = 0; i < 8; ++i)
        v.colTempSetPoints.push_back(
            shown(p, i, [i](uint16_t w) { return setPointLine(i, w); }));

    v.hkSweep = shown(c, 0, display::yesIfSet);
    // The configuration page's duration, in the report with its unit.
    v.duration = shown(c, 2, [decimalSeparator](uint16_t w) {
        return display::gcDurationText(w, std::string_view(&decimalSeparator, 1)) + " min";
    });
    v.injectionTime = shown(c, 4, [](uint16_t w) { return display::decimal(w) + " msec"; });
    v.heTank = shown(c, 3, [](uint16_t w) { return std::string(w != 0 ? "#2" : "#1"); });
    v.source = shown(c, 5, display::gcSampleSource);
    v.headPressure = shown(c, 7, display::gcHeadPressureText);
    for (unsigned i = 0; i < 4; ++i)
        v.channels[i] = shown(c, 6, [i](uint16_t w) { return std::to_string(display::dacChannelColumn(w, i) + 1); });
    return v;
}

} // namespace orvik::reports
