#include "storage/settingsfile.h"

#include <gtest/gtest.h>

#include "testsupport.h"

using namespace lumarc;
using namespace lumarc::test;

namespace {

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
