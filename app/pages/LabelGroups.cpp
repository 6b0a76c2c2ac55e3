#include "app/pages/LabelGroups.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>

namespace orvik::app {

QGroupBox* labelGroup(const QString& title, std::initializer_list<LabelRow> rows, const char* groupName)
{
    auto* group = new QGroupBox(title);
    if (groupName)
        group->setObjectName(groupName);
    auto* form = new QFormLayout(group);
    for (const LabelRow& row : rows) {
        auto* caption = new QLabel(QString::fromUtf8(row.caption), group);
        if (row.captionName)
            caption->setObjectName(row.captionName);
        if (row.captionHint)
            caption->setToolTip(row.captionHint);
        auto* value = new QLabel("-", group);
        value->setObjectName(row.name);
        form->addRow(caption, value);
    }
    return group;
}

} // namespace orvik::app
