// The recent-projects list: adding, menu captions, and the layout it loads and saves.

#include "gui/app/recentprojects.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

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
    void captionsCutLongPathsAndAddingMovesAKnownPathUpAndDropsTheOldest()
    {
        const QString x25(25, u'x');
        const struct { int slot; QString path, caption; } cases[] = {
            {3, "C:\\a.zeb", "&3)  C:\\a.zeb"},
            {2, "C:\\" + x25 + ".zeb", "&2)  C:\\" + x25 + ".zeb"},   // 32 characters: not cut
            {1, "D:\\Gallery projects 2009\\photos\\summer\\trip.zeb", "&1)  ...\\photos\\summer\\trip.zeb"},
        };
        for (const auto &c : cases)
            QCOMPARE(recentMenuCaption(c.slot, c.path), c.caption);

        RecentProjects list = listOf({QStringLiteral("C:\\x.zeb"), QStringLiteral("c:\\a.zeb"), QStringLiteral("C:\\z.zeb")});
        list.addFile(QStringLiteral("C:\\A.zeb"));   // known in another case: moved up, new spelling
        QCOMPARE(slotsOf(list),
                 (QStringList{QStringLiteral("C:\\A.zeb"), QStringLiteral("C:\\x.zeb"), QStringLiteral("C:\\z.zeb")}));

        for (int i = 1; i <= RecentProjects::kMaxRecent; ++i)
            list.addFile(QStringLiteral("p%1").arg(i));
        QCOMPARE(list.fileCount(), 8);
        QCOMPARE(list.file(8), QStringLiteral("p1"));
        QVERIFY(!list.fileExists(9));
    }

    void savesAndLoadsTheRegistryLayout()
    {
        QTemporaryDir dir;
        QSettings store(dir.filePath(QStringLiteral("user.ini")), QSettings::IniFormat);
        // An entry beyond the count, left by an earlier run.
        store.setValue(QStringLiteral("mru_projects/File5"), QStringLiteral("C:\\old.zeb"));
        const RecentProjects saved = listOf({QStringLiteral("C:\\one.zeb"), QStringLiteral("D:\\two.zeb")});
        saved.save(store);
        store.beginGroup(QStringLiteral("mru_projects"));
        QCOMPARE(store.value(QStringLiteral("Count")).toInt(), 2);
        QCOMPARE(store.value(QStringLiteral("File2")).toString(), QStringLiteral("D:\\two.zeb"));
        QVERIFY(!store.contains(QStringLiteral("File3")));
        QVERIFY(store.contains(QStringLiteral("File5")));
        store.endGroup();

        RecentProjects loaded = listOf({QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("z")});
        loaded.load(store);
        QCOMPARE(slotsOf(loaded), slotsOf(saved));

        // An unreadable count leaves the list as it was.
        store.setValue(QStringLiteral("mru_projects/Count"), QStringLiteral("three"));
        loaded.load(store);
        QCOMPARE(slotsOf(loaded), slotsOf(saved));
    }
};

QTEST_MAIN(RecentProjectsTest)
#include "recentprojects_test.moc"
