#pragma once
// An ascending list of node ids kept as runs of consecutive ids: the time list,
// a group's children, a search's shown children. Nodes are numbered in the order
// they are added and long stretches of them go to one place, so a list of
// millions of ids is a few runs. Each run costs 8 bytes; a list whose ids never
// follow each other costs 8 bytes an id. Ids come at the end nearly always; one
// that comes among them (a science node shown before later nodes) moves the
// runs after it.

#include "archive/NodeId.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <optional>
#include <vector>

namespace orvik {

class NodeRuns {
    struct Run {
        uint32_t firstEntry; // entries are fewer than node ids
        NodeId firstNode;
        friend bool operator==(const Run&, const Run&) = default;
    };

public:
    // Appends an id above every id in the list.
    void append(NodeId id);
    // Adds an id not in the list at its place among the others.
    void insert(NodeId id);
    // Removes the ids from `first` up to but not including `end`.
    void erase(NodeId first, NodeId end);
    void clear()
    {
        runs_.clear();
        size_ = 0;
    }

    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    // The id of entry k (k < size()).
    NodeId operator[](size_t k) const;
    // The same, or std::out_of_range for k >= size().
    NodeId at(size_t k) const;
    NodeId front() const { return (*this)[0]; }
    NodeId back() const { return NodeId(runs_.back().firstNode + (size_ - 1 - runs_.back().firstEntry)); }
    // How many ids of the list lie below `id`.
    size_t entriesBelow(NodeId id) const;
    // The entry of an id, found among the runs; nothing for an id not in the list.
    std::optional<size_t> entryOf(NodeId id) const;

    // Walks the runs alongside the entries: no search per step.
    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = NodeId;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = NodeId;
        const_iterator() = default;
        const_iterator(const NodeRuns* list, size_t run, size_t k) : list_(list), run_(run), k_(k) {}
        NodeId operator*() const
        {
            const Run& run = list_->runs_[run_];
            return NodeId(run.firstNode + (k_ - run.firstEntry));
        }
        const_iterator& operator++()
        {
            if (++k_ == list_->runEnd(run_))
                ++run_;
            return *this;
        }
        const_iterator operator++(int)
        {
            const_iterator before = *this;
            ++*this;
            return before;
        }
        bool operator==(const const_iterator& other) const { return k_ == other.k_; }

    private:
        const NodeRuns* list_ = nullptr;
        size_t run_ = 0;
        size_t k_ = 0;
    };
    using iterator = const_iterator;
    using value_type = NodeId;
    const_iterator begin() const { return {this, 0, 0}; }
    const_iterator end() const { return {this, runs_.size(), size_}; }

    // Runs are as long as they can be, so equal lists have equal runs.
    friend bool operator==(const NodeRuns&, const NodeRuns&) = default;
    friend bool operator==(const NodeRuns& runs, const std::vector<NodeId>& ids)
    {
        return std::equal(runs.begin(), runs.end(), ids.begin(), ids.end());
    }

private:
    // Appends the ids from `first` up to but not including `end`, all above the list's.
    void appendRun(NodeId first, NodeId end);
    // The entry after the last of run r.
    size_t runEnd(size_t r) const { return r + 1 < runs_.size() ? runs_[r + 1].firstEntry : size_; }

    std::vector<Run> runs_;
    uint32_t size_ = 0;
};

} // namespace orvik
