#pragma once
// The window's side of a connection to a data system's server: the recorder that
// writes the stream to the recording on a thread of its own, and its status brought
// to the GUI thread. A change of state is told at once; the rate while receiving
// every quarter of a second. No byte of the stream passes through here: the window
// follows the recording.

#include "live/StreamRecorder.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <atomic>

namespace orvik::app {

class LiveConnection : public QObject {
    Q_OBJECT
public:
    LiveConnection(const live::ServerAddress& server, const QString& recording,
                   const live::StreamRecorder::Settings& settings);
    ~LiveConnection() override; // stops the recorder

    // Creates or opens the recording and starts receiving; false with startError() when
    // the recording cannot be written.
    bool start();
    QString startError() const { return QString::fromStdString(recorder_.startError()); }
    // Ends receiving; what was received is in the recording.
    void stop();

    live::StreamRecorder::Status status() const { return recorder_.status(); }
    QString statusText() const { return QString::fromStdString(live::statusText(recorder_.status())); }
    QString server() const { return server_; }
    QString recording() const { return recording_; }

signals:
    // On the GUI thread: the state changed, or a quarter of a second passed while started.
    void statusChanged();

private:
    // On the GUI thread, after the recorder told of bytes or a change.
    void recorderNotified();

    const QString server_, recording_;
    live::StreamRecorder recorder_;
    QTimer refresh_;
    // A notice is on its way to the GUI thread: the recorder's next ones need not post another.
    std::atomic<bool> posted_{false};
    live::StreamRecorder::State shownState_ = live::StreamRecorder::State::Connecting;
};

} // namespace orvik::app
