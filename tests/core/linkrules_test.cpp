#include "verify/linkrules.h"

#include "i18n/strings.h"

#include <QUrl>

#include <gtest/gtest.h>

#include "testsupport.h"

using namespace lumarc;
using namespace lumarc::verify;

TEST(LinkRules, ResolvesRelativeLinksAgainstTheBase)
{
    const auto none = std::nullopt;
    const struct { const char *base, *link; std::optional<QString> expected; } cases[] = {
        {"http://Host/a/b/", "../c.html", "http://host/a/c.html"},  // host lower-cased, path kept
        {"https://Host/A/b", "../C.html", "https://host/A/C.html"}, {"HTTP://host/a", "sub/", "http://host/a/sub"},
        {"www.Example.com/a", "b.html", "http://www.example.com/a/b.html"},
        {"http://host/a", "../../x.html", none},  // climbs above the host
        {"  http://host/a  ", " x.html ", "http://host/a/x.html"}, {"C:/web/site", "../x.html", "C:/web/x.html"},
        {"C:/web/site", "../../../x.html", none},  // climbs above the drive
        {"/photos/2020", "../x.html", "/photos/x.html"}, {"/photos/2020/", "../../x.html", "/x.html"},
        {"/photos", "../../x.html", none}, {"/", "x.html", "/x.html"},
        {"/home/u/My Site/", "Pages/Index.html", "/home/u/My Site/Pages/Index.html"},
        {"site", "x.html", "site/x.html"}, {"site", "../x.html", none}, {"", "x.html", none},
        {"http://host/", "", none}, {"   ", "x.html", none}, {"http://", "x.html", none},
    };
    for (const auto &c : cases)
        EXPECT_EQ(resolveRelativeUrl(QString::fromUtf8(c.base), QString::fromUtf8(c.link)), c.expected)
            << c.base << " + " << c.link;
}

TEST(LinkRules, TellsWebAddressesPagesLoadableFormsAndRedirectsToTheSameAddress)
{
    const struct { const char *text; bool external, page; } kinds[] = {
        {"http://x.com", true, false},  {"HTTPS://x.com/a.HTML", true, true}, {"Www.x.com/a.htm", true, true},
        {"ftp://x.com/a.html", false, true}, {"wwwx.com", false, false}, {"pages/a.html5", false, false},
        {"C:\\site\\INDEX.HTM", false, true},
    };
    for (const auto &k : kinds) {
        EXPECT_EQ(isExternalUrl(QString::fromUtf8(k.text)), k.external) << k.text;
        EXPECT_EQ(isHtmlPage(QString::fromUtf8(k.text)), k.page) << k.text;
    }

    EXPECT_EQ(loadableAddress("WWW.x.com/"), "http://WWW.x.com");
    EXPECT_EQ(loadableAddress("https://x.com/a//"), "https://x.com/a/");  // one slash only

    // A redirect ends on the same address only when it changes the scheme, a slash or www.
    const struct { const char *requested, *final; bool same; } redirects[] = {
        {"http://x.com/a", "https://x.com/a", true}, {"http://x.com/dir", "http://x.com/dir/", true},
        {"http://x.com/a/", "http://x.com/a", true}, {"http://x.com/a", "http://www.x.com/a", true},
        {"http://www.x.com/a", "https://x.com/a/", true}, {"http://X.com/A", "http://x.com/a", true},
        {"http://x.com/a", "http://x.com/b", false}, {"http://x.com/a", "http://y.com/a", false},
        {"http://x.com/a", "http://x.com/a//", false}, {"http://x.com/a", "http://x.com/a?lang=en", false},
        {"http://x.com/", "http://x.com/index.html", false},
    };
    for (const auto &c : redirects)
        EXPECT_EQ(isSameAddress(QString::fromUtf8(c.requested), QString::fromUtf8(c.final)), c.same)
            << c.requested << " -> " << c.final;
}

TEST(LinkRules, LocalCheckGivesEachStatus)
{
    QTemporaryDir tmp;
    const QString root = tmp.path();
    ASSERT_TRUE(test::writeAll(root + "/My Photos/Sea.JPG", "jpeg") && test::writeAll(root + "/Site/Pages/a.html", "<html>"));
    using enum RowKind;
    using enum LinkStatus;
    const struct { RowKind kind; QString address, base; LinkStatus status; QString webAddress = {}; } cases[] = {
        {Image, root + "/My Photos/Sea.JPG", {}, Validated}, {Image, root + "/My Photos\\Sea.JPG", {}, Validated},
        {Image, root + "/My Photos/sea.jpg", {}, ImageNotFound}, {Url, "sub/page.html", {}, RelativeUrlNotVerified},
        {Url, "doc.pdf", "http://host/docs/", ExternalLinkNotVerified}, {Url, "doc.pdf", {}, LinkNotFound},
        {Url, "doc.pdf", root + "/Site", LinkNotFound}, {Url, root + "/My Photos/Sea.JPG", {}, Validated},
        {Url, "Sea.JPG", root + "/My Photos/", Validated}, {Url, "Pages/a.html", root + "/Site", Validated},
        {Url, "../Site/Pages/a.html", root + "/My Photos", Validated}, {Url, "Pages/b.html", root + "/Site", LinkFileNotFound},
        {Url, "page.html", "http://Host/Dir/", NotVerified, "http://host/Dir/page.html"},
        {Url, "www.example.com/", {}, NotVerified, "http://www.example.com"},
        {Url, "https://example.com/a.pdf", root, NotVerified, "https://example.com/a.pdf"},
        // Absolute paths and file: addresses are checked as they are, whatever the base.
        {Url, root + "/Site/Pages/a.html", {}, Validated}, {Url, root + "/Site/Pages/a.html", root + "/My Photos", Validated},
        {Url, QUrl::fromLocalFile(root + "/Site/Pages/a.html").toString(), root, Validated},
        {Url, root + "/Site/Pages/b.html", {}, LinkFileNotFound},
        {Url, "/gallery/index.html", "http://host/", NotVerified, "http://host/gallery/index.html"},
    };
    for (const auto &c : cases) {
        const LocalCheck check = checkLocally({c.kind, RowSource::ImagePath, 0, c.address, LinkStatus::Validated}, c.base);
        EXPECT_EQ(check.status, c.status) << c.address.toStdString() << " on " << c.base.toStdString();
        EXPECT_EQ(check.webAddress, c.webAddress) << c.address.toStdString();
    }
}

TEST(LinkRules, CollectsImageRowsThenLinksThenSettingsRowsWhenNotEmpty)
{
    Project project;
    ImageItem item;
    for (const auto &[path, url] : {std::pair{"/p/a.jpg", "a.html"}, {"/p/b.jpg", ""}, {"/p/c.jpg", "http://x.com"}})
        item.path = QString::fromUtf8(path), item.url = QString::fromUtf8(url), project.images.append(item);
    project.settings.parentPageUrl = "../index.html";
    project.settings.cellBackgroundImage = "/p/cell.png";

    const char *sources[] = {"path", "link", "parent page", "page background", "cell background"};
    QStringList rows;
    for (const LinkRow &row : collectRows(project)) {
        rows << QStringLiteral("%1 %2 %3 %4 %5").arg(row.kind == RowKind::Image ? "image" : "url", sources[int(row.source)])
                    .arg(row.imageIndex).arg(row.address).arg(int(row.status));
    }
    EXPECT_EQ(rows, (QStringList{"image path 0 /p/a.jpg 0", "url link 0 a.html 0", "image path 1 /p/b.jpg 0",
                                 "image path 2 /p/c.jpg 0", "url link 2 http://x.com 0",
                                 "url parent page -1 ../index.html 0", "image cell background -1 /p/cell.png 0"}));
}

TEST(LinkRules, StatusTextsFollowTheLanguageButTheEnglishOnesDoNot)
{
    i18n::setLanguage(i18n::kGerman);
    EXPECT_EQ(statusText(LinkStatus::Validated), QString::fromUtf8("Geprüft"));
    EXPECT_EQ(englishStatusText(LinkStatus::Validated), "Validated");
    i18n::setLanguage(i18n::kEnglish);
    EXPECT_EQ(statusText(LinkStatus::LinkFileNotFound), "Link (file)not found");
}
