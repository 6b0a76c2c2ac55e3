#pragma once
// The editor's pictures: the telecommand under edit and the three drop
// targets. The targets take the desktop theme's icons where the theme has
// them and drawn pictures elsewhere.

#include <QPixmap>

namespace orvik::tceditor::tcpictures {

QPixmap telecommand(); // 60 x 40, the drag source
QPixmap equipment(int side); // a piece of equipment
QPixmap openFolder(int side); // an open folder holding a document
QPixmap wasteBin(int side); // the bin

} // namespace orvik::tceditor::tcpictures
