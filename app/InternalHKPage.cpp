#include "InternalHKPage.h"

#include "HousekeepingListView.h"
#include "MainDisplay.h"

#include <QTreeView>
#include <QVBoxLayout>

void buildInternalHKPage(QWidget* page, const orvik::display::MainDisplay& display)
{
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(2, 2, 2, 2);
    // Blank until a housekeeping block is shown.
    layout->addWidget(housekeepingListView(
        "InternalHKListView", [&display](size_t row) { return display.InternalHKListViewData(row); }, 0, page));
}
