#pragma once

// The rules of the link verifier that need no network: which rows a project has, how a
// relative link is resolved against the link base, and what a row's status is when only
// the file system is asked. LinkChecker (the asynchronous part) and the desktop dialog
// both build on these.

#include "model/project.h"

#include <QList>
#include <QMetaType>
#include <QString>

#include <optional>

namespace lumarc::verify {

// The link base as links are resolved against it: project files carry bases written on
// Windows, whose "\" become "/".
QString linkBaseForChecks(const QString &base);

// True when the text, lower-cased, begins with "http://", "https://" or "www.": a web
// address that only a network load can check.
bool isExternalUrl(const QString &text);

// True when the text, lower-cased, ends with ".html" or ".htm".
bool isHtmlPage(const QString &text);

// `relative` resolved against `base` (already through linkBaseForChecks()):
// each leading "../" of the link climbs one segment of the base. nullopt when either is
// empty, or when the link climbs above a local base. Local paths keep their letter case;
// for a web base only the scheme and host are lower-cased.
std::optional<QString> resolveRelativeUrl(const QString &base, const QString &relative);

// True for a path that names a file on a machine by itself: "/…", a drive ("C:\…") or a
// network share ("\\server\…").
bool isAbsoluteLocalPath(const QString &text);

// The address as it is loaded: "http://" put in front of "www.", one trailing "/" dropped.
QString loadableAddress(const QString &url);

// True when the address a load ended on (after redirects) counts as the requested one:
// letter case, http against https, one trailing "/" and a leading "www." do not matter;
// everything else must match.
bool isSameAddress(const QString &requested, const QString &final);

enum class RowKind { Image, Url };
enum class RowSource { ImagePath, ImageLink, ParentPage, PageBackground, CellBackground };
enum class LinkStatus {
    NotVerified,
    Validated,
    ImageNotFound,
    RelativeUrlNotVerified,
    UrlNotFound,
    LinkNotFound,
    ExternalLinkNotVerified,
    LinkFileNotFound,
};

// The status in the current language, as the dialog shows it.
QString statusText(LinkStatus status);
// The same text in English whatever the language (the command line and its JSON).
QString englishStatusText(LinkStatus status);
// True for the statuses that report something missing; "not verified" ones are not.
bool isProblem(LinkStatus status);

struct LinkRow {
    RowKind kind = RowKind::Image;
    RowSource source = RowSource::ImagePath;
    int imageIndex = -1;  // index in the project; -1 for rows from the settings
    QString address;
    LinkStatus status = LinkStatus::NotVerified;
};

// Per image its path, then its link (each when not empty); then the settings' parent-page
// link, page background and cell background images, each when not empty.
QList<LinkRow> collectRows(const Project &project);

// What the file system alone says about a row. `webAddress` not empty: the row needs a
// network load of that address (already in loadableAddress() form), and `status` is what
// the row keeps when no network check is made.
struct LocalCheck {
    LinkStatus status = LinkStatus::NotVerified;
    QString webAddress;
};
LocalCheck checkLocally(const LinkRow &row, const QString &linkBase);

}  // namespace lumarc::verify

Q_DECLARE_METATYPE(lumarc::verify::LinkStatus)
