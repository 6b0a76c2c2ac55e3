#pragma once
// orvik-dump --mzml K OUT and --andi K OUT: the dataset that holds time-list entry K in the
// exchange formats of mass spectrometry and chromatography, as the window exports it.

#include "archive/ArchiveDocument.h"

#include <optional>
#include <ostream>
#include <string>

namespace orvik::dump {

struct DatasetExportRequest {
    enum class Format { Mzml, Andi } format = Format::Mzml;
    size_t entry = 0;
    std::string output;
    bool zlib = false;                 // --zlib: mzML arrays compressed
    std::optional<std::string> series; // --series NAME: --andi writes that chromatogram of GC entry K
};

// 0 on success; otherwise a one-line message on `err` and 2 (1 when writing failed).
int exportDatasetEntry(const ArchiveDocument& doc, const std::string& archive, const DatasetExportRequest& request,
                       std::ostream& err);

} // namespace orvik::dump
