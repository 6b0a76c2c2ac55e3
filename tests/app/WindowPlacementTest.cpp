#include "app/settings/WindowPlacement.h"

#include "app/settings/Registry.h"
#include "tests/app/SettingsTest.h"

#include <QFile>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <array>
#include <limits>
#include <optional>

using orvik::app::RegistryKey;
using orvik::app::restoreWindowPlacement;
using orvik::app::saveWindowPlacement;

namespace {

using Stored = std::array<std::optional<qint32>, 4>; // left, top, height, width

Stored stored()
{
    const RegistryKey key(QStringLiteral("orvikegse"));
    return {key.readInteger(QStringLiteral("win_pos_left")), key.readInteger(QStringLiteral("win_pos_top")),
            key.readInteger(QStringLiteral("win_pos_height")), key.readInteger(QStringLiteral("win_pos_width"))};
}

} // namespace

class WindowPlacementTest : public SettingsTest {
protected:
    QRect restore(QSize screen)
    {
        RegistryKey key(QStringLiteral("orvikegse"));
        return restoreWindowPlacement(key, screen);
    }
};

TEST_F(WindowPlacementTest, FirstRunCreatesTheDefaultsAndKeepsThemOnTheScreen)
{
    EXPECT_EQ(restore(QSize(1920, 1080)), QRect(0, 0, 900, 577));
    EXPECT_EQ(stored(), (Stored{0, 0, 577, 900}));
    EXPECT_EQ(restore(QSize(800, 500)), QRect(0, 0, 800, 500));
    EXPECT_EQ(stored(), (Stored{0, 0, 577, 900}));
}

TEST_F(WindowPlacementTest, StoredPlacementIsLimitedToTheScreenSize)
{
    RegistryKey key(QStringLiteral("orvikegse"));
    saveWindowPlacement(key, QRect(-8, 30, 3000, 2000));
    EXPECT_EQ(restoreWindowPlacement(key, QSize(1920, 1080)), QRect(-8, 30, 1920, 1080));
    EXPECT_EQ(restoreWindowPlacement(key, QSize(3200, 2400)), QRect(-8, 30, 3000, 2000));
    EXPECT_EQ(stored(), (Stored{-8, 30, 2000, 3000}));
}

TEST_F(WindowPlacementTest, OnlyMissingValuesAreCreated)
{
    RegistryKey key(QStringLiteral("orvikegse"));
    key.writeInteger(QStringLiteral("win_pos_height"), 700);
    key.writeString(QStringLiteral("win_pos_left"), QStringLiteral("far left"));
    EXPECT_EQ(restoreWindowPlacement(key, QSize(1920, 1080)), QRect(0, 0, 900, 700));
    EXPECT_EQ(key.readString(QStringLiteral("win_pos_left")), QStringLiteral("far left"));
    EXPECT_EQ(stored(), (Stored{std::nullopt, 0, 700, 900}));
}

TEST_F(WindowPlacementTest, ValuesNoWindowCanTakeReadAsTheirDefaultsAndStayStored)
{
    const qint32 most = std::numeric_limits<qint32>::max(), least = std::numeric_limits<qint32>::min();
    RegistryKey key(QStringLiteral("orvikegse"));
    const auto storeValues = [&key](const Stored& values) {
        const char* names[] = {"win_pos_left", "win_pos_top", "win_pos_height", "win_pos_width"};
        for (size_t i = 0; i < values.size(); ++i)
            key.writeInteger(QLatin1String(names[i]), *values[i]);
    };
    storeValues({most, least, 0, -5});
    EXPECT_EQ(restoreWindowPlacement(key, QSize(1920, 1080)), QRect(0, 0, 900, 577));
    EXPECT_EQ(stored(), (Stored{most, least, 0, -5}));

    // The farthest edges and the smallest size a window can take are taken.
    storeValues({QWIDGETSIZE_MAX, -QWIDGETSIZE_MAX, 1, QWIDGETSIZE_MAX});
    EXPECT_EQ(restoreWindowPlacement(key, QSize(1920, 1080)), QRect(QWIDGETSIZE_MAX, -QWIDGETSIZE_MAX, 1920, 1));
}

#if !defined(Q_OS_WIN) && !defined(Q_OS_DARWIN)
// Edited by hand: numbers too large, fractions, lists and stored variants are no integers.
TEST_F(WindowPlacementTest, AnEditedSettingsFileGivesTheDefaultsForWhatIsNoInteger)
{
    QFile file(scratch_.filePath(QStringLiteral("orvikegse.conf")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[General]\nwin_pos_left=99999999999\nwin_pos_top=12.5\nwin_pos_height=700, 800\n"
               "win_pos_width=@Variant(\\0\\0\\0\\x7f\\0\\0\\0)\n");
    file.close();
    EXPECT_EQ(restore(QSize(1920, 1080)), QRect(0, 0, 900, 577));
}
#endif

TEST_F(WindowPlacementTest, AWindowPlacedWhereNoScreenIsComesToTheCornerOfItsScreen)
{
    QWidget window;
    const QRect screen = window.screen()->availableGeometry();
    RegistryKey key(QStringLiteral("orvikegse"));
    saveWindowPlacement(key, QRect(screen.right() + 5000, screen.top() - 3000, 300, 200));
    restoreWindowPlacement(window);
    EXPECT_EQ(window.pos(), screen.topLeft());
    EXPECT_EQ(window.size(), QSize(300, 200));

    // Partly on the screen, it stays where it was.
    saveWindowPlacement(key, QRect(screen.left() - 100, screen.top() - 20, 300, 200));
    restoreWindowPlacement(window);
    EXPECT_EQ(window.pos(), QPoint(screen.left() - 100, screen.top() - 20));
}

TEST_F(WindowPlacementTest, WindowReopensWhereItWasClosed)
{
    QWidget first;
    restoreWindowPlacement(first);
    const QSize screen = first.screen()->availableGeometry().size();
    EXPECT_EQ(first.pos(), QPoint(0, 0));
    EXPECT_EQ(first.size(), QSize(std::min(900, screen.width()), std::min(577, screen.height())));

    first.move(40, 50);
    first.resize(640, 480);
    saveWindowPlacement(first);
    EXPECT_EQ(stored(), (Stored{40, 50, 480, 640}));

    QWidget second;
    restoreWindowPlacement(second);
    EXPECT_EQ(second.pos(), QPoint(40, 50));
    EXPECT_EQ(second.size(), QSize(640, 480));
}

TEST_F(WindowPlacementTest, SettingsThatCannotBeOpenedGiveTheDefaults)
{
    if (!blockSettings())
        GTEST_SKIP() << "settings cannot be blocked here";
    EXPECT_EQ(restore(QSize(1920, 1080)), QRect(0, 0, 900, 577));
    RegistryKey key(QStringLiteral("orvikegse"));
    saveWindowPlacement(key, QRect(1, 2, 3, 4));
    EXPECT_EQ(stored(), (Stored{}));
}
