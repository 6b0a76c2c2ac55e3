// Stand-ins for the dataset writers until they are built; each refuses with a clear line.

#include "exports/DatasetExport.h"

namespace orvik::exports {

std::optional<std::string> writeMzml(const DatasetContent&, const std::string&, const ExportSource&, const ExportOptions&)
{
    return "the mzML writer is not built yet";
}

std::optional<std::string> writeAndiMs(const DatasetContent&, const std::string&, const ExportSource&)
{
    return "the ANDI-MS writer is not built yet";
}

std::optional<std::string> writeAndiChromatogram(const DatasetContent&, size_t, const std::string&, const ExportSource&)
{
    return "the ANDI chromatogram writer is not built yet";
}

std::optional<std::string> writeDatasetCsv(const DatasetContent&, const std::string&)
{
    return "the CSV writer is not built yet";
}

} // namespace orvik::exports
