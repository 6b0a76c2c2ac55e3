#pragma once
// Base fixture: every test gets empty settings of its own, never the user's.

#include "app/settings/Registry.h"

#include <QFile>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Readable failure messages for Qt strings.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QStringList& list, std::ostream* out)
{
    *out << '{' << list.join(QStringLiteral(", ")).toStdString() << '}';
}

class SettingsTest : public ::testing::Test {
protected:
    SettingsTest()
    {
#if defined(Q_OS_WIN)
        orvik::app::RegistryKey::setUserRoot(QStringLiteral("HKEY_CURRENT_USER\\Software\\ORVIK-EGSE tests"));
#else
        orvik::app::RegistryKey::setUserRoot(scratch_.path());
#endif
    }

    ~SettingsTest() override
    {
#if defined(Q_OS_WIN)
        QSettings(orvik::app::RegistryKey::userRoot(), QSettings::NativeFormat).clear();
#endif
        orvik::app::RegistryKey::setUserRoot({});
    }

    void SetUp() override { ASSERT_TRUE(scratch_.isValid()); }

    // Moves the settings below a plain file, where no key can be created.
    // Only settings files can be blocked this way; false on Windows.
    bool blockSettings()
    {
#if defined(Q_OS_WIN)
        return false;
#else
        QFile blocker(scratch_.filePath(QStringLiteral("blocker")));
        if (!blocker.open(QIODevice::WriteOnly))
            return false;
        orvik::app::RegistryKey::setUserRoot(blocker.fileName());
        return true;
#endif
    }

    QTemporaryDir scratch_;
};
