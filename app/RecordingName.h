#pragma once
// Where a new recording of a server's stream goes: a file in the recordings folder
// named after the server and the moment (UTC) receiving began, so that recordings
// never overwrite one another and sort by time for each server.

#include "live/ServerAddress.h"

#include <QDateTime>
#include <QString>

namespace orvik::app {

// "localhost-4000-20261210T104433Z.cvlbin"; characters a file name cannot hold on
// every system (the colons of an IPv6 address) become '-'.
QString recordingFileName(const live::ServerAddress& server, const QDateTime& start);

// A recording for `server` starting at `start`, in `folder` (the recordings folder), which is
// created when missing (if that fails, starting the recording says why); "-2", "-3"... before
// the extension when a recording of that name exists.
QString newRecordingPath(const live::ServerAddress& server, const QString& folder,
                         const QDateTime& start = QDateTime::currentDateTimeUtc());

} // namespace orvik::app
