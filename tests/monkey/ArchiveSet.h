#pragma once
// The archives a monkey run or a long session goes through, written into a folder:
// the demo archive, simulated ones (small, with lost blocks, large, as .dat), every
// malformed archive of the corpus, an empty file and a name that does not exist.

#include <QString>
#include <QStringList>

namespace orvik::monkey {

struct ArchiveSetOptions {
    QString demoArchive;
    // The large simulated archive's size; 0 leaves it out.
    uint64_t largeBytes = 0;
};

// Writes the archives into `folder` (which exists) and lists them, the demo archive
// first; files found in `extraFolder` (if given) come last.
QStringList writeArchiveSet(const QString& folder, const ArchiveSetOptions& options,
                            const QString& extraFolder = {});

} // namespace orvik::monkey
