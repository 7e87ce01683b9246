#include "storage/projectfile.h"
#include "storage/settingsfile.h"

#include <gtest/gtest.h>

#include "testsupport.h"

using namespace lumarc;
using namespace lumarc::test;

namespace {

// Signature, the settings of twoImageProject() (with linkText) and the image count.
Bytes header(const QByteArray &signature, qint32 count, const char *linkText = "3D")
{
    Bytes b;
    b.raw(signature);
    settingsRecord(b, {.linkText = linkText, .destination = "C:\\Gallery"});
    return b.i32(count);
}

// An item with only a path, the two flags and an output name set, then five empty reserved texts.
Bytes &appendItem(Bytes &b, const QByteArray &path, int sameWindow, int loaded, const QByteArray &outputName)
{
    return b.str(path).str("").str("").str("").i16(sameWindow).i16(loaded).str("").str(outputName).raw(QByteArray(10, '\0'));
}

// Two images with paths, output names and flags; the environment-dependent defaults pinned.
Project twoImageProject()
{
    Project project;
    project.settings.setDefaults();
    project.settings.galleryTitle = QStringLiteral("My Image Gallery"), project.settings.destinationFolder = QStringLiteral("C:\\Gallery");
    ImageItem item;
    item.path = QStringLiteral("C:\\a.jpg"), item.outputName = QStringLiteral("a"), item.loaded = true;
    project.images.append(item);
    item.path = QStringLiteral("C:\\Fotos\\\u0142\u20AC.jpg"), item.outputName = QStringLiteral("\u0142\u20AC");
    item.loaded = false, item.openSameWindow = true;
    project.images.append(item);
    return project;
}

// An empty record with a marker in the first and last field of each group, so that a
// field stored out of place shows.
GallerySettings markedSettings()
{
    GallerySettings s;
    s.columns = 7, s.rows = -2, s.defaultLinkText = QStringLiteral("L"), s.parentPageUrl = QStringLiteral("http://up/");
    s.keepAspectRatio = 1, s.linkBase = QStringLiteral("B"), s.reserved39[16] = QStringLiteral("\u0142");
    s.addParentLink = 1, s.addImageLinks = 258, s.reservedBlock[0] = 0xAB, s.reservedBlock[15] = 0xCD;
    return s;
}

QByteArray markedRecord()
{
    // Empty texts are their two zero length bytes.
    Bytes b;
    b.i32(7).i32(-2).str("L").raw(QByteArray(30 * 2, '\0')).str("http://up/").i16(1).str("B").raw(QByteArray(18 * 2, '\0'));
    return b.str("&#322;").i16(1).i16(258).d + '\xAB' + QByteArray(14, '\0') + '\xCD';
}

} // namespace

// Only used entries are written; true is FF FF; ł goes in as a reference, € as byte 80.
TEST(ProjectFile, TwoImagesMatchHandBuiltBytes)
{
    Bytes expected = header(kZeb104, 2);
    appendItem(appendItem(expected, "C:\\a.jpg", 0, -1, "a"), "C:\\Fotos\\&#322;\x80.jpg", -1, 0, "&#322;\x80");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("two.zeb"));
    ASSERT_FALSE(saveProject(twoImageProject(), path));
    EXPECT_EQ(readAll(path).toHex(' '), expected.d.toHex(' '));
    EXPECT_EQ(loadProject(path).value().images, twoImageProject().images);
}

TEST(ProjectFile, RoundTripKeepsEveryFieldAndSparesHundredEntries)
{
    Project project = twoImageProject();
    GallerySettings &s = project.settings;
    s.linkBase = QStringLiteral("http://base/"), s.reserved39[16] = QStringLiteral("r55");
    s.addImageLinks = -7, s.reservedBlock[15] = 0xF5;
    project.images.setCapacity(400);
    ImageItem item = project.images.at(0);
    item.title = QStringLiteral("Title \u0142 &#65; &amp;"), item.tooltip = QStringLiteral("\U0001F600");
    item.linkText = QStringLiteral("\u20AC\u0178"), item.reserved[4] = QStringLiteral("kept");
    project.images.replace(0, item);
    const Result<Project> back = decodeProject(encodeProject(project).value());
    ASSERT_TRUE(back.ok());
    EXPECT_TRUE(back.value().settings == project.settings && back.value().images == project.images);
    EXPECT_EQ(back.value().images.capacity(), 2 + 100);
}

// Names made from the file names are numbered where they repeat, ignoring case.
TEST(ProjectFile, LegacyFileTakesLinkTextFromItsSettingsAndOutputNamesFromPaths)
{
    Bytes legacy = header(kZeb100, 3, "Link");
    legacy.str("C:\\x\\sea.jpg").str("Sea").str("Waves").str("u").i16(-1);
    for (const char *path : {"/b/sea.jpg", "C:\\c\\Sea.jpg"})
        legacy.str(path).str("").str("").str("").i16(0);
    int renamed = -1;
    const Result<Project> loaded = decodeProject(legacy.d, &renamed);
    ASSERT_TRUE(loaded.ok()) << loaded.error().message().toStdString();
    const ImageList &images = loaded.value().images;
    EXPECT_EQ(QStringList({images.at(0).outputName, images.at(1).outputName, images.at(2).outputName}),
              QStringList({"sea", "sea_1", "Sea_2"}));
    EXPECT_EQ(renamed, 2);
    const ImageItem &sea = images.at(0);
    EXPECT_EQ(QStringList({sea.title, sea.tooltip, sea.url, sea.linkText}), QStringList({"Sea", "Waves", "u", "Link"}));
    EXPECT_TRUE(sea.openSameWindow && images.count() == 3);
    EXPECT_EQ(encodeProject(loaded.value()).value().left(10), kZeb104);
}

TEST(ProjectFile, ForeignTruncatedAndOverrunningFilesAreInvalid)
{
    Bytes valid = header(kZeb104, 2);
    appendItem(appendItem(valid, "a", -1, 0, "a"), "b", 0, -1, "b");
    Bytes oneItem;
    appendItem(oneItem, "a", 0, 0, "a");
    std::vector<std::pair<std::string, QByteArray>> cases = {
        {"next version", QByteArray("ZEB105\0\0\0\0", 10) + valid.d.mid(10)},
        {"negative count", header(kZeb104, -1).d + oneItem.d},
        {"count past the items", header(kZeb104, 2).d + oneItem.d},
        {"legacy count past the items", header(kZeb100, 2).d},
        {"text length past the end", header(kZeb104, 1).i16(0xFFFF).raw("C:\\short.jpg").raw(QByteArray(30, 'x')).d},
    };
    for (qsizetype length = 0; length < valid.d.size(); ++length)
        cases.emplace_back("prefix of " + std::to_string(length) + " bytes", valid.d.left(length));
    ASSERT_TRUE(decodeProject(valid.d).ok());
    for (const auto &[name, file] : cases) {
        const Result<Project> decoded = decodeProject(file);
        ASSERT_FALSE(decoded.ok()) << name;
        EXPECT_EQ(decoded.error().code, ErrorCode::BadFormat) << name;
        EXPECT_EQ(decoded.error().detail, QStringLiteral("Invalid ZEB file!")) << name;
    }
}

TEST(ProjectFile, RefusedSaveLeavesTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.zeb"));
    ASSERT_TRUE(writeAll(path, "previous"));
    Project project = twoImageProject();
    // The limit is on encoded bytes: 65535 letters fit, 10923 times ł (six bytes each) do not.
    ImageItem item = project.images.at(1);
    const auto setTitle = [&](const QString &title) { item.title = title, project.images.replace(1, item); };
    setTitle(QString(65535, QLatin1Char('a')));
    EXPECT_TRUE(encodeProject(project).ok());
    setTitle(QString(10923, QChar(0x0142)));
    const Status status = saveProject(project, path);
    ASSERT_TRUE(status);
    EXPECT_TRUE(status->code == ErrorCode::Invalid && status->detail == QStringLiteral("title of image 2 is longer than 65535 bytes"))
        << status->message().toStdString();
    EXPECT_EQ(readAll(path), QByteArray("previous"));
}

TEST(SettingsFile, FileIsTheSignatureAndTheRecordAndAProjectFileGivesItsSettings)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("look.zes"));
    ASSERT_FALSE(writeSettingsFile(markedSettings(), path));
    EXPECT_EQ(readAll(path).toHex(' '), (kZeb104 + markedRecord()).toHex(' '));

    // A current project file with one image: the image is not read.
    Bytes image;
    image.i32(1).str("a.jpg").str("").str("").str("").i16(0).i16(-1).raw(QByteArray(7 * 2, '\0'));
    const QString project = dir.filePath(QStringLiteral("one.zeb"));
    ASSERT_TRUE(writeAll(project, kZeb104 + markedRecord() + image.d));
    for (const QString &read : {path, project}) {
        const Result<GallerySettings> settings = readSettingsFile(read);
        ASSERT_TRUE(settings.ok()) << read.toStdString();
        EXPECT_EQ(settings.value(), markedSettings()) << read.toStdString();
    }
}

TEST(SettingsFile, LegacyProjectsAndShortRecordsAreInvalidFiles)
{
    const QByteArray record = markedRecord();
    std::vector<QByteArray> files = {QByteArray("ZEB100\0\0\0\0", 10) + record};
    for (qsizetype length = 0; length < record.size(); ++length)
        files.push_back(kZeb104 + record.left(length));
    for (const QByteArray &file : files) {
        const Result<GallerySettings> decoded = decodeSettings(file);
        ASSERT_FALSE(decoded.ok()) << file.size() << " bytes";
        EXPECT_EQ(decoded.error().code, ErrorCode::BadFormat);
        EXPECT_EQ(decoded.error().detail, QStringLiteral("Invalid file!"));
    }
}
