// orvik-monkey: random user actions on the real main window, offscreen, from a seed.
//
//   orvik-monkey [--seed N] [--actions K] [--archives DIR] [--large BYTES] [--tc-editor] [--trace]
//
// Exit status 0 when every invariant held after every action, 1 at the first finding
// (printed with the actions before it and the command line that replays it), 2 for a
// bad command line. A crash or a sanitizer report ends the process as it would end the viewer.

#include "tests/monkey/ArchiveSet.h"
#include "tests/monkey/Monkey.h"

#include "app/settings/Registry.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDesktopServices>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

#include <iostream>

namespace {
// "Open enclosed folder..." would start the desktop's file manager: the monkey takes the folder instead.
class FolderOpener : public QObject {
    Q_OBJECT
public slots:
    void open(const QUrl&) {}
};

uint64_t number(const QCommandLineParser& parser, const QString& option, uint64_t otherwise)
{
    if (!parser.isSet(option))
        return otherwise;
    bool ok = false;
    const uint64_t value = parser.value(option).toULongLong(&ok);
    if (!ok) {
        std::cerr << "orvik-monkey: --" << option.toStdString() << " takes a whole number\n";
        std::exit(2);
    }
    return value;
}
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication application(argc, argv);

    QCommandLineParser parser;
    parser.setApplicationDescription("Random user actions on the main window, checked after each one.");
    parser.addHelpOption();
    parser.addOptions({{"seed", "the seed that decides every action (1 if not given)", "N"},
                       {"actions", "how many actions (1000 if not given)", "K"},
                       {"archives", "opens the files in DIR as well", "DIR"},
                       {"large", "adds a simulated archive of BYTES bytes", "BYTES"},
                       {"tc-editor", "starts the window with the telecommand editor usable"},
                       {"trace", "prints every action as it is done"}});
    if (!parser.parse(application.arguments())) {
        std::cerr << "orvik-monkey: " << parser.errorText().toStdString() << '\n';
        return 2;
    }
    if (parser.isSet("help"))
        parser.showHelp();

    orvik::monkey::MonkeyOptions options;
    options.seed = number(parser, "seed", 1);
    options.actions = number(parser, "actions", 1000);
    options.tcEditor = parser.isSet("tc-editor");
    options.trace = parser.isSet("trace");

    QTemporaryDir scratch; // the archives, the files saved, the settings
    orvik::app::RegistryKey::setUserRoot(scratch.filePath("settings"));
    FolderOpener opener;
    QDesktopServices::setUrlHandler("file", &opener, "open");
    const QStringList archives = orvik::monkey::writeArchiveSet(
        scratch.path(), {QStringLiteral(ORVIK_DEMO_ARCHIVE), number(parser, "large", 0)}, parser.value("archives"));

    bool clean = false;
    std::map<std::string, uint64_t> counts;
    {
        orvik::monkey::Monkey monkey(options, archives, scratch.path());
        clean = monkey.run(std::cout);
        counts = monkey.counts();
    }
    uint64_t done = 0;
    std::cout << "seed " << options.seed << ":";
    for (const auto& [name, count] : counts) {
        std::cout << ' ' << name << '=' << count;
        done += count;
    }
    std::cout << "\nseed " << options.seed << ": " << done << " actions, " << (clean ? 0 : 1) << " findings"
              << std::endl;
    QDesktopServices::unsetUrlHandler("file");
    return clean ? 0 : 1;
}

#include "main.moc"
