#pragma once
// The pages on the right of the main window: PageControl1 and the page controls
// inside its pages, each page named as the decoders address it.

class QTabWidget;
class QWidget;
namespace orvik::display {
class MainDisplay;
}

namespace orvik::app {

// The virtual list views fetch their rows from `display`.
QTabWidget* buildMainPages(QWidget* parent, const orvik::display::MainDisplay& display);

} // namespace orvik::app
