#include "exports/DatasetExport.h"

namespace orvik::exports {

std::optional<std::string> exportDataset(const DatasetContent& content, DatasetFormat format, const std::string& path,
                                         const ExportSource& source, const ExportOptions& options)
{
    switch (format) {
    case DatasetFormat::Mzml: return writeMzml(content, path, source, options);
    case DatasetFormat::AndiMs: return writeAndiMs(content, path, source);
    case DatasetFormat::AndiChromatogram: return writeAndiChromatogram(content, options.chromatogram, path, source);
    case DatasetFormat::Csv: return writeDatasetCsv(content, path);
    }
    return "unknown format";
}

} // namespace orvik::exports
