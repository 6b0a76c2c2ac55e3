#include "app/settings/Brindlowmru.h"

#include "app/settings/Registry.h"
#include "tests/app/SettingsTest.h"

#include <QAction>
#include <QDir>
#include <QMenu>

#include <map>

using orvik::app::BrindlowMRU;
using orvik::app::RegistryKey;

namespace {

const QString recentKey = QStringLiteral("orvikegse\\cvlbins");
const QString a = QStringLiteral("C:\\data\\a.cvlbin");
const QString b = QStringLiteral("/home/egse/b.dat");
const QString c = QStringLiteral("D:\\c.cvlbin");

using StoredList = std::map<int, QString>; // MRU index -> value

StoredList storedList()
{
    const RegistryKey key(recentKey);
    StoredList list;
    for (int i = 0; i < 10; ++i)
        if (key.valueExists(QStringLiteral("MRU%1").arg(i)))
            list[i] = key.readString(QStringLiteral("MRU%1").arg(i));
    return list;
}

void store(const StoredList& list)
{
    RegistryKey key(recentKey);
    for (const auto& [index, value] : list)
        key.writeString(QStringLiteral("MRU%1").arg(index), value);
}

QStringList captions(const QMenu& menu)
{
    QStringList texts;
    for (const QAction* action : menu.actions())
        texts << action->text();
    return texts;
}

QList<int> tags(const QMenu& menu)
{
    QList<int> list;
    for (const QAction* action : menu.actions())
        list << action->data().toInt();
    return list;
}

} // namespace

// The component as the main window sets it up.
class BrindlowMRUTest : public SettingsTest {
protected:
    void configure(BrindlowMRU& mru)
    {
        mru.setParentMenuItem(&menu_);
        mru.setShowFullPath(true);
        mru.setMaxItems(5);
        mru.setRegistryPath(recentKey);
    }

    QMenu menu_;
};

TEST_F(BrindlowMRUTest, OpenedFilesAreStoredMostRecentFirstAndListedOldestFirst)
{
    {
        BrindlowMRU mru;
        configure(mru);
        for (const QString& name : {a, b, c})
            mru.addItem(name);
        EXPECT_EQ(mru.items(), QStringList({c, b, a}));
        EXPECT_EQ(captions(menu_), QStringList({a, b, c}));
        EXPECT_EQ(tags(menu_), QList<int>({2, 1, 0}));
    }
    EXPECT_EQ(storedList(), (StoredList{{0, c}, {1, b}, {2, a}}));
    EXPECT_TRUE(menu_.actions().isEmpty());

    BrindlowMRU next;
    configure(next);
    EXPECT_EQ(next.items(), QStringList({c, b, a}));
}

TEST_F(BrindlowMRUTest, AddingKeepsOneEntryPerFileAndAtMostMaxItems)
{
    BrindlowMRU mru;
    configure(mru);
    for (int i = 1; i <= 6; ++i)
        mru.addItem(QStringLiteral("f%1.cvlbin").arg(i));
    EXPECT_EQ(mru.items(), QStringList({"f6.cvlbin", "f5.cvlbin", "f4.cvlbin", "f3.cvlbin", "f2.cvlbin"}));

    mru.addItem(QStringLiteral("f4.cvlbin"));
    EXPECT_EQ(mru.items(), QStringList({"f4.cvlbin", "f6.cvlbin", "f5.cvlbin", "f3.cvlbin", "f2.cvlbin"}));

    mru.clearList();
    mru.addItem(QStringLiteral("c:\\x.cvlbin"));
    mru.addItem(QStringLiteral("c:\\y.cvlbin"));
    mru.addItem(QStringLiteral("C:\\X.cvlbin"));
    mru.addItem(QString());
    EXPECT_EQ(mru.items(), QStringList({"C:\\X.cvlbin", "c:\\y.cvlbin"}));
    EXPECT_EQ(captions(menu_), QStringList({"c:\\y.cvlbin", "C:\\X.cvlbin"}));
}

TEST_F(BrindlowMRUTest, RemovingReportsWhetherTheNameWasListed)
{
    BrindlowMRU mru;
    configure(mru);
    for (const QString& name : {a, b, c})
        mru.addItem(name);
    EXPECT_FALSE(mru.removeItem(QString()));
    EXPECT_FALSE(mru.removeItem(QStringLiteral("C:\\data\\z.cvlbin")));
    EXPECT_EQ(mru.items(), QStringList({c, b, a}));

    EXPECT_TRUE(mru.removeItem(QStringLiteral("c:\\DATA\\A.CVLBIN")));
    EXPECT_EQ(mru.items(), QStringList({c, b}));
    EXPECT_EQ(captions(menu_), QStringList({b, c}));

    mru.clearList();
    EXPECT_TRUE(mru.items().isEmpty());
    EXPECT_TRUE(menu_.actions().isEmpty());
}

TEST_F(BrindlowMRUTest, LoweringMaxItemsDropsTheOldestEntries)
{
    BrindlowMRU mru;
    configure(mru);
    for (const QString& name : {a, b, c})
        mru.addItem(name);
    mru.setMaxItems(1);
    EXPECT_EQ(mru.items(), QStringList({c}));
    EXPECT_EQ(captions(menu_), QStringList({c}));
    mru.setMaxItems(5);
    EXPECT_EQ(mru.items(), QStringList({c}));
}

TEST_F(BrindlowMRUTest, LoadSkipsGapsAndSaveStopsAtTheFirstGap)
{
    store({{0, a}, {2, b}});
    {
        BrindlowMRU mru;
        configure(mru);
        EXPECT_EQ(mru.items(), QStringList({a, b}));
        mru.clearList();
        mru.addItem(c);
    }
    // Only MRU0 was deleted before writing, so the old MRU2 is still there.
    EXPECT_EQ(storedList(), (StoredList{{0, c}, {2, b}}));
}

TEST_F(BrindlowMRUTest, ValuesBeyondMaxItemsAreNotLoadedButDeletedWhenContiguous)
{
    store({{0, "v0"}, {1, "v1"}, {2, "v2"}, {3, "v3"}, {4, "v4"}, {5, "v5"}});
    BrindlowMRU mru;
    mru.setRegistryPath(recentKey);
    EXPECT_EQ(mru.items(), QStringList({"v0", "v1", "v2", "v3"}));
    mru.setMaxItems(2);
    mru.saveMRU();
    EXPECT_EQ(storedList(), (StoredList{{0, "v0"}, {1, "v1"}}));
}

// Entries of an edited settings file that can name no file are left out of the list,
// and the next save drops them; a folder or a device is a name like any other.
TEST_F(BrindlowMRUTest, EntriesThatCanNameNoFileAreNotLoaded)
{
    const QString withNul = QStringLiteral("a") + QChar(0) + QStringLiteral(".cvlbin");
    store({{0, QString()}, {1, a}, {2, QString(40000, 'x')}, {3, withNul}, {4, QStringLiteral("/dev/zero")}});
    {
        BrindlowMRU mru;
        configure(mru);
        EXPECT_EQ(mru.items(), QStringList({a, "/dev/zero"}));
        EXPECT_EQ(captions(menu_), QStringList({"/dev/zero", a}));
    }
    EXPECT_EQ(storedList(), (StoredList{{0, a}, {1, "/dev/zero"}}));
}

TEST_F(BrindlowMRUTest, FileCheckAppliesWhenLoading)
{
    QFile existing(scratch_.filePath(QStringLiteral("here.cvlbin")));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    const QString missing = scratch_.filePath(QStringLiteral("gone.cvlbin"));
    store({{0, missing}, {1, existing.fileName()}, {2, scratch_.path()}});

    BrindlowMRU mru;
    mru.setCheckIfFileExists(true);
    mru.setRegistryPath(recentKey);
    EXPECT_EQ(mru.items(), QStringList({existing.fileName()}));

    mru.addItem(missing);
    mru.setCheckIfFileExists(false);
    mru.setCheckIfFileExists(true);
    EXPECT_EQ(mru.items(), QStringList({missing, existing.fileName()}));
}

TEST_F(BrindlowMRUTest, ListIsLoadedOnlyWhenTheKeyChanges)
{
    store({{0, a}});
    BrindlowMRU mru;
    mru.setRegistryPath(recentKey);
    RegistryKey(recentKey).writeString(QStringLiteral("MRU0"), b);
    mru.setRegistryPath(recentKey);
    EXPECT_EQ(mru.items(), QStringList({a}));

    RegistryKey(QStringLiteral("orvikegse\\other")).writeString(QStringLiteral("MRU0"), c);
    mru.setRegistryPath(QStringLiteral("orvikegse\\other"));
    EXPECT_EQ(mru.items(), QStringList({c}));
}

TEST_F(BrindlowMRUTest, ChoosingAnEntryPassesItsFileName)
{
    BrindlowMRU mru;
    configure(mru);
    for (const QString& name : {a, b, c})
        mru.addItem(name);
    QStringList handled;
    QStringList signalled;
    // As the main window does: the chosen file is opened and so moves to the top.
    mru.setOnClick([&](BrindlowMRU* sender, const QString& fileName) {
        EXPECT_EQ(sender, &mru);
        handled << fileName;
        sender->addItem(fileName);
    });
    QObject::connect(&mru, &BrindlowMRU::clicked, [&](const QString& fileName) { signalled << fileName; });

    menu_.actions().at(0)->trigger();
    EXPECT_EQ(handled, QStringList({a}));
    EXPECT_EQ(signalled, QStringList({a}));
    EXPECT_EQ(mru.items(), QStringList({a, c, b}));
    EXPECT_EQ(captions(menu_), QStringList({b, c, a}));

    menu_.actions().at(1)->trigger();
    EXPECT_EQ(handled, QStringList({a, c}));
}

TEST_F(BrindlowMRUTest, CaptionsShowFileNamesOnlyUnlessFullPathsAreAsked)
{
    BrindlowMRU mru;
    mru.setParentMenuItem(&menu_);
    for (const QString& name : {a, b, QStringLiteral("R&D.dat")})
        mru.addItem(name);
    EXPECT_EQ(captions(menu_), QStringList({"a.cvlbin", "b.dat", "R&&D.dat"}));
    mru.setShowFullPath(true);
    EXPECT_EQ(captions(menu_), QStringList({a, b, "R&&D.dat"}));
}

TEST_F(BrindlowMRUTest, EntriesFollowTheParentMenu)
{
    BrindlowMRU mru;
    configure(mru);
    mru.addItem(a);
    QMenu other;
    mru.setParentMenuItem(&other);
    EXPECT_TRUE(menu_.actions().isEmpty());
    EXPECT_EQ(captions(other), QStringList({a}));
    mru.setParentMenuItem(nullptr);
    EXPECT_TRUE(other.actions().isEmpty());
    EXPECT_EQ(mru.items(), QStringList({a}));
}

TEST_F(BrindlowMRUTest, SettingsThatCannotBeOpenedAreLeftAlone)
{
    {
        BrindlowMRU unnamed;
        unnamed.addItem(a);
    }
    EXPECT_TRUE(QDir(scratch_.path()).isEmpty());

    if (!blockSettings())
        GTEST_SKIP() << "settings cannot be blocked here";
    {
        BrindlowMRU mru;
        mru.addItem(a);
        mru.setRegistryPath(recentKey);
        EXPECT_EQ(mru.items(), QStringList({a}));
    }
    orvik::app::RegistryKey::setUserRoot(scratch_.path());
    EXPECT_EQ(storedList(), StoredList());
}
