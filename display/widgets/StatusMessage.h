#pragma once
// Confirmations of what the user just did, in the main window's status bar.

class QString;
class QWidget;

namespace orvik::widgets {

// Shows the text for five seconds in the status bar of the nearest main window
// up the parent chain of `from` (a page, a dialog or a window of its own); without
// one nothing is shown.
void showStatusMessage(QWidget* from, const QString& text);

} // namespace orvik::widgets
