#include "app/ViewerCommandLine.h"

#include "OrvikVersion.h"

#include <QCommandLineParser>

#include <variant>

namespace orvik::app {

ViewerCommandLine parseViewerCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription("orvik-egse: the ground-support viewer of ORVIK telemetry archives.");
    // Not addHelpOption() and addVersionOption(): --help-all is answered by process() only,
    // which exits on its own, and the texts are those of the other tools.
    const QCommandLineOption help({"h", "help"}, "this text, then exit");
    const QCommandLineOption version("version", "the program's name and version, then exit");
    const QCommandLineOption tcEditor("tc-editor", "makes the telecommand editor (menu \"TC-Editor\") usable");
    const QCommandLineOption live("live", "makes File > \"Connect to server...\" usable");
    const QCommandLineOption connect(
        "connect",
        "connects to the data system's server at HOST:PORT at start-up, records what it sends to a new file "
        "in the recordings folder and follows the recording (implies --live; no FILE with it)",
        "HOST:PORT");
    parser.addOptions({help, version, tcEditor, live, connect});
    parser.addPositionalArgument("FILE", "the archive (.cvlbin or .dat) opened at start-up", "[FILE]");

    ViewerCommandLine line;
    const auto refuse = [&line](const QString& why) {
        line.request = ViewerCommandLine::Request::Refused;
        line.text = why;
    };
    if (!parser.parse(arguments)) {
        refuse(parser.errorText());
    } else if (parser.isSet(help)) {
        line.request = ViewerCommandLine::Request::Help;
        // Qt's usage line names the program as it was started ("build/app/orvik-egse");
        // the help names it as it is installed, as the manual page shows it.
        line.text = parser.helpText();
        if (const qsizetype options = line.text.indexOf(" [options]"); options >= 0)
            line.text.replace(0, options, QStringLiteral("Usage: orvik-egse"));
    } else if (parser.isSet(version)) {
        line.request = ViewerCommandLine::Request::Version;
        line.text = QStringLiteral("orvik-egse " ORVIK_FILE_VERSION "\n");
    }
    line.tcEditor = parser.isSet(tcEditor);
    line.archive = parser.positionalArguments().value(0);
    line.live = parser.isSet(live) || parser.isSet(connect);
    if (line.request != ViewerCommandLine::Request::Run || !parser.isSet(connect))
        return line;
    const auto server = live::parseServerAddress(parser.value(connect).toStdString());
    if (const auto* why = std::get_if<std::string>(&server))
        refuse(QString("--connect: %1.").arg(QString::fromStdString(*why)));
    else if (!line.archive.isEmpty())
        refuse(QString("--connect and an archive exclude each other: the connection opens its recording."));
    else
        line.server = std::get<live::ServerAddress>(server);
    return line;
}

} // namespace orvik::app
