#include "tools/dump/ShowPrinter.h"

#include "display/WordFormat.h"

#include <cstdio>
#include <set>
#include <sstream>
#include <string>

namespace orvik::dump {

using namespace orvik::display;

namespace {

// Line breaks inside a text are written as "\n" so that a property stays on one line.
std::string oneLine(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += "\\n";
        else if (c != '\r')
            out += c;
    }
    return out;
}

std::string number(double v)
{
    return display::generalDigits(v, 9);
}

const char* flagText(bool b) { return b ? "true" : "false"; }

class WritePrinter {
public:
    WritePrinter(const std::string& name, bool withPoints, const RowSource& rows, std::ostream& out)
        : name_(name), withPoints_(withPoints), rows_(rows), out_(out)
    {
    }

    void print(Property property, const Value& value)
    {
        switch (property) {
        case Property::Text: line("", oneLine(std::get<std::string>(value))); break;
        case Property::Hint: line(".hint", oneLine(std::get<std::string>(value))); break;
        case Property::Enabled: line(".enabled", flagText(std::get<bool>(value))); break;
        case Property::Visible: line(".visible", flagText(std::get<bool>(value))); break;
        case Property::Checked: line(".checked", flagText(std::get<bool>(value))); break;
        case Property::ItemIndex: line(".itemIndex", std::to_string(std::get<int>(value))); break;
        case Property::Position: line(".position", std::to_string(std::get<int>(value))); break;
        case Property::Maximum: line(".max", std::to_string(std::get<int>(value))); break;
        case Property::Cell: {
            const auto& cell = std::get<GridCell>(value);
            std::ostringstream key;
            key << '[' << cell.col << ',' << cell.row << ']';
            line(key.str(), oneLine(cell.text));
            break;
        }
        case Property::Items:
            for (const ListItem& item : std::get<std::vector<ListItem>>(value)) {
                std::ostringstream text;
                text << oneLine(item.caption);
                if (item.icon >= 0)
                    text << '\t' << item.icon;
                line(".item", text.str());
            }
            break;
        case Property::Nodes:
            for (const TreeItem& node : std::get<std::vector<TreeItem>>(value))
                line(".node", std::string(size_t(2 * node.depth), ' ') + oneLine(node.text));
            break;
        case Property::Rows:
            for (const ReportRow& row : std::get<std::vector<ReportRow>>(value))
                reportRow(row);
            break;
        case Property::RowCount:
            if (!rows_) {
                line(".rowCount", std::to_string(std::get<int>(value)));
                break;
            }
            for (int row = 0; row < std::get<int>(value); ++row)
                reportRow(rows_(name_, size_t(row)));
            break;
        case Property::ActivePage: line(".active", std::get<std::string>(value)); break;
        case Property::TabVisible: line(".tabVisible", flagText(std::get<bool>(value))); break;
        case Property::Title: line(".title", oneLine(std::get<std::string>(value))); break;
        case Property::Series: series(std::get<std::vector<ChartSeries>>(value)); break;
        }
    }

private:
    void line(const std::string& key, const std::string& value) { out_ << name_ << key << '\t' << value << '\n'; }

    void reportRow(const ReportRow& row)
    {
        std::ostringstream columns;
        for (size_t c = 0; c < row.size(); ++c)
            columns << (c ? "\t" : "") << oneLine(row[c]);
        line(".row", columns.str());
    }

    void series(const std::vector<ChartSeries>& all)
    {
        for (const ChartSeries& s : all)
            line(".series", oneLine(s.title) + '\t' + std::to_string(s.points.size()));
        if (!withPoints_)
            return;
        for (const ChartSeries& s : all)
            for (const ChartPoint& p : s.points)
                line(".point", oneLine(s.title) + '\t' + number(p.x) + '\t' + number(p.y));
    }

    const std::string& name_;
    bool withPoints_;
    const RowSource& rows_;
    std::ostream& out_;
};

} // namespace

void printWrites(const std::vector<Write>& writes, bool withPoints, std::ostream& out, const RowSource& rows)
{
    // A row count written again before the list is painted replaces the earlier one.
    std::vector<bool> superseded(writes.size(), false);
    std::set<std::string> counted;
    for (size_t i = writes.size(); i-- > 0;)
        if (writes[i].property == Property::RowCount && !counted.insert(writes[i].component).second)
            superseded[i] = true;
    std::vector<bool> printed(writes.size(), false);
    for (size_t first = 0; first < writes.size(); ++first) {
        if (printed[first])
            continue;
        WritePrinter printer(writes[first].component, withPoints, rows, out);
        for (size_t i = first; i < writes.size(); ++i) {
            if (!printed[i] && writes[i].component == writes[first].component) {
                if (!superseded[i])
                    printer.print(writes[i].property, writes[i].value);
                printed[i] = true;
            }
        }
    }
}

} // namespace orvik::dump
