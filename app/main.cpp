// orvik-egse: the ground-support viewer.

#include "Unit1.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("ORVIK - Ground Support Software");

    TForm1 form;
    // The first argument names the archive to open before the window is first shown.
    const QStringList args = QApplication::arguments();
    if (args.size() > 1)
        form.currentFileName = args.at(1);
    if (!form.currentFileName.isEmpty())
        form.openArchive(false);
    form.show();
    return QApplication::exec();
}
