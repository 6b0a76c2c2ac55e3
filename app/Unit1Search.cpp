// The search field: filters the category tree and the time list by node text as
// the user types. Ctrl+F goes to it, Escape empties it and the full lists return.
// Choosing a node in a filtered list shows that node, as in the full lists; the
// node shown stays chosen and in view while the lists change with the needle.
// Beside the field, how many nodes match.

#include "app/Unit1.h"

#include "app/models/CategoryTreeModel.h"
#include "app/models/NodeSearch.h"
#include "app/models/TimeListModel.h"

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QLocale>
#include <QScopedValueRollback>
#include <QShortcut>
#include <QTabWidget>
#include <QTimer>
#include <QTreeView>

using namespace orvik;

namespace orvik::app {

namespace {
// Up to this many nodes in a filtered tree, every group is opened to show the matches.
constexpr size_t expandAllLimit = 2000;

QString matchesText(size_t count)
{
    if (count == 0)
        return QStringLiteral("No matches");
    if (count == 1)
        return QStringLiteral("1 match");
    return QStringLiteral("%1 matches").arg(QLocale().toString(qulonglong(count)));
}
} // namespace

void TForm1::connectSearch()
{
    search_ = new NodeSearch(doc_.tree(), [this](std::shared_ptr<const NodeFilter> filter) {
        showSearchResult(std::move(filter));
    }, this);
    connect(searchEdit_, &QLineEdit::textChanged, search_, [this](const QString& needle) {
        refreshingSearch_ = false;
        search_->setNeedle(needle);
    });
    auto* find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, this, [this] {
        searchEdit_->setFocus(Qt::ShortcutFocusReason);
        searchEdit_->selectAll();
    });
    // Escape in the field or in the lists below it.
    auto* clear = new QShortcut(QKeySequence(Qt::Key_Escape), searchEdit_->parentWidget());
    clear->setContext(Qt::WidgetWithChildrenShortcut);
    connect(clear, &QShortcut::activated, searchEdit_, &QLineEdit::clear);
}

void TForm1::showSearchResult(std::shared_ptr<const NodeFilter> filter)
{
    const bool refreshed = std::exchange(refreshingSearch_, false);
    const NavigationPlace place = navigationPlace();
    const bool expand = filter && filter->shownCount() <= expandAllLimit;
    searchMatches_->setText(filter ? matchesText(filter->matchCount()) : QString());
    treeModel_->setFilter(filter);
    timeModel_->setFilter(std::move(filter));
    if (expand)
        treeView1_->expandAll();
    else if (refreshed)
        reopenGroups();
    keepCurrentNodeChosen();
    if (refreshed)
        restoreNavigationPlace(place);
}

void TForm1::refreshSearch()
{
    searchRefresh_->stop();
    if (searchEdit_->text().isEmpty())
        return;
    // The result keeps the user's place: only the nodes that came are new in it.
    refreshingSearch_ = true;
    search_->setNeedle(searchEdit_->text());
}

void TForm1::keepCurrentNodeChosen()
{
    const NodeId node = currentNode();
    // The node is on show already: choosing it here must not show it again.
    const QScopedValueRollback quiet(restoringChoice_, true);
    const auto choose = [](QAbstractItemView& view, const QModelIndex& index) {
        if (!index.isValid())
            return;
        view.setCurrentIndex(index);
        view.scrollTo(index);
    };
    choose(*treeView1_, treeModel_->indexOf(node));
    choose(*listBox1_, timeModel_->index(timeModel_->rowOf(node)));
}

void TForm1::dropSearchFilter()
{
    search_->stop();
    showSearchResult(nullptr);
}

} // namespace orvik::app
