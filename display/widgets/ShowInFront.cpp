#include "display/widgets/ShowInFront.h"

#include <QWidget>

namespace orvik::widgets {

void showInFrontOfParent(QWidget& window)
{
    if (const QWidget* parent = window.parentWidget()) {
        QRect frame = window.geometry();
        frame.moveCenter(parent->geometry().center());
        window.move(frame.topLeft());
    }
    window.show();
    window.raise();
    window.activateWindow();
}

} // namespace orvik::widgets
