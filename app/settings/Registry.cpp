#include "app/settings/Registry.h"

#include <QStandardPaths>
#include <QStringList>

namespace orvik::app {

namespace {

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
    auto settings = std::make_unique<QSettings>(RegistryKey::userRoot() + '/' + fileName,
                                                QSettings::NativeFormat);
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
