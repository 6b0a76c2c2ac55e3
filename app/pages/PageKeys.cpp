#include "app/pages/PageKeys.h"

#include <QApplication>
#include <QKeySequence>
#include <QShortcut>
#include <QTabWidget>

namespace orvik::app {

namespace {

// The innermost page control around the focus below `pages`, or `pages` itself.
QTabWidget& pagesAtFocus(QTabWidget& pages)
{
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
        if (auto* control = qobject_cast<QTabWidget*>(w); control && pages.isAncestorOf(control))
            return *control;
    return pages;
}

// The next usable page after the current one (`step` 1) or before it (-1), round the end.
void stepPage(QTabWidget& pages, int step)
{
    const int count = pages.count();
    for (int i = 1; i < count; ++i) {
        const int index = ((pages.currentIndex() + step * i) % count + count) % count;
        if (pages.isTabVisible(index) && pages.isTabEnabled(index)) {
            pages.setCurrentIndex(index);
            return;
        }
    }
}

} // namespace

void installPageKeys(QWidget& window, QTabWidget& pages)
{
    // X11 reports Shift+Tab as Backtab: both spellings are bound.
    const struct {
        QKeyCombination key;
        int step;
    } keys[] = {{Qt::CTRL | Qt::Key_Tab, 1},
                {Qt::CTRL | Qt::Key_PageDown, 1},
                {Qt::CTRL | Qt::SHIFT | Qt::Key_Tab, -1},
                {Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, -1},
                {Qt::CTRL | Qt::Key_PageUp, -1}};
    for (const auto& [key, step] : keys) {
        auto* shortcut = new QShortcut(QKeySequence(key), &window);
        QObject::connect(shortcut, &QShortcut::activated, &pages,
                         [&pages, step = step] { stepPage(pagesAtFocus(pages), step); });
    }
}

} // namespace orvik::app
