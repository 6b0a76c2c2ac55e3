#include "app/pages/EventPageWidgets.h"
#include "app/pages/EventPages.h"
#include "app/pages/LabelGroups.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace orvik::app {

void buildErrorMessagePage(QWidget* page)
{
    auto* code = valueForm({{"Event mask:", "errmsg_eventmask", "Telecommand"}, {"Event ID:", "errmsg_eventid"}});

    auto* memo = new QPlainTextEdit;
    memo->setObjectName("errmsg_Memo1");
    memo->setReadOnly(true);
    auto* messages = new QVBoxLayout;
    messages->addWidget(memo);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(groupBox("Error code", code), 0, Qt::AlignLeft);
    layout->addWidget(groupBox("Error messages:", messages), 1);
}

} // namespace orvik::app
