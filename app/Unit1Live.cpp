// "Connect to server...": a data system's server sends the instrument's packets over
// TCP in the archive's own framing. The recorder writes them to a recording file on
// its own thread; the window opens the recording like any archive and follows it, so
// that what it shows is what a later open of the recording shows, and nothing
// received is lost whatever the window does.

#include "app/Unit1.h"

#include "app/ConnectDialog.h"
#include "app/LiveConnection.h"
#include "app/models/NodeSearch.h"
#include "app/settings/LiveSettings.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>

#include <algorithm>

using namespace orvik;

namespace orvik::app {

namespace {
const char* const connectTitle = "Connect to server";
}

void TForm1::enableLive()
{
    connectToServer_->setEnabled(!live_);
}

void TForm1::Connecttoserver1Click()
{
    ConnectDialog dialog(this);
    if (dialog.exec() == QDialog::Accepted)
        connectToServer(dialog.server(), dialog.recording());
}

bool TForm1::connectToServer(const live::ServerAddress& server, const QString& recording)
{
    endLive();
    auto connection = std::make_unique<LiveConnection>(server, recording, recorderSettings);
    if (!connection->start()) {
        QMessageBox::critical(this, connectTitle,
                              QString("Nothing can be received from %1: %2.")
                                  .arg(connection->server(), QDir::toNativeSeparators(connection->startError())));
        return false;
    }
    addRecentServer(connection->server());
    currentFileName = recording;
    if (!openCurrentFile(true)) {
        connection->stop(); // the box told why; what came meanwhile is in the recording
        return false;
    }
    live_ = std::move(connection);
    connect(live_.get(), &LiveConnection::statusChanged, this, &TForm1::liveStatusChanged);
    connectToServer_->setEnabled(false);
    disconnect_->setEnabled(true);
    liveStatus_->setMinimumWidth(0);
    liveStatus_->setVisible(true);
    followFile_->setChecked(true);
    liveStatusChanged();
    return true;
}

void TForm1::Disconnect1Click()
{
    if (!live_)
        return;
    endLive();
    // What the recording holds is taken in before Follow, going off, reads its end as the end.
    search_->stop();
    while (followStep())
        ;
    followFile_->setChecked(false);
}

void TForm1::liveStatusChanged()
{
    if (!live_)
        return;
    const live::StreamRecorder::Status status = live_->status();
    liveStatus_->setText(QString::fromStdString(live::statusText(status)));
    // It only widens during a connection: the counts beside it do not move with every rate.
    liveStatus_->setMinimumWidth(std::max(liveStatus_->minimumWidth(), liveStatus_->sizeHint().width()));
    liveStatus_->setToolTip(QString("Recording to %1\n%2 bytes received over %3 connection(s)")
                                .arg(QDir::toNativeSeparators(live_->recording()))
                                .arg(QLocale().toString(qulonglong(status.bytesReceived)))
                                .arg(status.connections));
    if (status.state != live::StreamRecorder::State::Failed)
        return;
    // Follow stays on: the user sees the end of what was received and turns it off.
    const QString server = live_->server();
    const QString recording = QDir::toNativeSeparators(live_->recording());
    endLive();
    QMessageBox::critical(this, connectTitle,
                          QString("Receiving from %1 stopped: %2.\n\nWhat was received until then is in %3.")
                              .arg(server, QDir::toNativeSeparators(QString::fromStdString(status.problem)), recording));
}

void TForm1::endLive()
{
    if (!live_)
        return;
    LiveConnection* ending = live_.release();
    ending->disconnect(this);
    ending->stop();
    liveStatus_->setText(ending->statusText());
    connectToServer_->setEnabled(true);
    disconnect_->setEnabled(false);
    // Its signal may be what is being handled.
    ending->setParent(this);
    ending->deleteLater();
}

} // namespace orvik::app
