#pragma once
// "Caption:  value" rows and the group boxes that hold them, as the parameter,
// configuration, sweep and event pages lay them out. Each value label is named as
// the decoders address it and shows its design text ("-" in the groups) until a
// decoder writes it.

#include <initializer_list>
#include <vector>

class QFormLayout;
class QGroupBox;
class QWidget;

namespace orvik::app {

struct LabelRow {
    const char* caption;
    const char* name;                  // the value label's objectName
    const char* captionName = nullptr; // the caption's objectName, where the decoders grey it out
    const char* captionHint = nullptr; // a fixed tooltip of the caption
};

// A row of an event page's value form; the value shows its design text until a decoder writes it.
struct ValueRow {
    const char* caption;
    const char* name; // the value label's objectName
    const char* designText = "-";
};

struct LabelGroup {
    const char* title;
    std::initializer_list<LabelRow> rows;
    const char* name = nullptr; // the group's objectName, where the decoders address the group itself
};

// Parameters and settings are plain texts in a form; readings stand right-aligned
// in a column at least 90 pixels wide beside the captions' column.
enum class Values { Plain, RightAligned };

// A form of captions and right-aligned values that keeps the values beside their captions.
QFormLayout* valueForm(std::initializer_list<ValueRow> rows);

QGroupBox* labelGroup(const LabelGroup& group, Values values = Values::Plain);
// A group box of label groups side by side, as wide as they are.
QGroupBox* groupOfLabelGroups(const char* title, std::initializer_list<LabelGroup> groups);
// Widgets side by side from the top left of `container`, a page or a group box,
// each at its natural size; the rest of the row stays empty.
void layOutSideBySide(QWidget* container, const std::vector<QWidget*>& widgets);
void layOutLabelGroups(QWidget* container, std::initializer_list<LabelGroup> groups, Values values = Values::Plain);

} // namespace orvik::app
