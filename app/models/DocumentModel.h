#pragma once
// What the tree's and the time list's models share: a view of the open document
// that shows nothing while an open rebuilds it, and shows all of it or what a
// search filter keeps. QtModel is the Qt model class the view needs.

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
        rebuilding_ = false;
        this->endResetModel();
    }
    // Shows only what the search filter keeps; null shows the whole document.
    void setFilter(std::shared_ptr<const orvik::NodeFilter> filter)
    {
        if (!filter && !filter_)
            return;
        this->beginResetModel();
        filter_ = std::move(filter);
        this->endResetModel();
    }

protected:
    DocumentModel(const orvik::ArchiveDocument& doc, QObject* parent) : QtModel(parent), doc_(doc) {}

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
};

} // namespace orvik::app
