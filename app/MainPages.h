#pragma once
// The pages on the right of the main window: PageControl1 and the page controls
// inside its pages, each page named as the decoders address it.

class QTabWidget;
class QWidget;

QTabWidget* buildMainPages(QWidget* parent);
