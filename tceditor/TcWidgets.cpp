#include "tceditor/TcWidgets.h"

#include "tceditor/StrictInteger.h"

#include <QButtonGroup>
#include <QDropEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace orvik::tceditor {

UpDown::UpDown(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    const struct {
        Qt::ArrowType arrow;
        const char* name;
        int delta;
    } arrows[] = {{Qt::UpArrow, "Up", +1}, {Qt::DownArrow, "Down", -1}};
    for (const auto& a : arrows) {
        auto* button = new QToolButton;
        button->setObjectName(a.name);
        button->setArrowType(a.arrow);
        button->setAutoRepeat(true);
        button->setFixedSize(17, 11);
        connect(button, &QToolButton::clicked, this, [this, delta = a.delta] { step(delta); });
        layout->addWidget(button);
    }
}

void UpDown::bindTo(QLineEdit* edit, int minimum, int maximum)
{
    associate_ = edit;
    associate_->installEventFilter(this);
    minimum_ = minimum;
    maximum_ = maximum;
    position_ = std::clamp(position_, minimum, maximum);
}

void UpDown::step(int delta)
{
    emit changing(delta);
    if (!associate_)
        return;
    // Steps from what the edit shows; a text that is no number steps from the last position.
    if (const auto typed = strictInteger(associate_->text().toStdString()))
        position_ = std::clamp(*typed, minimum_, maximum_);
    position_ = std::clamp(position_ + delta, minimum_, maximum_);
    associate_->setText(QString::number(position_));
}

bool UpDown::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == associate_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            step(key == Qt::Key_Up ? +1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

RadioGroup::RadioGroup(const QString& title, const QStringList& items, int columns, QWidget* parent) :
    QGroupBox(title, parent), buttons_(new QButtonGroup(this))
{
    auto* layout = new QGridLayout(this);
    const int rows = int((items.size() + columns - 1) / columns);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i]);
        buttons_->addButton(button, i);
        layout->addWidget(button, i % rows, i / rows);
    }
}

int RadioGroup::itemIndex() const { return buttons_->checkedId(); }

void RadioGroup::setItemIndex(int index)
{
    if (QAbstractButton* button = buttons_->button(index))
        button->setChecked(true);
}

const QString TcDropTarget::format = QStringLiteral("application/x-orvik-telecommand");

TcDropTarget::TcDropTarget(QWidget* target, std::function<void()> dropped) :
    QObject(target), dropped_(std::move(dropped))
{
    target->setAcceptDrops(true);
    target->installEventFilter(this);
}

bool TcDropTarget::eventFilter(QObject*, QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (drag->mimeData()->hasFormat(format))
            drag->acceptProposedAction();
        else
            drag->ignore();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        if (!drop->mimeData()->hasFormat(format))
            return true;
        drop->acceptProposedAction();
        if (dropped_)
            dropped_();
        return true;
    }
    default:
        return false;
    }
}

} // namespace orvik::tceditor
