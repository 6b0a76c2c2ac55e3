#include "app/settings/Registry.h"

#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

namespace orvik::app {

namespace {

#if !defined(Q_OS_WIN)
// The program's own settings take a few KiB.
constexpr qint64 maxSettingsFileBytes = qint64(16) << 20;
#endif

QString& rootOverride()
{
    static QString root;
    return root;
}

// A path with no component would address the root itself, which the program
// never writes to: such a key counts as one that cannot be opened.
std::unique_ptr<QSettings> settingsFor(const QString& path)
{
    const QStringList parts = QString(path).replace('/', '\\').split('\\', Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return nullptr;
#if defined(Q_OS_WIN)
    return std::make_unique<QSettings>(RegistryKey::userRoot() + '\\' + parts.join('\\'),
                                       QSettings::NativeFormat);
#else
#if defined(Q_OS_DARWIN)
    const QString fileName = parts.first() + QStringLiteral(".plist");
#else
    const QString fileName = parts.first() + QStringLiteral(".conf");
#endif
    const QString filePath = RegistryKey::userRoot() + '/' + fileName;
    // The whole file is read at once: something else under its name (a folder, a pipe, a
    // device) or a file far larger than any the program writes would stall the start or
    // take memory without bound. Its keys cannot be opened.
    const QFileInfo file(filePath);
    if (file.exists() && (!file.isFile() || file.size() > maxSettingsFileBytes))
        return nullptr;
    auto settings = std::make_unique<QSettings>(filePath, QSettings::NativeFormat);
    if (parts.size() > 1)
        settings->beginGroup(parts.mid(1).join('/'));
    return settings;
#endif
}

} // namespace

RegistryKey::RegistryKey(const QString& path)
    : settings_(settingsFor(path))
{
    // Checking for write access also creates the folders of a settings file
    // (or the registry key) that does not exist yet.
    if (settings_ && (settings_->status() != QSettings::NoError || !settings_->isWritable()))
        settings_.reset();
}

bool RegistryKey::isOpen() const
{
    return settings_ != nullptr;
}

bool RegistryKey::valueExists(const QString& name) const
{
    return settings_ && settings_->contains(name);
}

std::optional<qint32> RegistryKey::readInteger(const QString& name) const
{
    if (!settings_)
        return std::nullopt;
    bool ok = false;
    const int value = settings_->value(name).toInt(&ok);
    return ok ? std::optional<qint32>(value) : std::nullopt;
}

QString RegistryKey::readString(const QString& name) const
{
    return settings_ ? settings_->value(name).toString() : QString();
}

void RegistryKey::writeInteger(const QString& name, qint32 value)
{
    // An int variant becomes a REG_DWORD in the Windows registry.
    if (settings_)
        settings_->setValue(name, int(value));
}

void RegistryKey::writeString(const QString& name, const QString& value)
{
    if (settings_)
        settings_->setValue(name, value);
}

void RegistryKey::deleteValue(const QString& name)
{
    if (settings_)
        settings_->remove(name);
}

QString RegistryKey::userRoot()
{
    if (!rootOverride().isEmpty())
        return rootOverride();
#if defined(Q_OS_WIN)
    return QStringLiteral("HKEY_CURRENT_USER");
#else
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
#endif
}

void RegistryKey::setUserRoot(const QString& root)
{
    rootOverride() = root;
}

} // namespace orvik::app
