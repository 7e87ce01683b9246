#include "gui/app/recentprojects.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace lumarc::gui;

namespace {

// A list holding `paths` in slots 1, 2, ... (added in reverse, most recent last).
RecentProjects listOf(const QStringList &paths)
{
    RecentProjects list;
    for (qsizetype i = paths.size() - 1; i >= 0; --i)
        list.addFile(paths.at(i));
    return list;
}

QStringList slotsOf(const RecentProjects &list)
{
    QStringList paths;
    for (int slot = 1; slot <= list.fileCount(); ++slot)
        paths.append(list.file(slot));
    return paths;
}

} // namespace

class RecentProjectsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();

    void menuCaption_data();
    void menuCaption();
    void addingAKnownPathMovesItUpWithTheNewSpelling();
    void addingToAFullListDropsTheLast();
    void shrinkingKeepsTheEntriesThatFit();
    void listWithoutCapacityTakesNothing();
    void savesAndLoadsTheRegistryLayout();
    void loadingLeavesTheListAloneWithoutTheGroup();
    void loadingStopsAtAnUnreadableValue_data();
    void loadingStopsAtAnUnreadableValue();
    void picturesPerRow_data();
    void picturesPerRow();
    void sourceFolderFallsBackToTheDataFolder();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QSettings> m_store;
};

void RecentProjectsTest::init()
{
    m_store.reset();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_store = std::make_unique<QSettings>(m_dir->filePath(QStringLiteral("user.ini")), QSettings::IniFormat);
}

void RecentProjectsTest::menuCaption_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("caption");

    const QString name40 = QString(36, u'n') + QStringLiteral(".zeb");
    QTest::newRow("short") << 1 << "C:\\a.zeb" << "&1)  C:\\a.zeb";
    QTest::newRow("32 characters") << 2 << "C:\\" + QString(25, u'x') + ".zeb"
                                   << "&2)  C:\\" + QString(25, u'x') + ".zeb";
    QTest::newRow("folders kept after the cut") << 1 << "D:\\Gallery projects 2009\\photos\\summer\\trip.zeb"
                                                << "&1)  ...\\photos\\summer\\trip.zeb";
    QTest::newRow("long file name") << 3 << "C:\\" + name40 << "&3)  ...\\" + name40;
    QTest::newRow("no folder") << 4 << QString(40, u'z') << "&4)  " + QString(40, u'z');
    QTest::newRow("every folder near the end") << 5 << QString(20, u'a') + "\\" + QString(19, u'b')
                                               << "&5)  " + QString(20, u'a') + "\\" + QString(19, u'b');
    // 33 characters, the separator with exactly 32 after it: nothing to cut before it.
    QTest::newRow("33 characters") << 6 << "\\" + QString(32, u'c') << "&6)  \\" + QString(32, u'c');
    // 36 characters, the only separator with 33 after it: cut there.
    QTest::newRow("one past the tail") << 7 << "C:\\" + QString(33, u'd') << "&7)  ...\\" + QString(33, u'd');
    QTest::newRow("two-digit slot") << 10 << "C:\\" + name40 << "&10)  ...\\" + name40;
    QTest::newRow("this platform's separator") << 1 << "/home/someone/Pictures/projects/2009/summer/trip.zeb"
                                               << "&1)  .../projects/2009/summer/trip.zeb";
}

void RecentProjectsTest::menuCaption()
{
    QFETCH(int, slot);
    QFETCH(QString, path);
    QFETCH(QString, caption);
    QCOMPARE(recentMenuCaption(slot, path), caption);
}

void RecentProjectsTest::addingAKnownPathMovesItUpWithTheNewSpelling()
{
    RecentProjects list = listOf({QStringLiteral("C:\\x.zeb"), QStringLiteral("C:\\y.zeb"), QStringLiteral("c:\\a.zeb"),
                                  QStringLiteral("C:\\z.zeb")});
    list.addFile(QStringLiteral("C:\\A.zeb"));
    QCOMPARE(slotsOf(list), (QStringList{QStringLiteral("C:\\A.zeb"), QStringLiteral("C:\\x.zeb"),
                                         QStringLiteral("C:\\y.zeb"), QStringLiteral("C:\\z.zeb")}));
    QCOMPARE(list.fileCount(), 4);
    QCOMPARE(list.menuCaption(1), QStringLiteral("&1)  C:\\A.zeb"));

    list.addFile(QStringLiteral("C:\\A.zeb"));
    QCOMPARE(list.fileCount(), 4);
    QCOMPARE(list.file(1), QStringLiteral("C:\\A.zeb"));
    QCOMPARE(list.file(2), QStringLiteral("C:\\x.zeb"));
}

void RecentProjectsTest::addingToAFullListDropsTheLast()
{
    RecentProjects list;
    QCOMPARE(list.maxFileCount(), RecentProjects::kMaxRecent);
    for (int i = 1; i <= 8; ++i)
        list.addFile(QStringLiteral("C:\\p%1.zeb").arg(i));
    QCOMPARE(list.fileCount(), 8);
    QCOMPARE(list.file(8), QStringLiteral("C:\\p1.zeb"));
    list.addFile(QStringLiteral("C:\\p9.zeb"));
    QCOMPARE(list.fileCount(), 8);
    QCOMPARE(list.file(1), QStringLiteral("C:\\p9.zeb"));
    QCOMPARE(list.file(8), QStringLiteral("C:\\p2.zeb"));
    QVERIFY(!slotsOf(list).contains(QStringLiteral("C:\\p1.zeb")));
    QVERIFY(list.fileExists(8));
    QVERIFY(!list.fileExists(9));
    QVERIFY(!list.fileExists(0));
}

void RecentProjectsTest::shrinkingKeepsTheEntriesThatFit()
{
    RecentProjects list = listOf({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")});
    list.setMaxFileCount(2);
    QCOMPARE(slotsOf(list), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    list.setMaxFileCount(8);
    QCOMPARE(list.fileCount(), 2);
    list.addFile(QStringLiteral("e"));
    QCOMPARE(slotsOf(list), (QStringList{QStringLiteral("e"), QStringLiteral("a"), QStringLiteral("b")}));
}

void RecentProjectsTest::listWithoutCapacityTakesNothing()
{
    RecentProjects list;
    list.setMaxFileCount(0);
    list.addFile(QStringLiteral("C:\\a.zeb"));
    QCOMPARE(list.fileCount(), 0);
    QVERIFY(!list.fileExists(1));
}

void RecentProjectsTest::savesAndLoadsTheRegistryLayout()
{
    // An entry beyond the count, left by an earlier run.
    m_store->setValue(QStringLiteral("mru_projects/File5"), QStringLiteral("C:\\old.zeb"));
    const RecentProjects saved =
        listOf({QStringLiteral("C:\\one.zeb"), QStringLiteral("D:\\two.zeb"), QStringLiteral("E:\\three.zeb")});
    saved.save(*m_store);
    m_store->sync();

    QSettings reread(m_store->fileName(), QSettings::IniFormat);
    reread.beginGroup(QStringLiteral("mru_projects"));
    QCOMPARE(reread.value(QStringLiteral("MaxCount")).toInt(), 8);
    QCOMPARE(reread.value(QStringLiteral("Count")).toInt(), 3);
    QCOMPARE(reread.value(QStringLiteral("File1")).toString(), QStringLiteral("C:\\one.zeb"));
    QCOMPARE(reread.value(QStringLiteral("File3")).toString(), QStringLiteral("E:\\three.zeb"));
    QVERIFY(!reread.contains(QStringLiteral("File4")));
    QCOMPARE(reread.value(QStringLiteral("File5")).toString(), QStringLiteral("C:\\old.zeb"));
    reread.endGroup();

    RecentProjects loaded;
    loaded.load(reread);
    QCOMPARE(loaded.maxFileCount(), 8);
    QCOMPARE(slotsOf(loaded), slotsOf(saved));
    QVERIFY(!loaded.fileExists(5));
}

void RecentProjectsTest::loadingLeavesTheListAloneWithoutTheGroup()
{
    m_store->setValue(QStringLiteral("settings/picinrow"), QStringLiteral("5"));
    RecentProjects list = listOf({QStringLiteral("C:\\kept.zeb")});
    list.load(*m_store);
    QCOMPARE(slotsOf(list), QStringList{QStringLiteral("C:\\kept.zeb")});
    QCOMPARE(list.maxFileCount(), 8);
}

void RecentProjectsTest::loadingStopsAtAnUnreadableValue_data()
{
    QTest::addColumn<QString>("maxCount");  // empty: not stored
    QTest::addColumn<QString>("count");
    QTest::addColumn<int>("capacity");
    QTest::addColumn<QStringList>("files");

    // File1 to File4 are stored as "f1" to "f4", except File2, which is missing.
    QTest::newRow("all readable") << "6" << "3" << 6 << QStringList{"f1", "", "f3"};
    QTest::newRow("no capacity") << "0" << "3" << 0 << QStringList{};
    QTest::newRow("capacity missing") << "" << "3" << 0 << QStringList{};
    QTest::newRow("capacity unreadable") << "many" << "3" << 8 << QStringList{"before"};
    QTest::newRow("count unreadable") << "6" << "three" << 6 << QStringList{"before"};
    QTest::newRow("count missing") << "6" << "" << 6 << QStringList{};
    QTest::newRow("count beyond capacity") << "2" << "4" << 2 << QStringList{"f1", ""};
}

void RecentProjectsTest::loadingStopsAtAnUnreadableValue()
{
    QFETCH(QString, maxCount);
    QFETCH(QString, count);
    QFETCH(int, capacity);
    QFETCH(QStringList, files);

    m_store->beginGroup(QStringLiteral("mru_projects"));
    if (!maxCount.isEmpty())
        m_store->setValue(QStringLiteral("MaxCount"), maxCount);
    if (!count.isEmpty())
        m_store->setValue(QStringLiteral("Count"), count);
    for (int k : {1, 3, 4})
        m_store->setValue(QStringLiteral("File%1").arg(k), QStringLiteral("f%1").arg(k));
    m_store->endGroup();

    RecentProjects list = listOf({QStringLiteral("before")});
    list.load(*m_store);
    QCOMPARE(list.maxFileCount(), capacity);
    QCOMPARE(slotsOf(list), files);
    if (files.size() >= 2 && files.at(1).isEmpty())
        QVERIFY(!list.fileExists(2));
}

void RecentProjectsTest::picturesPerRow_data()
{
    QTest::addColumn<QString>("stored");  // "<none>": not stored
    QTest::addColumn<int>("count");

    QTest::newRow("missing") << "<none>" << 4;
    QTest::newRow("six") << "6" << 6;
    QTest::newRow("zero") << "0" << 4;
    QTest::newRow("text") << "abc" << 4;
    QTest::newRow("empty") << "" << 4;
    QTest::newRow("blanks around") << " 7 " << 7;
    QTest::newRow("number then text") << "5x" << 5;
    QTest::newRow("negative") << "-3" << 4;
}

void RecentProjectsTest::picturesPerRow()
{
    QFETCH(QString, stored);
    QFETCH(int, count);
    if (stored != QLatin1String("<none>"))
        m_store->setValue(QStringLiteral("settings/picinrow"), stored);
    QCOMPARE(readPicturesPerRow(*m_store), count);

    writePicturesPerRow(*m_store, 9);
    QCOMPARE(m_store->value(QStringLiteral("settings/picinrow")).toString(), QStringLiteral("9"));
    QCOMPARE(readPicturesPerRow(*m_store), 9);
}

void RecentProjectsTest::sourceFolderFallsBackToTheDataFolder()
{
    const QString dataFolder = m_dir->filePath(QStringLiteral("ZEB"));
    QCOMPARE(readSourceFolder(*m_store, dataFolder), dataFolder);
    writeSourceFolder(*m_store, QStringLiteral("/photos/2009"));
    m_store->sync();
    QSettings reread(m_store->fileName(), QSettings::IniFormat);
    QCOMPARE(reread.value(QStringLiteral("settings/source_folder")).toString(), QStringLiteral("/photos/2009"));
    QCOMPARE(readSourceFolder(reread, dataFolder), QStringLiteral("/photos/2009"));
}

QTEST_MAIN(RecentProjectsTest)
#include "recentprojects_test.moc"
