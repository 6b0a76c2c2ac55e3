// orvik-egse: the ground-support viewer.

#include "app/Unit1.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("ORVIK - Ground Support Software");

    orvik::app::TForm1 form;
    // Shown first, so that a message about the archive named on the command line
    // stands over the window it concerns.
    form.show();
    form.startUp(QApplication::arguments());
    return QApplication::exec();
}
