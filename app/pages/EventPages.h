#pragma once
// The pages that show instrument events and memory dumps, each built into its
// page of the main window with the components the decoders write into.

class QWidget;

namespace orvik::app {

void buildErrorMessagePage(QWidget* page);
void buildTestResultPage(QWidget* page);
void buildTpstReportPage(QWidget* page);
void buildExecutionReportPage(QWidget* page);
void buildTelecommandPage(QWidget* page);
void buildMemoryDumpPage(QWidget* page);
// MemDumpPopupMenu, the pop-up menu of the memos that show words (below `pages`).
void attachMemDumpPopupMenu(QWidget* pages);

} // namespace orvik::app
