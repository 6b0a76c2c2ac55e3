#pragma once
// Answers every modal window that opens while the monkey acts, as a user would:
// file dialogs get a name (the next archive to open, a file in the scratch folder to
// save) or are cancelled, message boxes get one of their buttons, input dialogs an
// item. Print dialogs are always cancelled: nothing goes to a printer. Progress
// dialogs are left to run: whether one shows depends on time, and answering it would
// make a seed's run depend on the machine.

#include "tests/monkey/Random.h"

#include <QObject>
#include <QString>

#include <functional>
#include <string>
#include <vector>

namespace orvik::monkey {

class ModalAnswerer : public QObject {
public:
    // `nextArchive` names the file an open dialog is given; saved files go to `scratchFolder`.
    ModalAnswerer(Random& random, std::function<QString()> nextArchive, QString scratchFolder);
    ~ModalAnswerer() override;

    // What was answered since the last call, one line each ("QMessageBox: Ok").
    std::vector<std::string> takeAnswers();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void answer(QWidget* modal);

    Random& random_;
    std::function<QString()> nextArchive_;
    QString scratchFolder_;
    std::vector<std::string> answers_;
    unsigned saved_ = 0;
};

} // namespace orvik::monkey
