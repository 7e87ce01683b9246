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
    ImageList list;
    list.append(named(QStringLiteral("p1"), QStringLiteral("a_1")));
    EXPECT_EQ(list.makeUniqueOutputName(QStringLiteral("a")), QStringLiteral("a"));
    list.append(named(QStringLiteral("p2"), QStringLiteral("a")));
    EXPECT_EQ(list.makeUniqueOutputName(QStringLiteral("a")), QStringLiteral("a_2"));
    EXPECT_EQ(list.makeUniqueOutputName(QStringLiteral("A")), QStringLiteral("A"));
}

TEST(ImageList, CapacityGrowsByHundredAtThe201stImageKeepingEntries)
{
    ImageList list;
    for (int i = 0; i < 200; ++i)
        list.append(named(QString::number(i), QString::number(i)), PixelBuffer{1, 1, QByteArray(3, char(i))});
    EXPECT_EQ(list.capacity(), 200);
    list.append(named(QStringLiteral("200"), QStringLiteral("200")));
    EXPECT_EQ(list.capacity(), 300);
    ASSERT_EQ(list.count(), 201);
    for (int i = 0; i < 200; ++i) {
        ASSERT_EQ(list.at(i).path, QString::number(i));
        ASSERT_EQ(list.preview(i).rgb, QByteArray(3, char(i)));
    }
}
