#include "storage/openfile.h"

#include "storage/projectfile.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "testsupport.h"

using namespace lumarc;
using namespace lumarc::test;

TEST(OpenFile, KindsComeFromTheExtensionInAnyCaseAndFoldersFromTheDisk)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid() && QDir(dir.path()).mkdir("trip.zeb"));
    const struct {
        QString path;
        FileKind kind;
    } cases[] = {
        {"C:\\Photos\\trip.ZEB", FileKind::Project},   {"/home/me/look.zes", FileKind::Settings},
        {"default.Zem", FileKind::Settings},            {"list.TXT", FileKind::TextList},
        {"D:/pics/Sunset.JPG", FileKind::Image},        {"pic.png", FileKind::Image},
        {"C:\\my.dir\\file", FileKind::Unknown},        {"archive.tar.gz", FileKind::Unknown},
        {"", FileKind::Unknown},                        {dir.filePath("trip.zeb"), FileKind::Folder},
    };
    for (const auto &c : cases)
        EXPECT_EQ(fileKind(c.path), c.kind) << c.path.toStdString();
}

TEST(OpenFile, SettingsFilesGiveSettingsOnlyAndWriteBackInTheirOwnKind)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Project project;
    project.settings.setDefaults();
    project.settings.galleryTitle = QStringLiteral("Look");
    ASSERT_FALSE(saveProject(project, dir.filePath("p.zeb")));

    // A project file renamed .zes reads as a settings file: its settings, no images.
    ASSERT_TRUE(QFile::copy(dir.filePath("p.zeb"), dir.filePath("look.zes")));
    Result<OpenedFile> settings = openFile(dir.filePath("look.zes"));
    ASSERT_TRUE(settings);
    EXPECT_TRUE(settings.value().settingsOnly);
    EXPECT_EQ(settings.value().project.settings.galleryTitle, QStringLiteral("Look"));
    ASSERT_FALSE(saveFile(settings.value(), dir.filePath("again.zes")));
    EXPECT_FALSE(readAll(dir.filePath("again.zes")).isEmpty());
    EXPECT_NE(readAll(dir.filePath("again.zes")), readAll(dir.filePath("p.zeb")));  // no image count

    bool created = false;
    ASSERT_TRUE(openOrCreateProject(dir.filePath("new.zeb"), &created));
    EXPECT_TRUE(created);
    EXPECT_FALSE(openFile(dir.filePath("new.zeb")));
}
