#pragma once
// Runs one decoder on a block of words and reads back what it wrote.

#include "display/ComponentModel.h"

#include "tests/archive/ArchiveBuilder.h"

#include <functional>

namespace orvik::test {

class DecoderTest : public ::testing::Test {
protected:
    using Decoder = std::function<void(display::ComponentModel&, WordView)>;

    // Decodes `words` (kept alive for the test) with a fresh record of writes.
    void decode(const Decoder& decoder, const Words& words)
    {
        bytes_ = le(words);
        components.beginDisplay();
        decoder(components, WordView(bytes_.data(), bytes_.size()));
    }
    std::string text(const std::string& name) const
    {
        const auto* state = components.find(name);
        return state ? state->text() : "(never written)";
    }
    std::string hint(const std::string& name) const
    {
        const auto* state = components.find(name);
        return state ? state->text(display::Property::Hint) : "(never written)";
    }
    std::optional<bool> enabled(const std::string& name) const
    {
        return components.flag(name, display::Property::Enabled);
    }
    std::string cell(int col, int row) const
    {
        const auto* grid = components.find("StringGrid1");
        if (!grid)
            return "(never written)";
        const auto it = grid->cells().find({col, row});
        return it == grid->cells().end() ? "(never written)" : it->second;
    }

    display::ComponentModel components;

private:
    Bytes bytes_;
};

} // namespace orvik::test
