// The main window's reports, export and about: the GC report from the tree's
// pop-up menu, "Save to" of the memory-dump pop-up menu, and the about box.

#include "app/Unit1.h"

#include "reports/AboutBox.h"
#include "display/widgets/StatusMessage.h"
#include "app/models/CategoryTreeModel.h"
#include "app/pages/PopupMenu.h"
#include "reports/FileVersion.h"
#include "reports/GcReportValues.h"
#include "reports/MemoryDumpExport.h"
#include "reports/ReportPreview.h"
#include "app/models/TimeListModel.h"
#include "reports/Unit5.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QListView>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTabWidget>
#include <QTreeView>

using namespace orvik;
using namespace orvik::reports;

namespace orvik::app {

namespace {
const char* const noGcRunText = "The node holds no GC run.";

// "Print" acts on the node last chosen: a right click opens the pop-up menu
// without choosing the node under the mouse.
class RightClickKeepsSelection : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        const bool press = event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick;
        return press && static_cast<QMouseEvent*>(event)->button() == Qt::RightButton;
    }
};
} // namespace

void TForm1::buildReports()
{
    AboutBox = new reports::TAboutBox(this);
    Form5 = new reports::TForm5(this);
    connect(findChild<QAction*>(QStringLiteral("About1")), &QAction::triggered, this, &TForm1::About1Click);

    auto* mousemenu = new QMenu(treeView1_);
    mousemenu->setObjectName(QStringLiteral("mousemenu"));
    mousemenu->addAction(QStringLiteral("Print"), this, &TForm1::mousemenu_printClick)
        ->setObjectName(QStringLiteral("mousemenu_print"));
    usePopupMenu(treeView1_, mousemenu);
    treeView1_->viewport()->installEventFilter(new RightClickKeepsSelection(treeView1_));

    SaveDialog1 = new QFileDialog(this);
    SaveDialog1->setObjectName(QStringLiteral("SaveDialog1"));
    SaveDialog1->setAcceptMode(QFileDialog::AcceptSave);
    SaveDialog1->setFileMode(QFileDialog::AnyFile);
    SaveDialog1->setNameFilters({QStringLiteral("Bitmap (*.bmp)"), QStringLiteral("Metafile (*.wmf)"),
                                 QStringLiteral("Ascii (*.txt)"), QStringLiteral("Binary (*.bin)")});
    // The name is used as given: an existing file is replaced without a question.
    SaveDialog1->setOption(QFileDialog::DontConfirmOverwrite);
    // "Save to" of the memory-dump page's pop-up menu.
    connect(findChild<QAction*>(QStringLiteral("ASCII2")), &QAction::triggered, this, &TForm1::ASCII2Click);
    connect(findChild<QAction*>(QStringLiteral("Binary2")), &QAction::triggered, this, &TForm1::Binary2Click);
}

int TForm1::fileVersionOf(QString& version) const
{
    std::string text;
    const int result =
        reports::fileVersionOf(QFileInfo(QCoreApplication::applicationFilePath()).filesystemFilePath(), text);
    if (result == 0)
        version = QString::fromStdString(text);
    return result;
}

void TForm1::About1Click()
{
    const QString build = TAboutBox::compiledLine();
    QString version;
    fileVersionOf(version);
    AboutBox->Version->setText(QStringLiteral("Version: %1").arg(version));
    AboutBox->compdate->setText(build);
    AboutBox->exec();
}

void TForm1::mousemenu_printClick()
{
    const NodeId node = doc_.currentNode;
    if (node != noNode && doc_.tree().kind(node) != NodeKind::Group)
        return; // the report is of a group node
    if (!gcRunOf(doc_.tree(), node)) {
        QMessageBox::information(this, TForm5::caption, noGcRunText);
        return;
    }
    Form5->setReportNode(doc_.tree(), node, currentFileName);
    previewReport(*Form5->QuickRep1, TForm5::caption, this);
}

void TForm1::exportMemoryDump(DumpFileFormat format)
{
    const MemoryDumpImage* dump = memoryDumpOf(doc_.tree(), chosenNode());
    if (!dump)
        return;
    SaveDialog1->selectNameFilter(SaveDialog1->nameFilters().at(format == DumpFileFormat::Text ? 2 : 3));
    if (SaveDialog1->exec() != QDialog::Accepted || SaveDialog1->selectedFiles().value(0).isEmpty())
        return;
    const QString fileName = SaveDialog1->selectedFiles().front();
    const std::string error = reports::exportMemoryDump(*dump, format, QFileInfo(fileName).filesystemFilePath());
    if (!error.empty()) {
        QMessageBox::warning(this, QStringLiteral("Save to"), QString::fromStdString(error));
        return;
    }
    widgets::showStatusMessage(this, QStringLiteral("Saved the memory dump (%1 words) to %2")
                                         .arg(QLocale().toString(qulonglong(dump->dataWordCount())),
                                              QDir::toNativeSeparators(fileName)));
}

void TForm1::ASCII2Click()
{
    exportMemoryDump(DumpFileFormat::Text);
}

void TForm1::Binary2Click()
{
    exportMemoryDump(DumpFileFormat::Binary);
}

} // namespace orvik::app
