// File > "Connect to server...": the window records the stream of a real orvik-sim
// --serve, run as a child process, and follows the recording. Connections lost and
// made again, a recording that cannot be written, the recording changed under the
// window, and the command line that asks for all this.

#include "tests/app/ModalAnswers.h"
#include "tests/app/SettingsTest.h"
#include "tests/app/WindowHelpers.h"
#include "tests/app/WindowTexts.h"
#include "tests/dump/ChildProcess.h"
#include "tests/live/SimServer.h"

#include "app/ConnectDialog.h"
#include "app/RecordingName.h"
#include "app/Unit1.h"
#include "app/ViewerCommandLine.h"
#include "app/settings/LiveSettings.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTest>
#include <QTimeZone>
#include <QTreeView>

#include <gmock/gmock.h>

#include <csignal>
#include <memory>

#include <sys/resource.h>

using namespace orvik;
using namespace orvik::app;
using ::testing::HasSubstr;

namespace {

constexpr int patienceMs = 20000;

bool waitFor(const std::function<bool()>& done)
{
    return QTest::qWaitFor(done, patienceMs);
}

// Files of this process grow no larger than `bytes` while it lives: a write beyond
// fails as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &before_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = before_;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &before_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit before_{};
    void (*previousHandler_)(int) = nullptr;
};

class ServerConnectionTest : public SettingsTest {
protected:
    void SetUp() override
    {
        SettingsTest::SetUp();
        ASSERT_TRUE(recordings_.isValid());
        setRecordingsFolder(recordings_.path());
        // Long enough that the status of a lost connection is seen on a loaded machine.
        window_.recorderSettings.firstRetry = std::chrono::seconds(3);
        window_.resize(970, 648);
        window_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
    }

    // Starts orvik-sim --serve at `port` (0: a free one); the port it listens at, 0 when it does not.
    uint16_t serve(uint16_t port = 0)
    {
        server_ = std::make_unique<test::SimServer>(std::vector<std::string>{"--rate", "200"}, std::to_string(port));
        EXPECT_NE(server_->port(), 0) << server_->out();
        return server_->port();
    }
    void stopServer() { server_.reset(); }

    // Connects through --connect to the server at `port` on this machine: "127.0.0.1:PORT".
    QString connectTo(uint16_t port)
    {
        const QString server = QString("127.0.0.1:%1").arg(port);
        window_.startUp({"orvik-egse", "--connect", server});
        return server;
    }

    QString liveStatus() const { return findNamed<QLabel>(window_, "LiveStatus")->text(); }
    int timeRows() const { return findNamed<QListView>(window_, "ListBox1")->model()->rowCount(); }
    QAction* action(const char* name) const { return findNamed<QAction>(window_, name); }
    // The menu offers "Connect to server..." and not "Disconnect".
    void expectConnectOffered() const
    {
        EXPECT_FALSE(window_.connectedToServer());
        EXPECT_TRUE(action("Connecttoserver1")->isEnabled());
        EXPECT_FALSE(action("Disconnect1")->isEnabled());
    }

    QTemporaryDir recordings_;
    TForm1 window_;
    std::unique_ptr<test::SimServer> server_;
};

TEST_F(ServerConnectionTest, TheWindowShowsWhatComesReconnectsAndEndsShowingWhatAnOpenOfTheRecordingShows)
{
    const uint16_t port = serve();
    ASSERT_NE(port, 0);
    const ModalAnswers noBox({});
    const QString server = connectTo(port);
    ASSERT_TRUE(window_.connectedToServer());
    const QString recording = window_.currentFileName;
    EXPECT_EQ(QFileInfo(recording).path(), recordings_.path());
    EXPECT_TRUE(QRegularExpression(QString("^127\\.0\\.0\\.1-%1-\\d{8}T\\d{6}Z\\.cvlbin$").arg(port))
                    .match(QFileInfo(recording).fileName())
                    .hasMatch())
        << recording.toStdString();
    EXPECT_EQ(window_.windowTitle(), "ORVIK-EGSE: " + recording);
    EXPECT_FALSE(action("Connecttoserver1")->isEnabled());
    EXPECT_TRUE(action("Disconnect1")->isEnabled());
    EXPECT_TRUE(action("FollowFile1")->isChecked());
    EXPECT_EQ(recentServers(), QStringList{server});

    ASSERT_TRUE(waitFor([&] { return timeRows() >= 20; }));
    EXPECT_TRUE(waitFor([&] { return liveStatus().startsWith("Connected to " + server + " — "); })) << liveStatus().toStdString();
    EXPECT_TRUE(liveStatus().endsWith("B/s")) << liveStatus().toStdString();

    stopServer();
    EXPECT_TRUE(waitFor([&] { return liveStatus().startsWith("Connection lost — retrying in "); })) << liveStatus().toStdString();
    EXPECT_TRUE(liveStatus().endsWith(" s")) << liveStatus().toStdString();
    const int beforeReconnect = timeRows();
    ASSERT_EQ(serve(port), port);
    EXPECT_TRUE(waitFor([&] { return liveStatus().startsWith("Connected to " + server + " — "); })) << liveStatus().toStdString();
    EXPECT_TRUE(waitFor([&] { return timeRows() >= beforeReconnect + 20; }));

    action("Disconnect1")->trigger();
    EXPECT_EQ(liveStatus(), "Disconnected from " + server);
    expectConnectOffered();
    EXPECT_FALSE(action("FollowFile1")->isChecked());
    const OpenedWhole whole = openedWhole(recording);
    EXPECT_EQ(listTexts(*findNamed<QListView>(window_, "ListBox1")->model()), whole.timeList);
    QStringList tree;
    collectTreeTexts(*findNamed<QTreeView>(window_, "TreeView1")->model(), {}, {}, tree);
    EXPECT_EQ(tree, whole.tree);
    EXPECT_TRUE(noBox.opened.empty()) << "an empty or growing recording opens without a word";
}

TEST_F(ServerConnectionTest, ARecordingThatCannotBeCreatedIsToldAtOnceAndNothingChanges)
{
    window_.startUp({"orvik-egse", "--live"});
    // Below a plain file no folder can be made, not even by the superuser.
    QFile blocker(scratch_.filePath("blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    setRecordingsFolder(blocker.fileName() + "/recordings");
    QString problem, message;
    ModalAnswers answers({[&](QWidget* modal) {
                              auto* dialog = qobject_cast<ConnectDialog*>(modal);
                              ASSERT_NE(dialog, nullptr);
                              auto* server = findNamed<QComboBox>(*dialog, "ServerCombo");
                              server->setEditText("localhost");
                              dialog->accept();
                              problem = findNamed<QLabel>(*dialog, "ConnectProblem")->text();
                              EXPECT_TRUE(dialog->isVisible()) << "a bad address keeps the dialog open";
                              server->setEditText("127.0.0.1:9");
                              EXPECT_TRUE(findNamed<QLineEdit>(*dialog, "RecordingEdit")
                                              ->text()
                                              .startsWith(QDir::toNativeSeparators(blocker.fileName())));
                              dialog->accept();
                          },
                          [&](QWidget* box) {
                              message = qobject_cast<QMessageBox*>(box)->text();
                              box->close();
                          }});
    action("Connecttoserver1")->trigger();
    EXPECT_EQ(answers.opened, (std::vector<std::string>{"orvik::app::ConnectDialog", "QMessageBox"}));
    EXPECT_EQ(problem, "The server is not HOST:PORT: 'localhost' is not HOST:PORT.");
    EXPECT_THAT(message.toStdString(), HasSubstr("Nothing can be received from 127.0.0.1:9: cannot write "));
    expectConnectOffered();
    EXPECT_EQ(window_.windowTitle(), "ORVIK-EGSE");
    EXPECT_FALSE(action("FollowFile1")->isEnabled());
    EXPECT_FALSE(findNamed<QLabel>(window_, "LiveStatus")->isVisible());
    EXPECT_TRUE(recentServers().isEmpty());
}

TEST_F(ServerConnectionTest, AFullDiskStopsReceivingWithAMessageAndFollowStaysOnWhatCame)
{
    const uint16_t port = serve();
    ASSERT_NE(port, 0);
    const FileSizeLimit full(64 * 1024);
    QString message;
    ModalAnswers answers({[&](QWidget* box) {
        message = qobject_cast<QMessageBox*>(box)->text();
        box->close();
    }});
    const QString server = connectTo(port);
    const QString recording = window_.currentFileName;
    ASSERT_TRUE(waitFor([&] { return !answers.opened.empty(); }));
    EXPECT_THAT(message.toStdString(), HasSubstr(QString("Receiving from %1 stopped: cannot write %2: ")
                                                     .arg(server, recording)
                                                     .toStdString()));
    EXPECT_THAT(message.toStdString(),
                HasSubstr(("What was received until then is in " + recording + ".").toStdString()));
    expectConnectOffered();
    EXPECT_TRUE(liveStatus().startsWith("Recording stopped: cannot write " + recording)) << liveStatus().toStdString();
    EXPECT_TRUE(action("FollowFile1")->isChecked());
    EXPECT_TRUE(waitFor([&] { return timeRows() > 0; }));
}

TEST_F(ServerConnectionTest, ARecordingGoneWhileConnectedEndsTheConnection)
{
    const uint16_t port = serve();
    ASSERT_NE(port, 0);
    const QString server = connectTo(port);
    const QString recording = window_.currentFileName;
    ASSERT_TRUE(waitFor([&] { return timeRows() > 0; }));
    QString message;
    ModalAnswers answers({[&](QWidget* box) {
        message = qobject_cast<QMessageBox*>(box)->text();
        box->close();
    }});
    ASSERT_TRUE(QFile::remove(recording));
    ASSERT_TRUE(waitFor([&] { return !answers.opened.empty(); }));
    EXPECT_THAT(message.toStdString(), HasSubstr((recording + " is gone").toStdString()));
    EXPECT_THAT(message.toStdString(), HasSubstr(("Disconnected from " + server).toStdString()));
    expectConnectOffered();
    EXPECT_FALSE(action("FollowFile1")->isChecked());
    EXPECT_EQ(liveStatus(), "Disconnected from " + server);
}

TEST_F(ServerConnectionTest, AnotherOpenOrClosingTheWindowDisconnectsAndTheRecordingStays)
{
    const uint16_t port = serve();
    ASSERT_NE(port, 0);
    const QString server = connectTo(port);
    const QString recording = window_.currentFileName;
    ASSERT_TRUE(waitFor([&] { return timeRows() > 0; }));

    window_.currentFileName = demoArchive;
    window_.openArchive(false);
    expectConnectOffered();
    EXPECT_EQ(liveStatus(), "Disconnected from " + server);
    EXPECT_EQ(window_.windowTitle(), "ORVIK-EGSE: " + demoArchive);
    const qint64 recorded = QFileInfo(recording).size();
    EXPECT_GT(recorded, 0);

    ASSERT_TRUE(window_.connectToServer(live::ServerAddress{"127.0.0.1", port},
                                        newRecordingPath(live::ServerAddress{"127.0.0.1", port}, recordings_.path())));
    EXPECT_NE(window_.currentFileName, recording) << "a recording of its own";
    window_.close();
    EXPECT_FALSE(window_.connectedToServer());
    EXPECT_EQ(QFileInfo(recording).size(), recorded);
}

TEST(ViewerCommandLineTest, LiveAndConnectMakeTheConnectionUsableAndABadAddressIsRefused)
{
    const ViewerCommandLine plain = parseViewerCommandLine({"orvik-egse", "a.cvlbin"});
    EXPECT_FALSE(plain.live);
    EXPECT_FALSE(plain.server);
    const ViewerCommandLine live = parseViewerCommandLine({"orvik-egse", "--live", "a.cvlbin"});
    EXPECT_EQ(live.request, ViewerCommandLine::Request::Run);
    EXPECT_TRUE(live.live);
    EXPECT_EQ(live.archive, "a.cvlbin");
    const ViewerCommandLine connect = parseViewerCommandLine({"orvik-egse", "--connect", "[::1]:4000"});
    EXPECT_EQ(connect.request, ViewerCommandLine::Request::Run);
    EXPECT_TRUE(connect.live);
    EXPECT_EQ(connect.server, (live::ServerAddress{"::1", 4000}));

    for (const auto& [arguments, why] : std::vector<std::pair<QStringList, QString>>{
             {{"--connect", "localhost"}, "--connect: 'localhost' is not HOST:PORT."},
             {{"--connect", "localhost:0"}, "--connect: the port of 'localhost:0' is not a number from 1 to 65535."},
             {{"--connect", "localhost:4000", "a.cvlbin"},
              "--connect and an archive exclude each other: the connection opens its recording."}}) {
        const ViewerCommandLine refused = parseViewerCommandLine(QStringList{"orvik-egse"} + arguments);
        EXPECT_EQ(refused.request, ViewerCommandLine::Request::Refused) << arguments.join(' ').toStdString();
        EXPECT_EQ(refused.text, why);
    }
    // The program says so on standard error and ends with status 2, before any window.
    test::ChildProcess program(ORVIK_EGSE_PROGRAM, {"--connect", "nohost"});
    EXPECT_EQ(program.wait(), 2);
    EXPECT_EQ(program.out(), "");
    EXPECT_THAT(program.err(), HasSubstr("orvik-egse: --connect: 'nohost' is not HOST:PORT.\n"));
}

TEST_F(ServerConnectionTest, TheConnectionIsOfferedOnlyWithLiveOrConnect)
{
    window_.startUp({"orvik-egse"});
    EXPECT_FALSE(action("Connecttoserver1")->isEnabled());
    EXPECT_FALSE(action("Disconnect1")->isEnabled());
    EXPECT_FALSE(findNamed<QLabel>(window_, "LiveStatus")->isVisible());
    TForm1 live;
    live.startUp({"orvik-egse", "--live"});
    EXPECT_TRUE(findNamed<QAction>(live, "Connecttoserver1")->isEnabled());
    EXPECT_FALSE(findNamed<QAction>(live, "Disconnect1")->isEnabled());
}

TEST(RecordingNameTest, ARecordingIsNamedAfterTheServerAndTheStartAndNeverAppendsToAnother)
{
    const QDateTime start(QDate(2026, 12, 10), QTime(10, 44, 33), QTimeZone::utc());
    EXPECT_EQ(recordingFileName({"localhost", 4000}, start), "localhost-4000-20261210T104433Z.cvlbin");
    EXPECT_EQ(recordingFileName({"fe80::1", 4000}, start.toOffsetFromUtc(3600)),
              "fe80--1-4000-20261210T104433Z.cvlbin");

    QTemporaryDir scratch;
    ASSERT_TRUE(scratch.isValid());
    const QString folder = scratch.filePath("ORVIK recordings");
    const QString first = newRecordingPath({"localhost", 4000}, folder, start);
    EXPECT_TRUE(QFileInfo(folder).isDir()) << "made when missing";
    EXPECT_EQ(first, folder + "/localhost-4000-20261210T104433Z.cvlbin");
    QFile(first).open(QIODevice::WriteOnly);
    const QString second = newRecordingPath({"localhost", 4000}, folder, start);
    EXPECT_EQ(second, folder + "/localhost-4000-20261210T104433Z-2.cvlbin");
    QFile(second).open(QIODevice::WriteOnly);
    EXPECT_EQ(newRecordingPath({"localhost", 4000}, folder, start),
              folder + "/localhost-4000-20261210T104433Z-3.cvlbin");
}

} // namespace
