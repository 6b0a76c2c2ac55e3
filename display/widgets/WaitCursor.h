#pragma once
// The wait cursor over the program while something the user waits for runs in the
// window's thread, so that a window that cannot answer for a moment says why.

#include <QGuiApplication>

namespace orvik::widgets {

class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace orvik::widgets
