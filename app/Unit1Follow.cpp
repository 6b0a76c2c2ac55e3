// "&Follow file": while the data system writes the open archive, the window takes
// in what is appended, step by step between the user's events, and shows it
// without moving the user's place: the node chosen, the page on show, the open
// groups and the lines in view stay; the time list keeps to its end when it was
// there. Turning Follow off reads what waits at the end as the end of the file.

#include "app/Unit1.h"

#include "app/FollowSchedule.h"
#include "app/LiveConnection.h"
#include "app/models/CategoryTreeModel.h"
#include "app/models/NodeSearch.h"
#include "app/models/PacketStatisticsModel.h"
#include "app/models/TimeListModel.h"
#include "app/pages/RawPage.h"
#include "archive/NodeFacts.h"
#include "display/widgets/StatusMessage.h"
#include "display/widgets/TrendForm.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

using namespace orvik;

namespace orvik::app {

namespace {
// A step reads at most this much, so that it stays short however far the file is ahead.
constexpr uint64_t followStepBytes = 4 << 20;
constexpr int searchRefreshMs = 1000;
} // namespace

void TForm1::connectFollow()
{
    followSchedule_ = new FollowSchedule([this] { followStep(); }, this);
    connect(followFile_, &QAction::toggled, this, &TForm1::followingToggled);
    connect(followFile_, &QAction::toggled, followIndicator_, &QToolButton::setChecked);
    connect(followFile_, &QAction::toggled, followIndicator_, &QWidget::setVisible);
    connect(followIndicator_, &QToolButton::toggled, followFile_, &QAction::setChecked);
    searchRefresh_ = new QTimer(this);
    searchRefresh_->setSingleShot(true);
    searchRefresh_->setInterval(searchRefreshMs);
    connect(searchRefresh_, &QTimer::timeout, this, &TForm1::refreshSearch);
    connect(treeView1_, &QTreeView::expanded, this,
            [this](const QModelIndex& index) { expandedGroups_.insert(treeModel_->nodeAt(index)); });
    connect(treeView1_, &QTreeView::collapsed, this,
            [this](const QModelIndex& index) { expandedGroups_.erase(treeModel_->nodeAt(index)); });
}

void TForm1::followOpenedFile(bool opened)
{
    followFile_->setEnabled(opened);
    if (!opened)
        followFile_->setChecked(false);
    else if (followFile_->isChecked())
        followSchedule_->start(QString::fromStdString(doc_.reader().fileName()));
}

void TForm1::followingToggled(bool on)
{
    if (on) {
        followSchedule_->start(QString::fromStdString(doc_.reader().fileName()));
        return;
    }
    followSchedule_->stop();
    searchRefresh_->stop();
    search_->stop(); // settle() changes the tree the search reads
    const std::string missing = doc_.statusPanels()[2];
    showTakenIn(doc_.settle(), missing);
    refreshSearch();
}

bool TForm1::followStep()
{
    // A search reads the tree: the next step takes in what came meanwhile.
    if (!followFile_->isChecked() || search_->running())
        return false;
    const uint64_t bytesBefore = doc_.reader().bytesRead();
    const std::string missing = doc_.statusPanels()[2];
    const CategoryTree::Mark before = doc_.tree().mark();
    const ArchiveDocument::Update update = doc_.follow(followStepBytes);
    const QString file = QString::fromStdString(doc_.reader().fileName());
    if (update.change == ESAPacket::FileChange::None)
        return false;
    if (const char* reason = fileChangeReason(update.change)) {
        stopFollowing(file + ' ' + QLatin1String(reason));
        return false;
    }
    showTakenIn(update.reshaped, missing);
    // A rebuild runs the search again at once; new nodes alone wait for the next refresh.
    if (!update.reshaped && doc_.tree().mark() != before && !searchEdit_->text().isEmpty() &&
        !searchRefresh_->isActive())
        searchRefresh_->start();
    const bool more = doc_.reader().bytesRead() - bytesBefore >= followStepBytes;
    if (more)
        followSchedule_->stepAgain();
    return more;
}

void TForm1::stopFollowing(const QString& why)
{
    followFile_->setChecked(false);
    if (!live_) {
        widgets::showStatusMessage(this, QString("Following stopped: %1; what was read stays.").arg(why));
        return;
    }
    // The recording is no longer the one being written: receiving into it would go unseen.
    const QString server = live_->server();
    endLive();
    QMessageBox::warning(this, "Connect to server",
                         QString("Following stopped: %1; what was read stays.\n\nDisconnected from %2.").arg(why, server));
}

void TForm1::showTakenIn(bool nodesWent, const std::string& missingBefore)
{
    if (nodesWent)
        rebuildNavigation();
    else
        publishNewNodes();
    // Nodes that came before the one on show move it down the time list: its header says where it is now.
    nodeHeader_->setText(QString::fromStdString(nodeHeaderText(doc_, doc_.currentNode)));
    showStatus();
    statisticsModel_->refresh();
    // A dataset's text tells whether the stream is complete.
    if (doc_.statusPanels()[2] != missingBefore)
        treeModel_->childTextsChanged({doc_.gcNode(), doc_.gcmsNode(), doc_.msNode()});
    trendForm_->documentGrew(nodesWent);
    enableHousekeepingCsvExport();
}

void TForm1::publishNewNodes()
{
    const NavigationPlace place = navigationPlace();
    treeModel_->publishNewNodes();
    timeModel_->publishNewNodes();
    restoreNavigationPlace(place);
}

void TForm1::rebuildNavigation()
{
    const NavigationPlace place = navigationPlace();
    // The filter may hold nodes gone: the search runs again.
    search_->stop();
    treeModel_->resetToDocument();
    timeModel_->resetToDocument();
    const CategoryTree& tree = doc_.tree();
    if (doc_.currentNode != noNode && !tree.contains(doc_.currentNode)) {
        doc_.currentNode = noNode;
        rawPage_->forgetNode();
    }
    std::erase_if(expandedGroups_, [&tree](NodeId group) { return !tree.contains(group); });
    reopenGroups();
    restoreNavigationPlace(place);
    refreshSearch();
}

void TForm1::reopenGroups()
{
    for (const NodeId group : expandedGroups_) // rising ids: a group after the groups holding it
        treeView1_->expand(treeModel_->indexOf(group));
}

TForm1::NavigationPlace TForm1::navigationPlace() const
{
    const QScrollBar* bar = listBox1_->verticalScrollBar();
    return {treeModel_->nodeAt(treeView1_->currentIndex()), timeModel_->nodeAt(listBox1_->currentIndex().row()),
            treeModel_->nodeAt(treeView1_->indexAt(QPoint(0, 0))),
            timeModel_->nodeAt(listBox1_->indexAt(QPoint(0, 0)).row()), bar->value() == bar->maximum()};
}

void TForm1::restoreNavigationPlace(const NavigationPlace& place)
{
    const CategoryTree& tree = doc_.tree();
    const auto treeIndex = [&](NodeId node) { return tree.contains(node) ? treeModel_->indexOf(node) : QModelIndex(); };
    const auto timeIndex = [&](NodeId node) { return timeModel_->index(timeModel_->rowOf(node)); };
    const auto choose = [this](QAbstractItemView& view, const QModelIndex& index) {
        // The node chosen is on show already: choosing it again shows nothing.
        const QScopedValueRollback quiet(restoringChoice_, true);
        if (index.isValid() && view.currentIndex() != index)
            view.setCurrentIndex(index);
    };
    choose(*treeView1_, treeIndex(place.treeChosen));
    choose(*listBox1_, timeIndex(place.timeChosen));
    if (const QModelIndex top = treeIndex(place.treeTop); top.isValid())
        treeView1_->scrollTo(top, QAbstractItemView::PositionAtTop);
    if (place.timeAtEnd)
        listBox1_->scrollToBottom();
    else if (const QModelIndex top = timeIndex(place.timeTop); top.isValid())
        listBox1_->scrollTo(top, QAbstractItemView::PositionAtTop);
}

} // namespace orvik::app
