#pragma once
// The program's icon, drawn from the SVG that the desktop's icon theme installs too.
// Drawn here rather than through Qt's SVG icon plugin, so that it shows wherever the
// program runs, plugins deployed or not.

#include <QIcon>
#include <QPixmap>

namespace orvik::reports {

// The picture, `size` pixels square, transparent beyond its rounded corners.
QPixmap applicationPicture(int size);

// The picture at the sizes title bars, task bars and window switchers ask for.
QIcon applicationIcon();

} // namespace orvik::reports
