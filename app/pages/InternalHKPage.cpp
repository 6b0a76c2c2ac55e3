#include "app/pages/InternalHKPage.h"

#include "app/pages/HousekeepingListView.h"
#include "display/MainDisplay.h"

#include <QTreeView>
#include <QVBoxLayout>

namespace orvik::app {

void buildInternalHKPage(QWidget* page, const orvik::display::MainDisplay& display)
{
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(2, 2, 2, 2);
    // Blank until a housekeeping block is shown.
    layout->addWidget(housekeepingListView(
        "InternalHKListView", [&display](size_t row) { return display.InternalHKListViewData(row); }, 0, page));
}

} // namespace orvik::app
