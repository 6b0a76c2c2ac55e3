#pragma once
// The main window's named components as the decoders see them. A decoder writes
// texts, tooltips, states, cells, items and series into components by name; a
// component keeps what was last written. Each display also records its writes in
// order, so that the window applies exactly those to its widgets and orvik-dump
// prints them.

#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <variant>
#include <vector>

namespace orvik::display {

struct GridCell {
    int col = 0;
    int row = 0;
    std::string text;
    bool operator==(const GridCell&) const = default;
};

// An item of a list view: its caption and, where it has one, its icon.
struct ListItem {
    std::string caption;
    int icon = -1;
    bool operator==(const ListItem&) const = default;
};

// A node of a tree view, flattened in tree order with its depth (0: top level).
struct TreeItem {
    std::string text;
    int depth = 0;
    bool operator==(const TreeItem&) const = default;
};

using ReportRow = std::vector<std::string>;

struct ChartPoint {
    double x = 0;
    double y = 0;
    bool operator==(const ChartPoint&) const = default;
};

struct ChartSeries {
    std::string title;
    std::vector<ChartPoint> points;
    bool operator==(const ChartSeries&) const = default;
};

enum class Property {
    Text,       // label, edit, memo, combo box: std::string
    Hint,       // tooltip: std::string
    Enabled,    // bool
    Visible,    // bool
    Checked,    // check box: bool
    ItemIndex,  // combo box selection: int (-1: none)
    Position,   // scroll bar, track bar, up-down: int
    Maximum,    // int
    Cell,       // grid: GridCell
    Items,      // list view: std::vector<ListItem>
    Nodes,      // tree view: std::vector<TreeItem>
    Rows,       // report list: std::vector<ReportRow>
    ActivePage, // page control: the objectName of its active page
    TabVisible, // page: bool
    Title,      // chart: std::string
    Series,     // chart: std::vector<ChartSeries>
    RowCount,   // virtual report list: int; its rows are fetched from the display when painted
};

using Value = std::variant<std::string, bool, int, GridCell, std::vector<ListItem>, std::vector<TreeItem>,
                           std::vector<ReportRow>, std::vector<ChartSeries>>;

struct Write {
    std::string component;
    Property property;
    Value value;
};

// What a component holds: the last value written to each of its properties.
class ComponentState {
public:
    const Value* get(Property p) const;
    std::string text(Property p = Property::Text) const;
    std::optional<bool> flag(Property p) const;
    std::optional<int> number(Property p) const;
    // Grid cells by (column, row).
    const std::map<std::pair<int, int>, std::string>& cells() const { return cells_; }

private:
    friend class ComponentModel;
    std::map<Property, Value> values_;
    std::map<std::pair<int, int>, std::string> cells_;
};

class ComponentModel {
public:
    // Starts the record of one display's writes.
    void beginDisplay() { writes_.clear(); }
    const std::vector<Write>& writes() const { return writes_; }

    void set(const std::string& component, Property property, Value value);
    void setText(const std::string& c, std::string text) { set(c, Property::Text, std::move(text)); }
    void setHint(const std::string& c, std::string hint) { set(c, Property::Hint, std::move(hint)); }
    void setEnabled(const std::string& c, bool on) { set(c, Property::Enabled, on); }
    void setVisible(const std::string& c, bool on) { set(c, Property::Visible, on); }
    void setChecked(const std::string& c, bool on) { set(c, Property::Checked, on); }
    void setItemIndex(const std::string& c, int index) { set(c, Property::ItemIndex, index); }
    void setPosition(const std::string& c, int position) { set(c, Property::Position, position); }
    void setCell(const std::string& c, int col, int row, std::string text)
    {
        set(c, Property::Cell, GridCell{col, row, std::move(text)});
    }
    void setActivePage(const std::string& pageControl, const std::string& page)
    {
        set(pageControl, Property::ActivePage, page);
    }
    void setTabVisible(const std::string& page, bool visible) { set(page, Property::TabVisible, visible); }

    // What the user did in the window (a box ticked, a bar scrolled): kept, not recorded as a write.
    void userSet(const std::string& component, Property property, Value value);

    // The component's state, or null when nothing was ever written to it.
    const ComponentState* find(const std::string& component) const;
    std::optional<bool> flag(const std::string& component, Property p) const;
    std::optional<int> number(const std::string& component, Property p) const;

private:
    void store(const std::string& component, Property property, const Value& value);

    std::unordered_map<std::string, ComponentState> components_;
    std::vector<Write> writes_;
};

} // namespace orvik::display
