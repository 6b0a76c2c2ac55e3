#pragma once
// The "InternalHK" page of "CSIB": the regular and the internal housekeeping words of the block on show.

class QWidget;
namespace orvik::display {
class MainDisplay;
}

namespace orvik::app {

void buildInternalHKPage(QWidget* page, const orvik::display::MainDisplay& display);

} // namespace orvik::app
