#pragma once
// Puts what a display wrote into the component model onto the window's widgets,
// found by their objectName.

#include "display/ComponentModel.h"

#include <QHash>
#include <QString>

class QWidget;

namespace orvik::app {

class ComponentApplier {
public:
    // Indexes every named widget below `window`.
    explicit ComponentApplier(QWidget& window);

    void apply(const std::vector<orvik::display::Write>& writes);
    // The widget of that name, or null.
    QWidget* widget(const std::string& name) const;

private:
    void apply(QWidget& widget, const orvik::display::Write& write);

    QHash<QString, QWidget*> widgets_;
};

} // namespace orvik::app
