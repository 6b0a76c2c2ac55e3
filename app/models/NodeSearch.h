#pragma once
// Runs the search of the search field off the user-interface thread: each new
// needle cancels the search still running and starts its own; only the result of
// the latest needle is handed on, on the user-interface thread.

#include "archive/NodeFilter.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

namespace orvik::app {

class NodeSearch : public QObject {
public:
    // Gets the filter of the latest needle; null for the empty needle (no filter).
    using FilterFn = std::function<void(std::shared_ptr<const orvik::NodeFilter>)>;

    NodeSearch(const orvik::CategoryTree& tree, FilterFn filtered, QObject* parent = nullptr);
    ~NodeSearch() override;

    // The empty needle drops the filter at once; any other starts a search.
    void setNeedle(const QString& needle);
    // Ends a running search and forgets its result: the tree is about to change.
    void stop();
    // Whether a search is reading the tree (it must not change meanwhile) or has yet to
    // post its result; once false, the result is among the pending events.
    bool running() const { return worker_.joinable() && !finished_; }

private:
    const orvik::CategoryTree& tree_;
    FilterFn filtered_;
    std::thread worker_;
    std::atomic<bool> cancelled_{false};
    std::atomic<bool> finished_{false};
    // Counts the searches started; a result of an earlier one is dropped.
    quint64 generation_ = 0;
};

} // namespace orvik::app
