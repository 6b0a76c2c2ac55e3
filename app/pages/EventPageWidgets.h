#pragma once
// Widgets the event and dump pages share: value labels beside their captions,
// read-only word memos in a fixed-pitch font, string grids and group boxes.

#include <QString>

class QFormLayout;
class QGroupBox;
class QLabel;
class QLayout;
class QPlainTextEdit;
class QTableWidget;
class QWidget;

namespace orvik::app {

// A form of captions and value labels that keeps the values beside their captions.
QFormLayout* valueForm();
// Adds "caption" and a right-aligned value label named `name` with its design text.
QLabel* addValueRow(QFormLayout* form, const QString& caption, const char* name, const QString& designText);
// A read-only memo of hex words in "Courier New"; its lines wrap at the blanks.
QPlainTextEdit* wordMemo(const char* name);
// A grid of cols x rows cells without headers or scroll bars, sized to show them all;
// the decoders write its cells. Row 0 and column 0 are its fixed (heading) cells.
QTableWidget* stringGrid(const char* name, int cols, int rows, int colWidth, int rowHeight);
// Sizes the grid to its cells after a column or row changed.
void fitGridToCells(QTableWidget* grid);
QGroupBox* groupBox(const QString& title, QLayout* content);

} // namespace orvik::app
