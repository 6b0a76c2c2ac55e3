#include "tests/monkey/ModalAnswerer.h"

#include <QAbstractButton>
#include <QAbstractPrintDialog>
#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QProgressDialog>
#include <QTimer>

namespace orvik::monkey {

ModalAnswerer::ModalAnswerer(Random& random, std::function<QString()> nextArchive, QString scratchFolder)
    : random_(random), nextArchive_(std::move(nextArchive)), scratchFolder_(std::move(scratchFolder))
{
    qApp->installEventFilter(this);
}

ModalAnswerer::~ModalAnswerer()
{
    qApp->removeEventFilter(this);
}

std::vector<std::string> ModalAnswerer::takeAnswers()
{
    return std::exchange(answers_, {});
}

bool ModalAnswerer::eventFilter(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (event->type() != QEvent::Show || !widget || !widget->isWindow() || !widget->isModal() ||
        qobject_cast<QProgressDialog*>(widget))
        return false;
    // Answered from the modal's own event loop, once it runs.
    QTimer::singleShot(0, widget, [this, widget] { answer(widget); });
    return false;
}

void ModalAnswerer::answer(QWidget* modal)
{
    if (!modal->isVisible())
        return;
    const QPointer<QWidget> guard(modal);
    std::string line = modal->metaObject()->className();
    auto* dialog = qobject_cast<QDialog*>(modal);
    if (qobject_cast<QAbstractPrintDialog*>(modal) || qobject_cast<QPrintPreviewDialog*>(modal)) {
        line += ": cancel";
        dialog->reject();
    } else if (auto* files = qobject_cast<QFileDialog*>(modal)) {
        if (random_.chance(25)) {
            line += ": cancel";
            files->reject();
        } else {
            QString name;
            if (files->acceptMode() == QFileDialog::AcceptSave) {
                const QStringList filters = files->nameFilters();
                if (!filters.isEmpty())
                    files->selectNameFilter(filters[qsizetype(random_.below(size_t(filters.size())))]);
                // A few names, used again and again: a long campaign fills no disk.
                name = QDir(scratchFolder_).filePath(QString("saved-%1").arg(saved_++ % 4));
            } else {
                name = nextArchive_();
            }
            line += ": " + files->selectedNameFilter().toStdString() + " " + name.toStdString();
            files->findChild<QLineEdit*>("fileNameEdit")->setText(name);
            QMetaObject::invokeMethod(files, "accept");
        }
    } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        const QList<QAbstractButton*> buttons = box->buttons();
        if (buttons.isEmpty()) {
            box->close();
        } else {
            QAbstractButton* button = buttons[qsizetype(random_.below(size_t(buttons.size())))];
            line += ": " + button->text().toStdString();
            button->click();
        }
    } else if (auto* input = qobject_cast<QInputDialog*>(modal)) {
        const QStringList items = input->comboBoxItems();
        if (!items.isEmpty())
            input->setTextValue(items[qsizetype(random_.below(size_t(items.size())))]);
        const bool accept = random_.chance(70);
        line += accept ? ": " + input->textValue().toStdString() : ": cancel";
        accept ? input->accept() : input->reject();
    } else if (dialog) {
        const bool accept = random_.chance(50);
        line += accept ? ": accept" : ": reject";
        accept ? dialog->accept() : dialog->reject();
    } else {
        line += ": close";
        modal->close();
    }
    // A dialog that refused the answer (a file that is not there) is cancelled.
    if (guard && guard->isVisible()) {
        line += ", then closed";
        if (auto* still = qobject_cast<QDialog*>(guard.data()))
            still->reject();
        else
            guard->close();
    }
    answers_.push_back(line);
}

} // namespace orvik::monkey
