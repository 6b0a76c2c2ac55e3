#pragma once
// What the tree's and the time list's models share: a view of the open document
// that shows nothing while an open rebuilds it, and shows all of it or what a
// search filter keeps. While a followed file grows, the model shows the nodes it
// has told the view of (PublishedRows) and tells of the new ones as rows inserted,
// so that the view keeps its selection, open groups and scroll position.
// QtModel is the Qt model class the view needs.

#include "app/models/PublishedRows.h"
#include "archive/ArchiveDocument.h"
#include "archive/NodeFacts.h"

#include <QString>
#include <QVariant>

#include <memory>

namespace orvik {
class NodeFilter;
}

namespace orvik::app {

template <class QtModel>
class DocumentModel : public QtModel {
public:
    // Brackets a change of the whole document (an open); the view sees an empty model meanwhile.
    void beginRebuild()
    {
        this->beginResetModel();
        rebuilding_ = true;
    }
    void endRebuild()
    {
        published_ = doc_.tree().mark();
        lastRows_.forget();
        rebuilding_ = false;
        this->endResetModel();
    }
    // Shows only what the search filter keeps; null shows the whole document.
    void setFilter(std::shared_ptr<const orvik::NodeFilter> filter)
    {
        if (!filter && !filter_)
            return;
        reset(std::move(filter));
    }
    // Nodes went from the document as well as came before the model learnt of it:
    // the whole document is shown anew, without the filter, which may hold nodes gone.
    void resetToDocument() { reset(nullptr); }

protected:
    DocumentModel(const orvik::ArchiveDocument& doc, QObject* parent) : QtModel(parent), doc_(doc) {}

    void reset(std::shared_ptr<const orvik::NodeFilter> filter)
    {
        // Nothing is answered until the reset ends: the ids the view still holds may be gone.
        rebuilding_ = true;
        this->beginResetModel();
        filter_ = std::move(filter);
        published_ = doc_.tree().mark();
        lastRows_.forget();
        rebuilding_ = false;
        this->endResetModel();
    }
    // Tells the view of the entries of `list`, the rows under `parent`, from `shown` (the
    // mark those rows are answered from) up to the document's: the new early ids, then the
    // new later ones, each block bracketed by the insertion signals.
    void insertNewEntries(const QModelIndex& parent, const orvik::NodeRuns& list, orvik::CategoryTree::Mark& shown)
    {
        const orvik::CategoryTree::Mark now = doc_.tree().mark();
        const PublishedRows before(list, shown);
        announceRows(parent, before.earlyRows(), before.newEarlyCount(), [&] { shown.early = now.early; });
        const PublishedRows between(list, shown);
        announceRows(parent, between.size(), between.newLaterCount(), [&] { shown = now; });
    }

    QVariant textOf(orvik::NodeId node) const { return QString::fromStdString(doc_.tree().text(node)); }
    // What tells the node apart from those of the same text; none for a node with nothing to tell.
    QVariant toolTipOf(orvik::NodeId node) const
    {
        const std::string tip = orvik::nodeToolTipText(doc_, node);
        return tip.empty() ? QVariant() : QVariant(QString::fromStdString(tip));
    }

    const orvik::ArchiveDocument& doc_;
    bool rebuilding_ = false;
    std::shared_ptr<const orvik::NodeFilter> filter_;
    // The nodes the view has been told of (without a filter): those below this mark.
    orvik::CategoryTree::Mark published_;
    LastPublishedRows lastRows_;

private:
    // Rows `first` ... `first + count - 1` come in under `parent` when `commit` has run.
    template <class Commit>
    void announceRows(const QModelIndex& parent, size_t first, size_t count, Commit commit)
    {
        if (count == 0) {
            commit();
            return;
        }
        this->beginInsertRows(parent, int(first), int(first + count - 1));
        commit();
        this->endInsertRows();
    }
};

} // namespace orvik::app
