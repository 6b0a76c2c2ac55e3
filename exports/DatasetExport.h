#pragma once
// A dataset written in the exchange formats of mass spectrometry and chromatography. Each
// writer writes to a temporary file beside the target and renames it at the end, so that a
// failure never leaves a half-written file under the target's name.

#include "exports/DatasetContent.h"

#include <optional>
#include <string>

namespace orvik::exports {

enum class DatasetFormat {
    Mzml,             // HUPO-PSI mzML 1.1, indexed: every spectrum and chromatogram
    AndiMs,           // ANDI-MS (AIA) netCDF: the mass spectra as scans over retention time
    AndiChromatogram, // ANDI chromatography (AIA) netCDF: one chromatogram series
    Csv,              // "Series,X,Y" lines, as the charts' CSV export writes them
};

struct ExportSource {
    std::string archivePath;   // the archive the dataset comes from (name and SHA-1 are written)
    std::optional<std::string> archiveSha1; // its SHA-1 in hexadecimal when known: spares reading it again
    // The archive was cut short, replaced or removed since the dataset was read from it:
    // what is there now would give the checksum of other bytes, so it is not read.
    bool archiveChanged = false;
};

struct ExportOptions {
    bool zlib = false;         // mzML: binary arrays zlib-compressed
    size_t chromatogram = 0;   // AndiChromatogram: the index in DatasetContent::chromatograms
};

// Writes `content` to `path`; the reason it failed, in one line, or nothing.
std::optional<std::string> exportDataset(const DatasetContent& content, DatasetFormat format, const std::string& path,
                                         const ExportSource& source, const ExportOptions& options = {});

// The writers exportDataset chooses from; each writes the file at `path` itself.
std::optional<std::string> writeMzml(const DatasetContent& content, const std::string& path, const ExportSource& source,
                                     const ExportOptions& options);
std::optional<std::string> writeAndiMs(const DatasetContent& content, const std::string& path, const ExportSource& source);
std::optional<std::string> writeAndiChromatogram(const DatasetContent& content, size_t chromatogram,
                                                 const std::string& path, const ExportSource& source);
std::optional<std::string> writeDatasetCsv(const DatasetContent& content, const std::string& path);

} // namespace orvik::exports
