#include "tests/monkey/ArchiveSet.h"

#include "tests/archive/MalformedArchives.h"
#include "tools/sim/Simulator.h"

#include <QDir>
#include <QFile>

#include <fstream>

namespace orvik::monkey {

namespace {
QString simulate(const QString& path, sim::CampaignSettings settings)
{
    std::ofstream out(path.toStdString(), std::ios::binary | std::ios::trunc);
    sim::writeArchive(settings, sim::chooseMissingBlocks(settings), out);
    return path;
}

QString writeBytes(const QString& path, const orvik::test::Bytes& bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
    return path;
}
} // namespace

QStringList writeArchiveSet(const QString& folder, const ArchiveSetOptions& options, const QString& extraFolder)
{
    const QDir dir(folder);
    QStringList files{options.demoArchive};
    files << simulate(dir.filePath("sim-2.cvlbin"), {.seed = 2});
    files << simulate(dir.filePath("sim-3-missing.cvlbin"), {.seed = 3, .missing = 4});
    files << simulate(dir.filePath("sim-4.dat"), {.seed = 4});
    if (options.largeBytes)
        files << simulate(dir.filePath("sim-5-large.cvlbin"), {.seed = 5, .targetBytes = options.largeBytes});
    for (const auto& [name, bytes] : orvik::test::malformedArchives())
        files << writeBytes(dir.filePath(QString::fromStdString(name) + ".cvlbin"), bytes);
    files << writeBytes(dir.filePath("empty.cvlbin"), {});
    files << dir.filePath("not-there.cvlbin");
    if (!extraFolder.isEmpty())
        for (const QFileInfo& info : QDir(extraFolder).entryInfoList(QDir::Files, QDir::Name))
            files << info.absoluteFilePath();
    return files;
}

} // namespace orvik::monkey
