#include "cli/commandparser.h"
#include "cli/commands.h"
#include "cli/console.h"

#include "storage/projectfile.h"
#include "verify/linkchecker.h"

#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace lumarc::cli {
namespace {

using verify::LinkChecker;
using verify::LinkRow;
using verify::LinkStatus;
using verify::RowSource;

const char kVerifyHelp[] = R"(Usage: lumarc verify PROJECT [--base URL] [--json] [--offline]

Checks that the project's image files, the links of its images, its parent-page link and
its background images can be reached. Files are looked for on this machine. Web addresses
(http://, https://, www.) are loaded, 8 at a time and at most 3 seconds each, after one
probe that the network answers (the page probed is LUMARC_PROBE_URL when it is set).
Relative links to pages (.html, .htm) are resolved against the project's link_base.

Prints a line on stderr for each entry that is not valid, then a summary on stdout.
The project file is only read.

Options:
  --base URL   resolve relative links against URL instead of the project's link_base
  --json       print one JSON object with every entry and the summary instead
  --offline    load no web address; web links stay "Not verified"

Exit status: 0 nothing is missing (entries not verified do not count); 1 some file,
link or web address was not found; 2 bad usage or a project that cannot be read.
)";

struct VerifyArgs {
    QString project;
    std::optional<QString> base;
    bool json = false;
    bool offline = false;
};

// Reads the options; nullopt to go on, else the exit code.
std::optional<int> parse(const QStringList &arguments, VerifyArgs &out)
{
    CommandParser parser(QStringLiteral("verify"), kVerifyHelp,
                         {valued({QStringLiteral("base")}, QStringLiteral("URL")), flag({QStringLiteral("json")}),
                          flag({QStringLiteral("offline")})});
    if (const std::optional<int> exit = parser.parse(arguments))
        return exit;
    if (parser.isSet(QStringLiteral("base")))
        out.base = parser.value(QStringLiteral("base"));
    out.json = parser.isSet(QStringLiteral("json"));
    out.offline = parser.isSet(QStringLiteral("offline"));
    const QStringList positional = parser.positional();
    if (positional.size() != 1)
        return parser.usageError(positional.isEmpty() ? QStringLiteral("missing PROJECT")
                                                      : QStringLiteral("one PROJECT only"));
    out.project = positional.first();
    return std::nullopt;
}

QString sourceName(RowSource source)
{
    switch (source) {
    case RowSource::ImagePath:
        return QStringLiteral("image");
    case RowSource::ImageLink:
        return QStringLiteral("link");
    case RowSource::ParentPage:
        return QStringLiteral("parent link");
    case RowSource::PageBackground:
        return QStringLiteral("page background");
    case RowSource::CellBackground:
        return QStringLiteral("cell background");
    }
    return {};
}

// "image 3", "link 3" (numbered from 1 like 'lumarc info'), or the settings field's words.
QString rowName(const LinkRow &row)
{
    return row.imageIndex >= 0 ? sourceName(row.source) + QStringLiteral(" %1").arg(row.imageIndex + 1)
                               : sourceName(row.source);
}

struct Summary {
    int checked = 0, valid = 0, notFound = 0, notVerified = 0;
};

Summary summarise(const QList<LinkRow> &rows)
{
    Summary summary;
    for (const LinkRow &row : rows) {
        ++summary.checked;
        if (row.status == LinkStatus::Validated)
            ++summary.valid;
        else if (verify::isProblem(row.status))
            ++summary.notFound;
        else
            ++summary.notVerified;
    }
    return summary;
}

QString jsonReport(const QString &project, const QString &base, const QList<LinkRow> &rows, const Summary &summary)
{
    QJsonArray entries;
    for (const LinkRow &row : rows) {
        entries.append(QJsonObject{
            {QStringLiteral("kind"),
             row.kind == verify::RowKind::Image ? QStringLiteral("image") : QStringLiteral("url")},
            {QStringLiteral("source"), sourceName(row.source)},
            {QStringLiteral("index"), row.imageIndex >= 0 ? QJsonValue(row.imageIndex + 1) : QJsonValue()},
            {QStringLiteral("address"), row.address},
            {QStringLiteral("status"), verify::englishStatusText(row.status)},
        });
    }
    const QJsonObject document{
        {QStringLiteral("project"), project},
        {QStringLiteral("linkBase"), base},
        {QStringLiteral("rows"), entries},
        {QStringLiteral("summary"), QJsonObject{{QStringLiteral("checked"), summary.checked},
                                                {QStringLiteral("valid"), summary.valid},
                                                {QStringLiteral("notFound"), summary.notFound},
                                                {QStringLiteral("notVerified"), summary.notVerified}}},
    };
    return QString::fromUtf8(QJsonDocument(document).toJson(QJsonDocument::Indented));
}

}  // namespace

int runVerify(const QStringList &arguments)
{
    VerifyArgs args;
    if (const std::optional<int> exit = parse(arguments, args))
        return *exit;

    const Result<Project> project = loadProject(args.project);
    if (!project)
        return failed(project.error());
    const QString base = verify::linkBaseForChecks(args.base.value_or(project.value().settings.linkBase));

    LinkChecker checker;
    checker.setOffline(args.offline);
    QEventLoop loop;
    QObject::connect(&checker, &LinkChecker::finished, &loop, &QEventLoop::quit);
    checker.start(verify::collectRows(project.value()), base);
    loop.exec();  // finished() never comes from inside start()

    const QList<LinkRow> &rows = checker.rows();
    const Summary summary = summarise(rows);
    if (args.json) {
        printOut(jsonReport(args.project, base, rows, summary));
    } else {
        for (const LinkRow &row : rows) {
            if (row.status != LinkStatus::Validated)
                report(
                    args.project,
                    QStringLiteral("%1: %2: %3").arg(rowName(row), verify::englishStatusText(row.status), row.address));
        }
        printOut(QStringLiteral("%1 checked: %2 valid, %3 not found, %4 not verified\n")
                     .arg(summary.checked)
                     .arg(summary.valid)
                     .arg(summary.notFound)
                     .arg(summary.notVerified));
    }
    return summary.notFound > 0 ? kExitSomeFailed : kExitOk;
}

}  // namespace lumarc::cli
