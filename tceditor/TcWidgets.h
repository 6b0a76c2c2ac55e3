#pragma once
// Small controls the editor's pages are made of: an up-down button pair, a
// group of radio buttons with one index, and drop targets for the telecommand.

#include <QGroupBox>
#include <QObject>
#include <QWidget>

#include <functional>

class QButtonGroup;
class QLineEdit;

namespace orvik::tceditor {

// Two arrow buttons. Each press reports +1 (up) or -1 (down); bound to an
// edit, the pair steps the edit's number within a range by itself, and the
// edit's arrow keys press its buttons.
class UpDown : public QWidget {
    Q_OBJECT
public:
    explicit UpDown(QWidget* parent = nullptr);

    void bindTo(QLineEdit* edit, int minimum, int maximum);
    // What a press of the up (+1) or the down (-1) arrow does.
    void step(int delta);

signals:
    void changing(int delta);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* associate_ = nullptr;
    int minimum_ = 0;
    int maximum_ = 0;
    int position_ = 0;
};

// Radio buttons in a titled box, laid out in columns; one of them or none is chosen.
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString& title, const QStringList& items, int columns, QWidget* parent = nullptr);

    int itemIndex() const; // -1 when none is chosen
    void setItemIndex(int index);

private:
    QButtonGroup* buttons_;
};

// Makes a widget accept the dragged telecommand picture and nothing else, and
// calls `dropped` when it is let go there.
class TcDropTarget : public QObject {
public:
    // The drag's format: only the telecommand picture carries it.
    static const QString format;

    TcDropTarget(QWidget* target, std::function<void()> dropped);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> dropped_;
};

} // namespace orvik::tceditor
