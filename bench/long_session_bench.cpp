// Long session benchmark: one main window opens 500 archives in a row (the demo
// archive, simulated ones small and large, every malformed one, an empty file and a
// missing one), showing a node of every kind in each. The 500th open is the first
// file again, so the resident memory after it compares with that after the first
// open: a ratio near 1 means no growth per open.
//
//   long_session_bench [OPENS [LARGE_BYTES]]    (default 500 opens, a 32 MiB large archive)

#include "tests/monkey/ArchiveSet.h"
#include "tests/monkey/LongSession.h"
#include "tests/monkey/ModalAnswerer.h"

#include "app/Unit1.h"
#include "app/settings/Registry.h"

#include <QApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int opens = argc > 1 ? std::atoi(argv[1]) : 500;
    const uint64_t largeBytes = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 32u << 20;
    if (opens < 2) {
        std::fprintf(stderr, "usage: long_session_bench [OPENS [LARGE_BYTES]] (OPENS >= 2)\n");
        return 2;
    }
    QTemporaryDir scratch;
    orvik::app::RegistryKey::setUserRoot(scratch.filePath("settings"));
    const QStringList files =
        orvik::monkey::writeArchiveSet(scratch.path(), {QStringLiteral(ORVIK_DEMO_ARCHIVE), largeBytes});
    orvik::monkey::Random random(1);
    const orvik::monkey::ModalAnswerer answerer(random, [] { return QString(); }, scratch.path()); // warning boxes

    orvik::app::TForm1 window;
    window.show();
    size_t first = 0, peak = 0, kinds = 0;
    for (int open = 0; open < opens; ++open) {
        // The last open is the first file again.
        const QString& file = files[open == opens - 1 ? 0 : qsizetype(open % files.size())];
        kinds += orvik::monkey::openAndShowEveryKind(window, file);
        const size_t resident = orvik::monkey::residentBytes();
        peak = std::max(peak, resident);
        if (open == 0)
            first = resident;
    }
    const size_t last = orvik::monkey::residentBytes();
    std::printf("%d opens of %lld files, %zu nodes shown (one of every kind in each)\n", opens,
                static_cast<long long>(files.size()), kinds);
    std::printf("resident after the first open %.1f MiB, after the last %.1f MiB, peak %.1f MiB\n",
                double(first) / (1 << 20), double(last) / (1 << 20), double(peak) / (1 << 20));
    std::printf("last / first: %.3f\n", double(last) / double(first));
    return 0;
}
