#include "app/FollowSchedule.h"

namespace orvik::app {

namespace {
constexpr int pollMs = 250;
// A writer changes the file at every write: the notices of a burst make one step.
constexpr int noticeGatherMs = 40;
} // namespace

FollowSchedule::FollowSchedule(std::function<void()> step, QObject* parent) : QObject(parent)
{
    poll_.setInterval(pollMs);
    soon_.setSingleShot(true);
    connect(&poll_, &QTimer::timeout, this, step);
    connect(&soon_, &QTimer::timeout, this, step);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, [this] {
        if (!soon_.isActive())
            soon_.start(noticeGatherMs);
    });
}

void FollowSchedule::start(const QString& fileName)
{
    stop();
    watcher_.addPath(fileName);
    poll_.start();
}

void FollowSchedule::stop()
{
    if (const QStringList files = watcher_.files(); !files.isEmpty())
        watcher_.removePaths(files);
    poll_.stop();
    soon_.stop();
}

} // namespace orvik::app
