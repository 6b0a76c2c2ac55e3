#include "MainDisplay.h"

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

void MainDisplay::showHousekeepingPage(bool halfSelector)
{
    components.setVisible("HKPacketHalf", halfSelector);
    if (halfSelector)
        components.setItemIndex("HKPacketHalf", 0);
    hkHalf = 0;
    components.setActivePage("PageControl1", "RegularHKTabSheet");
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
    case NodeKind::InternalHk:
        currentHkData = w.packet()->dataWords().from(3);
        showHousekeepingPage(false);
        break;
    case NodeKind::RegularHk: showHousekeepingPage(true); break;
    case NodeKind::FullHk:
        currentHkData = w.record<FullHkRecord>()->words();
        showHousekeepingPage(false);
        break;
    case NodeKind::OvenTpstParameter:
        showDeviceParameterTabs(true, false);
        components.setActivePage("PageControl2", "TabSheet1");
        components.setActivePage("CSIBPageControl", "DeviceParTabSheet");
        components.setActivePage("PageControl1", "CSIBTabSheet");
        break;
    case NodeKind::GcMsParameter: {
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
    case NodeKind::TestResults: components.setActivePage("PageControl1", "TestResultTabSheet"); break;
    case NodeKind::ErrorMessage: components.setActivePage("PageControl1", "ErrMsgTabSheet"); break;
    case NodeKind::TpstReport:
        components.setActivePage("PageControl3", "TPSTReportTabSheet");
        components.setActivePage("PageControl1", "TPSTTabSheet");
        break;
    case NodeKind::ExecutionReport: components.setActivePage("PageControl1", "TCExeReportTabSheet"); break;
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
    case NodeKind::MemoryDump: components.setActivePage("PageControl1", "MemDumpTabSheet"); break;
    case NodeKind::Telecommand: components.setActivePage("PageControl1", "TCTabSheet"); break;
    default: break; // groups and "Time: " nodes show nothing
    }
}

} // namespace orvik::display
