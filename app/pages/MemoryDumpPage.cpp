#include "app/pages/EventPageWidgets.h"
#include "app/pages/EventPages.h"
#include "app/pages/LabelGroups.h"
#include "app/pages/PopupMenu.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QVBoxLayout>

namespace orvik::app {

void buildMemoryDumpPage(QWidget* page)
{
    auto* values =
        valueForm({{"Memory Type:", "memtype"}, {"Length (pkts):", "dumplength"}, {"Packet:", "MemDumpPacket"}});

    // One page of the dump at a time; the bar steps through the pages, by arrow and by trough alike.
    auto* pages = new QScrollBar(Qt::Vertical);
    pages->setObjectName("MemDumpScrollBar1");
    pages->setRange(0, 0);
    pages->setSingleStep(1);
    pages->setPageStep(1);
    auto* words = new QHBoxLayout;
    words->addWidget(wordMemo("MemDumpMemo"), 1);
    words->addWidget(pages);

    auto* dump = new QVBoxLayout;
    dump->addLayout(values);
    dump->addLayout(words, 1);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(groupBox("Hex Dump", dump));
}

void attachMemDumpPopupMenu(QWidget* pages)
{
    auto* menu = new QMenu(pages);
    menu->setObjectName("MemDumpPopupMenu");
    QMenu* saveTo = menu->addMenu("Save to");
    saveTo->setObjectName("MemDum");
    saveTo->menuAction()->setObjectName("MemDum");
    saveTo->addAction("ASCII")->setObjectName("ASCII2");
    saveTo->addAction("Binary")->setObjectName("Binary2");
    menu->addSeparator();
    menu->addAction("Display")->setObjectName("Display1");

    for (const char* name : {"MemDumpMemo", "BRAMMemo", "TCDataWords", "TCTCDataWords"})
        usePopupMenu(pages->findChild<QPlainTextEdit*>(name), menu);
}

} // namespace orvik::app
