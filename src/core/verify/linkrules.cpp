#include "verify/linkrules.h"

#include "i18n/strings.h"
#include "support/paths.h"

#include <QRegularExpression>
#include <QUrl>

namespace lumarc::verify {
namespace {

const QLatin1String kHttp("http://");
const QLatin1String kHttps("https://");
const QLatin1String kWww("www.");

bool startsWithNoCase(const QString &text, QLatin1String prefix)
{
    return text.startsWith(prefix, Qt::CaseInsensitive);
}

QString withoutTrailingSlash(QString text)
{
    if (text.endsWith(QLatin1Char('/')))
        text.chop(1);
    return text;
}

// The part of an address that isSameAddress() compares.
QString comparableAddress(const QString &address)
{
    QString text = address.trimmed().toLower();
    if (text.startsWith(kHttp))
        text.remove(0, kHttp.size());
    else if (text.startsWith(kHttps))
        text.remove(0, kHttps.size());
    if (text.startsWith(kWww))
        text.remove(0, kWww.size());
    return withoutTrailingSlash(text);
}

i18n::Text statusString(LinkStatus status)
{
    switch (status) {
    case LinkStatus::NotVerified:
        return text::LinkNotVerified;
    case LinkStatus::Validated:
        return text::LinkValidated;
    case LinkStatus::ImageNotFound:
        return text::LinkImageNotFound;
    case LinkStatus::RelativeUrlNotVerified:
        return text::LinkRelativeNotVerified;
    case LinkStatus::UrlNotFound:
        return text::LinkUrlNotFound;
    case LinkStatus::LinkNotFound:
        return text::LinkNotFound;
    case LinkStatus::ExternalLinkNotVerified:
        return text::LinkExternalNotVerified;
    case LinkStatus::LinkFileNotFound:
        return text::LinkFileNotFound;
    }
    return text::LinkNotVerified;
}

// True for an existing file or folder. "\" and "/" both separate folders, because project
// files carry paths written on Windows.
bool fileExists(const QString &path) { return paths::exists(QString(path).replace(u'\\', u'/')); }

}  // namespace

QString linkBaseForChecks(const QString &base) { return QString(base).replace(u'\\', u'/'); }

bool isExternalUrl(const QString &text)
{
    return startsWithNoCase(text, kHttp) || startsWithNoCase(text, kHttps) || startsWithNoCase(text, kWww);
}

bool isHtmlPage(const QString &text)
{
    return text.endsWith(QLatin1String(".html"), Qt::CaseInsensitive)
           || text.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive);
}

std::optional<QString> resolveRelativeUrl(const QString &base, const QString &relative)
{
    QString rest = base.trimmed();
    QString link = relative.trimmed();
    if (rest.isEmpty() || link.isEmpty())
        return std::nullopt;

    QString prefix;
    if (startsWithNoCase(rest, kHttp)) {
        prefix = kHttp;
        rest.remove(0, kHttp.size());
    } else if (startsWithNoCase(rest, kHttps)) {
        prefix = kHttps;
        rest.remove(0, kHttps.size());
    } else if (startsWithNoCase(rest, kWww)) {
        prefix = kHttp;
    }
    rest = withoutTrailingSlash(rest);
    if (!prefix.isEmpty() && rest.isEmpty())
        return std::nullopt;  // a scheme without a host

    // A base rooted at "/" splits into an empty first segment, which keeps the root.
    QStringList segments = rest.split(QLatin1Char('/'));
    if (!prefix.isEmpty())
        segments.first() = segments.first().toLower();  // host names ignore case, paths do not
    qsizetype kept = segments.size();

    link = withoutTrailingSlash(link);
    // A root-relative link of a web site starts at its host.
    if (!prefix.isEmpty() && link.startsWith(QLatin1Char('/')))
        return prefix + segments.first() + link;
    while (link.startsWith(QLatin1String("../"))) {
        link.remove(0, 3);
        --kept;
    }
    // Climbing above a local base, or above the host of a web base, leads nowhere.
    if (kept < 1)
        return std::nullopt;
    return prefix + segments.mid(0, kept).join(QLatin1Char('/')) + QLatin1Char('/') + link;
}

QString loadableAddress(const QString &url)
{
    QString address = withoutTrailingSlash(url.trimmed());
    if (startsWithNoCase(address, kWww))
        address.prepend(kHttp);
    return address;
}

bool isSameAddress(const QString &requested, const QString &final)
{
    return comparableAddress(requested) == comparableAddress(final);
}

QString statusText(LinkStatus status) { return i18n::getString(statusString(status)); }

QString englishStatusText(LinkStatus status) { return statusString(status).english.toString(); }

bool isProblem(LinkStatus status)
{
    return status == LinkStatus::ImageNotFound || status == LinkStatus::UrlNotFound
           || status == LinkStatus::LinkNotFound || status == LinkStatus::LinkFileNotFound;
}

QList<LinkRow> collectRows(const Project &project)
{
    QList<LinkRow> rows;
    const auto add = [&rows](RowKind kind, RowSource source, int index, const QString &address) {
        if (!address.isEmpty())
            rows.append({kind, source, index, address, LinkStatus::NotVerified});
    };
    for (int i = 0; i < project.images.count(); ++i) {
        const ImageItem &item = project.images.at(i);
        add(RowKind::Image, RowSource::ImagePath, i, item.path);
        add(RowKind::Url, RowSource::ImageLink, i, item.url);
    }
    const GallerySettings &settings = project.settings;
    add(RowKind::Url, RowSource::ParentPage, -1, settings.parentPageUrl);
    add(RowKind::Image, RowSource::PageBackground, -1, settings.pageBackgroundImage);
    add(RowKind::Image, RowSource::CellBackground, -1, settings.cellBackgroundImage);
    return rows;
}

bool isAbsoluteLocalPath(const QString &text)
{
    // "/home/…", "C:\…" or "C:/…", and "\\server\share\…".
    static const QRegularExpression absolute(QStringLiteral("^(/|[A-Za-z]:[\\\\/]|\\\\\\\\)"));
    return absolute.match(text).hasMatch();
}

LocalCheck checkLocally(const LinkRow &row, const QString &linkBase)
{
    if (row.kind == RowKind::Image)
        return {fileExists(row.address) ? LinkStatus::Validated : LinkStatus::ImageNotFound, {}};

    QString address = row.address;
    // A file: address or an absolute path names a file on this machine as it is; joined to
    // the base it would name another. An absolute path that is no file here may still be a
    // root-relative link of a web site, which the base resolves below.
    if (address.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) {
        const QString local = QUrl(address).toLocalFile();
        return {!local.isEmpty() && fileExists(local) ? LinkStatus::Validated : LinkStatus::LinkFileNotFound, {}};
    }
    if (isAbsoluteLocalPath(address) && fileExists(address))
        return {LinkStatus::Validated, {}};
    if (isAbsoluteLocalPath(address) && !isExternalUrl(linkBase))
        return {isHtmlPage(address) ? LinkStatus::LinkFileNotFound : LinkStatus::LinkNotFound, {}};
    if (!isHtmlPage(address) && !isExternalUrl(address)) {
        // Any other file: as given, else relative to the base. A web address reached that
        // way is not loaded, since only pages are worth a network check.
        if (fileExists(address))
            return {LinkStatus::Validated, {}};
        const std::optional<QString> resolved = resolveRelativeUrl(linkBase, address);
        if (!resolved)
            return {LinkStatus::LinkNotFound, {}};
        if (isExternalUrl(*resolved))
            return {LinkStatus::ExternalLinkNotVerified, {}};
        return {fileExists(*resolved) ? LinkStatus::Validated : LinkStatus::LinkNotFound, {}};
    }
    if (!isExternalUrl(address)) {
        const std::optional<QString> resolved = resolveRelativeUrl(linkBase, address);
        if (!resolved)
            return {LinkStatus::RelativeUrlNotVerified, {}};
        address = *resolved;
    }
    if (isExternalUrl(address))
        return {LinkStatus::NotVerified, loadableAddress(address)};
    return {fileExists(address) ? LinkStatus::Validated : LinkStatus::LinkFileNotFound, {}};
}

}  // namespace lumarc::verify
