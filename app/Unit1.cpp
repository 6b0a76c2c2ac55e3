#include "app/Unit1.h"

#include "app/settings/Brindlowmru.h"
#include "app/settings/FolderLength.h"
#include "app/models/CategoryTreeModel.h"
#include "app/ComponentApplier.h"
#include "app/FollowSchedule.h"
#include "app/LiveConnection.h"
#include "app/RecordingName.h"
#include "app/settings/LiveSettings.h"
#include "app/StringLists.h"
#include "app/pages/MainPages.h"
#include "app/pages/PageKeys.h"
#include "app/models/NodeSearch.h"
#include "app/models/PacketStatisticsModel.h"
#include "app/pages/RawPage.h"
#include "display/widgets/ShowInFront.h"
#include "display/widgets/StatusMessage.h"
#include "app/pages/SpectrumPages.h"
#include "tceditor/Tceditor.h"
#include "app/models/TimeListItemDelegate.h"
#include "app/models/TimeListModel.h"
#include "display/widgets/TrendForm.h"
#include "display/widgets/Unit3.h"
#include "app/ViewerCommandLine.h"
#include "app/settings/WindowPlacement.h"
#include "archive/NodeFacts.h"

#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QLocale>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QProgressDialog>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

using namespace orvik;

namespace orvik::app {

namespace {
const char* const openFilter = "Corvane Lander Binary (*.cvlbin);;CDMS Simulator Datastream (*.dat)";

// A page that holds one widget filling it.
QWidget* tabPage(const char* name, QWidget* content)
{
    auto* page = new QWidget;
    page->setObjectName(name);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content);
    return page;
}

// A line (the search field, the node header) close above the control it belongs to.
QWidget* withLineAbove(QLayout* line, QWidget* control)
{
    auto* framed = new QWidget;
    auto* layout = new QVBoxLayout(framed);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addLayout(line);
    layout->addWidget(control, 1);
    return framed;
}
} // namespace

TForm1::TForm1(QWidget* parent) : QMainWindow(parent)
{
    setObjectName("Form1");
    setWindowTitle(ArchiveDocument::applicationCaption);
    setAcceptDrops(true);
    resize(970, 648);
    move(32, 44);

    display_.decimalSeparator = QLocale().decimalPoint().toStdString();
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(buildLeftPanel());
    pageControl1_ = buildMainPages(splitter, display_);
    splitter->addWidget(withNodeHeader(pageControl1_));
    rawPage_ = new RawPage(*pageControl1_, doc_.tree(), this);
    installPageKeys(*this, *pageControl1_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({233, 737});
    setCentralWidget(splitter);
    buildStatusBar();
    buildMenus();
    spectrumPages_ = new SpectrumPages(*pageControl1_, display_.components, [this] {
        if (currentNode() != noNode)
            displayNode(currentNode());
    }, this);
    form3_ = new widgets::TForm3(this); // after the histogram window
    trendForm_ = new widgets::TrendForm(doc_, this);
    applier_ = std::make_unique<ComponentApplier>(*this);
    connectNavigation();
    connectSearch();
    connectFollow();
    connectEventPages();
    buildReports();
    buildHousekeepingCsvExport();
    buildDatasetExport();

    restoreWindowPlacement(*this);
    mru_ = new BrindlowMRU(this);
    mru_->setParentMenuItem(openRecent_);
    mru_->setShowFullPath(true);
    mru_->setMaxItems(5);
    mru_->setRegistryPath("orvikegse\\cvlbins");
    mru_->setOnClick([this](BrindlowMRU*, const QString& fileName) {
        currentFileName = fileName;
        openArchive(false);
    });
    tcEditor_ = std::make_unique<tceditor::TForm4>();
    tcEditor_->setAttribute(Qt::WA_QuitOnClose, false); // closing the main window ends the program
}

TForm1::~TForm1()
{
    live_.reset(); // its recorder's thread ends; the recording stays
    search_->stop(); // the search reads the tree, which goes before the window's children
    saveWindowPlacement(*this);
}

QWidget* TForm1::buildLeftPanel()
{
    auto* panel = new QSplitter(Qt::Vertical);
    auto* navigation = new QTabWidget;
    navigation->setObjectName("PageControl4");
    pageControl4_ = navigation;

    treeView1_ = new QTreeView;
    treeView1_->setObjectName("TreeView1");
    treeView1_->setHeaderHidden(true);
    treeView1_->setUniformRowHeights(true);
    treeView1_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    treeModel_ = new CategoryTreeModel(doc_, this);
    treeView1_->setModel(treeModel_);
    navigation->addTab(tabPage("CategoryTabSheet", treeView1_), "Category");

    listBox1_ = new QListView;
    listBox1_->setObjectName("ListBox1");
    listBox1_->setUniformItemSizes(true);
    listBox1_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    listBox1_->setItemDelegate(new TimeListItemDelegate(listBox1_));
    timeModel_ = new TimeListModel(doc_, this);
    listBox1_->setModel(timeModel_);
    navigation->addTab(tabPage("TimeTabSheet", listBox1_), "Time");

    auto* statistics = new QTreeView;
    statistics->setObjectName("PacketStatListView");
    statistics->setRootIsDecorated(false);
    statistics->setUniformRowHeights(true);
    // As tall as its rows, header included: the panel's splitter gives it that much at first.
    statistics->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    statisticsModel_ = new PacketStatisticsModel(doc_.packetStatistics(), this);
    statistics->setModel(statisticsModel_);
    // The names take the room the counts leave them: no sideways scrolling in the narrow panel.
    statistics->header()->setStretchLastSection(false);
    statistics->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    statistics->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    statistics->header()->setDefaultAlignment(Qt::AlignLeft);
    statistics->model()->setHeaderData(1, Qt::Horizontal, int(Qt::AlignRight), Qt::TextAlignmentRole);

    // The search field filters both navigation controls: it sits above their tabs.
    searchEdit_ = new QLineEdit;
    searchEdit_->setObjectName("SearchEdit");
    searchEdit_->setPlaceholderText("Search nodes");
    searchEdit_->setClearButtonEnabled(true);
    searchMatches_ = new QLabel;
    searchMatches_->setObjectName("SearchMatches");
    auto* searchLine = new QHBoxLayout;
    searchLine->addWidget(searchEdit_, 1);
    searchLine->addWidget(searchMatches_);

    panel->addWidget(withLineAbove(searchLine, navigation));
    panel->addWidget(statistics);
    panel->setStretchFactor(0, 1);
    return panel;
}

QWidget* TForm1::withNodeHeader(QTabWidget* pages)
{
    nodeHeader_ = new QLabel;
    nodeHeader_->setObjectName("NodeHeader");
    nodeHeader_->setTextInteractionFlags(Qt::TextSelectableByMouse); // numbers and offsets to copy
    nodeHeader_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed); // a long header never widens the window
    auto* line = new QHBoxLayout;
    line->addWidget(nodeHeader_);
    return withLineAbove(line, pages);
}

void TForm1::buildStatusBar()
{
    const struct {
        const char* text;
        int width;
    } panels[] = {{"Packets:", 150}, {"Unknown:", 150}, {"Missing:", 50}};
    auto* bar = new QStatusBar;
    bar->setObjectName("StatusBar1");
    for (int i = 0; i < 3; ++i) {
        statusPanels_[i] = new QLabel(panels[i].text);
        statusPanels_[i]->setObjectName(QString("StatusPanel%1").arg(i));
        statusPanels_[i]->setMinimumWidth(panels[i].width);
        // Permanent: a message in the bar leaves the counts in view.
        bar->addPermanentWidget(statusPanels_[i]);
    }
    // Permanent as well, before the counts: shown while "&Follow file" is on, a click turns it off.
    followIndicator_ = new QToolButton;
    followIndicator_->setObjectName("FollowIndicator");
    followIndicator_->setText("Following");
    followIndicator_->setCheckable(true);
    followIndicator_->setAutoRaise(true);
    followIndicator_->setVisible(false);
    bar->insertPermanentWidget(0, followIndicator_);
    // After the counts, set off from them: the connection's status, once there was one.
    liveStatus_ = new QLabel;
    liveStatus_->setObjectName("LiveStatus");
    liveStatus_->setContentsMargins(12, 0, 0, 0);
    liveStatus_->setVisible(false);
    bar->addPermanentWidget(liveStatus_);
    setStatusBar(bar);
}

void TForm1::buildMenus()
{
    QMenu* file = menuBar()->addMenu("&File");
    file->setObjectName("File1");
    QAction* open = file->addAction("&Open...", this, [this] { openArchive(true); });
    open->setObjectName("Open1");
    open->setShortcut(QKeySequence::Open);
    openRecent_ = file->addMenu("Open recent");
    openRecent_->setObjectName("Openrecent1");
    file->addAction("Open enclosed folder...", this, [this] { openEnclosedFolder(); })
        ->setObjectName("Openenclosedfolder1");
    file->addSeparator();
    connectToServer_ = file->addAction("Connect to server...", this, &TForm1::Connecttoserver1Click);
    connectToServer_->setObjectName("Connecttoserver1");
    connectToServer_->setEnabled(false); // until --live or --connect
    disconnect_ = file->addAction("Disconnect", this, &TForm1::Disconnect1Click);
    disconnect_->setObjectName("Disconnect1");
    disconnect_->setEnabled(false); // while a connection runs
    followFile_ = file->addAction("&Follow file");
    followFile_->setObjectName("FollowFile1");
    followFile_->setCheckable(true);
    followFile_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    followFile_->setEnabled(false); // until a file is open
    file->addSeparator();
    QAction* exit = file->addAction("E&xit", this, &QWidget::close);
    exit->setObjectName("Exit1");
    exit->setShortcut(QKeySequence::Quit);

    QMenu* view = menuBar()->addMenu("&View");
    view->setObjectName("View1");
    QAction* trend = view->addAction("Housekeeping &trend...", this, [this] { trendForm_->showOverMainWindow(); });
    trend->setObjectName("Housekeepingtrend1");
    trend->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));

    QAction* tcEditor = menuBar()->addAction("&TC-Editor", this, [this] {
        tcEditor_->show();
        tcEditor_->raise();
        tcEditor_->activateWindow();
    });
    tcEditor->setObjectName("TCEditor1");
    tcEditor->setEnabled(false);

    QMenu* help = menuBar()->addMenu("&Help");
    help->setObjectName("Help1");
    help->addAction("&About")->setObjectName("About1");
}

void TForm1::enableTcEditor()
{
    findChild<QAction*>("TCEditor1")->setEnabled(true);
}

void TForm1::connectNavigation()
{
    followChoices(treeView1_, [this](const QModelIndex& index) { return treeModel_->nodeAt(index); });
    followChoices(listBox1_, [this](const QModelIndex& index) { return timeModel_->nodeAt(index.row()); });
    connect(findChild<QComboBox*>("HKPacketHalf"), &QComboBox::activated, this, &TForm1::HKPacketHalfChange);
}

void TForm1::followChoices(QAbstractItemView* view, const std::function<NodeId(const QModelIndex&)>& nodeAt)
{
    // Selection changes by keyboard or mouse show the node; a click on the node that
    // is already selected shows it again.
    connect(view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this, nodeAt](const QModelIndex& current) {
                if (current.isValid() && !restoringChoice_)
                    nodeChosen(nodeAt(current), QApplication::mouseButtons() != Qt::NoButton);
            });
    connect(view, &QAbstractItemView::clicked, this, [this, nodeAt](const QModelIndex& index) {
        if (!std::exchange(shownByPress_, false) && index.isValid())
            nodeChosen(nodeAt(index), false);
    });
}

void TForm1::HKPacketHalfChange(int index)
{
    applyDisplay([&] { display_.HKPacketHalfChange(index); });
}

void TForm1::connectEventPages()
{
    auto* units = findChild<QTreeWidget*>("testresultListView1");
    connect(units, &QTreeWidget::itemSelectionChanged, this, [this, units] {
        const QList<QTreeWidgetItem*> selected = units->selectedItems();
        if (!selected.isEmpty())
            applyDisplay([&] { display_.testresultListView1SelectItem(selected.front()->text(0).toStdString()); });
    });
    connect(findChild<QAction*>("Display1"), &QAction::triggered, this, &TForm1::Display1Click);
    // Every scroll action (arrow, page, thumb, wheel) tells the position the bar is about to take.
    auto* pages = findChild<QScrollBar*>("MemDumpScrollBar1");
    connect(pages, &QAbstractSlider::actionTriggered, this, [this, pages] {
        applyDisplay([&] { display_.memDumpScrollBar1Scroll(doc_.tree(), chosenNode(), pages->sliderPosition()); });
    });
}

void TForm1::Display1Click()
{
    const NodeId node = chosenNode();
    if (node == noNode || doc_.tree().kind(node) != NodeKind::MemoryDump)
        return;
    if (const MemoryDumpImage* image = doc_.tree().wrapper(node).record<MemoryDumpImage>()) {
        widgets::showInFrontOfParent(*form3_);
        form3_->fillDumpChart(*image);
    }
}

NodeId TForm1::chosenNode() const
{
    const bool treeInFront = pageControl4_->currentWidget()->objectName() == "CategoryTabSheet";
    const QModelIndexList nodes = treeView1_->selectionModel()->selectedIndexes();
    const QModelIndexList lines = listBox1_->selectionModel()->selectedIndexes();
    if (treeInFront)
        return nodes.isEmpty() ? noNode : treeModel_->nodeAt(nodes.front());
    // The model maps the line to its node, also while a search filters the list.
    return lines.isEmpty() ? noNode : timeModel_->nodeAt(lines.front().row());
}

void TForm1::applyDisplay(const std::function<void()>& action)
{
    display_.components.beginDisplay();
    action();
    applier_->apply(display_.components.writes());
}

void TForm1::nodeChosen(NodeId node, bool byMouse)
{
    if (node == noNode)
        return;
    shownByPress_ = byMouse;
    doc_.currentNode = node;
    displayNode(node);
}

void TForm1::displayNode(NodeId node)
{
    const bool rawInFront = rawPage_->inFront();
    applyDisplay([&] { display_.displayNode(doc_.tree(), node); });
    rawPage_->nodeShown(node, rawInFront);
    nodeHeader_->setText(QString::fromStdString(nodeHeaderText(doc_, node)));
}

void TForm1::startUp(const QStringList& arguments)
{
    // main has refused a bad command line and answered --help and --version already.
    const ViewerCommandLine commandLine = parseViewerCommandLine(arguments);
    if (commandLine.tcEditor)
        enableTcEditor();
    if (commandLine.live)
        enableLive();
    if (commandLine.server) {
        connectToServer(*commandLine.server, newRecordingPath(*commandLine.server, recordingsFolder()));
        return;
    }
    if (currentFileName.isEmpty())
        currentFileName = commandLine.archive;
    if (!currentFileName.isEmpty())
        openArchive(false);
}

void TForm1::openArchive(bool showDialog)
{
    if (showDialog) {
        const QString chosen = QFileDialog::getOpenFileName(this, "Open", {}, openFilter);
        if (chosen.isEmpty())
            return;
        currentFileName = chosen;
    }
    if (currentFileName.isEmpty())
        return;
    endLive(); // the recording stays
    openCurrentFile(false);
}

bool TForm1::openCurrentFile(bool growing)
{
    const bool opened = openWithProgress(currentFileName);
    applyDisplay([&] { display_.releaseSpectrumSeries(); });
    // As a path from the root: a name typed relative to the starting folder fails from any other.
    mru_->addItem(QFileInfo(currentFileName).absoluteFilePath());
    setWindowTitle(QString::fromStdString(doc_.caption()));
    showStatus();
    enableHousekeepingCsvExport();
    trendForm_->reload();
    followOpenedFile(opened);
    if (doc_.cancelled()) {
        widgets::showStatusMessage(this, QString("Opening %1 was cancelled: no archive is open.").arg(currentFileName));
        return false;
    }
    if (!opened) {
        QMessageBox box(QMessageBox::Warning, "Error opening file...", "File not found!", QMessageBox::Ok, this);
        box.setInformativeText(QString::fromStdString(doc_.openError()));
        box.exec();
        return false;
    }
    // The needle in the search field applies to the new file too.
    search_->setNeedle(searchEdit_->text());
    if (!growing && !doc_.warnings().empty())
        QMessageBox::warning(this, "Opened with problems", toQStringList(doc_.warnings()).join('\n'));
    return true;
}

bool TForm1::openWithProgress(const QString& fileName)
{
    // The pages must not paint from the packets about to be released.
    applyDisplay([&] { display_.releaseArchive(); });
    // No step of a followed file while the document is rebuilt (the progress dialog runs events).
    followSchedule_->stop();
    expandedGroups_.clear();
    rawPage_->forgetNode();
    nodeHeader_->clear();
    dropSearchFilter();
    treeModel_->beginRebuild();
    timeModel_->beginRebuild();
    QProgressDialog progress(QString("Opening %1...").arg(fileName), "Cancel", 0, 1000, this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    progress.setAutoClose(false);
    const bool opened = doc_.open(fileName.toStdString(), [&progress](double share) {
        progress.setValue(int(share * 1000)); // keeps the window painted and Cancel heard once the dialog shows
        return !progress.wasCanceled();
    });
    timeModel_->endRebuild();
    treeModel_->endRebuild();
    statisticsModel_->refresh();
    return opened;
}

void TForm1::showStatus()
{
    for (int i = 0; i < 3; ++i)
        statusPanels_[i]->setText(QString::fromStdString(doc_.statusPanels()[size_t(i)]));
}

void TForm1::openEnclosedFolder()
{
    if (currentFileName.isEmpty())
        return;
    const QString folder = currentFileName.left(folderLength(currentFileName));
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(folder)))
        return;
    const QString shown = QDir::toNativeSeparators(QDir::cleanPath(folder));
    QMessageBox::warning(this, "Open enclosed folder", QString("The folder \"%1\" could not be opened.").arg(shown));
}

void TForm1::closeEvent(QCloseEvent* event)
{
    endLive();
    QMainWindow::closeEvent(event);
}

void TForm1::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.front().isLocalFile())
        return;
    event->acceptProposedAction();
    currentFileName = urls.front().toLocalFile();
    openArchive(false);
}

} // namespace orvik::app
