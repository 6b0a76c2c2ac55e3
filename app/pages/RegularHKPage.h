#pragma once
// The "Regular HK" page: the half selector, the CSV export button, the housekeeping
// list and the status-word tree.

class QWidget;
namespace orvik::display {
class MainDisplay;
}

namespace orvik::app {

void buildRegularHKPage(QWidget* page, const orvik::display::MainDisplay& display);

} // namespace orvik::app
