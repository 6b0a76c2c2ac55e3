#pragma once
// What the navigation of a window shows, as texts to compare: the tree's lines, the
// time list's lines with their numbers, and what a window that opened a file whole shows.

#include "tests/app/ModalAnswers.h"
#include "tests/app/WindowHelpers.h"

#include "app/Unit1.h"
#include "app/models/TimeListModel.h"

#include <QAbstractItemModel>
#include <QLabel>
#include <QListView>
#include <QStringList>
#include <QTreeView>

// Every line of the tree in order, indented by its depth.
inline void collectTreeTexts(const QAbstractItemModel& model, const QModelIndex& parent, const QString& indent,
                             QStringList& texts)
{
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex child = model.index(row, 0, parent);
        texts << indent + child.data().toString();
        collectTreeTexts(model, child, indent + "  ", texts);
    }
}

inline QStringList listTexts(const QAbstractItemModel& model)
{
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row)
        texts << model.index(row, 0).data(orvik::app::TimeListModel::NumberRole).toString() + ' ' +
                     model.index(row, 0).data().toString();
    return texts;
}

// What a window that opened the whole file shows.
struct OpenedWhole {
    QStringList tree, timeList, status;
};

// A warning about the file's end (a recording stopped in the middle of a frame) is closed.
inline OpenedWhole openedWhole(const QString& name)
{
    orvik::app::TForm1 window;
    const ModalAnswers closeWarnings({});
    window.currentFileName = name;
    window.openArchive(false);
    OpenedWhole whole;
    collectTreeTexts(*findNamed<QTreeView>(window, "TreeView1")->model(), {}, {}, whole.tree);
    whole.timeList = listTexts(*findNamed<QListView>(window, "ListBox1")->model());
    for (const char* name : {"StatusPanel0", "StatusPanel1", "StatusPanel2"})
        whole.status << findNamed<QLabel>(window, name)->text();
    return whole;
}
