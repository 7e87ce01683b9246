#include "support/paths.h"

#include <gtest/gtest.h>

using namespace lumarc;

TEST(Paths, SplitsOnBothSeparatorsAndColon)
{
    const struct { const char *path, *file, *base, *ext; } cases[] = {
        {"C:\\Photos\\sunset.jpg", "sunset.jpg", "sunset", "jpg"}, {"/home/u/photos/a.b.jpg", "a.b.jpg", "a.b", "jpg"},
        {"C:sea.png", "sea.png", "sea", "png"}, {"archive.tar.gz", "archive.tar.gz", "archive.tar", "gz"},
        {"C:\\my.dir\\file", "file", "file", "dir\\file"}, {"noext", "noext", "noext", ""},
        {"D:/mixed\\sep/x.JPG", "x.JPG", "x", "JPG"},
    };
    for (const auto &c : cases) {
        const QString p = QString::fromUtf8(c.path);
        EXPECT_EQ(paths::fileName(p), QString::fromUtf8(c.file)) << c.path;
        EXPECT_EQ(paths::baseName(p), QString::fromUtf8(c.base)) << c.path;
        EXPECT_EQ(paths::extension(p), QString::fromUtf8(c.ext)) << c.path;
    }
}
