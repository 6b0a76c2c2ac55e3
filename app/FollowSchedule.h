#pragma once
// When the window takes in what another program appends to the open file: soon
// after the file system tells of a change, every quarter of a second besides
// (watchers miss changes on some file systems), and once more as soon as the
// events waiting are handled when a step left more of the file to read.

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

#include <functional>

namespace orvik::app {

class FollowSchedule : public QObject {
public:
    FollowSchedule(std::function<void()> step, QObject* parent);

    void start(const QString& fileName);
    void stop();
    // The last step read as much as a step takes: the file holds more.
    void stepAgain() { soon_.start(0); }

private:
    QFileSystemWatcher watcher_;
    QTimer poll_;
    QTimer soon_;
};

} // namespace orvik::app
