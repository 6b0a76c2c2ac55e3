#pragma once
// TAboutBox: the program's name, its file version and when it was built.

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace orvik::reports {

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    // "Compiled: " with the build's date ("Jul 19 2005") and time ("16:10:18").
    static QString compiledLine();

    QFrame* Panel1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* ProductName = nullptr;
    QLabel* Version = nullptr;
    QFrame* Bevel1 = nullptr;
    QLabel* compdate = nullptr;
    QPushButton* OKButton = nullptr;
};

} // namespace orvik::reports
