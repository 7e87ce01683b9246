#include "storage/textexchange.h"

#include <gtest/gtest.h>

#include "testsupport.h"

using namespace lumarc;
using namespace lumarc::test;

namespace {

ImageItem item(const char *path, const char *title = "", const char *tooltip = "", const char *url = "",
               const char *linkText = "", bool sameWindow = false)
{
    ImageItem i;
    i.path = QString::fromUtf8(path), i.title = QString::fromUtf8(title), i.tooltip = QString::fromUtf8(tooltip);
    i.url = QString::fromUtf8(url), i.linkText = QString::fromUtf8(linkText), i.openSameWindow = sameWindow;
    return i;
}

ImageList listOf(const QList<ImageItem> &items)
{
    ImageList images;
    for (const ImageItem &i : items)
        images.append(i);
    return images;
}

// The entries as import leaves them: loaded, with the given output names.
QList<ImageItem> imported(QList<ImageItem> entries, const QStringList &outputNames)
{
    for (qsizetype i = 0; i < entries.size(); ++i)
        entries[i].outputName = outputNames.value(i), entries[i].loaded = true;
    return entries;
}

} // namespace

TEST(TextExchange, ExportWritesEightLinesPerEntryWhateverTheTextsAndImportsBack)
{
    const QByteArray expected = "{\r\npath=C:\\Fotos\\sea.jpg\r\ntitle=Sea\r\ntooltip=Waves \x80\r\n"
                                "url=http://example.org/\r\nurl_text=more\r\nopen=self\r\n}\r\n\r\n"
                                "{\r\npath=C:\\Fotos\\&#322;\xF3" "d&#378;.jpg\r\ntitle=\r\ntooltip=\r\n"
                                "url=\r\nurl_text=\r\nopen=blank\r\n}\r\n\r\n";
    const ImageList two = listOf({item("C:\\Fotos\\sea.jpg", "Sea", "Waves \u20AC", "http://example.org/", "more", true),
                                  item("C:\\Fotos\\\u0142\u00F3d\u017A.jpg")});
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.txt"));
    ASSERT_FALSE(exportTextList(two, path));
    EXPECT_EQ(readAll(path), expected);
    Project project;
    project.images.append(item("old.jpg"));
    ASSERT_EQ(importTextList(project, path).value(), 2);
    EXPECT_EQ(project.images.items(), imported(two.items(), {QStringLiteral("sea"), QStringLiteral("\u0142\u00F3d\u017A")}));

    // Line breaks in texts cannot start lines of their own: eight lines and the empty one.
    const ImageList broken = listOf({item("/photos/sea.jpg", "Sea\r\npath=/etc/passwd", "a\rb", "u\n", "\n}\n{\n", true)});
    const QByteArray bytes = encodeTextList(broken);
    EXPECT_TRUE(bytes.count('\n') == 9 && bytes.count('\r') == 9) << bytes.toStdString();
    EXPECT_TRUE(bytes.contains("\r\ntitle=Sea&#13;&#10;path=/etc/passwd\r\n")) << bytes.toStdString();
    EXPECT_EQ(parseTextList(bytes), broken.items());
}

TEST(TextExchange, ImportFollowsTheBlockGrammar)
{
    const struct { const char *name; QByteArray text; QList<ImageItem> entries; QStringList outputNames; } cases[] = {
        {"blanks around brace and value", " { \r\npath= C:\\a.jpg \r\n}\r\n", {item("C:\\a.jpg")}, {"a"}},
        {"open value is exact", "{\npath=p\nopen=Self\n}\n{\npath=q\nopen= self\n}\n", {item("p"), item("q")}, {"p", "q"}},
        {"block without path is dropped", "{\npath=a\n}\n{\ntitle=lost\n}\n{\npath=c\n}\n", {item("a"), item("c")},
         {"a", "c"}},
        {"unclosed block at the end is dropped", "{\npath=a\n}\n{\npath=b\n", {item("a")}, {"a"}},
        {"repeated key keeps the last value", "{\npath=a\ntitle=1\ntitle=2\npath=b\n}\n", {item("b", "2")}, {"b"}},
        {"each block starts empty", "{\npath=a\ntitle=T\nopen=self\n}\n{\npath=b\n}\n",
         {item("a", "T", "", "", "", true), item("b")}, {"a", "b"}},
        {"lines outside blocks and unknown keys are ignored", "path=out\n{\nPATH=up\nname=x\npath=in\n}\n",
         {item("in")}, {"in"}},
        {"lone CR line ends", "{\rpath=a\rtitle=T\r}\r{\rpath=b\r}", {item("a", "T"), item("b")}, {"a", "b"}},
        {"UTF-8 byte-order mark before the first block", "\xEF\xBB\xBF{\r\npath=/p/a.jpg\r\n}\r\n{\r\npath=b\r\n}\r\n",
         {item("/p/a.jpg"), item("b")}, {"a", "b"}},
        {"UTF-8", "{\npath=/p/Caf\xC3\xA9.jpg\ntitle=\xE2\x82\xAC 5\n}\n", {item("/p/Caf\u00E9.jpg", "\u20AC 5")},
         {"Caf\u00E9"}},
        {"Windows-1252", "{\npath=/p/Caf\xE9.jpg\ntitle=\x80 5\n}\n", {item("/p/Caf\u00E9.jpg", "\u20AC 5")},
         {"Caf\u00E9"}},
        {"one byte that is not UTF-8 makes all Windows-1252", "{\npath=/p/\xC3\xA9.jpg\ntitle=\xE9\n}\n",
         {item("/p/\u00C3\u00A9.jpg", "\u00E9")}, {"\u00C3\u00A9"}},
        {"references in a UTF-8 list", "{\npath=/p/\xC3\xA9&#322;.jpg\n}\n", {item("/p/\u00E9\u0142.jpg")},
         {"\u00E9\u0142"}},
        {"line breaks as references", "{\npath=p\ntitle=a&#13;&#10;b&#10;\n}\n", {item("p", "a\r\nb\n")}, {"p"}},
        {"a lone ampersand stays", "{\npath=p\ntitle=Tom & Jerry &#\n}\n", {item("p", "Tom & Jerry &#")}, {"p"}},
        {"no block leaves the project as it was", "title=no block\n", {}, {}},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("in.txt"));
    for (const auto &c : cases) {
        ASSERT_TRUE(writeAll(path, c.text));
        Project project;
        project.images.append(item("old.jpg", "Old"));
        ASSERT_EQ(importTextList(project, path).value(), c.entries.size()) << c.name;
        EXPECT_EQ(project.images.items(),
                  c.entries.isEmpty() ? QList{item("old.jpg", "Old")} : imported(c.entries, c.outputNames)) << c.name;
    }
}

TEST(TextExchange, ImportRefusesALineOverTheLimitNamingItWhileReading)
{
    const QByteArray longest = "path=" + QByteArray(kMaxListLineBytes - 5, 'a');
    // The first read ends between this CR and its LF, which still end one line only.
    const QByteArray straddling = QByteArray(64 * 1024 - 1, ' ') + "\r\n";
    const struct { const char *name; QByteArray text; int refusedLine; } cases[] = {
        {"a line at the limit", "{\r\n" + longest + "\r\n}\r\n", 0},
        {"one byte over", "{\r\n" + longest + "a\r\n}\r\n", 2},
        {"no line end at all", QByteArray(3 * kMaxListLineBytes, '{'), 1},
        {"after a CR LF across a read", straddling + "{\n" + longest + "a\n}\n", 3},
        {"after lone CRs", "{\r\r\r" + longest + "a\r}\r", 4},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("in.txt"));
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(writeAll(path, c.text));
        Project project;
        project.images.append(item("old.jpg"));
        const Result<int> imported = importTextList(project, path);
        if (c.refusedLine == 0) {  // the path is the whole line after "path="
            EXPECT_TRUE(imported.ok() && project.images.count() == 1 && project.images.at(0).path.size() == longest.size() - 5);
            continue;
        }
        ASSERT_FALSE(imported.ok());
        EXPECT_TRUE(imported.error().code == ErrorCode::BadFormat && imported.error().path == path
                    && imported.error().detail.startsWith(QStringLiteral("line %1 is longer").arg(c.refusedLine)))
            << imported.error().message().toStdString();
        EXPECT_EQ(project.images.items(), QList{item("old.jpg")});
    }
}
