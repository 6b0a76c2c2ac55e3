#include "app/pages/EventPageWidgets.h"

#include "app/pages/CourierNew.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QStyledItemDelegate>
#include <QTableWidget>

namespace orvik::app {

namespace {
// Paints the heading row and column of a grid in the colour of buttons.
class FixedCellsDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (index.row() == 0 || index.column() == 0)
            option->backgroundBrush = option->palette.button();
    }
};
} // namespace

QPlainTextEdit* wordMemo(const char* name)
{
    auto* memo = new QPlainTextEdit;
    memo->setObjectName(name);
    memo->setReadOnly(true);
    memo->setFont(courierNew());
    memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    return memo;
}

QTableWidget* stringGrid(const char* name, int cols, int rows, int colWidth, int rowHeight)
{
    auto* grid = new QTableWidget(rows, cols);
    grid->setObjectName(name);
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setMinimumSectionSize(10);
    grid->verticalHeader()->setMinimumSectionSize(10);
    grid->horizontalHeader()->setDefaultSectionSize(colWidth);
    grid->verticalHeader()->setDefaultSectionSize(rowHeight);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::NoSelection);
    grid->setFocusPolicy(Qt::NoFocus);
    grid->setItemDelegate(new FixedCellsDelegate(grid));
    fitGridToCells(grid);
    return grid;
}

void fitGridToCells(QTableWidget* grid)
{
    const int frame = 2 * grid->frameWidth();
    grid->setFixedSize(grid->horizontalHeader()->length() + frame, grid->verticalHeader()->length() + frame);
}

QGroupBox* groupBox(const QString& title, QLayout* content)
{
    auto* box = new QGroupBox(title);
    box->setLayout(content);
    return box;
}

} // namespace orvik::app
