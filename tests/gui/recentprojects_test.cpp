// The recent-projects list: adding, menu captions, and the layout it loads and saves.

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

    void addFileMovesAKnownPathUpAndDropsTheOldest()
    {
        RecentProjects list = listOf({QStringLiteral("C:\\x.zeb"), QStringLiteral("c:\\a.zeb"), QStringLiteral("C:\\z.zeb")});
        list.addFile(QStringLiteral("C:\\A.zeb"));   // known in another case: moved up, new spelling
        QCOMPARE(slotsOf(list),
                 (QStringList{QStringLiteral("C:\\A.zeb"), QStringLiteral("C:\\x.zeb"), QStringLiteral("C:\\z.zeb")}));
        QCOMPARE(list.menuCaption(1), QStringLiteral("&1)  C:\\A.zeb"));

        for (int i = 1; i <= RecentProjects::kMaxRecent; ++i)
            list.addFile(QStringLiteral("p%1").arg(i));
        QCOMPARE(list.fileCount(), 8);
        QCOMPARE(list.file(8), QStringLiteral("p1"));
        QVERIFY(!list.fileExists(9));
        QVERIFY(!list.fileExists(0));

        list.setMaxFileCount(2);   // shrinking keeps the entries that fit
        list.setMaxFileCount(8);
        list.addFile(QStringLiteral("e"));
        QCOMPARE(slotsOf(list), (QStringList{QStringLiteral("e"), QStringLiteral("p8"), QStringLiteral("p7")}));
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

    void loadStopsAtAnUnreadableValue_data()
    {
        QTest::addColumn<QString>("maxCount");   // "-": no group stored; empty: not stored
        QTest::addColumn<QString>("count");
        QTest::addColumn<int>("capacity");
        QTest::addColumn<QStringList>("files");
        // File1, File3 and File4 are stored as "f1", "f3" and "f4"; File2 is missing.
        QTest::newRow("all readable") << "6" << "3" << 6 << QStringList{"f1", "", "f3"};
        QTest::newRow("no group: the list stays") << "-" << "" << 8 << QStringList{"before"};
        QTest::newRow("capacity missing") << "" << "3" << 0 << QStringList{};
        QTest::newRow("capacity unreadable") << "many" << "3" << 8 << QStringList{"before"};
        QTest::newRow("count unreadable") << "6" << "three" << 6 << QStringList{"before"};
        QTest::newRow("count missing") << "6" << "" << 6 << QStringList{};
        QTest::newRow("count beyond capacity") << "2" << "4" << 2 << QStringList{"f1", ""};
    }
    void loadStopsAtAnUnreadableValue()
    {
        QFETCH(QString, maxCount);
        QFETCH(QString, count);
        QFETCH(int, capacity);
        QFETCH(QStringList, files);
        if (maxCount != QLatin1String("-")) {
            m_store->beginGroup(QStringLiteral("mru_projects"));
            if (!maxCount.isEmpty())
                m_store->setValue(QStringLiteral("MaxCount"), maxCount);
            if (!count.isEmpty())
                m_store->setValue(QStringLiteral("Count"), count);
            for (int k : {1, 3, 4})
                m_store->setValue(QStringLiteral("File%1").arg(k), QStringLiteral("f%1").arg(k));
            m_store->endGroup();
        }
        m_store->setValue(QStringLiteral("settings/picinrow"), QStringLiteral("5"));

        RecentProjects list = listOf({QStringLiteral("before")});
        list.load(*m_store);
        QCOMPARE(list.maxFileCount(), capacity);
        QCOMPARE(slotsOf(list), files);
    }

    void picturesPerRowFallsBackTo4()
    {
        QCOMPARE(readPicturesPerRow(*m_store), 4);   // not stored
        const std::pair<const char *, int> rows[] = {{"0", 4}, {"-3", 4}, {"abc", 4}, {" 7 ", 7}, {"5x", 5}};
        for (const auto &[stored, count] : rows) {
            m_store->setValue(QStringLiteral("settings/picinrow"), QLatin1String(stored));
            QVERIFY2(readPicturesPerRow(*m_store) == count, stored);
        }
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QSettings> m_store;
};

QTEST_MAIN(RecentProjectsTest)
#include "recentprojects_test.moc"
