// orvik-egse --help and --version: answered on the console without a display, with
// the program named as installed, as its manual page shows it.

#include "tests/dump/ChildProcess.h"

#include "app/ViewerCommandLine.h"

#include <QRegularExpression>
#include <QtGlobal>

#include <iterator>
#include <vector>

#include <gtest/gtest.h>

using namespace orvik;
using namespace orvik::app;

namespace {

// The child sees the desktop's platform and no display to connect to.
class NoDisplay {
public:
    NoDisplay()
    {
        for (const char* name : names)
            saved_.push_back(qgetenv(name));
        qputenv("QT_QPA_PLATFORM", "xcb");
        qunsetenv("DISPLAY");
        qunsetenv("WAYLAND_DISPLAY");
    }
    ~NoDisplay()
    {
        for (size_t i = 0; i < std::size(names); ++i)
            saved_[i].isNull() ? qunsetenv(names[i]) : qputenv(names[i], saved_[i]);
    }

private:
    static constexpr const char* names[] = {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"};
    std::vector<QByteArray> saved_;
};

} // namespace

TEST(ViewerHelpTest, HelpAndVersionNeedNoDisplayAndNameTheProgramAsInstalled)
{
    const ViewerCommandLine help = parseViewerCommandLine({"/opt/egse/bin/orvik-egse", "--help"});
    ASSERT_EQ(help.request, ViewerCommandLine::Request::Help);
    EXPECT_TRUE(help.text.startsWith("Usage: orvik-egse [options] [FILE]\n")) << help.text.toStdString();

    const NoDisplay noDisplay;
    test::ChildProcess helpProgram(ORVIK_EGSE_PROGRAM, {"--help"});
    EXPECT_EQ(helpProgram.wait(), 0) << helpProgram.err();
    EXPECT_EQ(helpProgram.out(), help.text.toStdString());
    test::ChildProcess versionProgram(ORVIK_EGSE_PROGRAM, {"--version"});
    EXPECT_EQ(versionProgram.wait(), 0) << versionProgram.err();
    EXPECT_TRUE(QRegularExpression(R"(^orvik-egse \d+\.\d+\.\d+\.\d+\n$)")
                    .match(QString::fromStdString(versionProgram.out())).hasMatch())
        << versionProgram.out();
}
