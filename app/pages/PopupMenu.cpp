#include "app/pages/PopupMenu.h"

#include <QAbstractScrollArea>
#include <QMenu>

namespace orvik::app {

void usePopupMenu(QWidget* widget, QMenu* menu)
{
    widget->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(widget, &QWidget::customContextMenuRequested, menu, [widget, menu](const QPoint& at) {
        // A scroll area (a list, a memo) tells where it was clicked in its viewport.
        auto* area = qobject_cast<QAbstractScrollArea*>(widget);
        menu->popup((area ? area->viewport() : widget)->mapToGlobal(at));
    });
}

} // namespace orvik::app
