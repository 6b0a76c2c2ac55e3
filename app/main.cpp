// orvik-egse: the ground-support viewer.

#include "app/Unit1.h"
#include "app/ViewerCommandLine.h"
#include "reports/ApplicationIcon.h"

#include <QApplication>

#include <cstdio>

namespace {

using orvik::app::ViewerCommandLine;

// Prints what --help and --version ask for; false for any other request.
bool answered(const ViewerCommandLine& commandLine)
{
    if (commandLine.request != ViewerCommandLine::Request::Help
        && commandLine.request != ViewerCommandLine::Request::Version)
        return false;
    std::fputs(qPrintable(commandLine.text), stdout);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    using namespace orvik::app;
    // --help and --version are answered before the window system is asked for, so that
    // they work without a display. The rest waits for QApplication, which takes Qt's
    // own options (-platform, -style) off the command line first.
    {
        const QCoreApplication console(argc, argv);
        if (answered(parseViewerCommandLine(QCoreApplication::arguments())))
            return 0;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName("ORVIK - Ground Support Software");
    // The main window, the about box and the telecommand editor all wear this icon;
    // the desktop entry's name ties the running program to its menu entry (Wayland).
    QApplication::setWindowIcon(orvik::reports::applicationIcon());
    QApplication::setDesktopFileName("orvik-egse");

    // Answered or refused on the console before any window exists.
    const ViewerCommandLine commandLine = parseViewerCommandLine(QApplication::arguments());
    if (answered(commandLine))
        return 0;
    if (commandLine.request == ViewerCommandLine::Request::Refused) {
        std::fprintf(stderr, "orvik-egse: %s\n", qPrintable(commandLine.text));
        return 2;
    }

    TForm1 form;
    // Shown first, so that a message about the archive named on the command line
    // stands over the window it concerns.
    form.show();
    form.startUp(QApplication::arguments());
    return QApplication::exec();
}
