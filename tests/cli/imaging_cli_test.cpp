// What the command line shows of decoding: a damaged picture fails by name with our own
// message, without the image library's raw warnings, and the rest of the gallery is made.

#include <QFile>

#include <vips/vips8>

#include <gtest/gtest.h>

#include "cli/clifixture.h"

using namespace lumarc::test;

namespace {

// Noise spreads the compressed data over the whole file, so that cutting it ends mid-scan.
void writeNoisyJpeg(const QString &file, int width, int height)
{
    QDir().mkpath(QFileInfo(file).path());
    const vips::VImage noise = vips::VImage::gaussnoise(width, height, vips::VImage::option()->set("sigma", 40.0));
    vips::VImage::bandjoin({noise, noise.flip(VIPS_DIRECTION_HORIZONTAL), noise.flip(VIPS_DIRECTION_VERTICAL)})
        .cast(VIPS_FORMAT_UCHAR)
        .write_to_file(file.toUtf8().constData());
}

} // namespace

TEST_F(Cli, BuildNamesATruncatedJpegWithoutLibraryWarningsAndExitsWithOne)
{
    writeNoisyJpeg(path("photos/good.jpg"), 800, 600);
    const QByteArray whole = readAll(path("photos/good.jpg"));
    ASSERT_GT(whole.size(), 10000);
    ASSERT_TRUE(writeAll(path("photos/cut.jpg"), whole.left(whole.size() / 2)));

    const Outcome r = lumarc({"build", path("photos"), "-o", path("out"), "-q"});
    EXPECT_EQ(r.code, 1) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("proc:NewImage/err2: ")) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(path("photos/cut.jpg"))) << r.err.toStdString();
    EXPECT_FALSE(r.err.contains("good.jpg")) << r.err.toStdString();
    EXPECT_FALSE(r.err.contains("VIPS")) << r.err.toStdString();
    for (const char *made : {"out/photos/good.jpg", "out/thumbs/good.jpg", "out/index.html"})
        EXPECT_TRUE(QFile::exists(path(made))) << made;
    EXPECT_FALSE(QFile::exists(path("out/photos/cut.jpg")));
}
