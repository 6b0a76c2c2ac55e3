#include "tests/monkey/WindowInvariants.h"

#include "app/Unit1.h"
#include "app/models/CategoryTreeModel.h"
#include "archive/NodeFacts.h"

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QTabWidget>
#include <QTreeView>

namespace orvik::monkey {

namespace {
const char* const rawPage = "RawTabSheet";

template <typename T>
const T* named(const app::TForm1& window, const char* name)
{
    return window.findChild<const T*>(QString::fromLatin1(name));
}
} // namespace

void WindowInvariants::pageChosenByUser(const std::string& pageInFront)
{
    pageChosen_ = true;
    rawChosen_ = pageInFront == rawPage;
}

void WindowInvariants::windowCreated()
{
    pageChosen_ = rawChosen_ = false;
    filterKey_.reset();
    filter_.reset();
}

std::string WindowInvariants::pageBroughtForward(const CategoryTree& tree, NodeId node)
{
    dispatcher_.components.beginDisplay();
    dispatcher_.displayNode(tree, node);
    std::string page;
    for (const display::Write& write : dispatcher_.components.writes())
        if (write.property == display::Property::ActivePage && write.component == "PageControl1")
            page = std::get<std::string>(write.value);
    dispatcher_.releaseArchive(); // holds nothing of the document until the next check
    return page;
}

const NodeFilter* WindowInvariants::expectedFilter(const app::TForm1& window)
{
    const ArchiveDocument& doc = window.document();
    const FilterKey key{named<QLineEdit>(window, "SearchEdit")->text().toStdString(), doc.caption(),
                        doc.tree().size(), doc.timeListNodes().size()};
    if (filterKey_ != key) {
        filterKey_ = key;
        filter_.reset();
        if (!key.needle.empty())
            filter_ = filterNodes(doc.tree(), key.needle);
    }
    return filter_ ? &*filter_ : nullptr;
}

void WindowInvariants::checkSizes(const app::TForm1& window, std::vector<std::string>& failures)
{
    const ArchiveDocument& doc = window.document();
    const NodeFilter* filter = expectedFilter(window);
    const auto expect = [&](size_t shown, size_t expected, const std::string& what) {
        if (shown != expected)
            failures.push_back(what + " shows " + std::to_string(shown) + " rows, the document " +
                               std::to_string(expected));
    };
    const auto* timeList = named<QListView>(window, "ListBox1");
    expect(size_t(timeList->model()->rowCount()),
           filter ? filter->timeListNodes().size() : doc.timeListNodes().size(), "the time list");

    const auto* tree = named<QTreeView>(window, "TreeView1");
    const auto* model = static_cast<const app::CategoryTreeModel*>(tree->model());
    const auto children = [&](NodeId parent) {
        return filter ? filter->children(parent).size() : doc.tree().children(parent).size();
    };
    expect(size_t(model->rowCount()), children(noNode), "the tree's top level");
    // The group of the line chosen in the tree, and those above it.
    for (QModelIndex group = tree->currentIndex().parent(); group.isValid(); group = group.parent())
        expect(size_t(model->rowCount(group)), children(model->nodeAt(group)),
               "the tree's group \"" + group.data().toString().toStdString() + "\"");
}

void WindowInvariants::checkPages(const app::TForm1& window, std::vector<std::string>& failures)
{
    const ArchiveDocument& doc = window.document();
    const NodeId node = window.currentNode();
    if (node == noNode)
        return;
    if (!doc.tree().contains(node)) {
        failures.push_back("the node on show, " + std::to_string(node) + ", is not in the document");
        return;
    }
    const QString header = named<QLabel>(window, "NodeHeader")->text();
    if (header.toStdString() != nodeHeaderText(doc, node))
        failures.push_back("the header reads \"" + header.toStdString() + "\" over node " + std::to_string(node));
    if (pageChosen_)
        return;
    const std::string front = named<QTabWidget>(window, "PageControl1")->currentWidget()->objectName().toStdString();
    if (front == rawPage) {
        if (!rawChosen_)
            failures.push_back("the raw page came to the front by itself");
        return;
    }
    const std::string wanted = pageBroughtForward(doc.tree(), node);
    if (!wanted.empty() && front != wanted)
        failures.push_back("page " + front + " is in front of node " + std::to_string(node) + " (kind " +
                           std::to_string(doc.tree().kind(node)) + "), which brings " + wanted + " forward");
}

std::vector<std::string> WindowInvariants::check(const app::TForm1& window)
{
    std::vector<std::string> failures;
    const ArchiveDocument& doc = window.document();
    for (int i = 0; i < 3; ++i) {
        const QString name = QString("StatusPanel%1").arg(i);
        const QString text = window.findChild<const QLabel*>(name)->text();
        if (text.toStdString() != doc.statusPanels()[size_t(i)])
            failures.push_back(name.toStdString() + " reads \"" + text.toStdString() + "\", the document \"" +
                               doc.statusPanels()[size_t(i)] + "\"");
    }
    if (window.windowTitle().toStdString() != doc.caption())
        failures.push_back("the caption reads \"" + window.windowTitle().toStdString() + "\", the document \"" +
                           doc.caption() + "\"");
    checkSizes(window, failures);
    checkPages(window, failures);
    return failures;
}

} // namespace orvik::monkey
