#include "app/settings/LiveSettings.h"

#include "app/settings/Registry.h"

#include <QDir>
#include <QStandardPaths>

namespace orvik::app {

namespace {

const QString serversKey = QStringLiteral("orvikegse\\servers");
const QString folderKey = QStringLiteral("orvikegse");
const QString folderName = QStringLiteral("recordings_folder");

QString serverValue(qsizetype index)
{
    return QStringLiteral("Server%1").arg(index);
}

} // namespace

QStringList recentServers()
{
    const RegistryKey key(serversKey);
    QStringList servers;
    for (qsizetype i = 0; i < maxRecentServers; ++i)
        if (const QString server = key.readString(serverValue(i)); !server.isEmpty())
            servers.append(server);
    return servers;
}

void addRecentServer(const QString& server)
{
    QStringList servers = recentServers();
    servers.removeAll(server);
    servers.prepend(server);
    RegistryKey key(serversKey);
    for (qsizetype i = 0; i < maxRecentServers; ++i) {
        if (i < servers.size())
            key.writeString(serverValue(i), servers[i]);
        else
            key.deleteValue(serverValue(i));
    }
}

QString recordingsFolder()
{
    const QString chosen = RegistryKey(folderKey).readString(folderName);
    if (!chosen.isEmpty())
        return chosen;
    return QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
        .filePath(QStringLiteral("ORVIK recordings"));
}

void setRecordingsFolder(const QString& folder)
{
    RegistryKey(folderKey).writeString(folderName, folder);
}

} // namespace orvik::app
