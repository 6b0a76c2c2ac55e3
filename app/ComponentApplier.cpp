#include "app/ComponentApplier.h"

#include "app/StringLists.h"
#include "display/widgets/Chart.h"
#include "app/models/VirtualListModel.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>

using namespace orvik::display;

namespace orvik::app {

namespace {

// A page sits in its page control's stack.
QTabWidget* pageControlOf(QWidget& page)
{
    auto* stack = qobject_cast<QStackedWidget*>(page.parentWidget());
    return stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
}

void setText(QWidget& w, const QString& text)
{
    if (auto* label = qobject_cast<QLabel*>(&w))
        label->setText(text);
    else if (auto* edit = qobject_cast<QLineEdit*>(&w))
        edit->setText(text);
    else if (auto* memo = qobject_cast<QPlainTextEdit*>(&w))
        memo->setPlainText(text);
    else if (auto* combo = qobject_cast<QComboBox*>(&w))
        combo->setCurrentText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(&w))
        button->setText(text);
}

void setCell(QWidget& w, const GridCell& cell)
{
    auto* grid = qobject_cast<QTableWidget*>(&w);
    if (!grid || cell.col < 0 || cell.row < 0)
        return;
    // A grid grows to take a cell beyond its designed size.
    grid->setColumnCount(std::max(grid->columnCount(), cell.col + 1));
    grid->setRowCount(std::max(grid->rowCount(), cell.row + 1));
    grid->setItem(cell.row, cell.col, new QTableWidgetItem(QString::fromStdString(cell.text)));
}

// A list view's icons are listed by the page that builds it, in its "icons" property.
QIcon iconOf(const QWidget& w, int index)
{
    const QVariantList icons = w.property("icons").toList();
    return index >= 0 && index < icons.size() ? icons.at(index).value<QIcon>() : QIcon();
}

// A list view gets one item an entry, in place of the items it had.
template <class Entry, class MakeItem>
void replaceItems(QWidget& w, const std::vector<Entry>& entries, MakeItem makeItem)
{
    auto* list = qobject_cast<QTreeWidget*>(&w);
    if (!list)
        return;
    list->clear();
    QList<QTreeWidgetItem*> items;
    for (const Entry& entry : entries)
        items.append(makeItem(entry));
    list->addTopLevelItems(items);
}

void setItems(QWidget& w, const std::vector<ListItem>& items)
{
    replaceItems(w, items, [&w](const ListItem& item) {
        auto* row = new QTreeWidgetItem({QString::fromStdString(item.caption)});
        row->setIcon(0, iconOf(w, item.icon));
        return row;
    });
}

void setRows(QWidget& w, const std::vector<ReportRow>& rows)
{
    replaceItems(w, rows, [](const ReportRow& row) { return new QTreeWidgetItem(toQStringList(row)); });
}

// Nodes arrive flattened in tree order with their depths.
void setNodes(QWidget& w, const std::vector<TreeItem>& nodes)
{
    auto* tree = qobject_cast<QTreeWidget*>(&w);
    if (!tree)
        return;
    tree->clear();
    std::vector<QTreeWidgetItem*> path; // the last node seen at each depth
    for (const TreeItem& node : nodes) {
        const size_t depth = std::min(size_t(std::max(node.depth, 0)), path.size());
        path.resize(depth);
        auto* item = new QTreeWidgetItem({QString::fromStdString(node.text)});
        if (path.empty())
            tree->addTopLevelItem(item);
        else
            path.back()->addChild(item);
        path.push_back(item);
    }
    if (!tree->property("keepsNodesCollapsed").toBool())
        tree->expandAll();
}

// A virtual list drops its rows and fetches them again when painted.
void setRowCount(QWidget& w, int count)
{
    if (auto* view = qobject_cast<QAbstractItemView*>(&w))
        if (auto* model = qobject_cast<VirtualListModel*>(view->model()))
            model->setRowCount(count);
}

void setNumber(QWidget& w, Property property, int value)
{
    if (auto* slider = qobject_cast<QAbstractSlider*>(&w))
        property == Property::Position ? slider->setValue(value) : slider->setMaximum(value);
    else if (auto* spin = qobject_cast<QSpinBox*>(&w))
        property == Property::Position ? spin->setValue(value) : spin->setMaximum(value);
}

} // namespace

ComponentApplier::ComponentApplier(QWidget& window)
{
    for (QWidget* w : window.findChildren<QWidget*>())
        if (!w->objectName().isEmpty())
            widgets_.insert(w->objectName(), w);
}

QWidget* ComponentApplier::widget(const std::string& name) const
{
    return widgets_.value(QString::fromStdString(name));
}

void ComponentApplier::apply(const std::vector<Write>& writes)
{
    for (const Write& write : writes)
        if (QWidget* w = widget(write.component))
            apply(*w, write);
    // A tab bar cannot bring a hidden tab forward and moves off a tab when it is
    // hidden: once the tabs are settled, each page control gets its last active page again.
    std::vector<const Write*> lastActive;
    for (auto it = writes.rbegin(); it != writes.rend(); ++it)
        if (it->property == Property::ActivePage &&
            std::none_of(lastActive.begin(), lastActive.end(),
                         [&](const Write* seen) { return seen->component == it->component; }))
            lastActive.push_back(&*it);
    for (auto it = lastActive.rbegin(); it != lastActive.rend(); ++it)
        if (QWidget* w = widget((*it)->component))
            apply(*w, **it);
}

void ComponentApplier::apply(QWidget& w, const Write& write)
{
    const auto text = [&] { return QString::fromStdString(std::get<std::string>(write.value)); };
    switch (write.property) {
    case Property::Text: setText(w, text()); break;
    case Property::Hint: w.setToolTip(text()); break;
    case Property::Enabled: w.setEnabled(std::get<bool>(write.value)); break;
    case Property::Visible: w.setVisible(std::get<bool>(write.value)); break;
    case Property::Checked:
        if (auto* button = qobject_cast<QAbstractButton*>(&w))
            button->setChecked(std::get<bool>(write.value));
        break;
    case Property::ItemIndex:
        if (auto* combo = qobject_cast<QComboBox*>(&w))
            combo->setCurrentIndex(std::get<int>(write.value));
        break;
    case Property::ActivePage:
        if (auto* pages = qobject_cast<QTabWidget*>(&w))
            if (QWidget* page = widget(std::get<std::string>(write.value)))
                pages->setCurrentWidget(page);
        break;
    case Property::TabVisible:
        if (QTabWidget* pages = pageControlOf(w))
            pages->setTabVisible(pages->indexOf(&w), std::get<bool>(write.value));
        break;
    case Property::Position:
    case Property::Maximum: setNumber(w, write.property, std::get<int>(write.value)); break;
    case Property::Cell: setCell(w, std::get<GridCell>(write.value)); break;
    case Property::Items: setItems(w, std::get<std::vector<ListItem>>(write.value)); break;
    case Property::Rows: setRows(w, std::get<std::vector<ReportRow>>(write.value)); break;
    case Property::Nodes: setNodes(w, std::get<std::vector<TreeItem>>(write.value)); break;
    case Property::RowCount: setRowCount(w, std::get<int>(write.value)); break;
    default:
        if (auto* chart = qobject_cast<orvik::widgets::Chart*>(&w)) {
            if (write.property == Property::Title)
                chart->setTitle(text());
            else if (write.property == Property::Series)
                chart->showSeries(std::get<std::vector<ChartSeries>>(write.value));
        }
        break;
    }
}

} // namespace orvik::app
