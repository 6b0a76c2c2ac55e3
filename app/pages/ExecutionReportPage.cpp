#include "app/pages/EventPageWidgets.h"
#include "app/pages/EventPages.h"
#include "app/pages/LabelGroups.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QVBoxLayout>

namespace orvik::app {

namespace {
// "Copy of TC Data Words": the telecommand's name above its words.
QGroupBox* telecommandWords(const char* nameLabel, const char* memo)
{
    auto* name = new QLabel("TC Name");
    name->setObjectName(nameLabel);
    name->setAlignment(Qt::AlignCenter);
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);
    auto* layout = new QVBoxLayout;
    layout->addWidget(name);
    layout->addWidget(wordMemo(memo), 1);
    return groupBox("Copy of TC Data Words", layout);
}
} // namespace

void buildExecutionReportPage(QWidget* page)
{
    // Times in three rows under one heading row; the heading column is narrower. A
    // column is at least as wide as a calendar time in this font.
    const int timeWidth = QFontMetrics(QFont()).horizontalAdvance("Www 00-Www-00 00:00:00,000") + 12;
    QTableWidget* times = stringGrid("exereporttime", 4, 4, std::max(150, timeWidth), 15);
    times->horizontalHeader()->resizeSection(0, 65);
    fitGridToCells(times);

    auto* values = valueForm({{"Counter of already executed TCs:", "cntTCs"}, {"Operation result:", "stacresult"}});

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(times);
    layout->addLayout(values);
    layout->addWidget(telecommandWords("TCName", "TCDataWords"), 1);
}

void buildTelecommandPage(QWidget* page)
{
    QGroupBox* words = telecommandWords("TCTCName", "TCTCDataWords");
    words->setObjectName("TCTCWords");
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(words);
}

} // namespace orvik::app
