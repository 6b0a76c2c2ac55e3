#include "app/models/NodeSearch.h"

#include <QMetaObject>

using namespace orvik;

namespace orvik::app {

NodeSearch::NodeSearch(const CategoryTree& tree, FilterFn filtered, QObject* parent)
    : QObject(parent), tree_(tree), filtered_(std::move(filtered))
{
}

NodeSearch::~NodeSearch()
{
    stop();
}

void NodeSearch::stop()
{
    ++generation_;
    cancelled_ = true;
    if (worker_.joinable())
        worker_.join(); // quick: the search looks at the flag every few ten thousand nodes
    cancelled_ = false;
}

void NodeSearch::setNeedle(const QString& needle)
{
    stop();
    if (needle.isEmpty()) {
        filtered_(nullptr);
        return;
    }
    const quint64 generation = generation_;
    finished_ = false;
    worker_ = std::thread([this, generation, needle = needle.toStdString()] {
        std::optional<NodeFilter> found = filterNodes(tree_, needle, &cancelled_);
        if (found) {
            auto filter = std::make_shared<const NodeFilter>(std::move(*found));
            // Queued to this object: dropped by Qt if the object is gone, by the generation if stale.
            QMetaObject::invokeMethod(this, [this, generation, filter] {
                if (generation == generation_)
                    filtered_(filter);
            }, Qt::QueuedConnection);
        }
        // Once the result is on its way: the next events of the user-interface thread hand it on.
        finished_ = true;
    });
}

} // namespace orvik::app
