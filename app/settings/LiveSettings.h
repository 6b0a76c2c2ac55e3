#pragma once
// What the viewer keeps of its connections to a data system's server: the servers
// connected to last ("HOST:PORT", most recent first) and the folder that new
// recordings go to.

#include <QString>
#include <QStringList>

namespace orvik::app {

constexpr qsizetype maxRecentServers = 8;

QStringList recentServers();
// Puts the server first, dropping an older entry of it and any beyond the last kept.
void addRecentServer(const QString& server);

// The folder chosen for recordings; "ORVIK recordings" in the user's documents folder
// until one is chosen.
QString recordingsFolder();
void setRecordingsFolder(const QString& folder);

} // namespace orvik::app
