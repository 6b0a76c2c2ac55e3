#include "app/settings/WindowPlacement.h"

#include "app/settings/Registry.h"
#include "tests/app/SettingsTest.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <array>
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
