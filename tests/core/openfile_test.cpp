#include "storage/openfile.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lumarc;

TEST(OpenFile, KindsComeFromTheExtensionInAnyCaseAndFoldersFromTheDisk)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid() && QDir(dir.path()).mkdir("trip.zeb"));
    const struct { QString path; FileKind kind; } cases[] = {
        {"C:\\Photos\\trip.ZEB", FileKind::Project},   {"/home/me/look.zes", FileKind::Settings},
        {"default.Zem", FileKind::Settings},            {"C:\\my.dir\\file", FileKind::Unknown},
        {"archive.tar.gz", FileKind::Unknown},          {"", FileKind::Unknown},
        {dir.filePath("trip.zeb"), FileKind::Folder},
    };
    for (const auto &c : cases)
        EXPECT_EQ(fileKind(c.path), c.kind) << c.path.toStdString();
    // By name alone the disk is not asked: the folder counts by its extension.
    EXPECT_EQ(fileKindByName(dir.filePath("trip.zeb")), FileKind::Project);
    EXPECT_EQ(fileKindByName("C:\\Photos\\look.ZES"), FileKind::Settings);
}
