#pragma once
// The monkey: from a seed, random user actions on the real main window, each
// followed by the window's invariants. The same seed and options give the same
// actions, so a failing run replays with --trace.

#include "tests/monkey/ModalAnswerer.h"
#include "tests/monkey/Random.h"
#include "tests/monkey/WindowInvariants.h"

#include <QStringList>

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <ostream>
#include <string>

class QAbstractItemView;
class QModelIndex;
class QWidget;

namespace orvik::app {
class NodeSearch;
class TForm1;
} // namespace orvik::app

namespace orvik::monkey {

struct MonkeyOptions {
    uint64_t seed = 1;
    uint64_t actions = 1000;
    bool tcEditor = false; // the window is started with --tc-editor
    bool trace = false;    // every action is printed as it is done
};

class Monkey {
public:
    // `archives`: the files the monkey opens in turn; saved files go to `scratchFolder`.
    Monkey(const MonkeyOptions& options, QStringList archives, const QString& scratchFolder);
    ~Monkey();

    // Runs the actions; false at the first finding, which is printed with the actions before it.
    bool run(std::ostream& out);
    // How often each action was done.
    const std::map<std::string, uint64_t>& counts() const { return counts_; }

private:
    struct Action {
        const char* name;
        int weight;
        std::string (Monkey::*act)();
    };
    static const Action actions_[];

    void createWindow();
    // Lets the window finish what the action started: events, and the search of the field.
    void settle();
    QString nextArchive();

    std::string chooseTreeNode();
    std::string toggleTreeGroup();
    std::string chooseTimeEntry();
    std::string navigationKey();
    std::string navigationTab();
    std::string menuItem();
    std::string checkBox();
    std::string halfSelector();
    std::string scrollBar();
    std::string testResult();
    std::string search();
    std::string trendWindow();
    std::string tcEditor();
    std::string otherWindow();
    std::string resizeWindow();
    std::string openNext();
    std::string turnPages();

    std::string clickIndex(QAbstractItemView& view, const QModelIndex& index);
    std::string bringNavigationForward(int tab);
    // The user turns to the main window (after another window took the keyboard): its shortcuts work.
    void activateWindow();
    // A random action on a random control of `window`: a button, a combo box, a spin box, an edit, a slider, tabs, a list.
    std::string pokeControlIn(QWidget& window);
    // Shows the window by the menu item `action`, closes it, or acts in it.
    std::string showOrPoke(QWidget& shown, const char* action);
    // Remembers the page PageControl1 shows when the user turned its pages.
    void pagesTurned();

    MonkeyOptions options_;
    QStringList archives_;
    size_t nextArchive_ = 0;
    Random random_;
    ModalAnswerer answerer_;
    WindowInvariants invariants_;
    std::unique_ptr<app::TForm1> window_;
    app::NodeSearch* search_ = nullptr;
    std::map<std::string, uint64_t> counts_;
    // The last actions, for the report of a finding.
    std::deque<std::string> recent_;
};

} // namespace orvik::monkey
