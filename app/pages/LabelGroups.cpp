#include "app/pages/LabelGroups.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>

namespace orvik::app {

namespace {

QLabel* captionLabel(const LabelRow& row)
{
    auto* caption = new QLabel(QString::fromUtf8(row.caption));
    if (row.captionName)
        caption->setObjectName(row.captionName);
    if (row.captionHint)
        caption->setToolTip(row.captionHint);
    return caption;
}

QLabel* valueLabel(const char* name, const QString& designText, Values values)
{
    auto* value = new QLabel(designText);
    value->setObjectName(name);
    if (values == Values::RightAligned) {
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setMinimumWidth(90);
    }
    return value;
}

std::vector<QWidget*> labelGroups(std::initializer_list<LabelGroup> groups, Values values)
{
    std::vector<QWidget*> boxes;
    for (const LabelGroup& group : groups)
        boxes.push_back(labelGroup(group, values));
    return boxes;
}

QHBoxLayout* topAlignedRow(const std::vector<QWidget*>& widgets)
{
    auto* row = new QHBoxLayout;
    for (QWidget* widget : widgets)
        row->addWidget(widget, 0, Qt::AlignTop);
    return row;
}

} // namespace

QFormLayout* valueForm(std::initializer_list<ValueRow> rows)
{
    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    for (const ValueRow& row : rows)
        form->addRow(QString::fromUtf8(row.caption), valueLabel(row.name, row.designText, Values::RightAligned));
    return form;
}

QGroupBox* labelGroup(const LabelGroup& group, Values values)
{
    auto* box = new QGroupBox(QString::fromUtf8(group.title));
    if (group.name)
        box->setObjectName(group.name);
    if (values == Values::Plain) {
        auto* form = new QFormLayout(box);
        for (const LabelRow& row : group.rows)
            form->addRow(captionLabel(row), valueLabel(row.name, "-", values));
        return box;
    }
    // An empty third column takes the width the group has beyond its rows.
    auto* grid = new QGridLayout(box);
    int line = 0;
    for (const LabelRow& row : group.rows) {
        grid->addWidget(captionLabel(row), line, 0);
        grid->addWidget(valueLabel(row.name, "-", values), line, 1);
        ++line;
    }
    grid->setColumnStretch(2, 1);
    return box;
}

QGroupBox* groupOfLabelGroups(const char* title, std::initializer_list<LabelGroup> groups)
{
    auto* box = new QGroupBox(QString::fromUtf8(title));
    box->setLayout(topAlignedRow(labelGroups(groups, Values::Plain)));
    return box;
}

void layOutSideBySide(QWidget* container, const std::vector<QWidget*>& widgets)
{
    QHBoxLayout* row = topAlignedRow(widgets);
    row->addStretch();
    container->setLayout(row);
}

void layOutLabelGroups(QWidget* container, std::initializer_list<LabelGroup> groups, Values values)
{
    layOutSideBySide(container, labelGroups(groups, values));
}

} // namespace orvik::app
