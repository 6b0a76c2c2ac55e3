#include "display/widgets/StatusMessage.h"

#include <QMainWindow>
#include <QStatusBar>

namespace orvik::widgets {

void showStatusMessage(QWidget* from, const QString& text)
{
    for (QWidget* w = from; w; w = w->parentWidget())
        if (auto* window = qobject_cast<QMainWindow*>(w)) {
            window->statusBar()->showMessage(text, 5000);
            return;
        }
}

} // namespace orvik::widgets
