#pragma once
// The list of the most recently used files behind the "Open recent" submenu.
// Index 0 is the most recent entry; names are compared without regard to
// letter case. The list is loaded from a settings key when `RegistryKey` is set
// and saved there when the component is destroyed; every change rebuilds the
// submenu at once, the oldest entry at the top.

#include <QList>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>

class QAction;

namespace orvik::app {

class BrindlowMRU : public QObject {
    Q_OBJECT

public:
    using ClickHandler = std::function<void(BrindlowMRU* sender, const QString& fileName)>;

    explicit BrindlowMRU(QObject* parent = nullptr);
    ~BrindlowMRU() override;

    quint8 maxItems() const { return maxItems_; }
    void setMaxItems(quint8 count);
    bool showFullPath() const { return showFullPath_; }
    void setShowFullPath(bool show);
    bool checkIfFileExists() const { return checkIfFileExists_; }
    void setCheckIfFileExists(bool check);
    QString registryKey() const { return registryKey_; }
    // Loads the list from the new key when the key changes.
    void setRegistryPath(const QString& key);
    QMenu* parentMenuItem() const { return parentMenu_; }
    void setParentMenuItem(QMenu* menu);
    const ClickHandler& onClick() const { return onClick_; }
    void setOnClick(ClickHandler handler);

    const QStringList& items() const { return items_; }
    // Puts the name at index 0, replacing an entry that differs only in case.
    void addItem(const QString& fileName);
    // False for an empty name or one that is not in the list.
    bool removeItem(const QString& fileName);
    void clearList();

    // Reads MRU0 .. MRU(maxItems - 1), skipping missing ones and those that can name
    // no file (empty, enormous); a key that cannot be opened leaves the list as it is.
    void loadMRU();
    // Deletes MRU0, MRU1, ... up to the first missing one, then writes the list.
    void saveMRU() const;
    // Takes this component's entries out of the submenu (the list stays).
    void clearParentMenu();

signals:
    // Emitted with the file name of the chosen submenu entry, after `onClick`.
    void clicked(const QString& fileName);

protected:
    // Called with the submenu action the user chose; its data is the list index.
    virtual void doClick(QAction* sender);
    // Rebuilds the submenu from the list; runs after every change of the list.
    void itemsChanged();

private:
    qsizetype indexOf(const QString& fileName) const;
    QString captionOf(const QString& fileName) const;

    QStringList items_;
    QPointer<QMenu> parentMenu_;
    quint8 maxItems_ = 4;
    QString registryKey_;
    bool showFullPath_ = false;
    bool checkIfFileExists_ = false;
    ClickHandler onClick_;
    QList<QAction*> menuActions_; // children of this component, shown in parentMenu_
};

} // namespace orvik::app
