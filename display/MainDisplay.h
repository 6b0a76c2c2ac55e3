#pragma once
// The decoding side of the main window: shows a node of the category tree by
// writing into the window's named components and bringing its page to the front.

#include "CategoryTree.h"
#include "ComponentModel.h"
#include "OrvikHK.h"

namespace orvik::display {

class MainDisplay {
public:
    // Shows the node: runs the decoders its kind calls for and activates its pages.
    // Never clears a page: a page keeps what was last shown on it.
    void displayNode(const CategoryTree& tree, NodeId node);

    // A spectrum (MS chart) or a chromatogram (GC chart) with its time label.
    void displaySpectrum(const CategoryTree& tree, NodeId node);
    // Frees the chromatogram's series.
    void releaseChromatogramSeries();
    // Empties both spectrum charts, as opening a file does.
    void releaseSpectrumSeries();

    // The MS and GC housekeeping sweeps (16 readings each).
    void displayMsSweep(WordView sweep);
    void displayGcSweep(WordView sweep);

    ComponentModel components;
    OrvikHK orvikHK;
    // The housekeeping block on show and the half of it selected (0 or 1).
    WordView currentHkData;
    int hkHalf = 0;

private:
    void showHousekeepingPage(bool halfSelector);
    void showDeviceParameterTabs(bool ovenTab, bool gcMsTabs);
};

} // namespace orvik::display
