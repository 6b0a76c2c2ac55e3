#include "exports/DatasetContent.h"

#include "display/SpectrumDisplay.h"

#include <functional>

namespace orvik::exports {

std::optional<int64_t> DatasetContent::start() const
{
    if (startTicks)
        return startTicks;
    if (spectra.empty() && chromatograms.empty())
        return std::nullopt;
    return std::min(spectra.empty() ? INT64_MAX : spectra.front().ticks,
                    chromatograms.empty() ? INT64_MAX : chromatograms.front().ticks);
}

double DatasetContent::secondsFromStart(int64_t ticks) const
{
    return double(ticks - start().value_or(ticks)) / 65536.0;
}

bool isDataset(const CategoryTree& tree, NodeId node)
{
    // Its first child is the telecommand that opened it.
    if (node == noNode || !tree.contains(node) || tree.kind(node) != NodeKind::Group)
        return false;
    const NodeRuns& children = tree.children(node);
    return !children.empty() && tree.kind(children[0]) == NodeKind::Telecommand;
}

NodeId datasetOf(const CategoryTree& tree, NodeId node)
{
    for (NodeId at = node; at != noNode && tree.contains(at); at = tree.parent(at))
        if (isDataset(tree, at))
            return at;
    return noNode;
}

std::vector<NodeId> datasets(const CategoryTree& tree)
{
    std::vector<NodeId> found;
    const std::function<void(NodeId)> walk = [&](NodeId parent) {
        for (const NodeId child : tree.children(parent)) {
            if (tree.kind(child) != NodeKind::Group)
                continue;
            if (isDataset(tree, child))
                found.push_back(child);
            else
                walk(child);
        }
    };
    walk(noNode);
    return found;
}

DatasetContent datasetContent(const CategoryTree& tree, NodeId dataset)
{
    DatasetContent content;
    content.dataset = dataset;
    content.name = tree.text(dataset);
    content.path = content.name;
    content.dacChannelWord = display::datasetDacChannelWord(tree, dataset);
    for (NodeId up = tree.parent(dataset); up != noNode; up = tree.parent(up))
        content.path = tree.text(up) + " > " + content.path;
    size_t gcRecords = 0;
    for (const NodeId child : tree.children(dataset)) {
        const NodeWrapper& w = tree.wrapper(child);
        if (const auto* tc = w.record<TelecommandRecord>(); tc && content.telecommand.empty()) {
            const WordView words = tc->words();
            for (size_t k = 1; k <= std::min<size_t>(tc->count(), TelecommandRecord::wordCount - 1); ++k)
                content.telecommand.push_back(words.wordOr(k));
        } else if (tree.kind(child) == NodeKind::Time && !content.startTicks) {
            content.startTicks = w.ticks();
        } else if (const auto* spectrum = w.record<SpectrumRecord>()) {
            const int64_t ticks = ticksFromSignedCount(spectrum->timeHigh, spectrum->timeLow);
            if (spectrum->tag == msTag) {
                ExportedSpectrum s{child, content.spectra.size(), ticks, spectrum->csibWord, {}, {}};
                const display::ChartSeries series = display::massSpectrumSeries(*spectrum, true);
                s.mz.reserve(series.points.size());
                s.intensity.reserve(series.points.size());
                for (const display::ChartPoint& p : series.points) {
                    s.mz.push_back(p.x);
                    s.intensity.push_back(p.y);
                }
                content.spectra.push_back(std::move(s));
            } else if (spectrum->tag == gcTag) {
                const auto series = display::chromatogramSeriesOf(tree, child);
                if (!series)
                    ++content.gcRecordsWithoutColumns;
                for (const display::ChartSeries& one : series.value_or(std::vector<display::ChartSeries>{})) {
                    ExportedChromatogram c{child, gcRecords, ticks, one.title, {}, {}};
                    for (const display::ChartPoint& p : one.points) {
                        c.time.push_back(p.x);
                        c.intensity.push_back(p.y);
                    }
                    content.chromatograms.push_back(std::move(c));
                }
                ++gcRecords;
            }
        }
    }
    return content;
}

DatasetContent curveContent(const CategoryTree& tree, NodeId node)
{
    DatasetContent content = datasetContent(tree, datasetOf(tree, node));
    std::erase_if(content.spectra, [node](const ExportedSpectrum& s) { return s.node != node; });
    std::erase_if(content.chromatograms, [node](const ExportedChromatogram& c) { return c.node != node; });
    return content;
}

} // namespace orvik::exports
