// orvik-egse: the ground-support viewer.

#include "app/Unit1.h"
#include "app/ViewerCommandLine.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("ORVIK - Ground Support Software");

    // Answered or refused on the console before any window exists.
    using namespace orvik::app;
    const ViewerCommandLine commandLine = parseViewerCommandLine(QApplication::arguments());
    switch (commandLine.request) {
    case ViewerCommandLine::Request::Help:
    case ViewerCommandLine::Request::Version:
        std::fputs(qPrintable(commandLine.text), stdout);
        return 0;
    case ViewerCommandLine::Request::Refused:
        std::fprintf(stderr, "orvik-egse: %s\n", qPrintable(commandLine.text));
        return 2;
    case ViewerCommandLine::Request::Run: break;
    }

    TForm1 form;
    // Shown first, so that a message about the archive named on the command line
    // stands over the window it concerns.
    form.show();
    form.startUp(QApplication::arguments());
    return QApplication::exec();
}
