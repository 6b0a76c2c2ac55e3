#pragma once
// The configuration pages a "CSIB(Cfg)" record fills: "Tapping Station" -> "Configuration"
// (TPSTCfgTabSheet), "MS" -> "Configuration" (MSCfgTabSheet), "GC" -> "Configuration" (GCCfgTabSheet).

class QWidget;

void buildTPSTConfigurationPage(QWidget* page);
void buildMSConfigurationPage(QWidget* page);
void buildGCConfigurationPage(QWidget* page);
