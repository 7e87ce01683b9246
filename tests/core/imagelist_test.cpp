#include "model/imagelist.h"
#include "model/project.h"

#include <gtest/gtest.h>

using namespace lumarc;

namespace {

ImageItem named(const QString &path, const QString &outputName)
{
    ImageItem item;
    item.path = path;
    item.outputName = outputName;
    return item;
}

} // namespace

TEST(ImageList, SameFileNameInThreeFoldersGetsNumberedOutputNames)
{
    Project project;
    QStringList names;
    for (const char *path : {"C:\\1\\a.jpg", "C:\\2\\a.jpg", "/3/a.jpg"}) {
        const ImageItem item = newImageRecord(project, QString::fromUtf8(path));
        names << item.outputName;
        project.images.append(item);
    }
    EXPECT_EQ(names, (QStringList{QStringLiteral("a"), QStringLiteral("a_1"), QStringLiteral("a_2")}));
}

TEST(ImageList, EveryChangedCandidateIsComparedWithAllEntriesAgain)
{
    struct Case {
        QStringList present;
        const char *candidate, *expected;
    };
    const Case cases[] = {
        {{}, "a", "a"},
        {{"a_1", "a"}, "a", "a_2"},
        {{"a_2", "a_1", "a"}, "a", "a_3"},
        {{"a_1"}, "a", "a"},
        {{"A"}, "a", "a"},
        {{"b", "a", "a_1", "b_1"}, "b", "b_2"},
    };
    for (const Case &c : cases) {
        ImageList list;
        for (const QString &name : c.present)
            list.append(named(QStringLiteral("p") + name, name));
        EXPECT_EQ(list.makeUniqueOutputName(QString::fromUtf8(c.candidate)), QString::fromUtf8(c.expected))
            << c.candidate << " with " << c.present.join(QLatin1Char(',')).toStdString();
    }
}

TEST(ImageList, CapacityGrowsByHundredAtThe201stImageKeepingEntries)
{
    ImageList list;
    EXPECT_EQ(list.capacity(), 200);
    for (int i = 0; i < 200; ++i)
        list.append(named(QString::number(i), QString::number(i)), PixelBuffer{1, 1, QByteArray(3, char(i))});
    EXPECT_EQ(list.capacity(), 200);
    list.append(named(QStringLiteral("200"), QStringLiteral("200")));
    EXPECT_EQ(list.capacity(), 300);
    EXPECT_EQ(list.count(), 201);
    for (int i = 0; i < 200; ++i) {
        ASSERT_EQ(list.at(i).path, QString::number(i));
        ASSERT_EQ(list.preview(i).rgb, QByteArray(3, char(i)));
    }
}

TEST(ImageList, ClearKeepsCapacityAndSetCapacityNeverDropsBelowCount)
{
    ImageList list;
    for (int i = 0; i < 3; ++i)
        list.append(named(QString::number(i), {}));
    list.setCapacity(1);
    EXPECT_EQ(list.capacity(), 3);
    list.setCapacity(450);
    list.clear();
    EXPECT_TRUE(list.isEmpty());
    EXPECT_EQ(list.capacity(), 450);
}

TEST(ImageList, PathLookupIsExactAndCaseSensitive)
{
    ImageList list;
    list.append(named(QStringLiteral("C:\\Fotos\\a.jpg"), {}));
    EXPECT_TRUE(list.containsPath(QStringLiteral("C:\\Fotos\\a.jpg")));
    EXPECT_FALSE(list.containsPath(QStringLiteral("c:\\fotos\\a.jpg")));
    EXPECT_FALSE(list.containsPath(QStringLiteral("C:\\Fotos\\a.jpg ")));
}

TEST(ImageList, NewRecordTakesTitleFromFileNameAndLinkTextFromSettings)
{
    Project project;
    project.settings.defaultLinkText = QStringLiteral("3D");
    const ImageItem item = newImageRecord(project, QStringLiteral("C:\\x\\a.b.jpg"));
    EXPECT_EQ(item.title, QStringLiteral("a.b"));
    EXPECT_EQ(item.tooltip, QStringLiteral("a.b"));
    EXPECT_EQ(item.url, QString());
    EXPECT_FALSE(item.openSameWindow);
    EXPECT_TRUE(item.loaded);
    EXPECT_EQ(item.linkText, QStringLiteral("3D"));
    EXPECT_EQ(item.outputName, QStringLiteral("a.b"));
}
