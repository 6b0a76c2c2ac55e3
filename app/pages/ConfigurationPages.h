#pragma once
// The configuration pages a "CSIB(Cfg)" record fills: "Tapping Station" -> "Configuration"
// (TPSTCfgTabSheet), "MS" -> "Configuration" (MSCfgTabSheet), "GC" -> "Configuration" (GCCfgTabSheet).

class QWidget;

namespace orvik::app {

void buildTPSTConfigurationPage(QWidget* page);
void buildMSConfigurationPage(QWidget* page);
void buildGCConfigurationPage(QWidget* page);

} // namespace orvik::app
