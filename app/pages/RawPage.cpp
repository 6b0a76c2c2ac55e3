#include "app/pages/RawPage.h"

#include "app/StringLists.h"
#include "display/RawView.h"

#include <QFontDatabase>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace orvik::app {

RawPage::RawPage(QTabWidget& pageControl1, const orvik::CategoryTree& tree, QObject* parent)
    : QObject(parent), pages_(pageControl1), tree_(tree)
{
    page_ = new QWidget;
    page_->setObjectName("RawTabSheet");
    auto* layout = new QVBoxLayout(page_);
    layout->setContentsMargins(2, 2, 2, 2);

    note_ = new QLabel;
    note_->setObjectName("RawNoteLabel");
    layout->addWidget(note_);

    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    header_ = new QTableWidget(0, 2);
    header_->setObjectName("RawHeaderGrid");
    header_->setHorizontalHeaderLabels({"Field", "Value"});
    header_->verticalHeader()->hide();
    header_->horizontalHeader()->setStretchLastSection(true);
    header_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    header_->setFont(fixed);
    header_->verticalHeader()->setDefaultSectionSize(header_->fontMetrics().height() + 6);
    // As tall as its rows: it never scrolls.
    header_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    header_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    header_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    header_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    layout->addWidget(header_);

    memo_ = new QPlainTextEdit;
    memo_->setObjectName("RawMemo");
    memo_->setReadOnly(true);
    memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo_->setFont(fixed);
    layout->addWidget(memo_, 1);

    pages_.addTab(page_, "Raw");
    connect(&pages_, &QTabWidget::currentChanged, this, [this] { refresh(); });
}

bool RawPage::inFront() const
{
    return pages_.currentWidget() == page_;
}

void RawPage::nodeShown(orvik::NodeId node, bool wasInFront)
{
    node_ = node;
    if (!wasInFront)
        return;
    if (inFront())
        refresh();
    else
        pages_.setCurrentWidget(page_); // the page change fills it
}

void RawPage::forgetNode()
{
    node_ = orvik::noNode;
    refresh();
}

void RawPage::refresh()
{
    if (!inFront())
        return;
    // A page of the window stays quick: the largest dumps show their first 256 KiB.
    constexpr size_t shownBytes = 256 * 1024;
    const orvik::display::RawView view = orvik::display::rawNodeView(tree_, node_, shownBytes);
    note_->setText(QString::fromStdString(view.note));
    header_->setRowCount(int(view.header.size()));
    for (int row = 0; row < header_->rowCount(); ++row) {
        const orvik::display::RawField& field = view.header[size_t(row)];
        header_->setItem(row, 0, new QTableWidgetItem(QString::fromStdString(field.name)));
        header_->setItem(row, 1, new QTableWidgetItem(QString::fromStdString(field.value)));
    }
    header_->resizeColumnToContents(0);
    header_->setVisible(!view.header.empty());
    memo_->setPlainText(toQStringList(view.dump).join('\n'));
}

} // namespace orvik::app
