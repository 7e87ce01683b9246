// Output names that a project file cannot aim outside the gallery, and text lists that
// cannot change a project in ways their author did not write.

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include "cli/clifixture.h"

using namespace lumarc::test;

namespace {

QJsonArray imagesOf(const Outcome &info)
{
    return QJsonDocument::fromJson(info.out.toUtf8()).object()["images"].toArray();
}

QStringList field(const QJsonArray &images, const char *name)
{
    QStringList values;
    for (const QJsonValue &image : images)
        values << image.toObject()[QLatin1String(name)].toString();
    return values;
}

} // namespace

TEST_F(Cli, InfoShowsSafeUniqueNamesForCraftedOutputNames)
{
    ProjectSpec crafted;
    crafted.items = {{"/p/x.jpg", "../../x"}, {"/p/y.jpg", ""}, {"/p/a.jpg", "a"}, {"/p/b.jpg", "A"}};
    ASSERT_TRUE(writeAll(path("crafted.zeb"), projectBytes(crafted)));
    const Outcome info = lumarc({"info", path("crafted.zeb"), "--json"});
    ASSERT_EQ(info.code, 0) << info.err.toStdString();
    // The unsafe ones come from their file names; "A" is the file of "a" where case is ignored.
    EXPECT_EQ(field(imagesOf(info), "output_name"), (QStringList{"x", "y", "a", "A_1"}));
}

TEST_F(Cli, ImportOfUtf8ListWithByteOrderMarkKeepsEveryImage)
{
    ASSERT_TRUE(writeAll(path("list.txt"), "\xEF\xBB\xBF{\r\npath=/p/Caf\xC3\xA9.jpg\r\ntitle=Caf\xC3\xA9\r\n}\r\n\r\n"
                                           "{\r\npath=/p/hill.jpg\r\ntitle=Hill\r\n}\r\n\r\n"));
    const Outcome imported = lumarc({"import", path("list.txt"), path("p.zeb")});
    ASSERT_EQ(imported.code, 0) << imported.err.toStdString();
    const QJsonArray images = imagesOf(lumarc({"info", path("p.zeb"), "--json"}));
    EXPECT_EQ(field(images, "path"), (QStringList{QStringLiteral("/p/Caf\u00E9.jpg"), "/p/hill.jpg"}));
    EXPECT_EQ(field(images, "title"), (QStringList{QStringLiteral("Caf\u00E9"), "Hill"}));
}

TEST_F(Cli, ExportImportOfTitleWithLineBreakKeepsThePath)
{
    ProjectSpec crafted;
    crafted.items = {{"/photos/sea.jpg", "sea", true, "Sea\r\npath=/etc/passwd"}};
    ASSERT_TRUE(writeAll(path("p.zeb"), projectBytes(crafted)));
    ASSERT_EQ(lumarc({"export", path("p.zeb"), path("list.txt")}).code, 0);
    const Outcome imported = lumarc({"import", path("list.txt"), path("p.zeb")});
    ASSERT_EQ(imported.code, 0) << imported.err.toStdString();

    const QJsonArray images = imagesOf(lumarc({"info", path("p.zeb"), "--json"}));
    EXPECT_EQ(field(images, "path"), QStringList{"/photos/sea.jpg"});
    EXPECT_EQ(field(images, "title"), QStringList{"Sea\r\npath=/etc/passwd"});
}
