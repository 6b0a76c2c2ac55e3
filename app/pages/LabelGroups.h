#pragma once
// Group boxes of "Caption:  value" rows, as the parameter and configuration pages
// lay them out. Each value label is named as the decoders address it and shows
// "-" until a decoder writes it.

#include <initializer_list>

class QGroupBox;
class QString;

namespace orvik::app {

struct LabelRow {
    const char* caption;
    const char* name;                  // the value label's objectName
    const char* captionName = nullptr; // the caption's objectName, where the decoders grey it out
    const char* captionHint = nullptr; // a fixed tooltip of the caption
};

// groupName: the group's objectName, where the decoders address the group itself.
QGroupBox* labelGroup(const QString& title, std::initializer_list<LabelRow> rows, const char* groupName = nullptr);

} // namespace orvik::app
