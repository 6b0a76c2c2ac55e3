// Arbitrary bytes opened as an archive, then every node shown through the node
// dispatcher into the component model as the window would show it: with
// "calibrated Display" on and off, both housekeeping halves with their painted
// rows, every unit of a test-result list clicked and a memory dump scrolled; and
// every node's raw view.

#include "FuzzInput.h"
#include "MainDisplay.h"
#include "RawView.h"

namespace {

using orvik::display::MainDisplay;
using orvik::display::Property;

void showEverything(MainDisplay& display, const orvik::CategoryTree& tree, orvik::NodeId node)
{
    display.components.beginDisplay();
    display.displayNode(tree, node);
    for (int half : {1, 0}) {
        display.HKPacketHalfChange(half);
        for (const char* list : {"HKListView", "InternalHKListView"})
            for (size_t row = 0; row < 94; ++row)
                (void)display.virtualRow(list, row);
    }
    for (const char* unit : {"MS", "GC", "DPU", "Mass Memory", "Oven", "Tapping Station"})
        display.testresultListView1SelectItem(unit);
    for (int position : {-1, 1, 70000})
        display.memDumpScrollBar1Scroll(tree, node, position);
    (void)orvik::display::rawViewText(orvik::display::rawNodeView(tree, node, 4096));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    orvik::ArchiveDocument doc;
    if (!orvik::fuzz::openBytes(doc, data, size))
        return 0;
    MainDisplay display;
    for (bool calibrated : {true, false}) {
        display.components.userSet("MSCalDisp", Property::Checked, calibrated);
        for (orvik::NodeId node = 0; node < doc.tree().size(); ++node)
            showEverything(display, doc.tree(), node);
    }
    return 0;
}
