#include "app/pages/EventPageWidgets.h"
#include "app/pages/EventPages.h"
#include "app/pages/LabelGroups.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QVBoxLayout>

namespace orvik::app {

void buildTpstReportPage(QWidget* page)
{
    QTableWidget* grid = stringGrid("tpst_report_StringGrid", 3, 3, 100, 20);

    auto* values =
        valueForm({{"Final position of TPST:", "TPSTfinalpos"}, {"SD2 BackupRAM status:", "SD2bramstatus"}});

    auto* bram = new QVBoxLayout;
    bram->addWidget(wordMemo("BRAMMemo"));

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(grid);
    layout->addLayout(values);
    layout->addWidget(groupBox("BackupRAM", bram), 1);
}

} // namespace orvik::app
