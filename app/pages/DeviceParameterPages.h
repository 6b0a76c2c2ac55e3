#pragma once
// The sub-pages of "CSIB" -> "Device Parameter": "Tapping Station && Oven" (TabSheet1),
// "GC" (TabSheet2) and "MS" (TabSheet3).

class QWidget;

namespace orvik::app {

void buildTpstOvenParameterPage(QWidget* page);
void buildGCParameterPage(QWidget* page);
void buildMSParameterPage(QWidget* page);

} // namespace orvik::app
