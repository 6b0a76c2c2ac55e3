#include "app/pages/HousekeepingListView.h"

#include <QHeaderView>
#include <QTreeView>

namespace orvik::app {

QTreeView* housekeepingListView(const char* name, VirtualListModel::RowTexts rowTexts, int rowCount,
                                QWidget* parent)
{
    auto* view = new QTreeView(parent);
    view->setObjectName(name);
    view->setRootIsDecorated(false);
    view->setUniformRowHeights(true);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setModel(new VirtualListModel({{"Name"},
                                         {"Value", Qt::AlignRight},
                                         {"Unit", Qt::AlignRight},
                                         {"Description"}},
                                        std::move(rowTexts), rowCount, view));
    view->header()->setStretchLastSection(true);
    view->header()->resizeSection(0, 140);
    view->header()->resizeSection(1, 75);
    return view;
}

} // namespace orvik::app
