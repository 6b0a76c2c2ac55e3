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

void MainDisplay::displayNode(const CategoryTree& tree, NodeId node)
{
    const NodeWrapper& w = tree.wrapper(node);
    switch (w.kind) {
    case NodeKind::Spectrum: {
        const SpectrumRecord* spectrum = w.record<SpectrumRecord>();
        displaySpectrum(tree, node);
        if (spectrum->tag == msTag) {
            components.setActivePage("MSPageControl", "MSSpecTabSheet");
            components.setActivePage("PageControl1", "MSTab");
        } else if (spectrum->tag == gcTag) {
            components.setActivePage("GCPageControl", "GCSpecTabSheet");
            components.setActivePage("PageControl1", "GCtab");
        }
        break;
    }
    case NodeKind::InternalHk: showHousekeepingPage(w.packet()->dataWords().from(InternalHkPacket::housekeeping), false); break;
    case NodeKind::RegularHk: showHousekeepingPage(w.packet()->dataWords().from(RegularHkPacket::housekeeping), true); break;
    case NodeKind::FullHk: showHousekeepingPage(w.record<FullHkRecord>()->words(), false); break;
    case NodeKind::OvenTpstParameter: {
        const WordView data = w.packet()->dataWords();
        showTpstPositions(components, data.from(DevParameterPacket::tpstPositions));
        showTpstControl(components, data.from(DevParameterPacket::tpstControl));
        showOvenAndPipeHeater(components, data.from(DevParameterPacket::ovenAndPipeHeater));
        showDeviceParameterTabs(true, false);
        components.setActivePage("PageControl2", "TabSheet1");
        components.setActivePage("CSIBPageControl", "DeviceParTabSheet");
        components.setActivePage("PageControl1", "CSIBTabSheet");
        break;
    }
    case NodeKind::GcMsParameter: {
        const WordView data = w.packet()->dataWords();
        showMsParameters(components, data.from(GcMsParameterPacket::msParameters));
        showGcParameters(components, data.from(GcMsParameterPacket::gcParameters));
        const std::string parent = captionAbove(tree, node, 1);
        if (parent == "MS")
            components.setActivePage("PageControl2", "TabSheet3");
        else if (parent == "GC")
            components.setActivePage("PageControl2", "TabSheet2");
        showDeviceParameterTabs(false, true);
        components.setActivePage("CSIBPageControl", "DeviceParTabSheet");
        components.setActivePage("PageControl1", "CSIBTabSheet");
        break;
    }
    case NodeKind::CsibParameter: {
        using R = CsibParameterRecord;
        const WordView record = w.record<R>()->words();
        showTpstPositions(components, record.from(R::tpstPositions));
        showTpstControl(components, record.from(R::tpstControl));
        showOvenAndPipeHeater(components, record.from(R::ovenAndPipeHeater));
        showMsParameters(components, record.from(R::msParameters));
        showGcParameters(components, record.from(R::gcParameters));
        const std::string group = captionAbove(tree, node, 2);
        if (group == "MS")
            components.setActivePage("PageControl2", "TabSheet3");
        else if (group == "GC")
            components.setActivePage("PageControl2", "TabSheet2");
        showDeviceParameterTabs(true, true);
        components.setTabVisible("DeviceParTabSheet", true);
        components.setActivePage("PageControl1", "CSIBTabSheet");
        break;
    }
    case NodeKind::CsibConfig: {
        using R = CsibConfigRecord;
        const WordView record = w.record<R>()->words();
        showMsConfiguration(components, record.from(R::msConfiguration));
        showGcConfiguration(components, record.from(R::gcConfiguration), decimalSeparator);
        showTpstConfiguration(components, record.from(R::tpstConfiguration));
        const std::string group = captionAbove(tree, node, 2);
        if (group == "MS" || group == "GCMS") {
            components.setActivePage("PageControl1", "MSTab");
            components.setActivePage("MSPageControl", "MSCfgTabSheet");
        }
        if (group == "GC") {
            components.setActivePage("PageControl1", "GCtab");
            components.setActivePage("GCPageControl", "GCCfgTabSheet");
        }
        break;
    }
    case NodeKind::TestResults:
        testResultData_ = w.packet()->dataWords();
        displayTestResults(components, testResultData_);
        components.setActivePage("PageControl1", "TestResultTabSheet");
        break;
    case NodeKind::ErrorMessage:
        displayErrorMessage(components, w.packet()->dataWords());
        components.setActivePage("PageControl1", "ErrMsgTabSheet");
        break;
    case NodeKind::TpstReport:
        displayTpstReport(components, w.packet()->dataWords());
        components.setActivePage("PageControl3", "TPSTReportTabSheet");
        components.setActivePage("PageControl1", "TPSTTabSheet");
        break;
    case NodeKind::ExecutionReport:
        displayExecutionReport(components, w.packet()->dataWords(), decimalSeparator);
        components.setActivePage("PageControl1", "TCExeReportTabSheet");
        break;
    case NodeKind::GcHkSweep:
        displayGcSweep(w.record<HkSweepRecord>()->words());
        components.setActivePage("GCPageControl", "GCParTabSheet1");
        components.setActivePage("PageControl1", "GCtab");
        break;
    case NodeKind::MsHkSweep:
        displayMsSweep(w.record<HkSweepRecord>()->words());
        components.setActivePage("MSPageControl", "MSParTabSheet");
        components.setActivePage("PageControl1", "MSTab");
        break;
    case NodeKind::MemoryDump:
        displayMemoryDump(components, *w.record<MemoryDumpImage>());
        components.setActivePage("PageControl1", "MemDumpTabSheet");
        break;
    case NodeKind::Telecommand:
        displayDatasetTelecommand(components, *w.record<TelecommandRecord>());
        components.setActivePage("PageControl1", "TCTabSheet");
        break;
    default: break; // groups and "Time: " nodes show nothing
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
