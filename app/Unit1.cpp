#include "Unit1.h"

#include "Brindlowmru.h"
#include "CategoryTreeModel.h"
#include "ComponentApplier.h"
#include "MainPages.h"
#include "PacketStatisticsModel.h"
#include "TimeListItemDelegate.h"
#include "TimeListModel.h"
#include "WindowPlacement.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QProgressDialog>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTreeView>
#include <QUrl>
#include <QVBoxLayout>

using namespace orvik;

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
} // namespace

TForm1::TForm1(QWidget* parent) : QMainWindow(parent)
{
    setObjectName("Form1");
    setWindowTitle(ArchiveDocument::applicationCaption);
    setAcceptDrops(true);
    resize(970, 648);
    move(32, 44);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(buildLeftPanel());
    pageControl1_ = buildMainPages(splitter);
    splitter->addWidget(pageControl1_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({233, 737});
    setCentralWidget(splitter);
    buildStatusBar();
    buildMenus();
    applier_ = std::make_unique<ComponentApplier>(*this);
    connectNavigation();
    buildReports();

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
}

TForm1::~TForm1()
{
    saveWindowPlacement(*this);
}

QWidget* TForm1::buildLeftPanel()
{
    auto* panel = new QSplitter(Qt::Vertical);
    auto* navigation = new QTabWidget;
    navigation->setObjectName("PageControl4");

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
    statisticsModel_ = new PacketStatisticsModel(doc_.packetStatistics(), this);
    statistics->setModel(statisticsModel_);
    statistics->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    statistics->header()->setMinimumSectionSize(40);
    statistics->header()->setStretchLastSection(true);
    statistics->header()->setDefaultAlignment(Qt::AlignLeft);
    statistics->model()->setHeaderData(1, Qt::Horizontal, int(Qt::AlignRight), Qt::TextAlignmentRole);

    panel->addWidget(navigation);
    panel->addWidget(statistics);
    panel->setStretchFactor(0, 1);
    return panel;
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
        bar->addWidget(statusPanels_[i]);
    }
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
    QAction* connect = file->addAction("Connect to server...");
    connect->setObjectName("Connecttoserver1");
    connect->setEnabled(false);
    file->addSeparator();
    QAction* exit = file->addAction("E&xit", this, &QWidget::close);
    exit->setObjectName("Exit1");
    exit->setShortcut(QKeySequence::Quit);

    QAction* tcEditor = menuBar()->addAction("&TC-Editor");
    tcEditor->setObjectName("TCEditor1");
    tcEditor->setEnabled(false);

    QMenu* help = menuBar()->addMenu("&Help");
    help->setObjectName("Help1");
    help->addAction("&About")->setObjectName("About1");
}

void TForm1::connectNavigation()
{
    // Selection changes by keyboard or mouse show the node; a click on the node that
    // is already selected shows it again.
    connect(treeView1_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    nodeChosen(treeModel_->nodeAt(current), QApplication::mouseButtons() != Qt::NoButton);
            });
    connect(treeView1_, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        if (!std::exchange(shownByPress_, false) && index.isValid())
            nodeChosen(treeModel_->nodeAt(index), false);
    });
    connect(listBox1_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    nodeChosen(timeModel_->nodeAt(current.row()), QApplication::mouseButtons() != Qt::NoButton);
            });
    connect(listBox1_, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        if (!std::exchange(shownByPress_, false) && index.isValid())
            nodeChosen(timeModel_->nodeAt(index.row()), false);
    });
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
    display_.components.beginDisplay();
    display_.displayNode(doc_.tree(), node);
    applier_->apply(display_.components.writes());
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

    const bool opened = openWithProgress(currentFileName);
    mru_->addItem(currentFileName);
    setWindowTitle(QString::fromStdString(doc_.caption()));
    showStatus();
    if (!opened) {
        QMessageBox::warning(this, "Error opening file...", "File not found!");
        return;
    }
    if (!doc_.warnings().empty()) {
        QStringList lines;
        for (const std::string& w : doc_.warnings())
            lines << QString::fromStdString(w);
        QMessageBox::warning(this, "Opened with problems", lines.join('\n'));
    }
}

bool TForm1::openWithProgress(const QString& fileName)
{
    treeModel_->beginRebuild();
    timeModel_->beginRebuild();
    QProgressDialog progress(QString("Opening %1...").arg(fileName), QString(), 0, 1000, this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    progress.setAutoClose(false);
    const bool opened = doc_.open(fileName.toStdString(), [&progress](double share) {
        progress.setValue(int(share * 1000)); // keeps the window painted once the dialog shows
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
    const qsizetype separator = std::max(currentFileName.lastIndexOf('/'), currentFileName.lastIndexOf('\\'));
    QDesktopServices::openUrl(QUrl::fromLocalFile(currentFileName.left(separator + 1)));
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
