#include "storage/textexchange.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lumarc;

namespace {

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

ImageItem item(const char *path, const char *title = "", const char *url = "", bool sameWindow = false)
{
    ImageItem i;
    i.path = QString::fromUtf8(path);
    i.title = QString::fromUtf8(title);
    i.url = QString::fromUtf8(url);
    i.openSameWindow = sameWindow;
    return i;
}

ImageList twoImages()
{
    ImageList images;
    ImageItem first = item("C:\\Fotos\\sea.jpg", "Sea", "http://example.org/", true);
    first.tooltip = QStringLiteral("Waves \u20AC");
    first.linkText = QStringLiteral("more");
    first.outputName = QStringLiteral("sea");
    first.loaded = true;
    images.append(first);
    ImageItem second = item("C:\\Fotos\\\u0142\u00F3d\u017A.jpg");
    second.outputName = QStringLiteral("x");
    images.append(second);
    return images;
}

} // namespace

TEST(TextExchange, ExportWritesEightLinesAndAnEmptyLinePerEntry)
{
    const QByteArray expected = "{\r\n"
                                "path=C:\\Fotos\\sea.jpg\r\n"
                                "title=Sea\r\n"
                                "tooltip=Waves \x80\r\n"
                                "url=http://example.org/\r\n"
                                "url_text=more\r\n"
                                "open=self\r\n"
                                "}\r\n"
                                "\r\n"
                                "{\r\n"
                                "path=C:\\Fotos\\&#322;\xF3" "d&#378;.jpg\r\n"
                                "title=\r\n"
                                "tooltip=\r\n"
                                "url=\r\n"
                                "url_text=\r\n"
                                "open=blank\r\n"
                                "}\r\n"
                                "\r\n";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.txt"));
    ASSERT_FALSE(exportTextList(twoImages(), path));
    EXPECT_EQ(readAll(path), expected);
}

TEST(TextExchange, ExportThenImportKeepsTextsAndRecomputesOutputNames)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.txt"));
    const ImageList original = twoImages();
    ASSERT_FALSE(exportTextList(original, path));

    Project project;
    project.settings.galleryTitle = QStringLiteral("unchanged");
    const GallerySettings settingsBefore = project.settings;
    ASSERT_FALSE(importTextList(project, path));
    ASSERT_EQ(project.images.count(), 2);
    for (int i = 0; i < 2; ++i) {
        const ImageItem &a = original.at(i);
        const ImageItem &b = project.images.at(i);
        EXPECT_EQ(b.path, a.path);
        EXPECT_EQ(b.title, a.title);
        EXPECT_EQ(b.tooltip, a.tooltip);
        EXPECT_EQ(b.url, a.url);
        EXPECT_EQ(b.linkText, a.linkText);
        EXPECT_EQ(b.openSameWindow, a.openSameWindow);
        EXPECT_TRUE(b.loaded);
    }
    EXPECT_EQ(project.images.at(0).outputName, QStringLiteral("sea"));
    EXPECT_EQ(project.images.at(1).outputName, QStringLiteral("\u0142\u00F3d\u017A"));
    EXPECT_EQ(project.settings, settingsBefore);
}

TEST(TextExchange, ParserFollowsTheBlockGrammar)
{
    struct Expected {
        const char *path, *title, *tooltip, *url, *linkText;
        bool sameWindow;
    };
    struct Case {
        const char *name;
        QByteArray text;
        std::vector<Expected> entries;
    };
    const Case cases[] = {
        {"blanks around brace, key and value", " { \r\npath= C:\\a.jpg \r\n}\r\n", {{"C:\\a.jpg", "", "", "", "", false}}},
        {"tabs are blanks too", "\t{\npath=\tC:\\a.jpg\t\n\t}\n", {{"C:\\a.jpg", "", "", "", "", false}}},
        {"all keys, LF line ends",
         "{\npath=p\ntitle= T \ntooltip=tip\nurl=u\nurl_text=link\nopen=self\n}\n",
         {{"p", "T", "tip", "u", "link", true}}},
        {"open value is case-sensitive", "{\npath=p\nopen=Self\n}\n", {{"p", "", "", "", "", false}}},
        {"blank after open= is part of the value", "{\npath=p\nopen= self\n}\n", {{"p", "", "", "", "", false}}},
        {"blank at the end of the open line is stripped", "{\npath=p\nopen=self  \r\n}", {{"p", "", "", "", "", true}}},
        {"block without path is skipped",
         "{\npath=a\n}\n{\ntitle=lost\n}\n{\npath=c\n}\n",
         {{"a", "", "", "", "", false}, {"c", "", "", "", "", false}}},
        {"unclosed block at the end is dropped", "{\npath=a\n}\n{\npath=b\n", {{"a", "", "", "", "", false}}},
        {"nothing complete", "{\npath=a\ntitle=x\n", {}},
        {"repeated key keeps the last value", "{\npath=a\ntitle=1\ntitle=2\npath=b\n}\n", {{"b", "2", "", "", "", false}}},
        {"each block starts empty",
         "{\npath=a\ntitle=T\nopen=self\n}\n{\npath=b\n}\n",
         {{"a", "T", "", "", "", true}, {"b", "", "", "", "", false}}},
        {"same path twice gives two entries", "{\npath=a\n}\n{\npath=a\n}\n",
         {{"a", "", "", "", "", false}, {"a", "", "", "", "", false}}},
        {"lines outside blocks and unknown keys are ignored",
         "path=outside\nnoise\n{\nPATH=upper\nname=x\n{\npath=in\n}\n}\n",
         {{"in", "", "", "", "", false}}},
        {"url_text is not url", "{\npath=p\nurl_text=t\n}\n", {{"p", "", "", "", "t", false}}},
        {"brace with text is not a brace", "{x\n{\npath=p\n} x\n}\n", {{"p", "", "", "", "", false}}},
        {"values keep inner blanks and equals signs", "{\npath=a b=c\n}\n", {{"a b=c", "", "", "", "", false}}},
        {"Windows-1252 bytes and references", "{\npath=\x80&#322;&#65;\n}\n", {{"\u20AC\u0142&#65;", "", "", "", "", false}}},
        {"no final line end", "{\npath=p\n}", {{"p", "", "", "", "", false}}},
        {"empty input", "", {}},
    };
    for (const Case &c : cases) {
        const QList<ImageItem> entries = parseTextList(c.text);
        ASSERT_EQ(entries.size(), qsizetype(c.entries.size())) << c.name;
        for (std::size_t i = 0; i < c.entries.size(); ++i) {
            const Expected &e = c.entries[i];
            const ImageItem &got = entries.at(qsizetype(i));
            EXPECT_EQ(got.path, QString::fromUtf8(e.path)) << c.name;
            EXPECT_EQ(got.title, QString::fromUtf8(e.title)) << c.name;
            EXPECT_EQ(got.tooltip, QString::fromUtf8(e.tooltip)) << c.name;
            EXPECT_EQ(got.url, QString::fromUtf8(e.url)) << c.name;
            EXPECT_EQ(got.linkText, QString::fromUtf8(e.linkText)) << c.name;
            EXPECT_EQ(got.openSameWindow, e.sameWindow) << c.name;
        }
    }
}

TEST(TextExchange, ImportNamesRepeatedFilesUniquely)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("in.txt"));
    ASSERT_TRUE(writeAll(path, "{\npath=C:\\1\\a.jpg\n}\n{\npath=C:\\2\\a.jpg\n}\n{\npath=D:a_1.png\n}\n"));
    Project project;
    project.images.append(item("old.jpg"));
    ASSERT_FALSE(importTextList(project, path));
    ASSERT_EQ(project.images.count(), 3);
    EXPECT_EQ(project.images.at(0).outputName, QStringLiteral("a"));
    EXPECT_EQ(project.images.at(1).outputName, QStringLiteral("a_1"));
    // The file's own base name is taken by entry 1 already.
    EXPECT_EQ(project.images.at(2).outputName, QStringLiteral("a_1_1"));
}

TEST(TextExchange, ImportWithoutEntriesOrFileLeavesTheProject)
{
    QTemporaryDir dir;
    Project project;
    project.images.append(item("keep.jpg", "Keep"));
    const ImageList before = project.images;

    const QString empty = dir.filePath(QStringLiteral("empty.txt"));
    ASSERT_TRUE(writeAll(empty, "{\ntitle=no path\n}\n{\npath=open\n"));
    EXPECT_FALSE(importTextList(project, empty));
    EXPECT_EQ(project.images, before);

    const Status missing = importTextList(project, dir.filePath(QStringLiteral("none.txt")));
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->code, ErrorCode::NotFound);
    EXPECT_FALSE(missing->detail.isEmpty());
    EXPECT_EQ(project.images, before);
}

TEST(TextExchange, ImportGrowsTheCapacityToHoldEveryEntry)
{
    QByteArray text;
    for (int i = 0; i < 250; ++i)
        text += "{\npath=" + QByteArray::number(i) + ".jpg\n}\n";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("many.txt"));
    ASSERT_TRUE(writeAll(path, text));
    Project project;
    ASSERT_FALSE(importTextList(project, path));
    EXPECT_EQ(project.images.count(), 250);
    EXPECT_GE(project.images.capacity(), 250);
    EXPECT_EQ(project.images.at(249).outputName, QStringLiteral("249"));
}
