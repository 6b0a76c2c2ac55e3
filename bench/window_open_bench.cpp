// Window open benchmark: opening an archive in the main window and painting its
// tree and time list (top, then scrolled to the end) against the open that
// orvik-dump runs on the same file. The views are virtual: the ratio shows what
// the window adds on top of the core's open.
//
//   window_open_bench ARCHIVE

#include "bench/BestOf.h"
#include "archive/ArchiveDocument.h"
#include "app/settings/Registry.h"
#include "app/Unit1.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QTemporaryDir>
#include <QTreeView>

#include <cstdio>
#include <memory>

using namespace orvik::app;

namespace {

void paintNow(QAbstractItemView* view, bool toEnd)
{
    if (toEnd)
        view->scrollToBottom();
    view->viewport()->repaint();
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: window_open_bench ARCHIVE\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    QTemporaryDir settings; // the window's placement and recent files stay out of the user's settings
    orvik::app::RegistryKey::setUserRoot(settings.path());

    size_t nodes = 0;
    const auto coreOpen = [&] {
        auto doc = std::make_unique<orvik::ArchiveDocument>();
        doc->open(path.toStdString());
        nodes = doc->tree().size();
        return doc;
    };
    // The allocator settles during the first large opens: the core is measured
    // before and after the window, and its best time counts.
    double coreSeconds = bestOf(3, coreOpen);

    // A fresh window for every run, as a fresh orvik-dump process opens the file;
    // building and destroying the window is not timed.
    std::unique_ptr<TForm1> window;
    QTreeView* tree = nullptr;
    QAbstractItemView* timeList = nullptr;
    double windowSeconds = 1e300;
    for (int run = 0; run < 3; ++run) {
        window = std::make_unique<TForm1>();
        window->show();
        QApplication::processEvents();
        tree = window->findChild<QTreeView*>("TreeView1");
        timeList = window->findChild<QAbstractItemView*>("ListBox1");
        windowSeconds = std::min(windowSeconds, bestOf(1, [&] {
            window->currentFileName = path;
            window->openArchive(false);
            paintNow(tree, false);
            paintNow(timeList, false);
            return 0;
        }));
    }
    const double scrollSeconds = bestOf(3, [&] {
        tree->collapseAll();
        tree->expandToDepth(0); // the five groups open: the tree's full length but for dataset contents
        paintNow(tree, true);
        paintNow(timeList, true);
        return 0;
    });
    const long long entries = timeList->model()->rowCount();
    window.reset();
    coreSeconds = std::min(coreSeconds, bestOf(3, coreOpen));

    std::printf("%zu nodes, %lld time-list entries\n", nodes, entries);
    std::printf("orvik-dump open: %.3f s\nwindow open to first paint: %.3f s\n"
                "then groups expanded and both lists scrolled to the end: %.3f s\nfirst paint / orvik-dump open ratio: %.2f\n",
                coreSeconds, windowSeconds, scrollSeconds, windowSeconds / coreSeconds);
    return 0;
}
