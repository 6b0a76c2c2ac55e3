#pragma once
// The decoding side of the main window: shows a node of the category tree by
// writing into the window's named components and bringing its page to the front.

#include "archive/CategoryTree.h"
#include "display/ComponentModel.h"
#include "display/OrvikHK.h"
#include "display/Parameters.h"

namespace orvik::display {

class MainDisplay {
public:
    // Shows the node: runs the decoders its kind calls for and activates its pages.
    // Never clears a page: a page keeps what was last shown on it.
    void displayNode(const CategoryTree& tree, NodeId node);
    // Forgets every packet shown: an open releases them.
    void releaseArchive();

    // A unit chosen in the test-result list: its details from the packet that filled the list.
    void testresultListView1SelectItem(const std::string& caption);
    // The dump page's scroll bar moved to `position`; `chosen` is the node selected in
    // the navigation in front (noNode: none). Only a memory dump turns the page.
    void memDumpScrollBar1Scroll(const CategoryTree& tree, NodeId chosen, int position);

    // The user picked entry `index` of the half selector "HKPacketHalf".
    void HKPacketHalfChange(int index);
    // The texts of a row of the housekeeping list views, computed when the row is painted.
    ReportRow HKListViewData(size_t row) const;
    ReportRow InternalHKListViewData(size_t row) const;
    // The same for any virtual list view by name (a blank row for other components).
    ReportRow virtualRow(const std::string& list, size_t row) const;

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
    // The decimal separator of values shown in the user's regional format ("." in orvik-dump).
    std::string decimalSeparator = ".";
    const HousekeepingLists hkLists;

private:
    void showHousekeepingPage(WordView block, bool halfSelector);
    void showHousekeeping(WordView block, bool twoHalves);
    void showDeviceParameterTabs(bool ovenTab, bool gcMsTabs);

    // The packet data of the test results in the list; empty once its file is released.
    WordView testResultData_;
    // The words of the housekeeping block that the internal list reads: all of an
    // internal or full block, the first half of a regular one.
    WordView internalHkData_;
};

} // namespace orvik::display
