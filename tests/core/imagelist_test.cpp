#include "model/imagelist.h"
#include "model/outputnames.h"
#include "model/project.h"

#include <gtest/gtest.h>

#include "testsupport.h"

using namespace lumarc;

namespace {

ImageItem named(const QString &path, const QString &outputName)
{
    ImageItem item;
    item.path = path, item.outputName = outputName;
    return item;
}

struct Entry { QString path, outputName; };

ImageList listOf(const QList<Entry> &entries)
{
    ImageList list;
    for (const Entry &entry : entries)
        list.append(named(entry.path, entry.outputName));
    return list;
}

QStringList namesOf(const ImageList &list)
{
    QStringList names;
    for (const ImageItem &item : list.items())
        names << item.outputName;
    return names;
}

QString withChar(char16_t c) { return QStringLiteral("a") + QChar(c) + QStringLiteral("b"); }

} // namespace

TEST(ImageList, UniqueNamesIgnoreCaseTheMemoNeverSkipsAFreeNameAndThePathIndexFollows)
{
    ImageList list;
    list.append(named(QStringLiteral("p1"), QStringLiteral("a_1")));
    EXPECT_EQ(list.makeUniqueOutputName(QStringLiteral("a")), QStringLiteral("a"));
    list.append(named(QStringLiteral("p2"), QStringLiteral("a")));
    // Asked twice without taking the name: the same answer. Sunset.jpg and sunset.jpg are
    // one file where letter case is ignored.
    EXPECT_EQ(list.makeUniqueOutputName(QStringLiteral("a")), QStringLiteral("a_2"));
    EXPECT_EQ(list.makeUniqueOutputName(QStringLiteral("A")), QStringLiteral("A_2"));
    list.append(named(QStringLiteral("p3"), QStringLiteral("A_2")));
    EXPECT_EQ(list.makeUniqueOutputName(QStringLiteral("a")), QStringLiteral("a_3"));

    // A renamed entry frees its name again, and so does a clear.
    list.replace(0, named(QStringLiteral("p1"), QStringLiteral("b")));
    EXPECT_EQ(list.makeUniqueOutputName(QStringLiteral("a")), QStringLiteral("a_1"));
    list.clear();
    EXPECT_EQ(list.makeUniqueOutputName(QStringLiteral("a")), QStringLiteral("a"));

    // The path index follows appends, replacements and a clear.
    list.append(named(QStringLiteral("/p/a.jpg"), QStringLiteral("a")));
    list.append(named(QStringLiteral("/p/a.jpg"), QStringLiteral("a_1")));  // imports repeat paths
    EXPECT_TRUE(list.containsPath(QStringLiteral("/p/a.jpg")));
    EXPECT_FALSE(list.containsPath(QStringLiteral("/p/A.jpg")));  // paths keep their case

    list.replace(0, named(QStringLiteral("/p/b.jpg"), QStringLiteral("a")));
    EXPECT_TRUE(list.containsPath(QStringLiteral("/p/a.jpg")));  // still held by the second entry
    list.replace(1, named(QStringLiteral("/p/c.jpg"), QStringLiteral("a_1")));
    EXPECT_FALSE(list.containsPath(QStringLiteral("/p/a.jpg")));
    list.clear();
    EXPECT_FALSE(list.containsPath(QStringLiteral("/p/b.jpg")));
}

TEST(ImageList, NewRecordsGetSafeOutputNamesAndTextTitlesFromAnyFileName)
{
    const struct { const char *path, *title, *outputName; } cases[] = {
        {"/p/..jpg", ".", "image"},
        {"/p/a\x01" "b.jpg", "a\x01" "b", "a_b"},
        {"C:\\p\\a:b.jpg", "a:b", "a_b"},
        {"/p/Caf\u00E9.jpg", "Caf\u00E9", "Caf\u00E9"},
        {"/p/rock&copy.jpg", "rock&amp;copy", "rock&copy"},
        {"/p/<img src=x onerror=alert(1)>.jpg", "&lt;img src=x onerror=alert(1)&gt;", "<img src=x onerror=alert(1)>"},
    };
    for (const auto &c : cases) {
        const ImageItem item = newImageRecord(Project(), QString::fromUtf8(c.path));
        EXPECT_EQ(item.title, QString::fromUtf8(c.title)) << c.path;
        EXPECT_EQ(item.outputName, QString::fromUtf8(c.outputName)) << c.path;
    }
}

TEST(ImageList, CapacityGrowsByHundredAtThe201stImageKeepingEntriesAndIds)
{
    ImageList list;
    QList<ImageId> ids;
    for (int i = 0; i < 200; ++i)
        ids.append(list.append(named(QString::number(i), QString::number(i))));
    EXPECT_EQ(list.capacity(), 200);
    list.append(named(QStringLiteral("200"), QStringLiteral("200")));
    EXPECT_EQ(list.capacity(), 300);
    for (int i = 0; i < 200; ++i)
        ASSERT_EQ(list.id(i), ids[i]);
    // Ids are never reused, not even by another list or after a clear.
    list.replace(5, named(QStringLiteral("five"), QStringLiteral("five")));
    EXPECT_EQ(list.id(5), ids[5]);
    list.clear();
    EXPECT_FALSE(ids.contains(list.append(named(QStringLiteral("y"), QStringLiteral("y")))));
    ImageList other;
    EXPECT_FALSE(ids.contains(other.append(named(QStringLiteral("x"), QStringLiteral("x")))));
}

TEST(OutputNames, OnlyNamesThatStayInTheirFolderAreSafe)
{
    for (const QString &name : {QStringLiteral("sea"), QStringLiteral("Sun set.v2"), QStringLiteral("..."),
                                QStringLiteral(".hidden"), QStringLiteral("\u0141\u00F3d\u017A"), withChar(u'~')})
        EXPECT_TRUE(isSafeOutputName(name)) << name.toStdString();
    for (const QString &name : {QString(), QStringLiteral("."), QStringLiteral(".."), QStringLiteral("../../x"),
                                QStringLiteral("a/b"), QStringLiteral("a\\b"), QStringLiteral("c:x"), withChar(u'\x01'),
                                withChar(u'\0'), withChar(u'\t'), withChar(u'\x1f'), withChar(u'\x7f')})
        EXPECT_FALSE(isSafeOutputName(name)) << name.toStdString();
}

TEST(OutputNames, RepairRebuildsUnsafeNamesAndNumbersRepeatsIgnoringCase)
{
    const struct { const char *name; QList<Entry> entries; QStringList expected; } cases[] = {
        // Which names are unsafe is the table above; any of them is rebuilt from the file name.
        {"empty", {{"/p/sea.jpg", ""}}, {"sea"}},
        {"climbs out", {{"/p/Dune.jpg", "../../src/Dune"}}, {"Dune"}},
        {"NUL inside", {{"/p/sea.jpg", withChar(u'\0')}}, {"sea"}},
        {"unusable base name", {{"/p/.jpg", ""}, {"/p/..jpg", "/"}, {QStringLiteral("/p/x") + QChar(1) + ".jpg", ""}},
         {"image", "image_1", "x_"}},
        {"same name", {{"/a/x.jpg", "x"}, {"/b/x.jpg", "x"}, {"/c/x.jpg", "x"}}, {"x", "x_1", "x_2"}},
        {"differs only by case", {{"/p/Sunset.jpg", "Sunset"}, {"/q/sunset.jpg", "sunset"}}, {"Sunset", "sunset_1"}},
        {"repeats in any case share one count", {{"/a/x.jpg", "x"}, {"/b/x.jpg", "X"}, {"/c/x.jpg", "x"}},
         {"x", "X_1", "x_2"}},
        {"number already in use", {{"/p/a.jpg", "a"}, {"/q/a.jpg", "a"}, {"/r/a.jpg", "A_1"}}, {"a", "a_2", "A_1"}},
        // The later entry keeps the name it already has: built pages link to its files.
        {"rebuilt name meets a later one", {{"/p/x.jpg", "../x"}, {"/q/x.jpg", "x"}}, {"x_1", "x"}},
        {"safe and distinct", {{"/p/a.jpg", "a"}, {"/p/b.jpg", "b_1"}, {"/p/c.jpg", "\u0141\u00F3d\u017A"}},
         {"a", "b_1", "\u0141\u00F3d\u017A"}},
    };
    for (const auto &c : cases) {
        ImageList list = listOf(c.entries);
        const QStringList before = namesOf(list);
        const int renamed = repairOutputNames(list);
        EXPECT_EQ(namesOf(list), c.expected) << c.name;
        qsizetype changed = 0;
        for (qsizetype i = 0; i < before.size(); ++i)
            changed += before.at(i) != c.expected.at(i) && list.at(i).path == c.entries.at(i).path;
        EXPECT_EQ(renamed, changed) << c.name;
        EXPECT_EQ(repairOutputNames(list), 0) << c.name;  // a repaired list stays as it is
        // The list's own index knows the repaired names, not the ones read from the file.
        if (c.expected == QStringList{"x_1", "x"}) {
            EXPECT_EQ(list.makeUniqueOutputName(QStringLiteral("x")), QStringLiteral("x_2"));
        }
    }
}
