#include "model/urlcollection.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lumarc;

TEST(UrlCollection, ReadsTrimmedDistinctLinesAndWritesThemBackWithCrLf)
{
    QTemporaryDir tmp;
    const QString path = tmp.filePath("urls.txt");
    QFile in(path);
    ASSERT_TRUE(in.open(QIODevice::WriteOnly));
    in.write("  http://a.example/ \r\n\r\nhttp://b.example/\n   \nhttp://a.example/\r\nhttp://caf\xe9.example/");
    in.close();

    Result<UrlCollection> urls = UrlCollection::readFile(path);
    ASSERT_TRUE(urls.ok());
    EXPECT_EQ(urls.value().urls(),
              (QStringList{"http://a.example/", "http://b.example/", QString::fromUtf8("http://café.example/")}));
    EXPECT_FALSE(urls.value().add("http://b.example/"));
    EXPECT_FALSE(urls.value().add(""));
    EXPECT_TRUE(urls.value().add("http://c.example/"));

    ASSERT_FALSE(urls.value().writeFile(path));
    QFile out(path);
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    EXPECT_EQ(out.readAll(),
              QByteArray("http://a.example/\r\nhttp://b.example/\r\nhttp://caf\xe9.example/\r\nhttp://c.example/\r\n"));
}

TEST(UrlCollection, MissingFileReadsEmptyAndEmptyCollectionKeepsTheOldFile)
{
    QTemporaryDir tmp;
    Result<UrlCollection> none = UrlCollection::readFile(tmp.filePath("absent.txt"));
    ASSERT_TRUE(none.ok());
    EXPECT_TRUE(none.value().isEmpty());

    const QString path = tmp.filePath("urls.txt");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("http://kept.example/\r\n");
    file.close();
    ASSERT_FALSE(UrlCollection().writeFile(path));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("http://kept.example/\r\n"));
}
