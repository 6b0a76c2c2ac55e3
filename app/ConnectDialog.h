#pragma once
// "Connect to server...": the server (HOST:PORT, the last ones used to choose from),
// the recording the stream is written to, and the folder new recordings go to. OK
// checks the address and the recording in the dialog; the connection is the window's.

#include "live/ServerAddress.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;

namespace orvik::app {

class ConnectDialog : public QDialog {
    Q_OBJECT
public:
    explicit ConnectDialog(QWidget* parent);

    // After OK: the server and the recording.
    const live::ServerAddress& server() const { return server_; }
    QString recording() const;

    void accept() override;

private:
    void chooseRecording();
    void chooseFolder();
    QString folder() const;
    // The recording is named after the server until the user names it.
    void nameRecording();
    // Why OK cannot go on; empty when it can.
    QString problem();

    QComboBox* serverCombo_ = nullptr;
    QLineEdit* recordingEdit_ = nullptr;
    QLineEdit* folderEdit_ = nullptr;
    QLabel* problem_ = nullptr;
    bool recordingNamed_ = false; // by the user, by typing or "Browse..."
    live::ServerAddress server_;
};

} // namespace orvik::app
