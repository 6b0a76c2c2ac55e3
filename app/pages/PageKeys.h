#pragma once
// Ctrl+Tab and Ctrl+PgDown go to the next page, Ctrl+Shift+Tab and Ctrl+PgUp to
// the previous one, from anywhere in the window: the tree, the time list and the
// search field too, not only while the focus is inside the page control. Hidden
// and disabled tabs are passed over; the last page is followed by the first.

class QTabWidget;
class QWidget;

namespace orvik::app {

// The keys of `window` move through `pages`. With the focus inside a page control
// on one of its pages, that page control moves, as it does with Ctrl+Tab by itself.
void installPageKeys(QWidget& window, QTabWidget& pages);

} // namespace orvik::app
