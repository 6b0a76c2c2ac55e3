// The "Regular HK" page and the "InternalHK" list: the main display's part that
// shows a housekeeping block. The list views are virtual: showing a block only
// sets their row counts; a row's texts are computed when the row is painted.

#include "display/MainDisplay.h"

#include "display/HousekeepingRows.h"
#include "display/StatusWords.h"

namespace orvik::display {

namespace {
ReportRow listRow(const HkParameterList& list, size_t row, WordView block, int half, std::string_view separator)
{
    return row < list.size() ? housekeepingRow(*list[row], block, half, separator) : ReportRow(4);
}
} // namespace

void MainDisplay::showHousekeeping(WordView block, bool twoHalves)
{
    currentHkData = block;
    // Words 64.. of a regular block are its second half, not internal words.
    internalHkData_ = twoHalves ? block.slice(0, hkHalfWords) : block;
    components.set("HKListView", Property::RowCount, int(hkLists.regularHkList.size()));
    components.set("HKTreeView1", Property::Nodes, statusTree(currentHkData, hkHalf));
    components.set("InternalHKListView", Property::RowCount, int(hkLists.internalHkList.size()));
    components.setActivePage("PageControl1", "RegularHKTabSheet");
}

void MainDisplay::HKPacketHalfChange(int index)
{
    if (index != 0 && index != 1)
        return; // no entry picked: not a half
    hkHalf = index;
    components.setItemIndex("HKPacketHalf", index);
    components.set("HKListView", Property::RowCount, int(hkLists.regularHkList.size()));
    if (!currentHkData.empty())
        components.set("HKTreeView1", Property::Nodes, statusTree(currentHkData, hkHalf));
}

ReportRow MainDisplay::HKListViewData(size_t row) const
{
    return listRow(hkLists.regularHkList, row, currentHkData, hkHalf, decimalSeparator);
}

ReportRow MainDisplay::InternalHKListViewData(size_t row) const
{
    return listRow(hkLists.internalHkList, row, internalHkData_, 0, decimalSeparator);
}

ReportRow MainDisplay::virtualRow(const std::string& list, size_t row) const
{
    if (list == "HKListView")
        return HKListViewData(row);
    if (list == "InternalHKListView")
        return InternalHKListViewData(row);
    return {};
}

} // namespace orvik::display
