#pragma once
// The viewer's command line: orvik-egse [--tc-editor] [--live] [--connect HOST:PORT | FILE].

#include "live/ServerAddress.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace orvik::app {

struct ViewerCommandLine {
    enum class Request { Run, Help, Version, Refused };
    Request request = Request::Run;
    bool tcEditor = false; // --tc-editor: the telecommand editor usable
    bool live = false;     // --live or --connect: "Connect to server..." usable
    std::optional<live::ServerAddress> server; // --connect: connected to at start-up
    QString archive;       // the first argument that is no option; empty: none
    // Help: the usage; Version: "orvik-egse 0.1.5.8"; each with its line end.
    // Refused: why, in one line without its end.
    QString text;
};

// `arguments` as QCoreApplication::arguments() gives them, the program first.
ViewerCommandLine parseViewerCommandLine(const QStringList& arguments);

} // namespace orvik::app
