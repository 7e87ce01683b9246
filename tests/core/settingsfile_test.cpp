#include "storage/datafolder.h"
#include "storage/settingsfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lumarc;

namespace {

// File bytes built by hand from the documented layout.
struct Bytes {
    QByteArray d;
    Bytes &u16(quint16 v)
    {
        d.append(char(v & 0xFF)).append(char(v >> 8));
        return *this;
    }
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
};

const QByteArray kZeb104("ZEB104\0\0\0\0", 10);

// An empty record with a marker in the first and last field of each group, so that a
// field stored out of place shows.
GallerySettings markedSettings()
{
    GallerySettings s;
    s.columns = 7;
    s.rows = -2;
    s.defaultLinkText = QStringLiteral("L");
    s.parentPageUrl = QStringLiteral("http://up/");
    s.keepAspectRatio = 1;
    s.linkBase = QStringLiteral("B");
    s.reserved39[16] = QStringLiteral("\u0142");
    s.addParentLink = 1;
    s.addImageLinks = 258;
    s.reservedBlock[0] = 0xAB;
    s.reservedBlock[15] = 0xCD;
    return s;
}

QByteArray markedRecord()
{
    Bytes b;
    b.i32(7).i32(-2).str("L");
    for (int i = 0; i < 30; ++i)
        b.str("");
    b.str("http://up/").u16(1).str("B");
    for (int i = 0; i < 18; ++i)
        b.str("");
    b.str("&#322;").u16(1).u16(258);
    b.d.append('\xAB').append(QByteArray(14, '\0')).append('\xCD');
    return b.d;
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

// Points the data folder at a temporary one for the test's lifetime.
class DataFolderOverride {
public:
    explicit DataFolderOverride(const QString &folder) { qputenv("LUMARC_DATA_FOLDER", folder.toLocal8Bit()); }
    ~DataFolderOverride() { qunsetenv("LUMARC_DATA_FOLDER"); }
};

} // namespace

TEST(SettingsFile, FileIsSignatureFollowedByTheRecord)
{
    const QByteArray record = markedRecord();
    ASSERT_EQ(record.size(), 134 + 1 + 10 + 1 + 6);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("look.zes"));
    ASSERT_FALSE(writeSettingsFile(markedSettings(), path));
    const QByteArray file = readAll(path);
    EXPECT_EQ(file.size(), record.size() + 10);
    EXPECT_EQ(file.toHex(' '), (kZeb104 + record).toHex(' '));

    const Result<GallerySettings> back = readSettingsFile(path);
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(back.value(), markedSettings());
}

TEST(SettingsFile, DefaultsRoundTrip)
{
    GallerySettings settings;
    settings.setDefaults();
    settings.galleryTitle = QStringLiteral("Fotos \u20AC \U0001F600 &#8364; &#0;");
    const Result<QByteArray> bytes = encodeSettings(settings);
    ASSERT_TRUE(bytes.ok());
    const Result<GallerySettings> back = decodeSettings(bytes.value());
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(back.value(), settings);
}

TEST(SettingsFile, ProjectFileGivesItsSettingsAndItsImagesAreIgnored)
{
    // A current project file: the record, three images, and nothing else read.
    Bytes images;
    images.i32(3);
    for (const char *path : {"a.jpg", "b.jpg", "c.jpg"}) {
        images.str(path).str("").str("").str("").u16(0).u16(0xFFFF);
        for (int i = 0; i < 7; ++i)
            images.str("");
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("three.zeb"));
    ASSERT_TRUE(writeAll(path, kZeb104 + markedRecord() + images.d));

    const Result<GallerySettings> settings = readSettingsFile(path);
    ASSERT_TRUE(settings.ok());
    EXPECT_EQ(settings.value(), markedSettings());
}

TEST(SettingsFile, OtherSignaturesAndShortRecordsAreInvalidFiles)
{
    const QByteArray record = markedRecord();
    struct Case {
        const char *name;
        QByteArray file;
    };
    std::vector<Case> cases = {
        {"legacy project", QByteArray("ZEB100\0\0\0\0", 10) + record},
        {"next version", QByteArray("ZEB105\0\0\0\0", 10) + record},
        {"empty", QByteArray()},
        {"signature only", kZeb104},
    };
    for (qsizetype length = 0; length < record.size(); ++length)
        cases.push_back({"truncated record", kZeb104 + record.left(length)});

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bad.zes"));
    for (const Case &c : cases) {
        const Result<GallerySettings> decoded = decodeSettings(c.file);
        ASSERT_FALSE(decoded.ok()) << c.name << " " << c.file.size();
        EXPECT_EQ(decoded.error().code, ErrorCode::BadFormat) << c.name;
        EXPECT_EQ(decoded.error().detail, QStringLiteral("Invalid file!")) << c.name;
    }
    ASSERT_TRUE(writeAll(path, cases.front().file));
    const Result<GallerySettings> read = readSettingsFile(path);
    ASSERT_FALSE(read.ok());
    EXPECT_EQ(read.error().code, ErrorCode::BadFormat);
    EXPECT_EQ(read.error().path, path);
}

TEST(SettingsFile, OversizedFieldIsRefusedByNameAndTheFileStays)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("default.zem"));
    ASSERT_TRUE(writeAll(path, "old"));
    GallerySettings settings = markedSettings();
    settings.destinationFolder = QString(65536, QLatin1Char('d'));
    const Status status = writeSettingsFile(settings, path);
    ASSERT_TRUE(status);
    EXPECT_EQ(status->code, ErrorCode::Invalid);
    EXPECT_EQ(status->path, path);
    EXPECT_EQ(status->detail, QStringLiteral("destination_folder is longer than 65535 bytes"));
    EXPECT_EQ(readAll(path), QByteArray("old"));
}

TEST(SettingsFile, MissingFileIsNotFound)
{
    QTemporaryDir dir;
    const Result<GallerySettings> read = readSettingsFile(dir.filePath(QStringLiteral("none.zes")));
    ASSERT_FALSE(read.ok());
    EXPECT_EQ(read.error().code, ErrorCode::NotFound);
}

TEST(SettingsFile, DataFolderFollowsTheOverrideAndIsCreated)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("sub/ZEB"));
    DataFolderOverride override(folder);
    EXPECT_EQ(dataFolder(), folder);
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_EQ(defaultSettingsPath(), QDir(folder).filePath(QStringLiteral("default.zem")));
}

TEST(SettingsFile, DefaultSettingsComeFromDefaultZemWhenItReads)
{
    QTemporaryDir dir;
    DataFolderOverride override(dir.path());
    GallerySettings builtIn;
    builtIn.setDefaults();
    EXPECT_EQ(defaultSettings(), builtIn);

    const QString zem = dir.filePath(QStringLiteral("default.zem"));
    ASSERT_TRUE(writeAll(zem, kZeb104 + markedRecord()));
    EXPECT_EQ(defaultSettings(), markedSettings());

    // A damaged signature is ignored and the built-in defaults stand.
    ASSERT_TRUE(writeAll(zem, QByteArray("ZEB1O4\0\0\0\0", 10) + markedRecord()));
    EXPECT_EQ(defaultSettings(), builtIn);
}
