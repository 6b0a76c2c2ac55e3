#pragma once
// TForm1, the main window: opens archives by every route, shows the category
// tree, the time list and the packet statistics on the left and the decoded
// node on the pages on the right.

#include "archive/ArchiveDocument.h"
#include "display/MainDisplay.h"
#include "live/StreamRecorder.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <optional>
#include <set>

class QAbstractItemView;
class QAction;
class QFileDialog;
class QLabel;
class QLineEdit;
class QListView;
class QMenu;
class QPushButton;
class QTabWidget;
class QTimer;
class QToolButton;
class QTreeView;

namespace orvik {
class NodeFilter;
}
namespace orvik::exports {
enum class DatasetFormat;
struct DatasetContent;
} // namespace orvik::exports
namespace orvik::reports {
enum class DumpFileFormat;
class TAboutBox;
class TForm5;
} // namespace orvik::reports
namespace orvik::tceditor {
class TForm4;
}
namespace orvik::widgets {
class TForm3;
class TrendForm;
} // namespace orvik::widgets

namespace orvik::app {

class BrindlowMRU;
class CategoryTreeModel;
class ComponentApplier;
class FollowSchedule;
class LiveConnection;
class NodeSearch;
class PacketStatisticsModel;
class RawPage;
class SpectrumPages;
class TimeListModel;

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // Before the window is first shown: the program's arguments (its own name first),
    // read by parseViewerCommandLine. The first one that is no option names the archive
    // to open; "--tc-editor" makes the telecommand editor usable; "--live" makes
    // "Connect to server..." usable, and "--connect HOST:PORT" connects as well.
    void startUp(const QStringList& arguments);
    // The open flow: with the open dialog, or for `currentFileName`.
    void openArchive(bool showDialog);
    // Shows a node on the pages; the tree and the time list call it for the node chosen.
    void displayNode(orvik::NodeId node);
    // The user picked a half in "HKPacketHalf".
    void HKPacketHalfChange(int index);

    // One step of "&Follow file" (Unit1Follow.cpp): takes in what was appended to the
    // open file since the last step, a few MiB at most, and shows it. The schedule
    // calls it while the action is on; it does nothing while it is off. True when the
    // step read as much as a step takes: the file may hold more.
    bool followStep();

    // The connection to a data system's server (Unit1Live.cpp). The stream is recorded to
    // a file, which the window opens and follows; the recording stays when the
    // connection ends, by "Disconnect", another open, closing the window or a failure.
    // Makes "Connect to server..." usable; it is disabled otherwise.
    void enableLive();
    // "Connect to server...": the dialog, then the connection.
    void Connecttoserver1Click();
    // Starts recording the server's stream to `recording` and follows the recording; a
    // recording that cannot be written is told in a message box and nothing changes.
    bool connectToServer(const orvik::live::ServerAddress& server, const QString& recording);
    // "Disconnect": ends the connection, takes in what the recording holds and turns Follow off.
    void Disconnect1Click();
    bool connectedToServer() const { return live_ != nullptr; }
    // The delays and timeouts of the next connection.
    orvik::live::StreamRecorder::Settings recorderSettings;

    QString currentFileName;
    const orvik::ArchiveDocument& document() const { return doc_; }
    orvik::NodeId currentNode() const { return doc_.currentNode; }
    orvik::display::MainDisplay& display() { return display_; }
    BrindlowMRU& recentFiles() { return *mru_; }
    // The node selected in the navigation control in front (the tree or the time
    // list); none when that control has no selection. The dump page's scroll bar and
    // pop-up menu act on it.
    orvik::NodeId chosenNode() const;
    // "Display" of the dump pop-up menu: the chosen memory dump drawn in the
    // memory-dump window; nothing for another node or none.
    void Display1Click();
    // The memory-dump window, created hidden at start-up.
    widgets::TForm3& memoryDumpWindow() { return *form3_; }
    // The housekeeping trend window, created hidden at start-up; "&View" > "Housekeeping &trend..." shows it.
    widgets::TrendForm& trendWindow() { return *trendForm_; }
    // The telecommand editor, created hidden at start-up.
    tceditor::TForm4& tcEditor() { return *tcEditor_; }
    // Makes "&TC-Editor" usable; it is disabled otherwise.
    void enableTcEditor();
    SpectrumPages& spectrumPages() { return *spectrumPages_; }

    // Reports, export and about (Unit1Reports.cpp).
    void About1Click();
    // Reads the program's file version into `version`: 0, or -1, -2, -3 (see fileVersionOf).
    int fileVersionOf(QString& version) const;
    // "Print" of the tree's pop-up menu: the GC report of the current group node.
    void mousemenu_printClick();
    // "Save to" > "ASCII" / "Binary" of the memory-dump pop-up menu.
    void ASCII2Click();
    void Binary2Click();

    // "Export CSV..." of the "Regular HK" page: the save dialog, then the export.
    void HKCsvExportButtonClick();
    // Writes every regular housekeeping sample to the file; a failure is told in a message box.
    bool exportHousekeepingCsv(const QString& fileName);

    // "Export dataset..." of the tree's pop-up menu (Unit1DatasetExport.cpp): the dataset of
    // the current node (the node itself or the one it lies in) written in the format of the
    // filter chosen in the save dialog; for an ANDI chromatogram, the series is chosen next.
    void mousemenu_exportDatasetClick();
    // Writes the dataset at or above `node` to the file (`chromatogram`: the series of an ANDI
    // chromatogram); success is told in the status bar, a failure in a message box.
    bool exportDataset(orvik::NodeId node, orvik::exports::DatasetFormat format, const QString& fileName,
                       size_t chromatogram = 0);

    reports::TAboutBox* AboutBox = nullptr;
    reports::TForm5* Form5 = nullptr;
    QFileDialog* SaveDialog1 = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildMenus();
    QWidget* buildLeftPanel();
    // The pages under a one-line header that tells which node they show ("NodeHeader").
    QWidget* withNodeHeader(QTabWidget* pages);
    void buildStatusBar();
    void connectNavigation();
    // The tree and the time list show the node the user chooses in them; `nodeAt` maps a row to its node.
    void followChoices(QAbstractItemView* view, const std::function<orvik::NodeId(const QModelIndex&)>& nodeAt);
    void connectEventPages();
    // Runs one action of the display and puts what it wrote on the widgets.
    void applyDisplay(const std::function<void()>& action);
    void buildReports();
    void exportMemoryDump(orvik::reports::DumpFileFormat format);
    void buildHousekeepingCsvExport();
    // "Export dataset..." in the tree's pop-up menu and mzML among the spectrum charts' exports.
    void buildDatasetExport();
    bool writeDataset(const orvik::exports::DatasetContent& content, orvik::exports::DatasetFormat format,
                      const QString& fileName, size_t chromatogram);
    // The reason the export of `content` to the file failed, or nothing. `archiveChanged`: the
    // open archive no longer holds what was read from it, and is not read for the export.
    std::optional<QString> writeExport(const orvik::exports::DatasetContent& content,
                                       orvik::exports::DatasetFormat format, const QString& fileName,
                                       size_t chromatogram, bool archiveChanged) const;
    // mzML of what the MS chart (`spectrum`) or the GC chart shows: the current node's
    // spectrum or chromatograms; the reason it failed, or nothing.
    std::optional<QString> exportCurve(bool spectrum, const QString& fileName) const;
    // Usable while the open archive holds regular housekeeping.
    void enableHousekeepingCsvExport();

    void openEnclosedFolder();
    // Opens `currentFileName` and shows it. A recording being written (`growing`) is
    // expected to end in the middle of a frame: no box about problems with it.
    bool openCurrentFile(bool growing);
    // Runs the open with a progress dialog for opens that take a while.
    bool openWithProgress(const QString& fileName);
    void showStatus();
    // The search field above the tree and the time list (Unit1Search.cpp).
    void connectSearch();
    void showSearchResult(std::shared_ptr<const orvik::NodeFilter> filter);
    // Chooses the node on show in the tree and the time list, in view, where they list it.
    void keepCurrentNodeChosen();
    // Before an open: the filter refers to the nodes about to go.
    void dropSearchFilter();
    // Runs the search of the field again for the nodes a followed file brought.
    void refreshSearch();

    // "&Follow file" (Unit1Follow.cpp).
    void connectFollow();
    void followingToggled(bool on);
    // After an open: a file that did not open cannot be followed; one that did is followed if Follow is on.
    void followOpenedFile(bool opened);
    // The file changed in a way that cannot be followed: Follow goes off, the document stays.
    void stopFollowing(const QString& why);
    // Shows what a follow step or settle() took in; `nodesWent`: nodes went as well.
    void showTakenIn(bool nodesWent, const std::string& missingBefore);
    // Tells the tree and the time list of the new nodes, keeping the lines in view.
    void publishNewNodes();
    // Shows the tree and the time list anew, at the same place.
    void rebuildNavigation();
    // The node chosen in each list, the first lines in view, and whether the time list was at its end.
    struct NavigationPlace {
        orvik::NodeId treeChosen = orvik::noNode, timeChosen = orvik::noNode;
        orvik::NodeId treeTop = orvik::noNode, timeTop = orvik::noNode;
        bool timeAtEnd = false;
    };
    NavigationPlace navigationPlace() const;
    // Opens the groups the user had open, those the tree shows.
    void reopenGroups();
    void restoreNavigationPlace(const NavigationPlace& place);
    void nodeChosen(orvik::NodeId node, bool byMouse);

    // The connection (Unit1Live.cpp).
    void buildLive();
    void liveStatusChanged();
    // Stops the recorder and shows its last status; the menu offers "Connect to server..." again.
    void endLive();

    orvik::ArchiveDocument doc_;
    orvik::display::MainDisplay display_;

    QTreeView* treeView1_ = nullptr;
    QListView* listBox1_ = nullptr;
    QTabWidget* pageControl4_ = nullptr;
    QLineEdit* searchEdit_ = nullptr;
    QLabel* searchMatches_ = nullptr;
    NodeSearch* search_ = nullptr;
    QTabWidget* pageControl1_ = nullptr;
    QLabel* nodeHeader_ = nullptr;
    QLabel* statusPanels_[3] = {};
    QMenu* openRecent_ = nullptr;
    QAction* followFile_ = nullptr;
    QToolButton* followIndicator_ = nullptr;
    FollowSchedule* followSchedule_ = nullptr;
    // While following, the search of the field runs again at most this often.
    QTimer* searchRefresh_ = nullptr;
    // The search running was started for nodes that came: its result keeps the place.
    bool refreshingSearch_ = false;
    // The tree's open groups: a rebuild of the tree opens them again.
    std::set<orvik::NodeId> expandedGroups_;
    QPushButton* hkCsvExportButton_ = nullptr;
    QAction* exportDataset_ = nullptr;
    // The filter last chosen in "Export dataset...": the next export offers it first.
    QString datasetFilter_;
    QAction* connectToServer_ = nullptr;
    QAction* disconnect_ = nullptr;
    QLabel* liveStatus_ = nullptr;
    // While a connection runs.
    std::unique_ptr<LiveConnection> live_;

    CategoryTreeModel* treeModel_ = nullptr;
    TimeListModel* timeModel_ = nullptr;
    PacketStatisticsModel* statisticsModel_ = nullptr;
    SpectrumPages* spectrumPages_ = nullptr;
    RawPage* rawPage_ = nullptr;
    std::unique_ptr<ComponentApplier> applier_;
    BrindlowMRU* mru_ = nullptr;
    widgets::TForm3* form3_ = nullptr;
    widgets::TrendForm* trendForm_ = nullptr;
    // A window of its own, not a child: its component names stay apart from the main window's.
    std::unique_ptr<tceditor::TForm4> tcEditor_;
    // A mouse press that changed the selection has shown the node already: its click need not.
    bool shownByPress_ = false;
    // The views are being pointed at the node on show: their choice shows nothing.
    bool restoringChoice_ = false;
};
} // namespace orvik::app
