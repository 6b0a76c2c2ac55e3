#include "app/LiveConnection.h"

namespace orvik::app {

namespace {
constexpr int refreshMs = 250;
}

LiveConnection::LiveConnection(const live::ServerAddress& server, const QString& recording,
                               const live::StreamRecorder::Settings& settings)
    : server_(QString::fromStdString(server.text())), recording_(recording),
      recorder_(server, recording.toStdString(), settings)
{
    refresh_.setInterval(refreshMs);
    connect(&refresh_, &QTimer::timeout, this, &LiveConnection::statusChanged);
    // Bytes come many times a second: one notice at a time crosses to the GUI thread.
    recorder_.setNotify([this] {
        if (!posted_.exchange(true))
            QMetaObject::invokeMethod(this, &LiveConnection::recorderNotified, Qt::QueuedConnection);
    });
}

LiveConnection::~LiveConnection()
{
    recorder_.stop(); // before the members its thread uses go
}

bool LiveConnection::start()
{
    if (!recorder_.start())
        return false;
    refresh_.start();
    return true;
}

void LiveConnection::stop()
{
    recorder_.stop();
    refresh_.stop();
    shownState_ = recorder_.status().state;
    emit statusChanged();
}

void LiveConnection::recorderNotified()
{
    posted_ = false;
    const live::StreamRecorder::State state = recorder_.status().state;
    if (state == shownState_)
        return; // the refresh shows the rate
    shownState_ = state;
    if (state == live::StreamRecorder::State::Failed)
        refresh_.stop();
    emit statusChanged();
}

} // namespace orvik::app
