#include "tools/dump/DatasetExportCommand.h"

#include "exports/DatasetExport.h"

#include <algorithm>

namespace orvik::dump {

int exportDatasetEntry(const ArchiveDocument& doc, const std::string& archive, const DatasetExportRequest& request,
                       std::ostream& err)
{
    using namespace exports;
    const CategoryTree& tree = doc.tree();
    const NodeId node = doc.timeListNodes()[request.entry];
    const NodeId dataset = datasetOf(tree, node);
    if (dataset == noNode) {
        err << "orvik-dump: entry " << request.entry << " lies in no dataset\n";
        return 2;
    }
    DatasetFormat format = request.format == DatasetExportRequest::Format::Mzml ? DatasetFormat::Mzml : DatasetFormat::AndiMs;
    DatasetContent content = datasetContent(tree, dataset);
    ExportOptions options{request.zlib, 0};
    if (request.series) {
        // The series of this GC record: the chromatogram the GC chart shows under that name.
        const auto found = std::find_if(content.chromatograms.begin(), content.chromatograms.end(),
                                        [&](const ExportedChromatogram& c) { return c.node == node && c.title == *request.series; });
        if (found == content.chromatograms.end()) {
            err << "orvik-dump: entry " << request.entry << " has no chromatogram series '" << *request.series << "'\n";
            return 2;
        }
        format = DatasetFormat::AndiChromatogram;
        options.chromatogram = size_t(found - content.chromatograms.begin());
    }
    if (const std::optional<std::string> failed = exportDataset(content, format, request.output, {archive}, options)) {
        err << "orvik-dump: " << *failed << '\n';
        return 1;
    }
    return 0;
}

} // namespace orvik::dump
