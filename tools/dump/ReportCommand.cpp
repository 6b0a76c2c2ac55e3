#include "tools/dump/ReportCommand.h"

#include "reports/GcReportValues.h"
#include "reports/Unit5.h"

namespace orvik::dump {

int reportEntry(const ArchiveDocument& doc, const std::string& archive, size_t k, const std::string& output,
                std::ostream& err)
{
    const NodeId node = doc.timeListNodes()[k];
    const NodeId dataset = reports::gcRunHolder(doc.tree(), node);
    if (dataset == noNode) {
        err << "orvik-dump: entry " << k << " (" << doc.tree().text(node) << "): the node holds no GC run\n";
        return 2;
    }
    reports::TForm5 form;
    form.setReportNode(doc.tree(), dataset, QString::fromStdString(archive));
    const QString error = form.QuickRep1->exportPdf(QString::fromStdString(output));
    if (!error.isEmpty()) {
        err << "orvik-dump: " << error.toStdString() << '\n';
        return 2;
    }
    return 0;
}

} // namespace orvik::dump
