#pragma once
// Answers the modal windows that open during a GUI test, in order, each time one
// is shown, and remembers which opened.

#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>
#include <QWidget>

#include <deque>
#include <functional>
#include <string>
#include <vector>

class ModalAnswers : public QObject {
public:
    using Answer = std::function<void(QWidget*)>;
    explicit ModalAnswers(std::initializer_list<Answer> answers) : answers_(answers)
    {
        qApp->installEventFilter(this);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (shown_.empty() || shown_.front() != QApplication::activeModalWidget())
                return;
            QWidget* modal = shown_.front();
            shown_.pop_front();
            opened.push_back(modal->metaObject()->className());
            if (answers_.empty()) {
                modal->close(); // not expected: closed so that the test goes on and fails
                return;
            }
            Answer answer = answers_.front();
            answers_.pop_front();
            answer(modal);
        });
        timer_.start(5);
    }
    std::vector<std::string> opened;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Show && widget && widget->isWindow() && widget->isModal())
            shown_.push_back(widget);
        return false;
    }

private:
    std::deque<Answer> answers_;
    std::deque<QWidget*> shown_;
    QTimer timer_;
};

// Answers a save dialog as a user does: checks its filter, types the name, accepts.
inline ModalAnswers::Answer saveAs(const QString& filter, const QString& file)
{
    return [=](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->selectedNameFilter(), filter);
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText(file);
        QMetaObject::invokeMethod(dialog, "accept");
    };
}
