#pragma once
// The decoding side of the main window: shows a node of the category tree by
// writing into the window's named components and bringing its page to the front.

#include "CategoryTree.h"
#include "ComponentModel.h"

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

    ComponentModel components;
    // The housekeeping block on show and the half of it selected (0 or 1).
    WordView currentHkData;
    int hkHalf = 0;
    // The user's decimal separator, for the texts that follow the regional settings.
    std::string decimalSeparator = ".";

private:
    void showHousekeepingPage(bool halfSelector);
    void showDeviceParameterTabs(bool ovenTab, bool gcMsTabs);

    // The packet data of the test results in the list; empty once its file is released.
    WordView testResultData_;
};

} // namespace orvik::display
