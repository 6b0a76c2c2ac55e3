#pragma once
// Writes labels from the words of a block: a label's text, and its tooltip where
// it has one, each computed from one word. A word the block does not hold shows
// "-" and empties the tooltip, so that nothing of another packet stays on show.

#include "display/ComponentModel.h"
#include "display/WordFormat.h"
#include "archive/WordView.h"

#include <functional>
#include <string>

namespace orvik::display {

using WordText = std::function<std::string(uint16_t)>;

class LabelWriter {
public:
    LabelWriter(ComponentModel& components, WordView block) : components_(components), block_(block) {}

    void text(const std::string& label, size_t word, const WordText& format) const
    {
        const auto w = block_.word(word);
        components_.setText(label, orDash(w, format));
    }
    void hint(const std::string& label, size_t word, const WordText& format) const
    {
        const auto w = block_.word(word);
        components_.setHint(label, w ? format(*w) : std::string());
    }
    void textAndHint(const std::string& label, size_t word, const WordText& format, const WordText& hintFormat) const
    {
        text(label, word, format);
        hint(label, word, hintFormat);
    }

private:
    ComponentModel& components_;
    WordView block_;
};

} // namespace orvik::display
