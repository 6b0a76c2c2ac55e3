#include "tests/monkey/Monkey.h"

#include "app/Unit1.h"
#include "app/models/NodeSearch.h"
#include "display/widgets/TrendForm.h"
#include "tceditor/Tceditor.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCheckBox>
#include <QDropEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QThread>
#include <QTreeView>
#include <QTreeWidget>
#include <QUrl>

#include <algorithm>

namespace orvik::monkey {

namespace {
constexpr size_t recentKept = 40;

template <typename T>
T* named(QObject& parent, const char* name)
{
    return parent.findChild<T*>(QString::fromLatin1(name));
}

// The controls of type T below `parent` that a user can reach: shown and enabled.
template <typename T>
std::vector<T*> reachable(QWidget& parent)
{
    std::vector<T*> found;
    for (T* widget : parent.findChildren<T*>())
        if (widget->isVisible() && widget->isEnabled())
            found.push_back(widget);
    return found;
}

template <typename T>
T* pick(Random& random, const std::vector<T*>& from)
{
    return from.empty() ? nullptr : from[random.below(from.size())];
}

std::string nameOf(const QObject& object)
{
    const QString name = object.objectName();
    return name.isEmpty() ? std::string(object.metaObject()->className()) : name.toStdString();
}

std::string textOf(const QString& text)
{
    return '"' + text.toStdString() + '"';
}
} // namespace

const Monkey::Action Monkey::actions_[] = {
    {"tree", 14, &Monkey::chooseTreeNode},
    {"tree-group", 4, &Monkey::toggleTreeGroup},
    {"time-list", 14, &Monkey::chooseTimeEntry},
    {"navigation-key", 8, &Monkey::navigationKey},
    {"navigation-tab", 3, &Monkey::navigationTab},
    {"menu", 8, &Monkey::menuItem},
    {"check-box", 5, &Monkey::checkBox},
    {"half-selector", 3, &Monkey::halfSelector},
    {"scroll-bar", 6, &Monkey::scrollBar},
    {"test-result", 3, &Monkey::testResult},
    {"search", 6, &Monkey::search},
    {"trend-window", 3, &Monkey::trendWindow},
    {"tc-editor", 3, &Monkey::tcEditor},
    {"other-window", 3, &Monkey::otherWindow},
    {"resize", 2, &Monkey::resizeWindow},
    {"open", 2, &Monkey::openNext},
    {"pages", 5, &Monkey::turnPages},
};

Monkey::Monkey(const MonkeyOptions& options, QStringList archives, const QString& scratchFolder)
    : options_(options), archives_(std::move(archives)), random_(options.seed),
      answerer_(random_, [this] { return nextArchive(); }, scratchFolder)
{
    createWindow();
}

Monkey::~Monkey() = default;

void Monkey::createWindow()
{
    window_.reset(); // the old window saves its placement first, as on a restart of the program
    window_ = std::make_unique<app::TForm1>();
    QStringList arguments{"orvik-egse"};
    if (options_.tcEditor)
        arguments << "--tc-editor";
    window_->startUp(arguments);
    window_->show();
    search_ = nullptr;
    for (QObject* child : window_->children())
        if (auto* search = dynamic_cast<app::NodeSearch*>(child))
            search_ = search;
    invariants_.windowCreated();
    settle();
}

void Monkey::settle()
{
    QApplication::processEvents();
    while (search_ && search_->running())
        QThread::yieldCurrentThread();
    QApplication::processEvents(); // the search's result is handed over by an event
}

QString Monkey::nextArchive()
{
    return archives_[qsizetype(nextArchive_++ % size_t(archives_.size()))];
}

bool Monkey::run(std::ostream& out)
{
    int total = 0;
    for (const Action& action : actions_)
        total += action.weight;
    for (uint64_t done = 0; done < options_.actions; ++done) {
        int roll = int(random_.below(size_t(total)));
        const Action* action = actions_;
        while (roll >= action->weight)
            roll -= (action++)->weight;
        std::string line = "#" + std::to_string(done) + " " + action->name;
        if (options_.trace) // before the action: a crash in it still names it
            out << line << std::endl;
        line += ": " + (this->*action->act)();
        settle();
        for (const std::string& answer : answerer_.takeAnswers())
            line += " [" + answer + "]";
        if (window_->currentNode() != noNode)
            line += " -> node " + std::to_string(window_->currentNode());
        ++counts_[action->name];
        if (options_.trace)
            out << "  " << line << std::endl;
        recent_.push_back(line);
        if (recent_.size() > recentKept)
            recent_.pop_front();
        if (!window_->isVisible()) // "Exit" closed it: the program starts again
            createWindow();
        const std::vector<std::string> failures = invariants_.check(*window_);
        if (failures.empty())
            continue;
        out << "FINDING at action " << done << " of seed " << options_.seed << '\n';
        for (const std::string& failure : failures)
            out << "  " << failure << '\n';
        out << "the last actions:\n";
        for (const std::string& recent : recent_)
            out << "  " << recent << '\n';
        out << "replay: orvik-monkey --seed " << options_.seed << " --actions " << done + 1
            << (options_.tcEditor ? " --tc-editor" : "") << " --trace\n";
        return false;
    }
    return true;
}

void Monkey::activateWindow()
{
    window_->activateWindow();
    QApplication::processEvents();
}

std::string Monkey::bringNavigationForward(int tab)
{
    auto* navigation = named<QTabWidget>(*window_, "PageControl4");
    if (navigation->currentIndex() == tab)
        return {};
    navigation->tabBar()->setCurrentIndex(tab);
    return "tab " + navigation->tabText(tab).toStdString() + ", ";
}

std::string Monkey::clickIndex(QAbstractItemView& view, const QModelIndex& index)
{
    view.scrollTo(index);
    QApplication::processEvents();
    const QRect rect = view.visualRect(index);
    const std::string what = textOf(index.data().toString());
    if (!rect.isValid() || !view.viewport()->rect().contains(rect.center())) {
        // Out of reach of the mouse in a small window: chosen as by the keyboard.
        if (index != view.currentIndex())
            invariants_.nodeChosenByUser();
        view.setCurrentIndex(index);
        return "chose " + what;
    }
    invariants_.nodeChosenByUser(); // a click shows the node, also the one already chosen
    if (random_.chance(10)) {
        // As the mouse sends it: a click, then the second press as a double click, and its release.
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, rect.center());
        return "double-clicked " + what;
    }
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, rect.center());
    return "clicked " + what;
}

std::string Monkey::chooseTreeNode()
{
    std::string line = bringNavigationForward(0);
    auto* view = named<QTreeView>(*window_, "TreeView1");
    const QAbstractItemModel& model = *view->model();
    QModelIndex index;
    for (;;) {
        const int rows = model.rowCount(index);
        if (rows == 0)
            break;
        const QModelIndex child = model.index(int(random_.below(size_t(rows))), 0, index);
        line += std::to_string(child.row()) + "/";
        index = child;
        if (!model.hasChildren(index) || random_.chance(30))
            break;
        view->expand(index);
    }
    if (!index.isValid())
        return line + "empty tree";
    return line + clickIndex(*view, index);
}

std::string Monkey::toggleTreeGroup()
{
    auto* view = named<QTreeView>(*window_, "TreeView1");
    if (random_.chance(10)) {
        view->collapseAll();
        return "collapsed all";
    }
    QModelIndex group = view->currentIndex().parent();
    if (!group.isValid() || random_.chance(50)) {
        const int rows = view->model()->rowCount();
        if (rows == 0)
            return "empty tree";
        group = view->model()->index(int(random_.below(size_t(rows))), 0);
    }
    const bool open = !view->isExpanded(group);
    view->setExpanded(group, open);
    return (open ? "opened " : "closed ") + textOf(group.data().toString());
}

std::string Monkey::chooseTimeEntry()
{
    std::string line = bringNavigationForward(1);
    auto* view = named<QAbstractItemView>(*window_, "ListBox1");
    const int rows = view->model()->rowCount();
    if (rows == 0)
        return line + "empty list";
    int row = 0;
    switch (random_.below(4)) {
    case 0: row = rows - 1; break;
    case 1: row = std::clamp(view->currentIndex().row() + random_.between(-3, 3), 0, rows - 1); break;
    default: row = int(random_.below(size_t(rows)));
    }
    return line + "row " + std::to_string(row) + " " + clickIndex(*view, view->model()->index(row, 0));
}

std::string Monkey::navigationKey()
{
    static const struct {
        Qt::Key key;
        const char* name;
    } keys[] = {{Qt::Key_Down, "Down"}, {Qt::Key_Up, "Up"},       {Qt::Key_PageDown, "PgDown"},
                {Qt::Key_PageUp, "PgUp"}, {Qt::Key_Home, "Home"},  {Qt::Key_End, "End"},
                {Qt::Key_Right, "Right"}, {Qt::Key_Left, "Left"}, {Qt::Key_Return, "Return"}};
    const bool tree = named<QTabWidget>(*window_, "PageControl4")->currentIndex() == 0;
    QAbstractItemView* view = tree ? static_cast<QAbstractItemView*>(named<QTreeView>(*window_, "TreeView1"))
                                   : named<QAbstractItemView>(*window_, "ListBox1");
    const auto& key = keys[random_.below(std::size(keys))];
    activateWindow();
    view->setFocus();
    const QModelIndex before = view->currentIndex();
    QTest::keyClick(view, key.key);
    // A key that moves to another line shows its node; one that goes nowhere shows nothing.
    if (view->currentIndex() != before)
        invariants_.nodeChosenByUser();
    return std::string(key.name) + (tree ? " in the tree" : " in the time list");
}

std::string Monkey::navigationTab()
{
    const int tab = int(random_.below(2));
    const std::string line = bringNavigationForward(tab);
    return line.empty() ? "tab already in front" : line;
}

std::string Monkey::menuItem()
{
    // Every menu of the window: the menu bar's, the pop-up menus and their submenus.
    std::vector<std::pair<QMenu*, QAction*>> items;
    std::vector<QAction*> barItems;
    for (QMenu* menu : window_->findChildren<QMenu*>())
        for (QAction* action : menu->actions())
            if (!action->isSeparator() && !action->menu())
                items.emplace_back(menu, action);
    for (QAction* action : window_->menuBar()->actions())
        if (!action->menu())
            barItems.push_back(action);
    const size_t choice = random_.below(items.size() + barItems.size());
    if (choice >= items.size()) {
        QAction* action = barItems[choice - items.size()];
        if (!action->isEnabled())
            return nameOf(*action) + " is disabled";
        action->trigger();
        return "menu bar " + nameOf(*action);
    }
    auto [menu, action] = items[choice];
    // As a user: the menu opens (which updates its items), the item is clicked, the menu closes.
    menu->popup(window_->mapToGlobal(QPoint(40, 40)));
    QApplication::processEvents();
    const bool enabled = action->isEnabled();
    menu->hide();
    const std::string line = nameOf(*menu) + " > " + nameOf(*action);
    if (!enabled)
        return line + " (disabled)";
    action->trigger();
    return line;
}

std::string Monkey::checkBox()
{
    QCheckBox* box = pick(random_, reachable<QCheckBox>(*window_));
    if (!box)
        return "none in view";
    box->click();
    return nameOf(*box) + (box->isChecked() ? " on" : " off");
}

std::string Monkey::halfSelector()
{
    auto* half = named<QComboBox>(*window_, "HKPacketHalf");
    if (!half->isVisible())
        return "hidden";
    const int index = int(random_.below(size_t(half->count())));
    half->setCurrentIndex(index);
    emit half->activated(index);
    return "half " + std::to_string(index);
}

std::string Monkey::scrollBar()
{
    QScrollBar* bar = pick(random_, reachable<QScrollBar>(*window_));
    if (!bar)
        return "none in view";
    static const QAbstractSlider::SliderAction moves[] = {
        QAbstractSlider::SliderSingleStepAdd, QAbstractSlider::SliderSingleStepSub,
        QAbstractSlider::SliderPageStepAdd,   QAbstractSlider::SliderPageStepSub,
        QAbstractSlider::SliderToMinimum,     QAbstractSlider::SliderToMaximum};
    const QAbstractSlider::SliderAction move = moves[random_.below(std::size(moves))];
    bar->triggerAction(move);
    return nameOf(*bar) + " move " + std::to_string(int(move)) + " to " + std::to_string(bar->value());
}

std::string Monkey::testResult()
{
    auto* units = named<QTreeWidget>(*window_, "testresultListView1");
    std::vector<QTreeWidgetItem*> items;
    for (QTreeWidgetItemIterator it(units); *it; ++it)
        items.push_back(*it);
    QTreeWidgetItem* item = pick(random_, items);
    if (!item)
        return "empty list";
    units->setCurrentItem(item);
    return "unit " + textOf(item->text(0));
}

std::string Monkey::search()
{
    auto* field = named<QLineEdit>(*window_, "SearchEdit");
    activateWindow();
    field->setFocus();
    switch (random_.below(5)) {
    case 0:
        QTest::keyClick(field, Qt::Key_Escape);
        return "Escape";
    case 1:
        QTest::keyClick(field, Qt::Key_Backspace);
        return "Backspace, " + textOf(field->text());
    case 2: {
        // A piece of a node's text: a search that finds something.
        const ArchiveDocument& doc = window_->document();
        if (doc.timeListNodes().size() == 0)
            break;
        const std::string text = doc.tree().text(doc.timeListNodes()[random_.below(doc.timeListNodes().size())]);
        if (text.empty())
            break;
        const size_t from = random_.below(text.size());
        const QString needle = QString::fromStdString(text.substr(from, 1 + random_.below(6)));
        field->clear();
        QTest::keyClicks(field, needle);
        return "typed " + textOf(needle);
    }
    default:
        break;
    }
    static const char alphabet[] = "aeiouHKMSGCTP0123456789 :.-/()%*?\\";
    QString typed;
    for (size_t n = 1 + random_.below(4); n > 0; --n)
        typed += QChar(alphabet[random_.below(sizeof alphabet - 1)]);
    QTest::keyClicks(field, typed);
    if (random_.chance(10)) { // beyond ASCII, as an input method enters it
        const QChar accented(0x00E9 + int(random_.below(20)));
        field->insert(accented);
        typed += accented;
    }
    return "typed " + textOf(typed) + ", " + textOf(field->text());
}

std::string Monkey::showOrPoke(QWidget& shown, const char* action)
{
    if (!shown.isVisible()) {
        QAction* show = named<QAction>(*window_, action);
        if (!show->isEnabled())
            return "disabled";
        show->trigger();
        return "shown";
    }
    if (random_.chance(10)) {
        shown.close();
        return "closed";
    }
    return pokeControlIn(shown);
}

std::string Monkey::trendWindow()
{
    return showOrPoke(window_->trendWindow(), "Housekeepingtrend1");
}

std::string Monkey::tcEditor()
{
    return showOrPoke(window_->tcEditor(), "TCEditor1");
}

std::string Monkey::otherWindow()
{
    // The windows the main window opened besides the trend window and the editor: charts, dumps, reports.
    std::vector<QWidget*> windows;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->isVisible() && top != window_.get() && top != &window_->trendWindow() &&
            top != &window_->tcEditor() && !qobject_cast<QMenu*>(top))
            windows.push_back(top);
    QWidget* other = pick(random_, windows);
    if (!other)
        return "none open";
    if (random_.chance(20)) {
        other->close();
        return "closed " + nameOf(*other);
    }
    return nameOf(*other) + ": " + pokeControlIn(*other);
}

std::string Monkey::resizeWindow()
{
    const int width = random_.between(200, 1800), height = random_.between(150, 1200);
    window_->resize(width, height);
    return std::to_string(width) + "x" + std::to_string(height);
}

std::string Monkey::openNext()
{
    const QString file = nextArchive();
    switch (random_.below(3)) {
    case 0: {
        // Dropped from a file manager.
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(file)});
        QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(window_.get(), &drop);
        return "dropped " + file.toStdString();
    }
    case 1:
        --nextArchive_; // the open dialog is given the same file
        named<QAction>(*window_, "Open1")->trigger();
        return "Open... " + file.toStdString();
    default:
        window_->currentFileName = file;
        window_->openArchive(false);
        return "named " + file.toStdString();
    }
}

void Monkey::pagesTurned()
{
    invariants_.pageChosenByUser(named<QTabWidget>(*window_, "PageControl1")->currentWidget()->objectName().toStdString());
}

std::string Monkey::turnPages()
{
    if (random_.chance(50)) {
        static const QKeyCombination keys[] = {Qt::CTRL | Qt::Key_Tab, Qt::CTRL | Qt::SHIFT | Qt::Key_Tab,
                                               Qt::CTRL | Qt::Key_PageDown, Qt::CTRL | Qt::Key_PageUp};
        const QKeyCombination key = keys[random_.below(std::size(keys))];
        activateWindow();
        QWidget* focus = QApplication::focusWidget();
        QTest::keySequence(focus && focus->window() == window_.get() ? focus : window_.get(), QKeySequence(key));
        pagesTurned();
        return "key " + QKeySequence(key).toString().toStdString();
    }
    // A click on a tab of any page control in view.
    QTabWidget* pages = pick(random_, reachable<QTabWidget>(*window_));
    if (!pages || pages->count() == 0)
        return "no pages in view";
    const int tab = int(random_.below(size_t(pages->count())));
    if (!pages->isTabVisible(tab) || !pages->isTabEnabled(tab))
        return nameOf(*pages) + " tab " + std::to_string(tab) + " not shown";
    pages->tabBar()->setCurrentIndex(tab);
    if (pages->objectName() == "PageControl1")
        pagesTurned();
    return nameOf(*pages) + " tab " + textOf(pages->tabText(tab));
}

std::string Monkey::pokeControlIn(QWidget& window)
{
    std::vector<QWidget*> controls;
    for (QWidget* widget : reachable<QWidget>(window))
        if (qobject_cast<QAbstractButton*>(widget) || qobject_cast<QComboBox*>(widget) ||
            qobject_cast<QAbstractSpinBox*>(widget) || qobject_cast<QLineEdit*>(widget) ||
            qobject_cast<QAbstractSlider*>(widget) || qobject_cast<QTabBar*>(widget) ||
            qobject_cast<QAbstractItemView*>(widget))
            controls.push_back(widget);
    QWidget* control = pick(random_, controls);
    if (!control)
        return "no control";
    const std::string name = nameOf(*control);
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        button->click();
        return "clicked " + name + " " + textOf(button->text());
    }
    if (auto* combo = qobject_cast<QComboBox*>(control)) {
        if (combo->count() == 0)
            return name + " empty";
        const int index = int(random_.below(size_t(combo->count())));
        combo->setCurrentIndex(index);
        emit combo->activated(index);
        return name + " item " + std::to_string(index);
    }
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(control)) {
        const int steps = random_.between(-20, 20);
        spin->stepBy(steps);
        emit spin->editingFinished();
        return name + " by " + std::to_string(steps);
    }
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        static const char* const texts[] = {"", "0", "-1", "65535", "99999999999", "3.5", "abc", "0x1F", " "};
        const char* text = texts[random_.below(std::size(texts))];
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
        return name + " typed \"" + text + "\"";
    }
    if (auto* slider = qobject_cast<QAbstractSlider*>(control)) {
        slider->triggerAction(random_.chance(50) ? QAbstractSlider::SliderPageStepAdd
                                                 : QAbstractSlider::SliderPageStepSub);
        return name + " at " + std::to_string(slider->value());
    }
    if (auto* tabs = qobject_cast<QTabBar*>(control)) {
        const int tab = int(random_.below(size_t(std::max(tabs->count(), 1))));
        tabs->setCurrentIndex(tab);
        return name + " tab " + std::to_string(tab);
    }
    auto* view = qobject_cast<QAbstractItemView*>(control);
    const int rows = view->model() ? view->model()->rowCount() : 0;
    if (rows == 0)
        return name + " empty";
    const QModelIndex index = view->model()->index(int(random_.below(size_t(rows))), 0);
    view->setCurrentIndex(index);
    return name + " row " + std::to_string(index.row());
}

} // namespace orvik::monkey
