#pragma once
// Pop-up menus opened by a right click on the widget they belong to.

class QMenu;
class QWidget;

namespace orvik::app {

// A right click on `widget` opens `menu` where the mouse is.
void usePopupMenu(QWidget* widget, QMenu* menu);

} // namespace orvik::app
