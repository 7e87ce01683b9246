#include "storage/textexchange.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "testsupport.h"

using namespace lumarc;
using namespace lumarc::test;

namespace {

ImageItem item(const char *path, const char *title = "", const char *tooltip = "", const char *url = "",
               const char *linkText = "", bool sameWindow = false)
{
    ImageItem i;
    i.path = QString::fromUtf8(path);
    i.title = QString::fromUtf8(title);
    i.tooltip = QString::fromUtf8(tooltip);
    i.url = QString::fromUtf8(url);
    i.linkText = QString::fromUtf8(linkText);
    i.openSameWindow = sameWindow;
    return i;
}

ImageList twoImages()
{
    ImageList images;
    images.append(item("C:\\Fotos\\sea.jpg", "Sea", "Waves \u20AC", "http://example.org/", "more", true));
    images.append(item("C:\\Fotos\\\u0142\u00F3d\u017A.jpg"));
    return images;
}

} // namespace

TEST(TextExchange, ExportWritesEightLinesPerEntryAndImportsBack)
{
    const QByteArray expected = "{\r\npath=C:\\Fotos\\sea.jpg\r\ntitle=Sea\r\ntooltip=Waves \x80\r\n"
                                "url=http://example.org/\r\nurl_text=more\r\nopen=self\r\n}\r\n\r\n"
                                "{\r\npath=C:\\Fotos\\&#322;\xF3" "d&#378;.jpg\r\ntitle=\r\ntooltip=\r\n"
                                "url=\r\nurl_text=\r\nopen=blank\r\n}\r\n\r\n";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.txt"));
    ASSERT_FALSE(exportTextList(twoImages(), path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), expected);

    Project project;
    project.images.append(item("old.jpg"));
    ASSERT_EQ(importTextList(project, path).value(), 2);
    ImageList back = twoImages();
    back[0].outputName = QStringLiteral("sea");
    back[1].outputName = QStringLiteral("\u0142\u00F3d\u017A");
    back[0].loaded = back[1].loaded = true;
    EXPECT_EQ(project.images, back);
}

TEST(TextExchange, ImportFollowsTheBlockGrammar)
{
    struct Case {
        const char *name;
        QByteArray text;
        QList<ImageItem> entries;
        const char *outputNames;  // blank-separated
    };
    const Case cases[] = {
        {"blanks around brace and value", " { \r\npath= C:\\a.jpg \r\n}\r\n", {item("C:\\a.jpg")}, "a"},
        {"open value is case-sensitive", "{\npath=p\nopen=Self\n}\n", {item("p")}, "p"},
        {"blank after open= is part of the value", "{\npath=p\nopen= self\n}\n", {item("p")}, "p"},
        {"block without path is dropped", "{\npath=a\n}\n{\ntitle=lost\n}\n{\npath=c\n}\n", {item("a"), item("c")},
         "a c"},
        {"unclosed block at the end is dropped", "{\npath=a\n}\n{\npath=b\n", {item("a")}, "a"},
        {"repeated key keeps the last value", "{\npath=a\ntitle=1\ntitle=2\npath=b\n}\n", {item("b", "2")}, "b"},
        {"each block starts empty", "{\npath=a\ntitle=T\nopen=self\n}\n{\npath=b\n}\n",
         {item("a", "T", "", "", "", true), item("b")}, "a b"},
        {"same path twice", "{\npath=C:\\a.jpg\n}\n{\npath=C:\\a.jpg\n}\n", {item("C:\\a.jpg"), item("C:\\a.jpg")},
         "a a_1"},
        {"lines outside blocks and unknown keys are ignored", "path=out\n{\nPATH=up\nname=x\npath=in\n}\n",
         {item("in")}, "in"},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("in.txt"));
    for (const Case &c : cases) {
        ASSERT_TRUE(writeAll(path, c.text));
        Project project;
        ASSERT_EQ(importTextList(project, path).value(), c.entries.size()) << c.name;
        QList<ImageItem> expected = c.entries;
        const QStringList names = QString::fromUtf8(c.outputNames).split(QLatin1Char(' '));
        ASSERT_EQ(names.size(), expected.size()) << c.name;
        for (qsizetype i = 0; i < expected.size(); ++i) {
            expected[i].outputName = names.at(i);
            expected[i].loaded = true;
        }
        EXPECT_EQ(project.images.items(), expected) << c.name;
    }
}

TEST(TextExchange, ImportWithoutEntriesOrFileLeavesTheProject)
{
    QTemporaryDir dir;
    Project project;
    project.images.append(item("keep.jpg", "Keep"));
    const ImageList before = project.images;

    const QString empty = dir.filePath(QStringLiteral("empty.txt"));
    ASSERT_TRUE(writeAll(empty, "title=no block\n"));
    EXPECT_EQ(importTextList(project, empty).value(), 0);
    EXPECT_EQ(project.images, before);

    const Result<int> missing = importTextList(project, dir.filePath(QStringLiteral("none.txt")));
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error().code, ErrorCode::NotFound);
    EXPECT_EQ(project.images, before);
}
