#include "generator/pagewriter.h"

#include "support/paths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

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

ImageItem image(const QString &name, const QString &tooltip = QString())
{
    ImageItem item;
    item.path = QStringLiteral("C:\\Photos\\") + name + QStringLiteral(".jpg");
    item.title = name;
    item.tooltip = tooltip.isEmpty() ? name : tooltip;
    item.linkText = QStringLiteral("3D");
    item.outputName = name;
    item.loaded = true;
    return item;
}

Project defaultProject()
{
    Project project;
    project.settings.setDefaults();
    project.settings.galleryTitle = QStringLiteral("My Image Gallery");
    return project;
}

// 2 columns, 2 rows and images p1 ... pN, as the multi-page golden files expect.
Project twoByTwo(int images)
{
    Project project = defaultProject();
    project.settings.columns = 2;
    project.settings.rows = 2;
    project.settings.cellPadding = QStringLiteral("2");
    project.settings.cellSpacing = QStringLiteral("3");
    project.settings.titleAlign = QStringLiteral("right");
    project.settings.galleryTitle = QStringLiteral("Nine");
    for (int i = 1; i <= images; ++i)
        project.images.append(image(QStringLiteral("p%1").arg(i)));
    return project;
}

struct RecordingProgress : Progress {
    struct Step { int done, total; QString item; };
    std::vector<Step> steps;
    void step(int done, int total, const QString &item) override { steps.push_back({done, total, item}); }
    bool stopRequested() const override { return false; }
};

} // namespace

TEST(PageWriter, CountsPagesAndNamesThem)
{
    struct Case { int columns, rows, images, pages; const char *first, *second, *third; };
    const Case cases[] = {
        {4, 100, 5, 1, "index.html", nullptr, nullptr},
        {2, 2, 9, 3, "zeb.html", "zeb1.html", "zeb2.html"},
        {2, 2, 8, 2, "zeb.html", "zeb1.html", nullptr},
        {2, 2, 4, 1, "index.html", nullptr, nullptr},
        {1, 1, 3, 3, "zeb.html", "zeb1.html", "zeb2.html"},
        // rows × columns beyond 32 bits must not wrap around into a wrong page count.
        {65536, 65536, 7, 1, "index.html", nullptr, nullptr},
        {0, 100, 5, 0, nullptr, nullptr, nullptr},
        {4, 0, 5, 0, nullptr, nullptr, nullptr},
        {-2, -2, 5, 0, nullptr, nullptr, nullptr},
    };
    for (const Case &c : cases) {
        GallerySettings s;
        s.columns = c.columns;
        s.rows = c.rows;
        const int n = pageCount(s, c.images);
        EXPECT_EQ(n, c.pages) << c.columns << "x" << c.rows << " with " << c.images;
        const char *names[] = {c.first, c.second, c.third};
        for (int p = 1; p <= n && p <= 3; ++p)
            EXPECT_EQ(pageFileName(p, n), QLatin1String(names[p - 1])) << c.images << " page " << p;
    }
    GallerySettings nine;
    nine.columns = 2;
    nine.rows = 2;
    EXPECT_EQ(firstPageName(nine, 9), QStringLiteral("zeb.html"));
    EXPECT_EQ(firstPageName(nine, 3), QStringLiteral("index.html"));
}

TEST(PageWriter, FiveImagesWithDefaultsMakeOneIndexPageWithoutLinks)
{
    Project project = defaultProject();
    for (const char *name : {"a", "b", "c", "d", "e"}) {
        ImageItem item = image(QLatin1String(name), QStringLiteral("tip ") + QLatin1String(name));
        // add_image_links is 0 by default: a URL must not show up in the page.
        item.url = QStringLiteral("http://example.com/") + QLatin1String(name);
        project.images.append(item);
    }
    ASSERT_EQ(pageCount(project.settings, 5), 1);
    EXPECT_EQ(renderPage(project, 1, 1), golden("index_5.html"));
}

TEST(PageWriter, NineImagesOnTwoByTwoMakeThreePagesWithPaging)
{
    const Project project = twoByTwo(9);
    ASSERT_EQ(pageCount(project.settings, 9), 3);
    EXPECT_EQ(renderPage(project, 1, 3), golden("nine_zeb.html"));
    EXPECT_EQ(renderPage(project, 2, 3), golden("nine_zeb1.html"));
    EXPECT_EQ(renderPage(project, 3, 3), golden("nine_zeb2.html"));
}

TEST(PageWriter, EightImagesOnTwoByTwoCloseTheLastFullRowOnce)
{
    const Project project = twoByTwo(8);
    ASSERT_EQ(pageCount(project.settings, 8), 2);
    EXPECT_EQ(renderPage(project, 2, 2), golden("eight_zeb1.html"));
}

TEST(PageWriter, WritesImageLinksTemplatesAndParentLink)
{
    Project project = defaultProject();
    GallerySettings &s = project.settings;
    s.columns = 3;
    s.rows = 1;
    s.addImageLinks = 1;
    s.addParentLink = 1;
    s.parentPageTitle = QStringLiteral("Home");
    s.parentPageUrl = QStringLiteral("http://example.com/");
    s.galleryTitle = QStringLiteral("Trips");

    ImageItem b = image(QStringLiteral("b"));
    b.url = QStringLiteral("http://example.com/pics/%");
    b.linkText = QStringLiteral("\"More\"");
    ImageItem c = image(QStringLiteral("c"));
    c.path = QStringLiteral("/home/u/c d.jpg");
    c.url = QStringLiteral("http://example.org/");
    c.linkText.clear();
    c.openSameWindow = true;
    ImageItem d = image(QStringLiteral("d"));
    project.images.append(b);
    project.images.append(c);
    project.images.append(d);

    EXPECT_EQ(renderPage(project, 1, 1), golden("links_on.html"));
}

TEST(PageWriter, ResolvesUrlTemplateToTheSourceFileName)
{
    GallerySettings s;
    s.setDefaults();
    s.addImageLinks = 1;
    struct Case { const char *url, *path, *resolved; };
    const Case cases[] = {
        {"http://example.com/pics/%", "C:\\Photos\\b.jpg", "http://example.com/pics/b.jpg"},
        {"http://example.com/%/x/%", "/srv/b.c.jpg", "http://example.com/b.c.jpg"},
        {"pics/%20", "D:b.jpg", "pics/b.jpg"},
        {"http://example.com/100%", "C:\\b.jpg", "http://example.com/100%"},
    };
    for (const Case &c : cases) {
        ImageItem item = image(QStringLiteral("b"));
        item.url = QLatin1String(c.url);
        item.path = QLatin1String(c.path);
        const QString href = QLatin1String("href='") + QLatin1String(c.resolved) + QLatin1String("' target='_blank'>3D");
        // Once in the viewer's title attribute, once in the caption.
        EXPECT_EQ(thumbnailCell(s, item).count(href), 2) << c.url;
    }
}

TEST(PageWriter, LeavesOutParentLinkUnlessSwitchedOnWithTitleAndUrl)
{
    struct Case { qint16 on; const char *title, *url; bool shown; };
    const Case cases[] = {
        {1, "Home", "http://example.com/", true},
        {0, "Home", "http://example.com/", false},
        {1, "", "http://example.com/", false},
        {1, "Home", "", false},
        {-1, "Home", "http://example.com/", false},
    };
    for (const Case &c : cases) {
        Project project = twoByTwo(1);
        project.settings.addParentLink = c.on;
        project.settings.parentPageTitle = QLatin1String(c.title);
        project.settings.parentPageUrl = QLatin1String(c.url);
        EXPECT_EQ(renderPage(project, 1, 1).contains("<div id='divParent'>"), c.shown)
            << c.on << " '" << c.title << "' '" << c.url << "'";
    }
}

TEST(PageWriter, QuotesAttributesEncodesAddressesAndEscapesUnencodableCharacters)
{
    Project project = defaultProject();
    project.settings.columns = 3;
    project.settings.rows = 1;
    project.settings.galleryTitle = QStringLiteral("Party");

    ImageItem cheese = image(QStringLiteral("cheese"));
    cheese.title = QStringLiteral("Say \"cheese\"");
    cheese.tooltip = QStringLiteral("the \"big\" smile");
    ImageItem wroclaw = image(QStringLiteral("wroclaw"));
    wroclaw.title = QStringLiteral("<b>Wroc\u0142aw</b>");
    wroclaw.tooltip = QStringLiteral("Wroc\u0142aw");
    ImageItem party = image(QStringLiteral("John's party #2 50%?"));
    party.title = QStringLiteral("John's party");
    party.tooltip = party.title;
    project.images.append(cheese);
    project.images.append(wroclaw);
    project.images.append(party);

    EXPECT_EQ(renderPage(project, 1, 1), golden("escaping.html"));
}

TEST(PageWriter, RefusesLayoutWithoutCells)
{
    struct Case { qint32 columns, rows; };
    const Case cases[] = {{0, 100}, {4, 0}, {0, 0}, {-1, 3}, {-2, -2}};
    for (const Case &c : cases) {
        Project project = twoByTwo(3);
        project.settings.columns = c.columns;
        project.settings.rows = c.rows;
        const Status layout = checkLayout(project.settings);
        ASSERT_TRUE(layout.has_value()) << c.columns << "x" << c.rows;
        EXPECT_EQ(layout->code, ErrorCode::Invalid);

        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        NullProgress progress;
        const Status written = writePages(project, dir.path(), progress);
        ASSERT_TRUE(written.has_value());
        EXPECT_EQ(written->code, ErrorCode::Invalid);
        EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    }
    GallerySettings fine;
    fine.columns = 1;
    fine.rows = 1;
    EXPECT_FALSE(checkLayout(fine).has_value());
}

TEST(PageWriter, WritesEveryPageAndReportsEachImage)
{
    const Project project = twoByTwo(9);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    RecordingProgress progress;
    EXPECT_FALSE(writePages(project, dir.path(), progress).has_value());

    EXPECT_EQ(readFile(dir.filePath(QStringLiteral("zeb.html"))), golden("nine_zeb.html"));
    EXPECT_EQ(readFile(dir.filePath(QStringLiteral("zeb1.html"))), golden("nine_zeb1.html"));
    EXPECT_EQ(readFile(dir.filePath(QStringLiteral("zeb2.html"))), golden("nine_zeb2.html"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 3);

    ASSERT_EQ(progress.steps.size(), 9u);
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(progress.steps[i].done, i + 1);
        EXPECT_EQ(progress.steps[i].total, 9);
        EXPECT_EQ(progress.steps[i].item, QStringLiteral("Image:C:\\Photos\\p%1.jpg").arg(i + 1));
    }
}

TEST(PageWriter, WritingTwiceReplacesThePage)
{
    Project project = defaultProject();
    for (const char *name : {"a", "b", "c", "d", "e"}) {
        ImageItem item = image(QLatin1String(name), QStringLiteral("tip ") + QLatin1String(name));
        project.images.append(item);
    }
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    NullProgress progress;
    ASSERT_FALSE(writePages(project, dir.path(), progress).has_value());
    ASSERT_FALSE(writePages(project, dir.path(), progress).has_value());
    EXPECT_EQ(readFile(dir.filePath(QStringLiteral("index.html"))), golden("index_5.html"));
}

TEST(PageWriter, ReportsPageThatCannotBeWritten)
{
    const Project project = twoByTwo(5);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString missing = dir.filePath(QStringLiteral("no such folder"));
    NullProgress progress;
    const Status status = writePages(project, missing, progress);
    ASSERT_TRUE(status.has_value());
    EXPECT_EQ(status->code, ErrorCode::WriteFailed);
    EXPECT_EQ(status->path, paths::join(missing, QStringLiteral("zeb.html")));
}

TEST(PageWriter, EmptyProjectWritesNothing)
{
    Project project = defaultProject();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    NullProgress progress;
    EXPECT_FALSE(writePages(project, dir.path(), progress).has_value());
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    EXPECT_EQ(pageCount(project.settings, 0), 0);
}
