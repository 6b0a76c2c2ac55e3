#pragma once
// The report list of housekeeping values: "Name", "Value", "Unit", "Description",
// its rows fetched from the display when painted.

#include "app/models/VirtualListModel.h"

class QTreeView;
class QWidget;

namespace orvik::app {

QTreeView* housekeepingListView(const char* name, VirtualListModel::RowTexts rowTexts, int rowCount,
                                QWidget* parent);

} // namespace orvik::app
