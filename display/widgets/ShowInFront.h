#pragma once
// The small windows the main window opens (histogram, memory dump) come up
// non-modal in the centre of the main window, in front.

class QWidget;

namespace orvik::widgets {

// Centres the window over its parent (when it has one), shows it and brings it to the front.
void showInFrontOfParent(QWidget& window);

} // namespace orvik::widgets
