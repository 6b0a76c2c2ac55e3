#pragma once
// The "Raw" page, the last page of PageControl1: the stored bytes of the node
// last shown, as a hex dump under its decoded header. Showing a node never
// brings the page forward; while it is in front it follows the node shown.

#include "archive/CategoryTree.h"

#include <QObject>

class QLabel;
class QPlainTextEdit;
class QTabWidget;
class QTableWidget;
class QWidget;

namespace orvik::app {

class RawPage : public QObject {
public:
    // Adds the page after the pages of `pageControl1`; `tree` is the open archive's tree.
    RawPage(QTabWidget& pageControl1, const orvik::CategoryTree& tree, QObject* parent);

    bool inFront() const;
    // The window showed `node`; the page was in front before (`wasInFront`): it
    // comes back to the front if the node's pages pushed it back, and shows the node.
    void nodeShown(orvik::NodeId node, bool wasInFront);
    // The archive's nodes are about to go: the page forgets its node.
    void forgetNode();

private:
    // Fills the page from the node, if the page is in front.
    void refresh();

    QTabWidget& pages_;
    const orvik::CategoryTree& tree_;
    orvik::NodeId node_ = orvik::noNode;
    QWidget* page_ = nullptr;
    QLabel* note_ = nullptr;
    QTableWidget* header_ = nullptr;
    QPlainTextEdit* memo_ = nullptr;
};

} // namespace orvik::app
