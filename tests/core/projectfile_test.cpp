#include "storage/projectfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <climits>

using namespace lumarc;

namespace {

// Builds file bytes field by field from the documented layout, independently of the
// storage code: little-endian integers, texts as a 16-bit count plus the bytes.
struct Bytes {
    QByteArray d;
    Bytes &u16(quint16 v)
    {
        d.append(char(v & 0xFF)).append(char(v >> 8));
        return *this;
    }
    Bytes &i16(qint16 v) { return u16(quint16(v)); }
    Bytes &i32(qint32 v)
    {
        const auto u = quint32(v);
        for (int shift = 0; shift < 32; shift += 8)
            d.append(char((u >> shift) & 0xFF));
        return *this;
    }
    Bytes &str(const QByteArray &text)
    {
        u16(quint16(text.size()));
        d.append(text);
        return *this;
    }
    Bytes &raw(const QByteArray &bytes)
    {
        d.append(bytes);
        return *this;
    }
};

const QByteArray kZeb104("ZEB104\0\0\0\0", 10);
const QByteArray kZeb100("ZEB100\0\0\0\0", 10);

// The defaults with the two environment-dependent texts pinned.
GallerySettings testSettings()
{
    GallerySettings s;
    s.setDefaults();
    s.galleryTitle = QStringLiteral("My Image Gallery");
    s.destinationFolder = QStringLiteral("C:\\Gallery");
    return s;
}

// testSettings() as stored, written out by hand in declared order.
Bytes &appendTestSettings(Bytes &b)
{
    b.i32(4).i32(100);
    for (const char *text : {"3D", "Arial, Helvetica, sans-serif", "#7F7F7F", "160", "120", "1",
                             "#aaaaaa #666666 #666666 #aaaaaa", "#7F7F7F", "160", "120", "", "", "#FFFFFF", "1",
                             "Verdana", "10", "normal", "center", "#FFFFFF", "750", "500", "25", "90",
                             "My Image Gallery", "Verdana", "26", "#000080", "5", "10", "C:\\Gallery", "", ""})
        b.str(text);
    b.i16(1);
    for (int i = 0; i < 20; ++i)
        b.str("");
    b.i16(0).i16(0).raw(QByteArray(16, '\0'));
    return b;
}

// Bytes of the texts in testSettings().
constexpr int kTestSettingsTextBytes = 2 + 28 + 7 + 3 + 3 + 1 + 31 + 7 + 3 + 3 + 7 + 1 + 7 + 2 + 6 + 6 + 7 + 3 + 3
    + 2 + 2 + 16 + 7 + 2 + 7 + 1 + 2 + 10;

ImageItem pathOnly(const QString &path)
{
    ImageItem item;
    item.path = path;
    item.loaded = true;
    return item;
}

Bytes &appendItem(Bytes &b, const QByteArray &path, qint16 sameWindow, qint16 loaded)
{
    b.str(path).str("").str("").str("").i16(sameWindow).i16(loaded);
    for (int i = 0; i < 7; ++i)
        b.str("");
    return b;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// A valid current file with two images, exercising every kind of member.
QByteArray validCurrentFile()
{
    Bytes b;
    b.raw(kZeb104);
    appendTestSettings(b).i32(2);
    b.str("C:\\a.jpg").str("A").str("tip").str("http://x/").i16(-1).i16(-1).str("go").str("a");
    for (int i = 0; i < 5; ++i)
        b.str("");
    appendItem(b, "C:\\b.jpg", 0, 0);
    return b.d;
}

QByteArray validLegacyFile()
{
    Bytes b;
    b.raw(kZeb100);
    appendTestSettings(b).i32(2);
    b.str("C:\\x\\sea.jpg").str("Sea").str("Waves").str("").i16(0);
    b.str("D:\\y\\sky.png").str("").str("").str("u").i16(-1);
    return b.d;
}

} // namespace

TEST(ProjectFile, TwoImagesWithOnlyPathsMatchHandBuiltBytes)
{
    Project project;
    project.settings = testSettings();
    project.images.append(pathOnly(QStringLiteral("C:\\a.jpg")));
    ImageItem second = pathOnly(QStringLiteral("C:\\Fotos\\\u0142\u20AC.jpg"));
    second.openSameWindow = true;
    second.loaded = false;
    project.images.append(second);

    Bytes expected;
    expected.raw(kZeb104);
    appendTestSettings(expected).i32(2);
    appendItem(expected, "C:\\a.jpg", 0, -1);
    // ł has no Windows-1252 byte and goes in as a reference; € is byte 80.
    appendItem(expected, "C:\\Fotos\\&#322;\x80.jpg", -1, 0);

    const Result<QByteArray> bytes = encodeProject(project);
    ASSERT_TRUE(bytes.ok()) << bytes.error().message().toStdString();
    EXPECT_EQ(bytes.value().toHex(' '), expected.d.toHex(' '));
    EXPECT_EQ(bytes.value().size(), 10 + 134 + 4 + 2 * 26 + kTestSettingsTextBytes + 8 + 20);

    // The same bytes reach the disk, and the second item's fifth member is FF FF.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("two.zeb"));
    ASSERT_FALSE(saveProject(project, path));
    const QByteArray onDisk = readAll(path);
    EXPECT_EQ(onDisk, expected.d);
    const qsizetype secondItem = 10 + 134 + kTestSettingsTextBytes + 4 + 26 + 8;
    EXPECT_EQ(onDisk.mid(secondItem + 2 + 20 + 6, 4), QByteArray("\xFF\xFF\x00\x00", 4));

    const Result<Project> loaded = loadProject(path);
    ASSERT_TRUE(loaded.ok());
    EXPECT_EQ(loaded.value().images.at(1).path, QStringLiteral("C:\\Fotos\\\u0142\u20AC.jpg"));
}

TEST(ProjectFile, RoundTripKeepsEveryFieldAndWritesOnlyTheUsedEntries)
{
    Project project;
    project.settings = testSettings();
    project.settings.linkBase = QStringLiteral("http://base/");
    project.settings.reserved13[1] = QStringLiteral("r14");
    project.settings.reserved39[16] = QStringLiteral("r55");
    project.settings.addParentLink = 1;
    project.settings.addImageLinks = -7;
    for (int i = 0; i < 16; ++i)
        project.settings.reservedBlock[i] = quint8(0xF0 + i);
    project.images.setCapacity(400);
    for (int i = 0; i < 3; ++i) {
        ImageItem item;
        item.path = QStringLiteral("C:\\p\\%1.jpg").arg(i);
        item.title = QStringLiteral("Title \u0142 %1 &#65; &amp;").arg(i);
        item.tooltip = QStringLiteral("\U0001F600");
        item.url = QStringLiteral("http://example.org/%1").arg(i);
        item.openSameWindow = i == 1;
        item.loaded = i != 2;
        item.linkText = QStringLiteral("\u20AC\u0178");
        item.outputName = QString::number(i);
        item.reserved[4] = QStringLiteral("kept");
        project.images.append(item);
    }

    const Result<QByteArray> bytes = encodeProject(project);
    ASSERT_TRUE(bytes.ok());
    const Result<Project> back = decodeProject(bytes.value());
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(back.value().settings, project.settings);
    EXPECT_EQ(back.value().images.items(), project.images.items());
    EXPECT_EQ(back.value().images.capacity(), 3 + 100);
}

TEST(ProjectFile, EmptyProjectRoundTrips)
{
    Project project;
    project.settings = testSettings();
    Bytes expected;
    expected.raw(kZeb104);
    appendTestSettings(expected).i32(0);
    const Result<QByteArray> bytes = encodeProject(project);
    ASSERT_TRUE(bytes.ok());
    EXPECT_EQ(bytes.value(), expected.d);
    const Result<Project> back = decodeProject(bytes.value());
    ASSERT_TRUE(back.ok());
    EXPECT_TRUE(back.value().images.isEmpty());
    EXPECT_EQ(back.value().images.capacity(), 100);
}

TEST(ProjectFile, LegacyFileTakesLinkTextFromSettingsAndOutputNameFromPath)
{
    const Result<Project> loaded = decodeProject(validLegacyFile());
    ASSERT_TRUE(loaded.ok()) << loaded.error().message().toStdString();
    const ImageList &images = loaded.value().images;
    ASSERT_EQ(images.count(), 2);
    EXPECT_EQ(loaded.value().settings, testSettings());

    const ImageItem &sea = images.at(0);
    EXPECT_EQ(sea.path, QStringLiteral("C:\\x\\sea.jpg"));
    EXPECT_EQ(sea.title, QStringLiteral("Sea"));
    EXPECT_EQ(sea.tooltip, QStringLiteral("Waves"));
    EXPECT_EQ(sea.outputName, QStringLiteral("sea"));
    EXPECT_EQ(sea.linkText, QStringLiteral("3D"));
    EXPECT_TRUE(sea.loaded);
    EXPECT_FALSE(sea.openSameWindow);
    EXPECT_EQ(sea.reserved, (std::array<QString, 5>{}));

    const ImageItem &sky = images.at(1);
    EXPECT_EQ(sky.outputName, QStringLiteral("sky"));
    EXPECT_EQ(sky.url, QStringLiteral("u"));
    EXPECT_TRUE(sky.openSameWindow);
    EXPECT_EQ(images.capacity(), 102);

    // Saving it again writes the current layout.
    const Result<QByteArray> saved = encodeProject(loaded.value());
    ASSERT_TRUE(saved.ok());
    EXPECT_EQ(saved.value().left(10), kZeb104);
    const Result<Project> again = decodeProject(saved.value());
    ASSERT_TRUE(again.ok());
    EXPECT_EQ(again.value().images.items(), images.items());
}

TEST(ProjectFile, LegacyOutputNamesAreNotMadeUnique)
{
    Bytes b;
    b.raw(kZeb100);
    appendTestSettings(b).i32(2);
    b.str("C:\\1\\a.jpg").str("").str("").str("").i16(0);
    b.str("C:\\2\\a.jpg").str("").str("").str("").i16(0);
    const Result<Project> loaded = decodeProject(b.d);
    ASSERT_TRUE(loaded.ok());
    EXPECT_EQ(loaded.value().images.at(0).outputName, QStringLiteral("a"));
    EXPECT_EQ(loaded.value().images.at(1).outputName, QStringLiteral("a"));
}

TEST(ProjectFile, AnyNonZeroFlagReadsAsTrue)
{
    Bytes b;
    b.raw(kZeb104);
    appendTestSettings(b).i32(2);
    appendItem(b, "a", 1, 2);
    appendItem(b, "b", 0, 0);
    const Result<Project> loaded = decodeProject(b.d);
    ASSERT_TRUE(loaded.ok());
    EXPECT_TRUE(loaded.value().images.at(0).openSameWindow);
    EXPECT_TRUE(loaded.value().images.at(0).loaded);
    EXPECT_FALSE(loaded.value().images.at(1).openSameWindow);
    EXPECT_FALSE(loaded.value().images.at(1).loaded);
}

TEST(ProjectFile, ForeignSignaturesAreInvalidZebFiles)
{
    const QByteArray body = validCurrentFile().mid(10);
    const QByteArray signatures[] = {
        QByteArray("ZEB105\0\0\0\0", 10), QByteArray("ZEB101\0\0\0\0", 10), QByteArray("zeb104\0\0\0\0", 10),
        QByteArray("ZEB104\0\0\0\1", 10), QByteArray("ZEB104    ", 10), QByteArray("ZEB104\0\0\0", 9),
        QByteArray(),
    };
    QTemporaryDir dir;
    for (const QByteArray &signature : signatures) {
        const QByteArray file = signature.size() == 10 ? signature + body : signature;
        const Result<Project> decoded = decodeProject(file);
        ASSERT_FALSE(decoded.ok()) << signature.toHex().constData();
        EXPECT_EQ(decoded.error().code, ErrorCode::BadFormat);
        EXPECT_EQ(decoded.error().detail, QStringLiteral("Invalid ZEB file!"));

        const QString path = dir.filePath(QStringLiteral("bad.zeb"));
        ASSERT_TRUE(writeAll(path, file));
        const Result<Project> loaded = loadProject(path);
        ASSERT_FALSE(loaded.ok());
        EXPECT_EQ(loaded.error().code, ErrorCode::BadFormat);
        EXPECT_EQ(loaded.error().path, path);
    }
}

TEST(ProjectFile, EveryTruncationIsBadFormat)
{
    for (const QByteArray &file : {validCurrentFile(), validLegacyFile()}) {
        ASSERT_TRUE(decodeProject(file).ok());
        for (qsizetype length = 0; length < file.size(); ++length) {
            const Result<Project> decoded = decodeProject(file.left(length));
            ASSERT_FALSE(decoded.ok()) << "prefix of " << length << " bytes";
            EXPECT_EQ(decoded.error().code, ErrorCode::BadFormat);
        }
    }
}

TEST(ProjectFile, BytesAfterTheLastRecordAreIgnored)
{
    const Result<Project> decoded = decodeProject(validCurrentFile() + QByteArray("trailing"));
    ASSERT_TRUE(decoded.ok());
    EXPECT_EQ(decoded.value().images.count(), 2);
}

TEST(ProjectFile, CountsAndLengthsRunningPastTheEndAreBadFormat)
{
    struct Case {
        const char *name;
        QByteArray file;
    };
    const auto withCount = [](const QByteArray &signature, qint32 count, const QByteArray &rest) {
        Bytes b;
        b.raw(signature);
        appendTestSettings(b).i32(count).raw(rest);
        return b.d;
    };
    Bytes item;
    const QByteArray oneItem = appendItem(item, "a", 0, 0).d;
    Bytes longPath;
    longPath.u16(0xFFFF).raw("C:\\short.jpg");
    Bytes longSetting;
    longSetting.raw(kZeb104).i32(4).i32(100).u16(500).raw("only a few bytes");

    const Case cases[] = {
        {"negative count", withCount(kZeb104, -1, oneItem)},
        {"most negative count", withCount(kZeb104, INT_MIN, {})},
        {"count one past the items", withCount(kZeb104, 2, oneItem)},
        {"huge count", withCount(kZeb104, INT_MAX, oneItem)},
        {"legacy huge count", withCount(kZeb100, INT_MAX, oneItem)},
        {"legacy negative count", withCount(kZeb100, -5, {})},
        {"path length past the end", withCount(kZeb104, 1, longPath.d + QByteArray(30, 'x'))},
        {"settings text past the end", longSetting.d},
    };
    for (const Case &c : cases) {
        const Result<Project> decoded = decodeProject(c.file);
        ASSERT_FALSE(decoded.ok()) << c.name;
        EXPECT_EQ(decoded.error().code, ErrorCode::BadFormat) << c.name;
        EXPECT_EQ(decoded.error().detail, QStringLiteral("Invalid ZEB file!")) << c.name;
    }
}

TEST(ProjectFile, OversizedTextRefusesTheSaveAndLeavesTheFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.zeb"));
    const QByteArray before("previous contents");
    ASSERT_TRUE(writeAll(path, before));

    Project project;
    project.settings = testSettings();
    for (int i = 0; i < 3; ++i)
        project.images.append(pathOnly(QStringLiteral("C:\\%1.jpg").arg(i)));

    // The limit applies to the encoded bytes: 65535 single bytes fit, 10923 times ł
    // (six bytes each as a reference) do not.
    project.images[2].title = QString(65535, QLatin1Char('a'));
    EXPECT_TRUE(encodeProject(project).ok());
    project.images[2].title = QString(10923, QChar(0x0142));
    Status status = saveProject(project, path);
    ASSERT_TRUE(status);
    EXPECT_EQ(status->code, ErrorCode::Invalid);
    EXPECT_EQ(status->path, path);
    EXPECT_EQ(status->detail, QStringLiteral("title of image 3 is longer than 65535 bytes"));
    EXPECT_EQ(readAll(path), before);

    project.images[2].title.clear();
    project.images[0].reserved[3] = QString(65536, QLatin1Char('r'));
    status = saveProject(project, path);
    ASSERT_TRUE(status);
    EXPECT_EQ(status->detail, QStringLiteral("reserved text 4 of image 1 is longer than 65535 bytes"));

    project.images[0].reserved[3].clear();
    project.settings.galleryTitle = QString(70000, QLatin1Char('t'));
    status = saveProject(project, path);
    ASSERT_TRUE(status);
    EXPECT_EQ(status->code, ErrorCode::Invalid);
    EXPECT_EQ(status->detail, QStringLiteral("gallery_title is longer than 65535 bytes"));
    EXPECT_EQ(readAll(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("p.zeb")});
}

TEST(ProjectFile, MissingAndUnreadableFilesAreReported)
{
    QTemporaryDir dir;
    const Result<Project> missing = loadProject(dir.filePath(QStringLiteral("none.zeb")));
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error().code, ErrorCode::NotFound);
    EXPECT_EQ(missing.error().path, dir.filePath(QStringLiteral("none.zeb")));

    const Result<Project> folder = loadProject(dir.path());
    ASSERT_FALSE(folder.ok());
    EXPECT_NE(folder.error().code, ErrorCode::NotFound);
}

TEST(ProjectFile, FailedCommitReportsWriteFailed)
{
    // A folder stands where the file should go, so replacing it fails even for root.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("taken.zeb"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("taken.zeb")));
    Project project;
    project.settings = testSettings();
    const Status status = saveProject(project, path);
    ASSERT_TRUE(status);
    EXPECT_EQ(status->code, ErrorCode::WriteFailed);
    EXPECT_EQ(status->path, path);
    EXPECT_TRUE(QFileInfo(path).isDir());
}

TEST(ProjectFile, SaveIntoReadOnlyFolderFailsAndKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.zeb"));
    const QByteArray before("old project");
    ASSERT_TRUE(writeAll(path, before));
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    const bool enforced = !writeAll(dir.filePath(QStringLiteral("probe")), "x");

    Project project;
    project.settings = testSettings();
    project.images.append(pathOnly(QStringLiteral("C:\\a.jpg")));
    const Status status = saveProject(project, path);
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (!enforced)
        GTEST_SKIP() << "folder permissions are not enforced for this user (root)";
    ASSERT_TRUE(status);
    EXPECT_EQ(status->code, ErrorCode::WriteFailed);
    EXPECT_EQ(status->path, path);
    EXPECT_EQ(readAll(path), before);
}

TEST(ProjectFile, FixturesForOtherTestsLoad)
{
    const QString folder = QStringLiteral(LUMARC_TEST_DATA "/projects/");
    const Result<Project> two = loadProject(folder + QStringLiteral("two_images.zeb"));
    ASSERT_TRUE(two.ok()) << two.error().message().toStdString();
    ASSERT_EQ(two.value().images.count(), 2);
    EXPECT_EQ(two.value().images.at(1).path, QStringLiteral("C:\\Fotos\\\u0142\u00F3d\u017A.jpg"));
    EXPECT_FALSE(two.value().images.at(1).loaded);

    const Result<Project> legacy = loadProject(folder + QStringLiteral("legacy_sea.zeb"));
    ASSERT_TRUE(legacy.ok());
    ASSERT_EQ(legacy.value().images.count(), 1);
    EXPECT_EQ(legacy.value().images.at(0).outputName, QStringLiteral("sea"));
    EXPECT_EQ(legacy.value().images.at(0).linkText, QStringLiteral("Link"));
}
