#pragma once
// The time list: every non-group node of the tree in the order the nodes were
// added. Nodes are numbered in that order too, so the list is kept as runs of
// consecutive node ids; only group nodes break a run.

#include "archive/CategoryTree.h"

#include <iterator>
#include <optional>
#include <vector>

namespace orvik {

class TimeList {
public:
    void append(NodeId id);
    void clear() { runs_.clear(); size_ = 0; }

    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    // The node of entry k (k < size()).
    NodeId operator[](size_t k) const;
    NodeId front() const { return (*this)[0]; }
    // The entry of a node; nothing for a node the list does not hold.
    std::optional<size_t> entryOf(NodeId id) const;

    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = NodeId;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = NodeId;
        const_iterator() = default;
        const_iterator(const TimeList* list, size_t k) : list_(list), k_(k) {}
        NodeId operator*() const { return (*list_)[k_]; }
        const_iterator& operator++()
        {
            ++k_;
            return *this;
        }
        const_iterator operator++(int)
        {
            const_iterator before = *this;
            ++k_;
            return before;
        }
        bool operator==(const const_iterator& other) const { return k_ == other.k_; }

    private:
        const TimeList* list_ = nullptr;
        size_t k_ = 0;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size_}; }

private:
    struct Run {
        size_t firstEntry;
        NodeId firstNode;
    };
    std::vector<Run> runs_;
    size_t size_ = 0;
};

} // namespace orvik
