#include "app/settings/Brindlowmru.h"

#include "app/settings/FolderLength.h"
#include "app/settings/Registry.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

#include <algorithm>

namespace orvik::app {

namespace {

QString valueName(qsizetype index)
{
    return QStringLiteral("MRU%1").arg(index);
}

// No file system takes a longer path (Windows' long paths end there, others far earlier).
constexpr qsizetype longestFileName = 32767;

// Whether a stored entry can name a file at all: an empty one, one with a NUL in it or
// a longer one came from an edited settings file and would only fill the menu.
bool canNameAFile(const QString& fileName)
{
    return !fileName.isEmpty() && fileName.size() <= longestFileName && !fileName.contains(QChar(0));
}

} // namespace

BrindlowMRU::BrindlowMRU(QObject* parent)
    : QObject(parent)
{
}

BrindlowMRU::~BrindlowMRU()
{
    saveMRU();
}

void BrindlowMRU::setMaxItems(quint8 count)
{
    if (count == maxItems_)
        return;
    maxItems_ = count;
    if (items_.size() > maxItems_) {
        items_.resize(maxItems_);
        itemsChanged();
    }
}

void BrindlowMRU::setShowFullPath(bool show)
{
    showFullPath_ = show;
    itemsChanged();
}

void BrindlowMRU::setCheckIfFileExists(bool check)
{
    // Applies from the next load on; the entries already listed stay.
    checkIfFileExists_ = check;
    itemsChanged();
}

void BrindlowMRU::setRegistryPath(const QString& key)
{
    if (key == registryKey_)
        return;
    registryKey_ = key;
    loadMRU();
}

void BrindlowMRU::setParentMenuItem(QMenu* menu)
{
    // The entries leave the old menu: left there, they would open files by
    // indexes that no longer match the list.
    clearParentMenu();
    parentMenu_ = menu;
    itemsChanged();
}

void BrindlowMRU::setOnClick(ClickHandler handler)
{
    onClick_ = std::move(handler);
}

void BrindlowMRU::addItem(const QString& fileName)
{
    if (fileName.isEmpty())
        return;
    if (const qsizetype index = indexOf(fileName); index >= 0)
        items_.removeAt(index);
    items_.prepend(fileName);
    if (items_.size() > maxItems_)
        items_.resize(maxItems_);
    itemsChanged();
}

bool BrindlowMRU::removeItem(const QString& fileName)
{
    const qsizetype index = fileName.isEmpty() ? -1 : indexOf(fileName);
    if (index < 0)
        return false;
    items_.removeAt(index);
    itemsChanged();
    return true;
}

void BrindlowMRU::clearList()
{
    items_.clear();
    itemsChanged();
}

void BrindlowMRU::loadMRU()
{
    const RegistryKey key(registryKey_);
    if (!key.isOpen())
        return;
    items_.clear();
    for (qsizetype i = 0; i < maxItems_; ++i) {
        if (!key.valueExists(valueName(i)))
            continue;
        const QString fileName = key.readString(valueName(i));
        if (canNameAFile(fileName) && (!checkIfFileExists_ || QFileInfo(fileName).isFile()))
            items_.append(fileName);
    }
    itemsChanged();
}

void BrindlowMRU::saveMRU() const
{
    RegistryKey key(registryKey_);
    if (!key.isOpen())
        return;
    // Stale values above a gap are left alone, as they are when loading.
    for (qsizetype i = 0; key.valueExists(valueName(i)); ++i)
        key.deleteValue(valueName(i));
    for (qsizetype i = 0; i < items_.size(); ++i)
        key.writeString(valueName(i), items_.at(i));
}

void BrindlowMRU::clearParentMenu()
{
    // The list usually changes while the chosen action is still delivering its
    // triggered signal, so the actions leave the menu now and die later.
    for (QAction* action : std::as_const(menuActions_)) {
        if (parentMenu_)
            parentMenu_->removeAction(action);
        action->deleteLater();
    }
    menuActions_.clear();
}

void BrindlowMRU::itemsChanged()
{
    clearParentMenu();
    if (!parentMenu_)
        return;
    // From the last index down, so that the most recent entry ends up at the bottom.
    for (qsizetype i = items_.size() - 1; i >= 0; --i) {
        auto* action = new QAction(captionOf(items_.at(i)), this);
        action->setData(int(i));
        connect(action, &QAction::triggered, this, [this, action] { doClick(action); });
        parentMenu_->addAction(action);
        menuActions_.append(action);
    }
}

void BrindlowMRU::doClick(QAction* sender)
{
    const qsizetype index = sender->data().toInt();
    if (index < 0 || index >= items_.size())
        return;
    const QString fileName = items_.at(index); // a copy: the handler may change the list
    if (onClick_)
        onClick_(this, fileName);
    emit clicked(fileName);
}

qsizetype BrindlowMRU::indexOf(const QString& fileName) const
{
    const auto found = std::find_if(items_.cbegin(), items_.cend(), [&fileName](const QString& item) {
        return item.compare(fileName, Qt::CaseInsensitive) == 0;
    });
    return found == items_.cend() ? -1 : found - items_.cbegin();
}

QString BrindlowMRU::captionOf(const QString& fileName) const
{
    QString caption = showFullPath_ ? fileName : fileName.mid(folderLength(fileName));
    // An "&" in a file name is part of the name, not an accelerator mark.
    return caption.replace('&', QStringLiteral("&&"));
}

} // namespace orvik::app
