#include "model/urlcollection.h"

#include <gtest/gtest.h>

#include "testsupport.h"

using namespace lumarc;
using namespace lumarc::test;

TEST(UrlCollection, ReadsTrimmedDistinctLinesWritesThemBackWithCrLfAndNeverEmptiesTheFile)
{
    QTemporaryDir tmp;
    const QString path = tmp.filePath("urls.txt");
    ASSERT_TRUE(writeAll(path, "  http://a.example/ \r\n\r\nhttp://b.example/\n   \nhttp://a.example/\r\nhttp://caf\xe9.example/"));
    Result<UrlCollection> urls = UrlCollection::readFile(path);
    ASSERT_TRUE(urls.ok());
    EXPECT_EQ(urls.value().urls(),
              (QStringList{"http://a.example/", "http://b.example/", QString::fromUtf8("http://café.example/")}));
    EXPECT_FALSE(urls.value().add("http://b.example/") || urls.value().add(""));
    EXPECT_TRUE(urls.value().add("http://c.example/"));
    ASSERT_FALSE(urls.value().writeFile(path));
    const QByteArray written = "http://a.example/\r\nhttp://b.example/\r\nhttp://caf\xe9.example/\r\nhttp://c.example/\r\n";
    EXPECT_EQ(readAll(path), written);

    // A missing file reads as none; an empty collection keeps the old file.
    Result<UrlCollection> none = UrlCollection::readFile(tmp.filePath("absent.txt"));
    EXPECT_TRUE(none.ok() && none.value().isEmpty());
    ASSERT_FALSE(UrlCollection().writeFile(path));
    EXPECT_EQ(readAll(path), written);
}
