#include "generator/stylesheetwriter.h"

#include "support/paths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lumarc;

namespace {

QByteArray golden(const char *name)
{
    QFile file(QStringLiteral(LUMARC_TEST_DATA "/golden/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        return "missing golden file " + QByteArray(name);
    return file.readAll();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

GallerySettings defaults()
{
    GallerySettings s;
    s.setDefaults();
    return s;
}

GallerySettings custom()
{
    GallerySettings s = defaults();
    s.pageBackgroundColor = QStringLiteral("#101010");
    s.titleFontName = QStringLiteral("\u0141ato");
    s.pageFontFamily = QStringLiteral("serif");
    s.galleryTitleFontSize = QStringLiteral("30");
    s.galleryTitleColor = QStringLiteral("#202020");
    s.cellWidth = QStringLiteral("200");
    s.cellHeight = QStringLiteral("150");
    s.cellBorderWidth = QStringLiteral("2");
    s.cellBorderColors = QStringLiteral("#111 #222 #333 #444");
    s.cellBackgroundColor = QStringLiteral("#303030");
    s.thumbBorderWidth = QStringLiteral("3");
    s.thumbBorderColor = QStringLiteral("#404040");
    s.titleAlign = QStringLiteral("left");
    s.titleFontSize = QStringLiteral("12");
    s.titleFontWeight = QStringLiteral("bold");
    s.titleColor = QStringLiteral("#505050");
    return s;
}

// Test folder with the library subfolder that the output folder step makes.
struct Destination {
    QTemporaryDir dir;
    QString library() const { return dir.filePath(QStringLiteral("library")); }
    bool make() { return dir.isValid() && QDir(dir.path()).mkdir(QStringLiteral("library")); }
};

} // namespace

TEST(StyleSheetWriter, DefaultsGiveTheDocumentedLines)
{
    const QByteArray css = renderStyleSheet(defaults(), QString(), QString());
    EXPECT_EQ(css, golden("style_default.css"));

    const QList<QByteArray> lines = css.split('\n');
    ASSERT_EQ(lines.size(), 19);  // 18 lines, each ended by CR LF
    EXPECT_EQ(lines[0], "body{background-color:#7F7F7F;}\r");
    EXPECT_EQ(lines[1], "#divZEB {text-align:center; font: 11px Verdana,Arial, Helvetica, sans-serif;}\r");
    EXPECT_EQ(lines[15], "td.tdImg {width:160px; height:120 px; border: 1px solid; border-color:#aaaaaa #666666 "
                         "#666666 #aaaaaa; vertical-align: top; text-align:center;background-color:#7F7F7F}\r");
    EXPECT_EQ(lines[17], "font.tdTitle { text-align:center; vertical-align:bottom; font:10px Verdana,Arial, "
                         "Helvetica, sans-serif; font-weight:normal; color:#FFFFFF;}\r");
    EXPECT_TRUE(lines[18].isEmpty());
}

TEST(StyleSheetWriter, BackgroundImagesAndCustomSettings)
{
    EXPECT_EQ(renderStyleSheet(custom(), QStringLiteral("bg.gif"), QStringLiteral("cell.png")),
              golden("style_custom_images.css"));

    // Each image changes its own line only.
    const QList<QByteArray> pageOnly = renderStyleSheet(defaults(), QStringLiteral("bg.gif"), QString()).split('\n');
    const QList<QByteArray> plain = golden("style_default.css").split('\n');
    ASSERT_EQ(pageOnly.size(), plain.size());
    EXPECT_EQ(pageOnly[0], "body{ background-image:url('bg.gif'); background-color:#7F7F7F;}\r");
    for (int i = 1; i < plain.size(); ++i)
        EXPECT_EQ(pageOnly[i], plain[i]) << "line " << i + 1;

    const QList<QByteArray> cellOnly = renderStyleSheet(defaults(), QString(), QStringLiteral("c.png")).split('\n');
    EXPECT_EQ(cellOnly[0], plain[0]);
    EXPECT_EQ(cellOnly[15], "td.tdImg {width:160px; height:120 px; border: 1px solid; border-color:#aaaaaa #666666 "
                            "#666666 #aaaaaa; vertical-align: top; text-align:center;background-image:url('c.png'); "
                            "background-color:#7F7F7F}\r");
}

TEST(StyleSheetWriter, EncodesWindows1252AndEscapesTheRestForCss)
{
    GallerySettings s = defaults();
    s.pageFontFamily = QStringLiteral("Caf\u00E9 \u20AC, \u6F22");
    const QByteArray css = renderStyleSheet(s, QString(), QString());
    EXPECT_TRUE(css.contains("font: 11px Verdana,Caf\xE9 \x80, \\6f22 ;}\r\n"));
}

TEST(StyleSheetWriter, CopiesBackgroundImagesAndWritesSheet)
{
    Destination dest;
    ASSERT_TRUE(dest.make());
    QTemporaryDir sources;
    ASSERT_TRUE(sources.isValid());
    const QString page = sources.filePath(QStringLiteral("bg.gif"));
    const QString cell = sources.filePath(QStringLiteral("cell.png"));
    ASSERT_TRUE(writeFile(page, "GIF89a page"));
    ASSERT_TRUE(writeFile(cell, "PNG cell"));
    // An older copy in the library folder is replaced.
    ASSERT_TRUE(writeFile(dest.library() + QStringLiteral("/bg.gif"), "old copy, longer than the new one"));

    GallerySettings s = custom();
    s.pageBackgroundImage = page;
    s.cellBackgroundImage = cell;
    EXPECT_FALSE(writeStyleSheet(s, dest.dir.path()).has_value());

    EXPECT_EQ(readFile(dest.library() + QStringLiteral("/bg.gif")), "GIF89a page");
    EXPECT_EQ(readFile(dest.library() + QStringLiteral("/cell.png")), "PNG cell");
    EXPECT_EQ(readFile(dest.library() + QStringLiteral("/zebstyle.css")), golden("style_custom_images.css"));
}

TEST(StyleSheetWriter, MissingImagesSelectLinesWithoutImage)
{
    Destination dest;
    ASSERT_TRUE(dest.make());
    GallerySettings s = defaults();
    s.pageBackgroundImage = QStringLiteral("C:\\img\\bg.gif");
    s.cellBackgroundImage = dest.dir.filePath(QStringLiteral("nothing.png"));
    EXPECT_FALSE(writeStyleSheet(s, dest.dir.path()).has_value());
    EXPECT_EQ(readFile(dest.library() + QStringLiteral("/zebstyle.css")), golden("style_default.css"));
    EXPECT_EQ(QDir(dest.library()).entryList(QDir::Files), QStringList{QStringLiteral("zebstyle.css")});
}

TEST(StyleSheetWriter, ImageAlreadyInLibraryIsKept)
{
    Destination dest;
    ASSERT_TRUE(dest.make());
    const QString inPlace = dest.library() + QStringLiteral("/bg.gif");
    ASSERT_TRUE(writeFile(inPlace, "GIF89a"));
    GallerySettings s = defaults();
    s.pageBackgroundImage = inPlace;
    EXPECT_FALSE(writeStyleSheet(s, dest.dir.path()).has_value());
    EXPECT_EQ(readFile(inPlace), "GIF89a");
    EXPECT_TRUE(readFile(dest.library() + QStringLiteral("/zebstyle.css")).startsWith("body{ background-image:url('bg.gif');"));
}

TEST(StyleSheetWriter, WritingTwiceReplacesTheSheet)
{
    Destination dest;
    ASSERT_TRUE(dest.make());
    ASSERT_FALSE(writeStyleSheet(custom(), dest.dir.path()).has_value());
    ASSERT_FALSE(writeStyleSheet(defaults(), dest.dir.path()).has_value());
    ASSERT_FALSE(writeStyleSheet(defaults(), dest.dir.path()).has_value());
    EXPECT_EQ(readFile(dest.library() + QStringLiteral("/zebstyle.css")), golden("style_default.css"));
}

TEST(StyleSheetWriter, ReportsSheetThatCannotBeWritten)
{
    QTemporaryDir dir;  // without a library folder
    ASSERT_TRUE(dir.isValid());
    const Status status = writeStyleSheet(defaults(), dir.path());
    ASSERT_TRUE(status.has_value());
    EXPECT_EQ(status->code, ErrorCode::WriteFailed);
    EXPECT_EQ(status->path, paths::join(dir.filePath(QStringLiteral("library")), QStringLiteral("zebstyle.css")));
}

TEST(StyleSheetWriter, ReportsFailedCopyAndStillWritesSheet)
{
    Destination dest;
    ASSERT_TRUE(dest.make());
    QTemporaryDir sources;
    ASSERT_TRUE(sources.isValid());
    const QString page = sources.filePath(QStringLiteral("bg.gif"));
    ASSERT_TRUE(writeFile(page, "GIF89a"));
    // A folder where the copy should go makes the copy fail.
    ASSERT_TRUE(QDir(dest.library()).mkdir(QStringLiteral("bg.gif")));

    GallerySettings s = defaults();
    s.pageBackgroundImage = page;
    const Status status = writeStyleSheet(s, dest.dir.path());
    ASSERT_TRUE(status.has_value());
    EXPECT_EQ(status->code, ErrorCode::WriteFailed);
    EXPECT_EQ(status->path, paths::join(dest.library(), QStringLiteral("bg.gif")));
    EXPECT_TRUE(readFile(dest.library() + QStringLiteral("/zebstyle.css")).startsWith("body{ background-image:url('bg.gif');"));
}
