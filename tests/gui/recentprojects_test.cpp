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
    void init()
    {
        m_store.reset();
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_store = std::make_unique<QSettings>(m_dir->filePath(QStringLiteral("user.ini")), QSettings::IniFormat);
    }

    void menuCaption_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("caption");
        QTest::newRow("short") << 1 << "C:\\a.zeb" << "&1)  C:\\a.zeb";
        QTest::newRow("32 characters") << 2 << "C:\\" + QString(25, u'x') + ".zeb"
                                       << "&2)  C:\\" + QString(25, u'x') + ".zeb";
        QTest::newRow("folders kept after the cut") << 1 << "D:\\Gallery projects 2009\\photos\\summer\\trip.zeb"
                                                    << "&1)  ...\\photos\\summer\\trip.zeb";
        QTest::newRow("no folder") << 4 << QString(40, u'z') << "&4)  " + QString(40, u'z');
        // A separator with exactly 32 characters after it: nothing to cut before it.
        QTest::newRow("33 characters") << 6 << "\\" + QString(32, u'c') << "&6)  \\" + QString(32, u'c');
        // The only separator has 33 characters after it: cut there.
        QTest::newRow("one past the tail") << 7 << "C:\\" + QString(33, u'd') << "&7)  ...\\" + QString(33, u'd');
        QTest::newRow("this platform's separator") << 1 << "/home/someone/Pictures/projects/2009/summer/trip.zeb"
                                                   << "&1)  .../projects/2009/summer/trip.zeb";
    }
    void menuCaption()
    {
        QFETCH(int, slot);
        QFETCH(QString, path);
        QFETCH(QString, caption);
        QCOMPARE(recentMenuCaption(slot, path), caption);
    }

    void addingAKnownPathMovesItUpWithTheNewSpelling()
    {
        RecentProjects list = listOf({QStringLiteral("C:\\x.zeb"), QStringLiteral("c:\\a.zeb"), QStringLiteral("C:\\z.zeb")});
        list.addFile(QStringLiteral("C:\\A.zeb"));
        QCOMPARE(slotsOf(list),
                 (QStringList{QStringLiteral("C:\\A.zeb"), QStringLiteral("C:\\x.zeb"), QStringLiteral("C:\\z.zeb")}));
        QCOMPARE(list.menuCaption(1), QStringLiteral("&1)  C:\\A.zeb"));
    }

    void addingToAFullListDropsTheLast()
    {
        RecentProjects list;
        for (int i = 1; i <= RecentProjects::kMaxRecent + 1; ++i)
            list.addFile(QStringLiteral("p%1").arg(i));
        QCOMPARE(list.fileCount(), 8);
        QCOMPARE(list.file(1), QStringLiteral("p9"));
        QCOMPARE(list.file(8), QStringLiteral("p2"));
        QVERIFY(list.fileExists(8));
        QVERIFY(!list.fileExists(9));
        QVERIFY(!list.fileExists(0));
    }

    void shrinkingKeepsTheEntriesThatFit()
    {
        RecentProjects list = listOf({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
        list.setMaxFileCount(2);
        list.setMaxFileCount(8);
        list.addFile(QStringLiteral("e"));
        QCOMPARE(slotsOf(list), (QStringList{QStringLiteral("e"), QStringLiteral("a"), QStringLiteral("b")}));
        list.setMaxFileCount(0);   // a list without room takes nothing
        list.addFile(QStringLiteral("f"));
        QCOMPARE(list.fileCount(), 0);
    }

    void savesAndLoadsTheRegistryLayout()
    {
        // An entry beyond the count, left by an earlier run.
        m_store->setValue(QStringLiteral("mru_projects/File5"), QStringLiteral("C:\\old.zeb"));
        const RecentProjects saved = listOf({QStringLiteral("C:\\one.zeb"), QStringLiteral("D:\\two.zeb")});
        saved.save(*m_store);
        m_store->beginGroup(QStringLiteral("mru_projects"));
        QCOMPARE(m_store->value(QStringLiteral("MaxCount")).toInt(), 8);
        QCOMPARE(m_store->value(QStringLiteral("Count")).toInt(), 2);
        QCOMPARE(m_store->value(QStringLiteral("File2")).toString(), QStringLiteral("D:\\two.zeb"));
        QVERIFY(!m_store->contains(QStringLiteral("File3")));
        QVERIFY(m_store->contains(QStringLiteral("File5")));
        m_store->endGroup();

        RecentProjects loaded = listOf({QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("z")});
        loaded.load(*m_store);
        QCOMPARE(slotsOf(loaded), slotsOf(saved));
    }

    void loadingLeavesTheListAloneWithoutTheGroup()
    {
        m_store->setValue(QStringLiteral("settings/picinrow"), QStringLiteral("5"));
        RecentProjects list = listOf({QStringLiteral("kept")});
        list.load(*m_store);
        QCOMPARE(slotsOf(list), QStringList{QStringLiteral("kept")});
    }

    void loadingStopsAtAnUnreadableValue_data()
    {
        QTest::addColumn<QString>("maxCount");   // empty: not stored
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
    void loadingStopsAtAnUnreadableValue()
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
    }

    void picturesPerRow_data()
    {
        QTest::addColumn<QString>("stored");   // "<none>": not stored
        QTest::addColumn<int>("count");
        QTest::newRow("missing") << "<none>" << 4;
        QTest::newRow("six") << "6" << 6;
        QTest::newRow("zero") << "0" << 4;
        QTest::newRow("text") << "abc" << 4;
        QTest::newRow("blanks around") << " 7 " << 7;
        QTest::newRow("number then text") << "5x" << 5;
        QTest::newRow("negative") << "-3" << 4;
    }
    void picturesPerRow()
    {
        QFETCH(QString, stored);
        QFETCH(int, count);
        if (stored != QLatin1String("<none>"))
            m_store->setValue(QStringLiteral("settings/picinrow"), stored);
        QCOMPARE(readPicturesPerRow(*m_store), count);
    }

    void writesTheSettingsValues()
    {
        const QString dataFolder = m_dir->filePath(QStringLiteral("ZEB"));
        QCOMPARE(readSourceFolder(*m_store, dataFolder), dataFolder);
        writeSourceFolder(*m_store, QStringLiteral("/photos/2009"));
        writePicturesPerRow(*m_store, 9);
        QCOMPARE(m_store->value(QStringLiteral("settings/source_folder")).toString(), QStringLiteral("/photos/2009"));
        QCOMPARE(m_store->value(QStringLiteral("settings/picinrow")).toString(), QStringLiteral("9"));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QSettings> m_store;
};

QTEST_MAIN(RecentProjectsTest)
#include "recentprojects_test.moc"
