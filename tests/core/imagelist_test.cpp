#include "model/imagelist.h"
#include "model/project.h"

#include <gtest/gtest.h>

using namespace lumarc;

namespace {

ImageItem named(const QString &path, const QString &outputName)
{
    ImageItem item;
    item.path = path, item.outputName = outputName;
    return item;
}

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
