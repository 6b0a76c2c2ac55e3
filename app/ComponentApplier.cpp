#include "ComponentApplier.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTabWidget>

using namespace orvik::display;

namespace {

// A page sits in its page control's stack.
QTabWidget* pageControlOf(QWidget& page)
{
    auto* stack = qobject_cast<QStackedWidget*>(page.parentWidget());
    return stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
}

void setText(QWidget& w, const QString& text)
{
    if (auto* label = qobject_cast<QLabel*>(&w))
        label->setText(text);
    else if (auto* edit = qobject_cast<QLineEdit*>(&w))
        edit->setText(text);
    else if (auto* memo = qobject_cast<QPlainTextEdit*>(&w))
        memo->setPlainText(text);
    else if (auto* combo = qobject_cast<QComboBox*>(&w))
        combo->setCurrentText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(&w))
        button->setText(text);
}

} // namespace

ComponentApplier::ComponentApplier(QWidget& window)
{
    for (QWidget* w : window.findChildren<QWidget*>())
        if (!w->objectName().isEmpty())
            widgets_.insert(w->objectName(), w);
}

QWidget* ComponentApplier::widget(const std::string& name) const
{
    return widgets_.value(QString::fromStdString(name));
}

void ComponentApplier::apply(const std::vector<Write>& writes)
{
    for (const Write& write : writes)
        if (QWidget* w = widget(write.component))
            apply(*w, write);
}

void ComponentApplier::apply(QWidget& w, const Write& write)
{
    const auto text = [&] { return QString::fromStdString(std::get<std::string>(write.value)); };
    switch (write.property) {
    case Property::Text: setText(w, text()); break;
    case Property::Hint: w.setToolTip(text()); break;
    case Property::Enabled: w.setEnabled(std::get<bool>(write.value)); break;
    case Property::Visible: w.setVisible(std::get<bool>(write.value)); break;
    case Property::Checked:
        if (auto* button = qobject_cast<QAbstractButton*>(&w))
            button->setChecked(std::get<bool>(write.value));
        break;
    case Property::ItemIndex:
        if (auto* combo = qobject_cast<QComboBox*>(&w))
            combo->setCurrentIndex(std::get<int>(write.value));
        break;
    case Property::ActivePage:
        if (auto* pages = qobject_cast<QTabWidget*>(&w))
            if (QWidget* page = widget(std::get<std::string>(write.value)))
                pages->setCurrentWidget(page);
        break;
    case Property::TabVisible:
        if (QTabWidget* pages = pageControlOf(w))
            pages->setTabVisible(pages->indexOf(&w), std::get<bool>(write.value));
        break;
    default:
        // Grids, lists, trees and charts are put on their widgets by the pages that hold them.
        break;
    }
}
