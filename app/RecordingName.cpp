#include "app/RecordingName.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace orvik::app {

namespace {
const QString extension = QStringLiteral(".cvlbin");
}

QString recordingFileName(const live::ServerAddress& server, const QDateTime& start)
{
    QString host = QString::fromStdString(server.host);
    host.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9._-]")), QStringLiteral("-"));
    return QStringLiteral("%1-%2-%3")
               .arg(host)
               .arg(server.port)
               .arg(start.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"))) +
           extension;
}

QString newRecordingPath(const live::ServerAddress& server, const QString& folder, const QDateTime& start)
{
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath(recordingFileName(server, start));
    // A second recording of the server within the same second must not append to the first.
    QString unused = path;
    for (int n = 2; QFileInfo::exists(unused); ++n)
        unused = path.chopped(extension.size()) + QStringLiteral("-%1").arg(n) + extension;
    return unused;
}

} // namespace orvik::app
