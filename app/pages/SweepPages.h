#pragma once
// The "HK Sweep" pages of "MS" and "GC" (the ADC multiplexer readings) and the
// "Public HK" page of "CSIB", whose cold-part label the GC sweep fills.

class QTabWidget;

namespace orvik::app {

void buildSweepPages(QTabWidget& mainPages);

} // namespace orvik::app
