#pragma once
// A key of the current user's settings store, addressed like a registry key
// ("orvikegse", "orvikegse\\cvlbins"). On Windows it is that key below
// HKEY_CURRENT_USER; elsewhere the first path component names a native
// settings file in the user's configuration folder and the others are groups
// inside it.

#include <QSettings>
#include <QString>

#include <memory>
#include <optional>

namespace orvik::app {

class RegistryKey {
public:
    // Opens the key, creating it when it does not exist yet.
    explicit RegistryKey(const QString& path);

    // False when the key could not be opened for writing, or its settings file is
    // no file the program reads (a folder, a device, one of many MiB); it then holds
    // no values and every write is ignored.
    bool isOpen() const;

    bool valueExists(const QString& name) const;
    // Empty when the value is missing or does not hold a 32-bit integer.
    std::optional<qint32> readInteger(const QString& name) const;
    QString readString(const QString& name) const;
    void writeInteger(const QString& name, qint32 value);
    void writeString(const QString& name, const QString& value);
    void deleteValue(const QString& name);

    // Where the current user's keys live: "HKEY_CURRENT_USER" on Windows, the
    // user's configuration folder elsewhere. Tests move it to a scratch place so
    // that they never touch the user's own settings; an empty root restores the default.
    static QString userRoot();
    static void setUserRoot(const QString& root);

private:
    std::unique_ptr<QSettings> settings_; // null when the key could not be opened
};

} // namespace orvik::app
