#pragma once
// The main window's position and size, kept in the settings key "orvikegse"
// between runs.

#include <QRect>
#include <QSize>

class QWidget;

namespace orvik::app {

class RegistryKey;

// Writes the defaults (left 0, top 0, height 577, width 900) for values that do
// not exist yet and returns the stored placement, its size limited to `screen`. A value
// that is no integer, or none a window can take (a size below 1, an edge beyond
// QWIDGETSIZE_MAX), is read as its default and left as it is.
QRect restoreWindowPlacement(RegistryKey& key, QSize screen);
void saveWindowPlacement(RegistryKey& key, const QRect& placement);

// The same for a top-level window, limited to its screen's available area; placed
// where no screen shows it, it comes to the top left corner of its screen.
// The position is the frame's (QWidget::pos) and the size the client area's
// (QWidget::size), so that saving and restoring again leaves the window in place.
void restoreWindowPlacement(QWidget& window);
void saveWindowPlacement(const QWidget& window);

} // namespace orvik::app
