// Search benchmark: filtering the nodes of a large archive for a needle, as the
// search field does on every keystroke, against the open of the same archive.
// Needles: a common one, a rare one, one that matches nothing, and "Spectrum"
// typed one letter at a time. Also how long a running search takes to give up
// when the needle changes under it, and the keystroke in the window: from the
// field's new text to both lists repainted with the result.
//
//   search_bench ARCHIVE

#include "bench/BestOf.h"
#include "archive/ArchiveDocument.h"
#include "archive/NodeFilter.h"
#include "app/settings/Registry.h"
#include "app/Unit1.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

using namespace orvik::app;

namespace {

std::string inQuotes(std::string_view text)
{
    std::string out(1, '"');
    out += text;
    out += '"';
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: search_bench ARCHIVE\n");
        return 2;
    }
    orvik::ArchiveDocument doc;
    const auto openStart = std::chrono::steady_clock::now();
    if (!doc.open(argv[1])) {
        std::fprintf(stderr, "%s\n", doc.openError().c_str());
        return 2;
    }
    const double openSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - openStart).count();
    std::printf("%zu nodes, %zu time-list entries; open: %.3f s\n", doc.tree().size(), doc.timeListNodes().size(),
                openSeconds);

    const auto search = [&](const std::string& needle) {
        size_t entries = 0, shown = 0;
        const double seconds = bestOf(3, [&] {
            auto filter = orvik::filterNodes(doc.tree(), needle);
            entries = filter->timeListNodes().size();
            shown = filter->shownCount();
            return filter;
        });
        std::printf("  %-22s %9zu entries %9zu shown  %7.1f ms  (open / search: %.0f)\n",
                    inQuotes(needle).c_str(), entries, shown, seconds * 1e3, openSeconds / seconds);
    };
    std::printf("needles:\n");
    for (const char* needle : {"hk", "Regular HK", "Memory Dump (DPU)", "Spectrum 7 (", "no such node"})
        search(needle);
    std::printf("typing \"Spectrum\":\n");
    const std::string typed = "Spectrum";
    for (size_t n = 1; n <= typed.size(); ++n)
        search(typed.substr(0, n));

    // A search cancelled 2 ms after it started: the time from the flag to its end.
    std::atomic<bool> cancelled{false};
    std::chrono::steady_clock::time_point ended;
    std::thread worker([&] {
        orvik::filterNodes(doc.tree(), "e", &cancelled);
        ended = std::chrono::steady_clock::now();
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    const auto flagged = std::chrono::steady_clock::now();
    cancelled = true;
    worker.join();
    std::printf("cancelled search ends %.2f ms after the flag\n",
                std::chrono::duration<double>(ended - flagged).count() * 1e3);

    QTemporaryDir settings; // the window's placement and recent files stay out of the user's settings
    orvik::app::RegistryKey::setUserRoot(settings.path());
    TForm1 window;
    window.show();
    window.currentFileName = QString::fromLocal8Bit(argv[1]);
    window.openArchive(false);
    auto* edit = window.findChild<QLineEdit*>("SearchEdit");
    auto* tree = window.findChild<QAbstractItemView*>("TreeView1");
    auto* timeList = window.findChild<QAbstractItemView*>("ListBox1");
    std::printf("window, keystroke to both lists repainted:\n");
    // The result is in when the time list's model has been reset with it.
    int results = 0;
    QObject::connect(timeList->model(), &QAbstractItemModel::modelReset, [&] { ++results; });
    for (const char* needle : {"S", "Sp", "Spectrum", "Regular HK", "no such node", ""}) {
        QElapsedTimer timer;
        timer.start();
        const int before = results;
        edit->setText(needle);
        while (results == before)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        tree->viewport()->repaint();
        timeList->viewport()->repaint();
        const double seconds = timer.nsecsElapsed() / 1e9;
        std::printf("  %-22s %7.1f ms  (open / keystroke: %.0f)\n", inQuotes(needle).c_str(),
                    seconds * 1e3, openSeconds / seconds);
    }
    return 0;
}
