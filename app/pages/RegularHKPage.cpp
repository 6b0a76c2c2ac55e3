#include "app/pages/RegularHKPage.h"

#include "app/pages/CourierNew.h"
#include "app/pages/HousekeepingListView.h"
#include "display/MainDisplay.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QSplitter>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace orvik::app {

void buildRegularHKPage(QWidget* page, const orvik::display::MainDisplay& display)
{
    auto* layout = new QVBoxLayout(page);

    // Pick-only: a typed text would select no half.
    auto* half = new QComboBox(page);
    half->setObjectName("HKPacketHalf");
    half->setEditable(false);
    half->addItems({"0-64", "64-127"});
    half->setPlaceholderText("HK Values");
    half->setCurrentIndex(-1);
    // Every sample of the archive to a file; the window enables it when there are samples.
    auto* exportCsv = new QPushButton("Export CSV...", page);
    exportCsv->setObjectName("HKCsvExportButton");
    exportCsv->setEnabled(false);
    auto* top = new QHBoxLayout;
    top->addWidget(half);
    top->addStretch(1);
    top->addWidget(exportCsv);
    layout->addLayout(top);

    auto* splitter = new QSplitter(Qt::Vertical, page);
    splitter->addWidget(housekeepingListView(
        "HKListView", [&display](size_t row) { return display.HKListViewData(row); },
        int(display.hkLists.regularHkList.size()), splitter));

    auto* status = new QTreeWidget(splitter);
    status->setObjectName("HKTreeView1");
    status->setHeaderHidden(true);
    status->setProperty("keepsNodesCollapsed", true);
    // The bit pictures line up only in a fixed-pitch font.
    status->setFont(courierNew());
    splitter->addWidget(status);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);
    layout->addWidget(splitter, 1);
}

} // namespace orvik::app
