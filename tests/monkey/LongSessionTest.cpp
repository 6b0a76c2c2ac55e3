// One window goes through the archive set several times over: every open leaves the
// window agreeing with its document, and a file opened again shows the same kinds
// as the first time. In the sanitizer build LeakSanitizer checks that the opens
// leave nothing behind; bench/long_session_bench measures the resident memory.

#include "tests/monkey/ArchiveSet.h"
#include "tests/monkey/LongSession.h"
#include "tests/monkey/ModalAnswerer.h"
#include "tests/monkey/WindowInvariants.h"

#include "app/Unit1.h"
#include "app/settings/Registry.h"
#include "display/MainDisplay.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(LongSessionTest, SixtyOpensInOneWindowEachShowEveryKindOfTheirArchive)
{
    QTemporaryDir scratch;
    orvik::app::RegistryKey::setUserRoot(scratch.filePath("settings"));
    const QStringList files = orvik::monkey::writeArchiveSet(scratch.path(), {QStringLiteral(ORVIK_DEMO_ARCHIVE)});
    orvik::monkey::Random random(1);
    const orvik::monkey::ModalAnswerer answerer(random, [] { return QString(); }, scratch.path());
    orvik::monkey::WindowInvariants invariants;
    std::vector<size_t> kindsShown(size_t(files.size()));
    {
        orvik::app::TForm1 window;
        window.show();
        for (int open = 0; open < 60; ++open) {
            const size_t file = size_t(open % files.size());
            const size_t kinds = orvik::monkey::openAndShowEveryKind(window, files[qsizetype(file)]);
            EXPECT_EQ(invariants.check(window), std::vector<std::string>()) << files[qsizetype(file)].toStdString();
            if (open < files.size())
                kindsShown[file] = kinds;
            else
                EXPECT_EQ(kinds, kindsShown[file]) << files[qsizetype(file)].toStdString();
        }
    }
    // The demo archive holds every kind the dispatcher shows.
    EXPECT_GE(kindsShown[0], orvik::display::MainDisplay::kindDisplays().size());
    orvik::app::RegistryKey::setUserRoot({});
}

} // namespace
