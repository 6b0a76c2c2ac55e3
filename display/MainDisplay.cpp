#include "display/MainDisplay.h"

#include "display/Configuration.h"
#include "display/DeviceParameters.h"
#include "display/ErrorMessageDisplay.h"
#include "display/ExecutionReportDisplay.h"
#include "display/MemoryDumpDisplay.h"
#include "display/TestResultsDisplay.h"
#include "display/TpstReportDisplay.h"

#include "archive/PacketBlocks.h"

namespace orvik::display {

namespace {
// The group caption a dataset node hangs under: "MS", "GC" or "GCMS".
std::string captionAbove(const CategoryTree& tree, NodeId node, int levels)
{
    for (; levels > 0 && node != noNode; --levels)
        node = tree.parent(node);
    return node == noNode ? std::string() : tree.text(node);
}

// The pages of one instrument: its tab of PageControl1 and the pages of its page control.
struct InstrumentPages {
    const char* tab;
    const char* control;
    const char* spectrum;
    const char* sweep;
    const char* configuration;
};
constexpr InstrumentPages msPages{"MSTab", "MSPageControl", "MSSpecTabSheet", "MSParTabSheet", "MSCfgTabSheet"};
constexpr InstrumentPages gcPages{"GCtab", "GCPageControl", "GCSpecTabSheet", "GCParTabSheet1", "GCCfgTabSheet"};
} // namespace

void MainDisplay::showHousekeepingPage(WordView block, bool halfSelector)
{
    components.setVisible("HKPacketHalf", halfSelector);
    if (halfSelector)
        components.setItemIndex("HKPacketHalf", 0);
    hkHalf = 0;
    showHousekeeping(block, halfSelector);
}

void MainDisplay::showDeviceParameterTabs(bool ovenTab, bool gcMsTabs)
{
    components.setTabVisible("TabSheet1", ovenTab);
    components.setTabVisible("TabSheet2", gcMsTabs);
    components.setTabVisible("TabSheet3", gcMsTabs);
}

void MainDisplay::showParameterTabOf(const std::string& group)
{
    if (group == "MS")
        components.setActivePage("PageControl2", "TabSheet3");
    else if (group == "GC")
        components.setActivePage("PageControl2", "TabSheet2");
}

std::span<const MainDisplay::KindDisplay> MainDisplay::kindDisplays()
{
    using Tree = const CategoryTree&;
    static constexpr PageChoice csibTab{"PageControl1", "CSIBTabSheet"};
    static constexpr PageChoice deviceParameters{"CSIBPageControl", "DeviceParTabSheet"};
    static constexpr std::array table = std::to_array<KindDisplay>({
        {NodeKind::Spectrum,
         [](MainDisplay& d, Tree tree, NodeId node) {
             d.displaySpectrum(tree, node);
             const uint16_t tag = tree.wrapper(node).record<SpectrumRecord>()->tag;
             if (tag == msTag || tag == gcTag) {
                 const InstrumentPages& pages = tag == msTag ? msPages : gcPages;
                 d.components.setActivePage(pages.control, pages.spectrum);
                 d.components.setActivePage("PageControl1", pages.tab);
             }
         },
         {}},
        {NodeKind::InternalHk,
         [](MainDisplay& d, Tree tree, NodeId node) {
             d.showHousekeepingPage(tree.wrapper(node).packet()->dataWords().from(InternalHkPacket::housekeeping),
                                    false);
         },
         {}},
        {NodeKind::RegularHk,
         [](MainDisplay& d, Tree tree, NodeId node) {
             d.showHousekeepingPage(tree.wrapper(node).packet()->dataWords().from(RegularHkPacket::housekeeping),
                                    true);
         },
         {}},
        {NodeKind::FullHk,
         [](MainDisplay& d, Tree tree, NodeId node) {
             d.showHousekeepingPage(tree.wrapper(node).record<FullHkRecord>()->words(), false);
         },
         {}},
        {NodeKind::OvenTpstParameter,
         [](MainDisplay& d, Tree tree, NodeId node) {
             using P = DevParameterPacket;
             const WordView data = tree.wrapper(node).packet()->dataWords();
             showTpstPositions(d.components, data.from(P::tpstPositions));
             showTpstControl(d.components, data.from(P::tpstControl));
             showOvenAndPipeHeater(d.components, data.from(P::ovenAndPipeHeater));
             d.showDeviceParameterTabs(true, false);
         },
         {{{"PageControl2", "TabSheet1"}, deviceParameters, csibTab}}},
        {NodeKind::GcMsParameter,
         [](MainDisplay& d, Tree tree, NodeId node) {
             using P = GcMsParameterPacket;
             const WordView data = tree.wrapper(node).packet()->dataWords();
             showMsParameters(d.components, data.from(P::msParameters));
             showGcParameters(d.components, data.from(P::gcParameters));
             d.showParameterTabOf(captionAbove(tree, node, 1));
             d.showDeviceParameterTabs(false, true);
         },
         {{deviceParameters, csibTab}}},
        {NodeKind::CsibParameter,
         [](MainDisplay& d, Tree tree, NodeId node) {
             using R = CsibParameterRecord;
             const WordView record = tree.wrapper(node).record<R>()->words();
             showTpstPositions(d.components, record.from(R::tpstPositions));
             showTpstControl(d.components, record.from(R::tpstControl));
             showOvenAndPipeHeater(d.components, record.from(R::ovenAndPipeHeater));
             showMsParameters(d.components, record.from(R::msParameters));
             showGcParameters(d.components, record.from(R::gcParameters));
             d.showParameterTabOf(captionAbove(tree, node, 2));
             d.showDeviceParameterTabs(true, true);
             d.components.setTabVisible(deviceParameters.page, true);
         },
         {{csibTab}}},
        {NodeKind::CsibConfig,
         [](MainDisplay& d, Tree tree, NodeId node) {
             using R = CsibConfigRecord;
             const WordView record = tree.wrapper(node).record<R>()->words();
             showMsConfiguration(d.components, record.from(R::msConfiguration));
             showGcConfiguration(d.components, record.from(R::gcConfiguration), d.decimalSeparator);
             showTpstConfiguration(d.components, record.from(R::tpstConfiguration));
             const std::string group = captionAbove(tree, node, 2);
             if (group == "MS" || group == "GCMS" || group == "GC") {
                 const InstrumentPages& pages = group == "GC" ? gcPages : msPages;
                 d.components.setActivePage("PageControl1", pages.tab);
                 d.components.setActivePage(pages.control, pages.configuration);
             }
         },
         {}},
        {NodeKind::TestResults,
         [](MainDisplay& d, Tree tree, NodeId node) {
             d.testResultData_ = tree.wrapper(node).packet()->dataWords();
             displayTestResults(d.components, d.testResultData_);
         },
         {{{"PageControl1", "TestResultTabSheet"}}}},
        {NodeKind::ErrorMessage,
         [](MainDisplay& d, Tree tree, NodeId node) {
             displayErrorMessage(d.components, tree.wrapper(node).packet()->dataWords());
         },
         {{{"PageControl1", "ErrMsgTabSheet"}}}},
        {NodeKind::TpstReport,
         [](MainDisplay& d, Tree tree, NodeId node) {
             displayTpstReport(d.components, tree.wrapper(node).packet()->dataWords());
         },
         {{{"PageControl3", "TPSTReportTabSheet"}, {"PageControl1", "TPSTTabSheet"}}}},
        {NodeKind::ExecutionReport,
         [](MainDisplay& d, Tree tree, NodeId node) {
             displayExecutionReport(d.components, tree.wrapper(node).packet()->dataWords(), d.decimalSeparator);
         },
         {{{"PageControl1", "TCExeReportTabSheet"}}}},
        {NodeKind::GcHkSweep,
         [](MainDisplay& d, Tree tree, NodeId node) {
             d.displayGcSweep(tree.wrapper(node).record<HkSweepRecord>()->words());
         },
         {{{gcPages.control, gcPages.sweep}, {"PageControl1", gcPages.tab}}}},
        {NodeKind::MsHkSweep,
         [](MainDisplay& d, Tree tree, NodeId node) {
             d.displayMsSweep(tree.wrapper(node).record<HkSweepRecord>()->words());
         },
         {{{msPages.control, msPages.sweep}, {"PageControl1", msPages.tab}}}},
        {NodeKind::MemoryDump,
         [](MainDisplay& d, Tree tree, NodeId node) {
             displayMemoryDump(d.components, *tree.wrapper(node).record<MemoryDumpImage>());
         },
         {{{"PageControl1", "MemDumpTabSheet"}}}},
        {NodeKind::Telecommand,
         [](MainDisplay& d, Tree tree, NodeId node) {
             displayDatasetTelecommand(d.components, *tree.wrapper(node).record<TelecommandRecord>());
         },
         {{{"PageControl1", "TCTabSheet"}}}},
    });
    return table;
}

void MainDisplay::displayNode(const CategoryTree& tree, NodeId node)
{
    const int16_t kind = tree.kind(node);
    for (const KindDisplay& entry : kindDisplays()) {
        if (entry.kind != kind)
            continue;
        entry.show(*this, tree, node);
        for (const PageChoice& choice : entry.pages)
            if (choice.control)
                components.setActivePage(choice.control, choice.page);
        return;
    }
}

void MainDisplay::releaseArchive()
{
    currentHkData = {};
    internalHkData_ = {};
    testResultData_ = {};
    // Repainted rows come out blank; the status tree keeps its lines until the next block.
    components.set("HKListView", Property::RowCount, int(hkLists.regularHkList.size()));
    components.set("InternalHKListView", Property::RowCount, int(hkLists.internalHkList.size()));
}

void MainDisplay::testresultListView1SelectItem(const std::string& caption)
{
    if (!testResultData_.empty())
        showTestResultDetails(components, testResultData_, caption);
}

void MainDisplay::memDumpScrollBar1Scroll(const CategoryTree& tree, NodeId chosen, int position)
{
    components.userSet("MemDumpScrollBar1", Property::Position, position);
    if (chosen == noNode)
        return;
    if (const MemoryDumpImage* image = tree.wrapper(chosen).record<MemoryDumpImage>())
        showMemoryDumpPage(components, *image, position);
}

} // namespace orvik::display
