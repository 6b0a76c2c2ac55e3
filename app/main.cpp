// orvik-egse: the ground-support viewer.

#include "Unit1.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("ORVIK - Ground Support Software");

    TForm1 form;
    // The first argument that is no option names the archive to open before the window is first shown.
    const QStringList args = QApplication::arguments();
    for (const QString& arg : args.mid(1)) {
        if (arg == "--tc-editor")
            form.enableTcEditor();
        else if (!arg.startsWith("--") && form.currentFileName.isEmpty())
            form.currentFileName = arg;
    }
    if (!form.currentFileName.isEmpty())
        form.openArchive(false);
    form.show();
    return QApplication::exec();
}
