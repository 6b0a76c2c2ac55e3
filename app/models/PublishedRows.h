#pragma once
// The rows a view has been told of in an ascending list of node ids (a group's
// children, the time list). A followed file's new nodes are in the document before
// the views learn of them, so a model answers from a mark of the tree: the ids below
// it in each range. The new early ids (the science stream's) lie among the list's
// entries, before the later ids; the new later ids come at its end.

#include "archive/CategoryTree.h"

#include <optional>

namespace orvik::app {

// Whether the node lies below the mark in its range.
inline bool isBelow(const orvik::CategoryTree::Mark& mark, orvik::NodeId id)
{
    return id < orvik::laterNodes ? id < mark.early : id - orvik::laterNodes < mark.later;
}

class PublishedRows {
public:
    PublishedRows(const orvik::NodeRuns& list, const orvik::CategoryTree::Mark& mark)
        : list_(&list), earlyRows_(list.entriesBelow(mark.early)), earlyEnd_(list.entriesBelow(orvik::laterNodes)),
          end_(list.entriesBelow(orvik::laterNodes + mark.later))
    {
    }

    size_t size() const { return earlyRows_ + (end_ - earlyEnd_); }
    orvik::NodeId operator[](size_t row) const
    {
        return (*list_)[row < earlyRows_ ? row : row - earlyRows_ + earlyEnd_];
    }
    // The row of the list's entry `entry`, which holds an id below the mark.
    size_t rowOfEntry(size_t entry) const { return entry < earlyEnd_ ? entry : entry - (earlyEnd_ - earlyRows_); }
    // The early ids at or above the mark: they come in at row earlyRows().
    size_t earlyRows() const { return earlyRows_; }
    size_t newEarlyCount() const { return earlyEnd_ - earlyRows_; }
    // The later ids at or above the mark: they come in after every other row.
    size_t newLaterCount() const { return list_->size() - end_; }

private:
    const orvik::NodeRuns* list_;
    size_t earlyRows_, earlyEnd_, end_;
};

// The rows of the list asked for last: a view lays out its rows one by one, and each
// would cost a few searches among the list's runs. A list only grows while its rows
// are shown from one mark, so its size tells whether it changed.
class LastPublishedRows {
public:
    const PublishedRows& of(const orvik::NodeRuns& list, const orvik::CategoryTree::Mark& mark) const
    {
        if (!last_ || last_->list != &list || last_->size != list.size() || !(last_->mark == mark))
            last_.emplace(Entry{&list, list.size(), mark, PublishedRows(list, mark)});
        return last_->rows;
    }
    // The lists may be other ones at the same places now (a new filter, a new document).
    void forget() { last_.reset(); }

private:
    struct Entry {
        const orvik::NodeRuns* list;
        size_t size;
        orvik::CategoryTree::Mark mark;
        PublishedRows rows;
    };
    mutable std::optional<Entry> last_;
};

} // namespace orvik::app
