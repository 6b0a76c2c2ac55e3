#include "app/pages/DeviceParameterPages.h"

#include "app/pages/LabelGroups.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace orvik::app {

namespace {
// The oven's eight steps under a header row: 3 columns, 9 rows, all in view.
QTableWidget* ovenGrid()
{
    auto* grid = new QTableWidget(9, 3);
    grid->setObjectName("StringGrid1");
    grid->setShowGrid(true);
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    grid->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    return grid;
}
} // namespace

void buildTpstOvenParameterPage(QWidget* page)
{
    // The two groups of the tapping station share the page's width.
    auto* tpst = new QGroupBox("Tapping Station");
    auto* tpstLayout = new QHBoxLayout(tpst);
    tpstLayout->addWidget(labelGroup({"Positions", {{"Open:", "tpst_pos_open"},
                                                    {"Contacts:", "tpst_pos_contacts"},
                                                    {"Main Terminal:", "tpst_pos_main"},
                                                    {"Side Terminal:", "tpst_pos_side"},
                                                    {"Upper:", "tpst_pos_upper"},
                                                    {"Lower:", "tpst_pos_lower"}}}));
    tpstLayout->addWidget(labelGroup({"Controlling", {{"Update BackupRAM:", "tpstctrl_bckram"},
                                                      {"Ignore SD2 status:", "tpstctrl_ignoresd2"},
                                                      {"Timeout (msec):", "tpst_ctrl_timeout"},
                                                      {"Calibrate at boot:", "tpst_ctrl_report"}}}));

    auto* oven = new QGroupBox("Oven");
    (new QVBoxLayout(oven))->addWidget(ovenGrid());

    auto* lower = new QHBoxLayout;
    lower->addWidget(oven);
    lower->addWidget(labelGroup({"Pipe Heater", {{"Cycles:", "phcycles"}, {"Decay:", "phdecay"}}}), 0, Qt::AlignTop);
    lower->addStretch();

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(tpst);
    layout->addLayout(lower);
    layout->addStretch();
}

} // namespace orvik::app
