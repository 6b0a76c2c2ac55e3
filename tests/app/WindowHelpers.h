#pragma once
// What the suites that drive the real main window do alike: find its widgets by
// name and choose time-list lines as a user does.

#include "app/Unit1.h"

#include <QAbstractItemView>
#include <QTabWidget>

#include <gtest/gtest.h>

inline const QString demoArchive = QStringLiteral(ORVIK_DEMO_ARCHIVE);

// The widget (or menu, action) of that name below `window`; a failure names it when there is none.
template <typename T>
T* findNamed(const QObject& window, const char* name)
{
    T* found = window.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

// The time-list line of the n-th node of `kind`; a failure when there is none.
inline int timeRowOf(const orvik::ArchiveDocument& doc, int kind, size_t n = 0)
{
    int row = 0;
    for (orvik::NodeId node : doc.timeListNodes()) {
        if (doc.tree().kind(node) == kind && n-- == 0)
            return row;
        ++row;
    }
    ADD_FAILURE() << "no entry of kind " << kind;
    return -1;
}

// Brings the time list to the front and selects its line `row`, as a user does; the node then current.
inline orvik::NodeId chooseTimeRow(orvik::app::TForm1& window, int row)
{
    findNamed<QTabWidget>(window, "PageControl4")->setCurrentIndex(1);
    auto* list = findNamed<QAbstractItemView>(window, "ListBox1");
    list->setCurrentIndex(list->model()->index(row, 0));
    return window.currentNode();
}
