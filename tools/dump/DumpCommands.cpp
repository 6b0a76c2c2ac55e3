#include "tools/dump/DumpCommands.h"

#include "display/HousekeepingCsv.h"
#include "display/HousekeepingTrend.h"
#include "display/MainDisplay.h"
#include "display/RawView.h"
#include "tools/dump/ShowPrinter.h"

#include <string>

namespace orvik::dump {

void printSummary(const ArchiveDocument& doc, std::ostream& out)
{
    for (const std::string& panel : doc.statusPanels())
        out << panel << '\n';
    const PacketStatistics& stats = doc.packetStatistics();
    for (size_t row = 0; row < stats.counts.size(); ++row)
        out << categories[row].statisticsRow << '\t' << stats.counts[row] << '\n';
}

namespace {
void printSubtree(const CategoryTree& tree, NodeId parent, int depth, std::ostream& out)
{
    const std::string indent(size_t(2 * depth), ' ');
    for (NodeId child : tree.children(parent)) {
        out << indent << tree.text(child) << '\n';
        printSubtree(tree, child, depth + 1, out);
    }
}
} // namespace

void printTree(const ArchiveDocument& doc, std::ostream& out)
{
    printSubtree(doc.tree(), noNode, 0, out);
}

void printTimeList(const ArchiveDocument& doc, std::ostream& out)
{
    printTimeListEntries(doc, 0, doc.timeListNodes().size(), out);
}

void printTimeListEntries(const ArchiveDocument& doc, size_t from, size_t end, std::ostream& out)
{
    const TimeList& nodes = doc.timeListNodes();
    for (size_t k = from; k < end; ++k)
        out << k << '\t' << doc.tree().text(nodes[k]) << '\n';
}

void printHousekeepingCsv(const ArchiveDocument& doc, std::ostream& out)
{
    const display::HousekeepingLists lists;
    display::writeHousekeepingCsv(doc, lists.regularHkList, [&out](std::string_view text) {
        out.write(text.data(), std::streamsize(text.size()));
        return bool(out);
    });
}

void printTrend(const ArchiveDocument& doc, const display::HkParameterList& parameters, std::ostream& out)
{
    display::writeTrendCsv(display::trendSamples(doc), parameters, [&out](std::string_view text) {
        out.write(text.data(), std::streamsize(text.size()));
        return bool(out);
    });
}

void printShow(const ArchiveDocument& doc, size_t k, const DumpOptions& options, std::ostream& out)
{
    display::MainDisplay display;
    display.components.userSet("MSCalDisp", display::Property::Checked, !options.uncalibrated);
    display.components.beginDisplay();
    display.displayNode(doc.tree(), doc.timeListNodes()[k]);
    if (options.half != 0)
        display.HKPacketHalfChange(options.half);
    printWrites(display.components.writes(), options.points, out,
                [&display](const std::string& list, size_t row) { return display.virtualRow(list, row); });
}

void printRaw(const ArchiveDocument& doc, size_t k, std::ostream& out)
{
    out << display::rawViewText(display::rawNodeView(doc.tree(), doc.timeListNodes()[k]));
}

} // namespace orvik::dump
