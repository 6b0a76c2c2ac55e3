// Window follow benchmark: orvik-sim writes a campaign into a file in real time
// while the main window follows it offscreen ("Follow file" on, the five groups
// expanded, the time list at its end). Reports the packets shown against those
// written, the latency from a packet's arrival in the file to its row in the time
// list, the delay of the window's event loop while following (how late a 10 ms
// timer fires), and the memory per packet against a window that opened the
// finished file.
// With --serve, orvik-sim serves the campaign over TCP on localhost instead and the
// window connects to it, recording and following the recording; the latency is then
// from the server's send (its copy of the bytes sent growing) to the time list, and
// the bytes received are compared with those sent.
//
//   window_follow_bench ORVIK_SIM [PACKETS_PER_SECOND [SECONDS]] [--serve]    (default 5000 for 60 s)

#include "bench/GrowthClock.h"
#include "bench/LiveWriter.h"
#include "app/models/TimeListModel.h"
#include "app/settings/Registry.h"
#include "app/Unit1.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QWidget>

#include <chrono>
#include <cstdio>
#include <memory>
#include <regex>
#include <thread>
#include <string>
#include <vector>

#include <malloc.h>
#include <sys/wait.h>

using namespace orvik::app;

namespace {

using Clock = GrowthClock::Clock;

double milliseconds(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

// The port the server says it listens on; 0 when it says nothing for ten seconds.
uint16_t listeningPort(const std::string& report)
{
    static const std::regex listening("listening on 127\\.0\\.0\\.1:([0-9]+)");
    for (int k = 0; k < 1000; ++k) {
        std::ifstream in(report);
        const std::string text((std::istreambuf_iterator<char>(in)), {});
        std::smatch match;
        if (std::regex_search(text, match, listening))
            return uint16_t(std::stoul(match[1]));
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return 0;
}

uint64_t fileBytes(const std::string& file)
{
    std::error_code ec;
    const uint64_t size = std::filesystem::file_size(file, ec);
    return ec ? 0 : size;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::vector<std::string> args(argv + 1, argv + argc);
    const bool serve = std::erase(args, "--serve") > 0;
    if (args.empty()) {
        std::fprintf(stderr, "usage: window_follow_bench ORVIK_SIM [PACKETS_PER_SECOND [SECONDS]] [--serve]\n");
        return 2;
    }
    const std::string sim = args[0], rate = args.size() > 1 ? args[1] : "5000", duration = args.size() > 2 ? args[2] : "60";
    QTemporaryDir dir;
    orvik::app::RegistryKey::setUserRoot(dir.path());
    const std::string file = dir.filePath("live.cvlbin").toStdString(), report = dir.filePath("writer.txt").toStdString();
    const std::string sent = dir.filePath("sent.cvlbin").toStdString();
    if (!serve)
        std::ofstream(file, std::ios::binary).close();

    // An open of an empty file, or one cut inside a frame, reports in a box: close such boxes.
    QTimer boxCloser;
    QObject::connect(&boxCloser, &QTimer::timeout, [] {
        if (QWidget* box = QApplication::activeModalWidget())
            box->close();
    });
    boxCloser.start(50);

    auto window = std::make_unique<TForm1>();
    window->show();
    QApplication::processEvents();
    const double baseline = residentBytes();
    // The server waits for its first client before its campaign begins.
    const pid_t writer = serve ? startSim(sim, {"--serve", "0", "--rate", rate, "--duration", duration, "--copy", sent}, report)
                               : startLiveWriter(sim, file, rate, duration, report);
    const uint16_t port = serve && writer ? listeningPort(report) : 0;
    if (writer == 0 || (serve && port == 0)) {
        std::fprintf(stderr, "window_follow_bench: cannot start %s\n", sim.c_str());
        return 2;
    }
    GrowthClock clock(serve ? sent : file);
    if (serve) {
        window->connectToServer({"127.0.0.1", port}, QString::fromStdString(file));
    } else {
        window->currentFileName = QString::fromStdString(file);
        window->openArchive(false);
    }
    auto* tree = window->findChild<QTreeView*>("TreeView1");
    auto* timeList = window->findChild<QAbstractItemView*>("ListBox1");
    auto* model = qobject_cast<TimeListModel*>(timeList->model());
    QAction* follow = window->findChild<QAction*>("FollowFile1");
    if (!tree || !model || !follow) {
        std::fprintf(stderr, "window_follow_bench: the window has no TreeView1, ListBox1 or FollowFile1\n");
        return 2;
    }
    tree->expandToDepth(0);
    follow->setChecked(true);

    std::vector<double> latencies, delays;
    QObject::connect(model, &QAbstractItemModel::rowsInserted, [&](const QModelIndex&, int first, int last) {
        const auto shown = Clock::now();
        const orvik::ArchiveDocument& doc = window->document();
        for (int row = first; row <= last; ++row)
            if (const orvik::RawPacket* packet = doc.tree().wrapper(model->nodeAt(row)).packet())
                if (const auto written = clock.reached(*doc.reader().fileOffset(*packet) + packet->size))
                    latencies.push_back(milliseconds(shown - *written));
    });
    QTimer tick;
    auto due = Clock::now() + std::chrono::milliseconds(10);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const auto now = Clock::now();
        delays.push_back(std::max(0.0, milliseconds(now - due)));
        due = now + std::chrono::milliseconds(10);
    });
    tick.setTimerType(Qt::PreciseTimer);
    tick.start(10);

    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        int status = 0;
        // -1: reaped already (by the toolkit's child handling); either way the writer is done.
        if (const pid_t done = waitpid(writer, &status, WNOHANG); done == writer || done < 0) {
            poll.stop();
            QTimer::singleShot(1000, &app, [&] { app.quit(); }); // the last steps catch up, then stop
        }
    });
    poll.start(100);
    app.exec();
    tick.stop();
    if (serve)
        window->Disconnect1Click();
    else
        follow->setChecked(false);
    QApplication::processEvents();
    const double followBytes = residentBytes() - baseline;
    const size_t shownPackets = window->document().reader().count();
    const size_t shownEntries = size_t(model->rowCount());
    window.reset();
    malloc_trim(0);

    auto opened = std::make_unique<TForm1>();
    opened->show();
    QApplication::processEvents();
    const double openBaseline = residentBytes();
    opened->currentFileName = QString::fromStdString(file);
    opened->openArchive(false);
    const double openBytes = residentBytes() - openBaseline;
    const size_t openPackets = opened->document().reader().count();

    std::printf("%s: %s\n", serve ? "server" : "writer", writerReport(report).c_str());
    if (serve)
        std::printf("bytes received and recorded: %llu of %llu sent\n", (unsigned long long)fileBytes(file),
                    (unsigned long long)fileBytes(sent));
    std::printf("packets shown: %zu (a window that opened the file: %zu); time-list rows %zu (open: %zu)\n",
                shownPackets, openPackets, shownEntries, opened->document().timeListNodes().size());
    const double latencyP50 = quantile(latencies, 0.5), latencyP99 = quantile(latencies, 0.99);
    std::printf("latency from the %s to the time list: p50 %.1f ms, p99 %.1f ms (goal p99 <= 250 ms), %zu rows\n",
                serve ? "server's send" : "file", latencyP50, latencyP99, latencies.size());
    const double delayP50 = quantile(delays, 0.5), delayP99 = quantile(delays, 0.99), delayMax = quantile(delays, 1);
    std::printf("event-loop delay while following: p50 %.1f ms, p99 %.1f ms (goal <= 50 ms), max %.1f ms\n", delayP50,
                delayP99, delayMax);
    std::printf("memory per packet: followed %.1f B, opened %.1f B (ratio %.3f)\n", followBytes / double(shownPackets),
                openBytes / double(openPackets), (followBytes / double(shownPackets)) / (openBytes / double(openPackets)));
    return 0;
}
