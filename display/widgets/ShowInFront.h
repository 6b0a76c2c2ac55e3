#pragma once
// How the program's own windows (the chart windows, the trend window) come up:
// non-modal in the centre of the main window, in front.

class QWidget;

namespace orvik::widgets {

// Centres the window over its parent (when it has one), shows it and brings it to the front.
void showInFrontOfParent(QWidget& window);

} // namespace orvik::widgets
