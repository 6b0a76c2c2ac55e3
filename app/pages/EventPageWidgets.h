#pragma once
// Widgets the event and dump pages share: read-only word memos in a fixed-pitch
// font, string grids and group boxes. Their value rows are in LabelGroups.h.

#include <QString>

class QGroupBox;
class QLayout;
class QPlainTextEdit;
class QTableWidget;
class QWidget;

namespace orvik::app {

// A read-only memo of hex words in "Courier New"; its lines wrap at the blanks.
QPlainTextEdit* wordMemo(const char* name);
// A grid of cols x rows cells without headers or scroll bars, sized to show them all;
// the decoders write its cells. Row 0 and column 0 are its fixed (heading) cells.
QTableWidget* stringGrid(const char* name, int cols, int rows, int colWidth, int rowHeight);
// Sizes the grid to its cells after a column or row changed.
void fitGridToCells(QTableWidget* grid);
QGroupBox* groupBox(const QString& title, QLayout* content);

} // namespace orvik::app
