#include "display/ComponentModel.h"

namespace orvik::display {

const Value* ComponentState::get(Property p) const
{
    const auto it = values_.find(p);
    return it == values_.end() ? nullptr : &it->second;
}

std::string ComponentState::text(Property p) const
{
    const Value* v = get(p);
    const auto* s = v ? std::get_if<std::string>(v) : nullptr;
    return s ? *s : std::string();
}

std::optional<bool> ComponentState::flag(Property p) const
{
    const Value* v = get(p);
    const auto* b = v ? std::get_if<bool>(v) : nullptr;
    return b ? std::optional<bool>(*b) : std::nullopt;
}

std::optional<int> ComponentState::number(Property p) const
{
    const Value* v = get(p);
    const auto* n = v ? std::get_if<int>(v) : nullptr;
    return n ? std::optional<int>(*n) : std::nullopt;
}

void ComponentModel::store(const std::string& component, Property property, const Value& value)
{
    ComponentState& state = components_[component];
    if (const auto* cell = std::get_if<GridCell>(&value))
        state.cells_[{cell->col, cell->row}] = cell->text;
    else
        state.values_[property] = value;
}

void ComponentModel::set(const std::string& component, Property property, Value value)
{
    store(component, property, value);
    writes_.push_back({component, property, std::move(value)});
}

void ComponentModel::userSet(const std::string& component, Property property, Value value)
{
    store(component, property, value);
}

const ComponentState* ComponentModel::find(const std::string& component) const
{
    const auto it = components_.find(component);
    return it == components_.end() ? nullptr : &it->second;
}

std::optional<bool> ComponentModel::flag(const std::string& component, Property p) const
{
    const ComponentState* s = find(component);
    return s ? s->flag(p) : std::nullopt;
}

std::optional<int> ComponentModel::number(const std::string& component, Property p) const
{
    const ComponentState* s = find(component);
    return s ? s->number(p) : std::nullopt;
}

} // namespace orvik::display
