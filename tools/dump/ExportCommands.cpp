#include "tools/dump/ExportCommands.h"

#include "reports/MemoryDumpExport.h"

#include "archive/FileName.h"

namespace orvik::dump {

int exportDumpEntry(const ArchiveDocument& doc, size_t k, bool binary, const std::string& output, std::ostream& err)
{
    const NodeId node = doc.timeListNodes()[k];
    const MemoryDumpImage* dump = reports::memoryDumpOf(doc.tree(), node);
    if (!dump) {
        err << "orvik-dump: entry " << k << " (" << doc.tree().text(node) << ") is not a memory dump\n";
        return 2;
    }
    const std::string error = reports::exportMemoryDump(
        *dump, binary ? reports::DumpFileFormat::Binary : reports::DumpFileFormat::Text, pathOfName(output));
    if (!error.empty()) {
        err << "orvik-dump: " << error << '\n';
        return 2;
    }
    return 0;
}

} // namespace orvik::dump
