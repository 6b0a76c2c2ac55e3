#pragma once
// The decoding side of the main window: shows a node of the category tree by
// writing into the window's named components and bringing its page to the front.

#include "archive/CategoryTree.h"
#include "display/ComponentModel.h"
#include "display/OrvikHK.h"
#include "display/Parameters.h"

#include <array>
#include <span>

namespace orvik::display {

// A page brought to the front: its page control and the page, by objectName.
struct PageChoice {
    const char* control = nullptr;
    const char* page = nullptr;
};

class MainDisplay {
public:
    // How the nodes of one kind are shown: `show` runs the decoders (and brings forward
    // the pages that depend on the node), then `pages` come to the front in order.
    struct KindDisplay {
        int16_t kind;
        void (*show)(MainDisplay&, const CategoryTree&, NodeId);
        std::array<PageChoice, 3> pages;
    };
    // One entry per kind that shows anything; groups and "Time: " nodes show nothing.
    static std::span<const KindDisplay> kindDisplays();

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
    // The GC or MS tab of the device parameters, for a node under the group so named.
    void showParameterTabOf(const std::string& group);

    // The packet data of the test results in the list; empty once its file is released.
    WordView testResultData_;
    // The words of the housekeeping block that the internal list reads: all of an
    // internal or full block, the first half of a regular one.
    WordView internalHkData_;
};

} // namespace orvik::display
