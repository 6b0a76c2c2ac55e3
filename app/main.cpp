// orvik-egse: the ground-support viewer.

#include "Unit1.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("ORVIK - Ground Support Software");

    TForm1 form;
    form.startUp(QApplication::arguments());
    form.show();
    return QApplication::exec();
}
