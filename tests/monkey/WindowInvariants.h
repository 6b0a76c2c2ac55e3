#pragma once
// What must hold in the main window after every user action: the status texts and
// the caption are the document's, the time list and the tree have the sizes of the
// document (or of the search in the field), and the page in front of PageControl1 is
// the one the dispatcher brings forward for the node on show, unless the user chose
// a page himself since.

#include "archive/NodeFilter.h"
#include "display/MainDisplay.h"

#include <optional>
#include <string>
#include <vector>

namespace orvik::app {
class TForm1;
}

namespace orvik::monkey {

class WindowInvariants {
public:
    // The user turned PageControl1's pages: any page may be in front until a node is chosen.
    void pageChosenByUser(const std::string& pageInFront);
    // The user chose a node in the tree or the time list.
    void nodeChosenByUser() { pageChosen_ = false; }
    // The window is new: nothing was chosen in it.
    void windowCreated();

    // What does not hold, one line each; empty when all is well. Expects the search to have settled.
    std::vector<std::string> check(const app::TForm1& window);

private:
    // The page of PageControl1 the dispatcher brings forward for `node`; empty for none.
    std::string pageBroughtForward(const CategoryTree& tree, NodeId node);
    // The filter of the search field's needle, computed again when the needle or the document changed.
    const NodeFilter* expectedFilter(const app::TForm1& window);
    void checkPages(const app::TForm1& window, std::vector<std::string>& failures);
    void checkSizes(const app::TForm1& window, std::vector<std::string>& failures);

    display::MainDisplay dispatcher_;
    bool pageChosen_ = false;
    bool rawChosen_ = false;
    struct FilterKey {
        std::string needle, caption;
        size_t nodes = 0, entries = 0;
        bool operator==(const FilterKey&) const = default;
    };
    std::optional<FilterKey> filterKey_;
    std::optional<NodeFilter> filter_;
};

} // namespace orvik::monkey
