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
        QTest::newRow("short") << 3 << QStringLiteral("C:\\a.zeb") << QStringLiteral("&3)  C:\\a.zeb");
        QTest::newRow("32 characters") << 2 << "C:\\" + QString(25, u'x') + ".zeb"
                                       << "&2)  C:\\" + QString(25, u'x') + ".zeb";
        QTest::newRow("folders kept after the cut") << 1 << "D:\\Gallery projects 2009\\photos\\summer\\trip.zeb"
                                                    << "&1)  ...\\photos\\summer\\trip.zeb";
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
    }

    void savesAndLoadsTheRegistryLayout()
    {
        // An entry beyond the count, left by an earlier run.
        m_store->setValue(QStringLiteral("mru_projects/File5"), QStringLiteral("C:\\old.zeb"));
        const RecentProjects saved = listOf({QStringLiteral("C:\\one.zeb"), QStringLiteral("D:\\two.zeb")});
        saved.save(*m_store);
        m_store->beginGroup(QStringLiteral("mru_projects"));
        QCOMPARE(m_store->value(QStringLiteral("Count")).toInt(), 2);
        QCOMPARE(m_store->value(QStringLiteral("File2")).toString(), QStringLiteral("D:\\two.zeb"));
        QVERIFY(!m_store->contains(QStringLiteral("File3")));
        QVERIFY(m_store->contains(QStringLiteral("File5")));
        m_store->endGroup();

        RecentProjects loaded = listOf({QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("z")});
        loaded.load(*m_store);
        QCOMPARE(slotsOf(loaded), slotsOf(saved));

        // An unreadable count leaves the list as it was.
        m_store->setValue(QStringLiteral("mru_projects/Count"), QStringLiteral("three"));
        loaded.load(*m_store);
        QCOMPARE(slotsOf(loaded), slotsOf(saved));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QSettings> m_store;
};

QTEST_MAIN(RecentProjectsTest)
#include "recentprojects_test.moc"
