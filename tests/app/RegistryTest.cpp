#include "app/settings/Registry.h"
#include "tests/app/SettingsTest.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>

#if !defined(Q_OS_WIN)
#include <sys/stat.h>
#endif

using orvik::app::RegistryKey;

namespace {

const QString placementKey = QStringLiteral("orvikegse");
const QString recentKey = QStringLiteral("orvikegse\\cvlbins");
#if defined(Q_OS_DARWIN)
constexpr const char* settingsFile = "orvikegse.plist";
#else
constexpr const char* settingsFile = "orvikegse.conf";
#endif

} // namespace

using RegistryTest = SettingsTest;

TEST_F(RegistryTest, ValuesSurviveTheKeyThatWroteThem)
{
    const QString name = QStringLiteral("C:\\Mess daten\\Flüge & Tests\\a.cvlbin");
    {
        RegistryKey key(recentKey);
        ASSERT_TRUE(key.isOpen());
        key.writeInteger(QStringLiteral("low"), std::numeric_limits<qint32>::min());
        key.writeInteger(QStringLiteral("high"), std::numeric_limits<qint32>::max());
        key.writeString(QStringLiteral("MRU0"), name);
    }
    const RegistryKey key(recentKey);
    EXPECT_EQ(key.readInteger(QStringLiteral("low")), std::numeric_limits<qint32>::min());
    EXPECT_EQ(key.readInteger(QStringLiteral("high")), std::numeric_limits<qint32>::max());
    EXPECT_EQ(key.readString(QStringLiteral("MRU0")), name);
}

TEST_F(RegistryTest, MissingDeletedAndNonIntegerValues)
{
    RegistryKey key(placementKey);
    key.writeInteger(QStringLiteral("win_pos_left"), 12);
    key.writeString(QStringLiteral("win_pos_top"), QStringLiteral("twelve"));
    EXPECT_TRUE(key.valueExists(QStringLiteral("win_pos_left")));
    EXPECT_EQ(key.readInteger(QStringLiteral("win_pos_top")), std::nullopt);

    key.deleteValue(QStringLiteral("win_pos_left"));
    EXPECT_FALSE(key.valueExists(QStringLiteral("win_pos_left")));
    EXPECT_EQ(key.readInteger(QStringLiteral("win_pos_left")), std::nullopt);
    EXPECT_EQ(key.readString(QStringLiteral("win_pos_left")), QString());
    EXPECT_TRUE(key.valueExists(QStringLiteral("win_pos_top")));
}

TEST_F(RegistryTest, SubKeyHoldsItsOwnValues)
{
    RegistryKey top(placementKey);
    RegistryKey sub(recentKey);
    top.writeString(QStringLiteral("MRU0"), QStringLiteral("top"));
    sub.writeString(QStringLiteral("MRU0"), QStringLiteral("sub"));
    sub.deleteValue(QStringLiteral("MRU0"));
    EXPECT_EQ(top.readString(QStringLiteral("MRU0")), QStringLiteral("top"));
    EXPECT_FALSE(sub.valueExists(QStringLiteral("MRU0")));
    EXPECT_FALSE(top.valueExists(QStringLiteral("cvlbins")));
}

#if !defined(Q_OS_WIN) && !defined(Q_OS_DARWIN)
TEST_F(RegistryTest, KeyIsAFileAndSubKeysAreItsGroups)
{
    RegistryKey(placementKey).writeInteger(QStringLiteral("win_pos_width"), 900);
    RegistryKey(recentKey).writeString(QStringLiteral("MRU0"), QStringLiteral("/data/a.cvlbin"));
    const QSettings file(scratch_.filePath(QStringLiteral("orvikegse.conf")), QSettings::IniFormat);
    EXPECT_EQ(file.allKeys(), QStringList({QStringLiteral("cvlbins/MRU0"), QStringLiteral("win_pos_width")}));
    EXPECT_EQ(file.value(QStringLiteral("cvlbins/MRU0")).toString(), QStringLiteral("/data/a.cvlbin"));
    EXPECT_EQ(file.value(QStringLiteral("win_pos_width")).toInt(), 900);
}
#endif

#if !defined(Q_OS_WIN)
// Read at once, such a settings file would stall the start (a pipe no one writes) or
// take memory without bound (a device, an enormous file): its keys are not opened, and
// it stays as it is.
TEST_F(RegistryTest, ASettingsFileThatIsNoFileOrFarTooLargeIsNotRead)
{
    namespace fs = std::filesystem;
    const fs::path conf = fs::path(scratch_.path().toStdString()) / settingsFile;
    const std::function<void()> lies[] = {
        [&] { fs::create_directory(conf); },
        [&] { ASSERT_EQ(mkfifo(conf.c_str(), 0600), 0); },
        [&] { fs::create_symlink("/dev/zero", conf); },
        [&] {
            std::ofstream(conf) << "[General]\nwin_pos_left=5\n";
            fs::resize_file(conf, uintmax_t(64) << 20);
        },
    };
    for (const auto& lie : lies) {
        lie();
        const auto type = fs::symlink_status(conf).type();
        RegistryKey key(placementKey);
        EXPECT_FALSE(key.isOpen());
        EXPECT_FALSE(key.valueExists(QStringLiteral("win_pos_left")));
        key.writeInteger(QStringLiteral("win_pos_left"), 7);
        EXPECT_EQ(fs::symlink_status(conf).type(), type);
        fs::remove_all(conf);
    }
    // A file as the program writes it is read again.
    RegistryKey(placementKey).writeInteger(QStringLiteral("win_pos_left"), 7);
    EXPECT_EQ(RegistryKey(placementKey).readInteger(QStringLiteral("win_pos_left")), 7);
}
#endif

TEST_F(RegistryTest, KeyThatCannotBeOpenedHoldsNothing)
{
    EXPECT_FALSE(RegistryKey(QString()).isOpen());
    EXPECT_FALSE(RegistryKey(QStringLiteral("\\")).isOpen());
    if (!blockSettings())
        GTEST_SKIP() << "settings cannot be blocked here";
    RegistryKey key(placementKey);
    EXPECT_FALSE(key.isOpen());
    key.writeInteger(QStringLiteral("win_pos_left"), 5);
    EXPECT_FALSE(key.valueExists(QStringLiteral("win_pos_left")));
    EXPECT_EQ(key.readInteger(QStringLiteral("win_pos_left")), std::nullopt);
}
