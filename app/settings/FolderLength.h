#pragma once
// Archive names arrive with either separator, '/' or '\\', whatever the platform
// (recent-files lists written on Windows, dropped files, the command line).

#include <QString>

#include <algorithm>

namespace orvik::app {

// How long the folder of `fileName` is, with its last separator; 0 for a bare name.
inline qsizetype folderLength(const QString& fileName)
{
    return std::max(fileName.lastIndexOf('/'), fileName.lastIndexOf('\\')) + 1;
}

} // namespace orvik::app
