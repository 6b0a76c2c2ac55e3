// Arbitrary bytes opened as an archive, then every node shown through the node
// dispatcher into the component model as the window would show it, with what a
// user does next on its page: both housekeeping halves with their painted rows,
// every unit of a test-result list clicked, a memory dump scrolled, a spectrum with
// "calibrated Display" on and off; and every node's raw view. Each action is taken
// on the nodes it acts on, so that every input costs what it shows.

#include "tests/fuzz/FuzzInput.h"
#include "display/MainDisplay.h"
#include "display/RawView.h"

namespace {

using orvik::display::MainDisplay;
using orvik::display::Property;
namespace NodeKind = orvik::NodeKind;

void show(MainDisplay& display, const orvik::CategoryTree& tree, orvik::NodeId node)
{
    display.components.beginDisplay();
    display.displayNode(tree, node);
}

void showEverything(MainDisplay& display, const orvik::CategoryTree& tree, orvik::NodeId node)
{
    show(display, tree, node);
    switch (tree.kind(node)) {
    case NodeKind::RegularHk:
    case NodeKind::InternalHk:
    case NodeKind::FullHk:
        // The internal list reads the same words whichever half is picked.
        for (size_t row = 0; row < 94; ++row)
            (void)display.virtualRow("InternalHKListView", row);
        for (int half : {1, 0}) {
            display.HKPacketHalfChange(half);
            for (size_t row = 0; row < 94; ++row)
                (void)display.virtualRow("HKListView", row);
        }
        break;
    case NodeKind::TestResults:
        for (const char* unit : {"MS", "GC", "DPU", "Mass Memory", "Oven", "Tapping Station"})
            display.testresultListView1SelectItem(unit);
        break;
    case NodeKind::MemoryDump:
        for (int position : {-1, 1, 70000})
            display.memDumpScrollBar1Scroll(tree, node, position);
        break;
    case NodeKind::Spectrum:
        for (bool calibrated : {false, true}) {
            display.components.userSet("MSCalDisp", Property::Checked, calibrated);
            show(display, tree, node);
        }
        break;
    default: break;
    }
    (void)orvik::display::rawViewText(orvik::display::rawNodeView(tree, node, 4096));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    orvik::ArchiveDocument doc;
    if (!orvik::fuzz::openBytes(doc, data, size))
        return 0;
    MainDisplay display;
    for (orvik::NodeId node : doc.tree().ids())
        showEverything(display, doc.tree(), node);
    return 0;
}
