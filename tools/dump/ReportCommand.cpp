#include "tools/dump/ReportCommand.h"

#include "reports/GcReportValues.h"
#include "reports/Unit5.h"

#include <QGuiApplication>

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

int reportEntryOffscreen(const ArchiveDocument& doc, const std::string& archive, size_t k, const std::string& output,
                         char* program, std::ostream& err)
{
    // Fonts and PDF painting need the GUI layer, never a screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The tool's own messages are the errors; Qt's notes about the desktop are noise here.
    static std::ostream* messages = nullptr;
    messages = &err;
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            *messages << "orvik-dump: " << message.toStdString() << '\n';
    });
    int qtArgc = 1;
    char* qtArgv[] = {program, nullptr};
    QGuiApplication gui(qtArgc, qtArgv);
    return reportEntry(doc, archive, k, output, err);
}

} // namespace orvik::dump
