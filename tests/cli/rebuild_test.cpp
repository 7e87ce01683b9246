#include "clifixture.h"

#include <QFile>

using namespace lumarc::test;

using Rebuild = Cli;

// The gallery's own folder is updated without a question; --clean asks and makes it all.
TEST_F(Rebuild, OwnGalleryIsUpdatedWithoutAQuestionAndCleanMakesItAll)
{
    for (const char *name : {"a.jpg", "b.jpg", "c.jpg"})
        writeImage(QStringLiteral("src/") + name, 120, 80);
    const struct { const char *name; std::function<void()> before; QStringList extra; int code; const char *summary; } rows[] = {
        {"first", [] {}, {}, 0, "3 images: 3 made, 0 unchanged, 0 removed, "},
        {"again", [] {}, {}, 0, "3 images: 0 made, 3 unchanged, 0 removed, "},
        {"one gone", [&] { QFile::remove(path("src/c.jpg")); }, {}, 0, "2 images: 0 made, 2 unchanged, 1 removed, "},
        {"clean, not agreed", [] {}, {"--clean"}, 3, "use --yes"},
        {"clean", [] {}, {"--clean", "-y"}, 0, "2 images: 2 made, 0 unchanged, 0 removed, "},
        {"pages only", [] {}, {"--html-only"}, 0, "2 images: pages only, "},
        {"after pages only", [] {}, {}, 0, "2 images: 0 made, 2 unchanged, 0 removed, "},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        row.before();
        const Outcome run = lumarc(QStringList{"build", "src", "-o", "out"} + row.extra);
        EXPECT_EQ(run.code, row.code) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(QLatin1String(row.summary))) << run.err.toStdString();
    }
    EXPECT_TRUE(QFile::exists(path("out/.lumarc-build.json")));
    EXPECT_FALSE(QFile::exists(path("out/photos/c.jpg")));
}
