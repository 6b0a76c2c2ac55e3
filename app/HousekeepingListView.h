#pragma once
// The report list of housekeeping values: "Name", "Value", "Unit", "Description",
// its rows fetched from the display when painted.

#include "VirtualListModel.h"

class QTreeView;
class QWidget;

QTreeView* housekeepingListView(const char* name, VirtualListModel::RowTexts rowTexts, int rowCount,
                                QWidget* parent);
