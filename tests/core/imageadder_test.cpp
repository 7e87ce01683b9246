#include "model/imageadder.h"
#include "imaging/syntheticimage.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace lumarc;
using imaging::SyntheticImage;

namespace {

QString write(const QString &path, const SyntheticImage &spec)
{
    const Status status = imaging::writeSyntheticImage(path, spec);
    EXPECT_FALSE(status) << status->message().toStdString();
    return path;
}

Project newProject()
{
    Project project;
    project.settings.setDefaults();
    return project;
}

} // namespace

TEST(ImageAdder, PreviewSizeFillsTheBoxAndEnlargesSmallImages)
{
    const struct {
        int w, h, boxW, boxH;
        bool keep;
        QSize expected;
    } cases[] = {
        {4000, 1000, 120, 120, true, {120, 30}},
        {1000, 4000, 120, 120, true, {30, 120}},
        {60, 60, 120, 120, true, {120, 120}},   // enlarged
        {30, 20, 120, 120, true, {120, 80}},    // enlarged
        {4000, 3000, 120, 120, true, {120, 90}},
        {48, 5, 120, 120, true, {120, 12}},     // 12.5 -> 12
        {48, 7, 120, 120, true, {120, 18}},     // 17.5 -> 18
        {5, 48, 120, 120, true, {12, 120}},
        {7, 48, 120, 120, true, {18, 120}},
        {100000, 10, 120, 120, true, {120, 1}}, // never below one pixel
        {4000, 1000, 120, 120, false, {120, 120}},
        {10, 10, 160, 120, false, {160, 120}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(previewSize(c.w, c.h, c.boxW, c.boxH, c.keep), c.expected) << c.w << "x" << c.h;
    EXPECT_FALSE(previewSize(10, 10, 0, 120, true).isValid());
}

TEST(ImageAdder, AddsARecordWithDefaultTextsAndAPreview)
{
    QTemporaryDir dir;
    Project project = newProject();
    project.settings.defaultLinkText = QStringLiteral("more");
    const QString path = write(dir.filePath(QStringLiteral("Sun set.v2.JPG")), {.width = 400, .height = 100});

    const AddResult result = addImageToProject(project, path);

    ASSERT_EQ(result.outcome, AddOutcome::Added) << result.detail.toStdString();
    EXPECT_EQ(result.index, 0);
    EXPECT_TRUE(result.message.isEmpty());
    ASSERT_EQ(project.images.count(), 1);
    const ImageItem &item = project.images.at(0);
    EXPECT_EQ(item.path, path);
    EXPECT_EQ(item.title, QStringLiteral("Sun set.v2"));
    EXPECT_EQ(item.tooltip, QStringLiteral("Sun set.v2"));
    EXPECT_TRUE(item.url.isEmpty());
    EXPECT_FALSE(item.openSameWindow);
    EXPECT_TRUE(item.loaded);
    EXPECT_EQ(item.linkText, QStringLiteral("more"));
    EXPECT_EQ(item.outputName, QStringLiteral("Sun set.v2"));
    const PixelBuffer &preview = project.images.preview(0);
    EXPECT_EQ(QSize(preview.width, preview.height), QSize(120, 30));
    EXPECT_EQ(preview.rgb.size(), 120 * 30 * 3);
    const auto *left = reinterpret_cast<const unsigned char *>(preview.rgb.constData()) + 15 * 120 * 3 + 10 * 3;
    EXPECT_GT(left[0], 200);  // red half on the left
}

TEST(ImageAdder, PreviewsFollowTheBoxRuleOnRealFiles)
{
    QTemporaryDir dir;
    Project project = newProject();
    const struct {
        const char *name;
        SyntheticImage spec;
        QSize expected;
    } cases[] = {
        {"pano.jpg", {.width = 800, .height = 200}, {120, 30}},
        {"tall.png", {.width = 200, .height = 800}, {30, 120}},
        {"tiny.png", {.width = 60, .height = 60}, {120, 120}},
        {"turned.jpg", {.width = 800, .height = 200, .orientation = 6}, {30, 120}},
    };
    for (const auto &c : cases) {
        const AddResult result = addImageToProject(project, write(dir.filePath(QLatin1String(c.name)), c.spec));
        ASSERT_EQ(result.outcome, AddOutcome::Added) << c.name;
        const PixelBuffer &preview = project.images.preview(result.index);
        EXPECT_EQ(QSize(preview.width, preview.height), c.expected) << c.name;
    }
    const AddResult stretched =
        addImageToProject(project, write(dir.filePath(QStringLiteral("s.png")), {.width = 80, .height = 20}), 120, 120,
                          false);
    ASSERT_EQ(stretched.outcome, AddOutcome::Added);
    EXPECT_EQ(project.images.preview(stretched.index).width, 120);
    EXPECT_EQ(project.images.preview(stretched.index).height, 120);
}

TEST(ImageAdder, RefusesTheSamePathTwiceWithTheDuplicateMessage)
{
    QTemporaryDir dir;
    Project project = newProject();
    const QString path = write(dir.filePath(QStringLiteral("pic.jpg")), {});
    ASSERT_EQ(addImageToProject(project, path).outcome, AddOutcome::Added);

    const AddResult again = addImageToProject(project, path);

    EXPECT_EQ(again.outcome, AddOutcome::Duplicate);
    EXPECT_EQ(again.index, -1);
    EXPECT_EQ(again.message, QStringLiteral("Image path:'pic' already exist!\r\nImage ignored!"));
    EXPECT_EQ(project.images.count(), 1);
}

TEST(ImageAdder, ThePathComparisonIsCaseSensitive)
{
    QTemporaryDir dir;
    Project project = newProject();
    const QString path = write(dir.filePath(QStringLiteral("Pic.png")), {});
    ASSERT_EQ(addImageToProject(project, path).outcome, AddOutcome::Added);
    const QString other = write(dir.filePath(QStringLiteral("pic.png")), {});
    const AddResult second = addImageToProject(project, other);
    ASSERT_EQ(second.outcome, AddOutcome::Added);
    EXPECT_EQ(project.images.at(1).outputName, QStringLiteral("pic"));
}

TEST(ImageAdder, SameFileNameInTwoFoldersGetsNumberedOutputNames)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("A")));
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("B")));
    Project project = newProject();
    ASSERT_EQ(addImageToProject(project, write(dir.filePath(QStringLiteral("A/img.jpg")), {})).outcome, AddOutcome::Added);
    ASSERT_EQ(addImageToProject(project, write(dir.filePath(QStringLiteral("B/img.jpg")), {})).outcome, AddOutcome::Added);
    EXPECT_EQ(project.images.at(0).title, QStringLiteral("img"));
    EXPECT_EQ(project.images.at(1).title, QStringLiteral("img"));
    EXPECT_EQ(project.images.at(0).outputName, QStringLiteral("img"));
    EXPECT_EQ(project.images.at(1).outputName, QStringLiteral("img_1"));
}

TEST(ImageAdder, UnreadableOrUndecodableFilesAreSkippedSilently)
{
    QTemporaryDir dir;
    Project project = newProject();
    QFile text(dir.filePath(QStringLiteral("words.jpg")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not an image");
    text.close();
    const struct {
        QString path;
        AddOutcome outcome;
    } cases[] = {
        {dir.filePath(QStringLiteral("notes.txt")), AddOutcome::NotReadable},
        {dir.filePath(QStringLiteral("noextension")), AddOutcome::NotReadable},
        {QStringLiteral("C:\\my.dir\\file"), AddOutcome::NotReadable},  // extension "dir\file"
        {dir.filePath(QStringLiteral("archive.tar.gz")), AddOutcome::NotReadable},
        {text.fileName(), AddOutcome::LoadFailed},
        {dir.filePath(QStringLiteral("absent.png")), AddOutcome::LoadFailed},
    };
    for (const auto &c : cases) {
        const AddResult result = addImageToProject(project, c.path);
        EXPECT_EQ(result.outcome, c.outcome) << c.path.toStdString();
        EXPECT_TRUE(result.message.isEmpty()) << c.path.toStdString();
        EXPECT_EQ(result.index, -1);
    }
    EXPECT_EQ(project.images.count(), 0);
    EXPECT_EQ(project.images.capacity(), ImageList::kInitialCapacity);
}

TEST(ImageAdder, FolderAddsReadableFilesDirectlyInsideInNameOrder)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("sub")));
    write(dir.filePath(QStringLiteral("b.jpg")), {});
    write(dir.filePath(QStringLiteral("a.png")), {});
    write(dir.filePath(QStringLiteral("sub/c.jpg")), {});
    QFile other(dir.filePath(QStringLiteral("readme.txt")));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.close();
    Project project = newProject();

    const QList<AddResult> results = addFolderImages(project, dir.path());

    ASSERT_EQ(results.size(), 2);
    EXPECT_EQ(results.at(0).outcome, AddOutcome::Added);
    EXPECT_EQ(results.at(1).outcome, AddOutcome::Added);
    ASSERT_EQ(project.images.count(), 2);
    EXPECT_EQ(project.images.at(0).title, QStringLiteral("a"));
    EXPECT_EQ(project.images.at(1).title, QStringLiteral("b"));

    const QList<AddResult> again = addFolderImages(project, dir.path());
    ASSERT_EQ(again.size(), 2);
    EXPECT_EQ(again.at(0).outcome, AddOutcome::Duplicate);
    EXPECT_EQ(project.images.count(), 2);

    EXPECT_TRUE(addFolderImages(project, dir.filePath(QStringLiteral("missing"))).isEmpty());
}
