#include "app/ViewerCommandLine.h"

#include "OrvikVersion.h"

#include <QCommandLineParser>

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
    parser.addOptions({help, version, tcEditor});
    parser.addPositionalArgument("FILE", "the archive (.cvlbin or .dat) opened at start-up", "[FILE]");

    ViewerCommandLine line;
    if (!parser.parse(arguments)) {
        line.request = ViewerCommandLine::Request::Refused;
        line.text = parser.errorText();
    } else if (parser.isSet(help)) {
        line.request = ViewerCommandLine::Request::Help;
        line.text = parser.helpText();
    } else if (parser.isSet(version)) {
        line.request = ViewerCommandLine::Request::Version;
        line.text = QStringLiteral("orvik-egse " ORVIK_FILE_VERSION "\n");
    }
    line.tcEditor = parser.isSet(tcEditor);
    line.archive = parser.positionalArguments().value(0);
    return line;
}

} // namespace orvik::app
