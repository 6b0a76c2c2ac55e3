// Arbitrary bytes opened as an archive, then every node shown through the node
// dispatcher into the component model, as the window would show it.

#include "FuzzInput.h"
#include "MainDisplay.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    orvik::ArchiveDocument doc;
    if (!orvik::fuzz::openBytes(doc, data, size))
        return 0;
    orvik::display::MainDisplay display;
    for (orvik::NodeId node = 0; node < doc.tree().size(); ++node) {
        display.components.beginDisplay();
        display.displayNode(doc.tree(), node);
    }
    return 0;
}
