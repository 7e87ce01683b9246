#include "adding/imageadder.h"
#include "cli/commandparser.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "cli/projectfiles.h"

#include "i18n/messages.h"
#include "imaging/imageengine.h"
#include "storage/editlock.h"
#include "storage/openfile.h"
#include "storage/projectfile.h"
#include "storage/settingsrecord.h"
#include "storage/textexchange.h"
#include "support/filebytes.h"
#include "support/fileops.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>

namespace lumarc::cli {
namespace {

const char kInfoHelp[] = R"(Usage: lumarc info FILE [--json]

Shows a project (.zeb) or settings file (.zes, .zem): its settings by field name and its
images with all their fields.

  --json   print one JSON object {"settings": {...}, "images": [{...}, ...]}
)";

const char kSetHelp[] = R"(Usage: lumarc set FILE FIELD=VALUE...

Changes settings fields of a project or settings file, for example
  lumarc set trip.zeb columns=5 gallery_title="Summer 2026"
Every assignment is checked first; on any error the file is left unchanged.
Run 'lumarc info FILE' to see the field names.
While it changes the file it holds FILE.lock beside it; when another program holds that
lock for more than 5 seconds, it changes nothing and exits with 3.
)";

const char kExportHelp[] = R"(Usage: lumarc export PROJECT LIST.txt [--force]

Writes the project's image list (paths, titles, tooltips, links) as a text file of
"{ ... }" blocks with path=, title=, tooltip=, url=, url_text= and open= lines.
LIST.txt is never the project itself, and never a project or settings file (.zeb, .zes,
.zem, or a file that begins like one) unless --force is given.

  --force  overwrite a project or settings file other than PROJECT
)";

const char kImportHelp[] = R"(Usage: lumarc import LIST.txt PROJECT

Replaces the project's image list by the blocks of a text file written by 'lumarc export'
(or by hand). The project keeps its settings; a missing project is created with the
default settings. A file without any complete block changes nothing.
While it changes the file it holds PROJECT.lock beside it; when another program holds that
lock for more than 5 seconds, it changes nothing and exits with 3.
)";

const char kAddHelp[] = R"(Usage: lumarc add PROJECT PATH...

Adds image files, and the readable image files directly inside folders (sorted by name),
to a project; a missing project is created with the default settings. Prints what was
added and what was refused, and why. Exits with 1 when some paths were refused.
While it changes the file it holds PROJECT.lock beside it; when another program holds that
lock for more than 5 seconds, it changes nothing and exits with 3.
)";

using Fields = QList<std::pair<QString, QJsonValue>>;

// The named settings fields in declared order; numbers for the numeric ones.
Fields settingsValues(const GallerySettings &settings)
{
    Fields fields;
    for (const SettingsField &field : settingsFields()) {
        if (field.isReserved())
            continue;
        QJsonValue value;
        if (field.kind == SettingsField::Kind::Int32)
            value = settings.*field.int32;
        else if (field.kind == SettingsField::Kind::Int16)
            value = settings.*field.int16;
        else
            value = textField(settings, field);
        fields.append({QString::fromLatin1(field.name), value});
    }
    return fields;
}

// An image record's fields; the flags as stored, -1 for true and 0 for false.
Fields imageValues(const ImageItem &item)
{
    return {
        {QStringLiteral("path"), item.path},
        {QStringLiteral("title"), item.title},
        {QStringLiteral("tooltip"), item.tooltip},
        {QStringLiteral("url"), item.url},
        {QStringLiteral("open_same_window"), item.openSameWindow ? -1 : 0},
        {QStringLiteral("loaded"), item.loaded ? -1 : 0},
        {QStringLiteral("link_text"), item.linkText},
        {QStringLiteral("output_name"), item.outputName},
    };
}

QString jsonText(const QJsonValue &value)
{
    // QJsonDocument writes only arrays and objects: wrap the value and strip the brackets.
    return QString::fromUtf8(QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact)).mid(1).chopped(1);
}

QString jsonMembers(const Fields &fields, const QString &separator)
{
    QStringList members;
    for (const auto &[name, value] : fields)
        members.append(jsonText(name) + QStringLiteral(": ") + jsonText(value));
    return members.join(separator);
}

// Written by hand rather than through QJsonObject, which would sort the fields by name.
QString jsonInfo(const OpenedFile &file)
{
    QStringList images;
    for (const ImageItem &item : file.project.images.items())
        images.append(QStringLiteral("    {") + jsonMembers(imageValues(item), QStringLiteral(", "))
                      + QLatin1Char('}'));
    return QStringLiteral("{\n  \"settings\": {\n    ")
           + jsonMembers(settingsValues(file.project.settings), QStringLiteral(",\n    "))
           + QStringLiteral("\n  },\n  \"images\": [")
           + (images.isEmpty() ? QString()
                               : QLatin1Char('\n') + images.join(QStringLiteral(",\n")) + QStringLiteral("\n  "))
           + QStringLiteral("]\n}\n");
}

QString textInfo(const QString &path, const OpenedFile &file)
{
    const auto lines = [](const Fields &fields, const QString &indent, int width) {
        QString out;
        for (const auto &[name, value] : fields)
            out += indent + name.leftJustified(width) + QStringLiteral(" = ") + visible(value.toVariant().toString())
                   + QLatin1Char('\n');
        return out;
    };
    QString out = (file.settingsOnly ? QStringLiteral("Settings file: ") : QStringLiteral("Project: ")) + visible(path)
                  + QStringLiteral("\n\nSettings:\n")
                  + lines(settingsValues(file.project.settings), QStringLiteral("  "), 23);
    if (file.settingsOnly)
        return out;
    const ImageList &images = file.project.images;
    out += QStringLiteral("\nImages: %1\n").arg(images.count());
    for (int i = 0; i < images.count(); ++i)
        out += QStringLiteral("\n  [%1]\n").arg(i + 1) + lines(imageValues(images.at(i)), QStringLiteral("      "), 16);
    return out;
}

}  // namespace

int runInfo(const QStringList &args)
{
    CommandParser parser(QStringLiteral("info"), kInfoHelp, {flag({QStringLiteral("json")})});
    if (const std::optional<int> exit = parser.parse(args))
        return *exit;
    const QStringList files = parser.positional();
    if (files.size() != 1)
        return parser.usageError(files.isEmpty() ? QStringLiteral("missing FILE") : QStringLiteral("one FILE only"));
    const QString path = files.first();
    const bool json = parser.isSet(QStringLiteral("json"));

    Result<OpenedFile> file = openFile(path);
    if (!file)
        return failed(file.error());
    reportRenamedOutputNames(path, file.value().renamedOutputNames, false);
    printOut(json ? jsonInfo(file.value()) : textInfo(path, file.value()));
    return kExitOk;
}

int runSet(const QStringList &arguments)
{
    CommandParser parser(QStringLiteral("set"), kSetHelp);
    if (const std::optional<int> exit = parser.parse(arguments))
        return *exit;
    const QStringList args = parser.positional();
    if (args.size() < 2)
        return parser.usageError(args.isEmpty() ? QStringLiteral("missing FILE")
                                                : QStringLiteral("missing FIELD=VALUE"));
    const QString path = args.first();
    const auto lock = lockForEditing(path);
    if (!lock)
        return failed(lock.error());
    Result<OpenedFile> file = openFile(path);
    if (!file)
        return failed(file.error());
    GallerySettings &settings = file.value().project.settings;
    bool allValid = true;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const qsizetype eq = args[i].indexOf(QLatin1Char('='));
        const QString name = eq > 0 ? args[i].left(eq) : args[i];
        const SettingsField *field = findSettingsField(name);
        if (eq <= 0 || !field) {
            report(path, eq <= 0 ? QStringLiteral("'%1' is not FIELD=VALUE").arg(args[i])
                                 : QStringLiteral("unknown settings field '%1'").arg(name));
            allValid = false;
            continue;
        }
        const QString value = args[i].mid(eq + 1);
        if (!setFieldText(settings, *field, value)) {
            report(path, QStringLiteral("%1 needs %2, not '%3'").arg(name, valueProblem(*field, value), value));
            allValid = false;
        }
    }
    if (!allValid) {
        printErr(QStringLiteral("lumarc: %1 was left unchanged\n").arg(visible(path)));
        return kExitUsage;
    }
    if (Status error = saveFile(file.value(), path))
        return failed(*error);
    reportRenamedOutputNames(path, file.value().renamedOutputNames, true);
    return kExitOk;
}

namespace {

// Why the list must not be written to `target`, or nullopt. The project being read is never
// overwritten, whatever its name; another project or settings file only when forced.
Status exportTargetProblem(const QString &projectPath, const QString &target, bool force)
{
    const std::optional<fileops::FileId> targetId = fileops::identity(target);
    if (targetId && targetId == fileops::identity(projectPath))
        return Error{ErrorCode::Invalid, target, QStringLiteral("is the project being exported; nothing written")};
    if (force)
        return std::nullopt;
    bool isProjectOrSettings =
        fileKindByName(target) == FileKind::Project || fileKindByName(target) == FileKind::Settings;
    if (!isProjectOrSettings && targetId && !checkRegularFile(target)) {
        const Result<QByteArray> head = readFileBytes(target, kSignatureSize);
        isProjectOrSettings = head && (head.value() == currentSignature() || head.value() == legacySignature());
    }
    if (isProjectOrSettings)
        return Error{ErrorCode::Invalid, target,
                     QStringLiteral("is a project or settings file; nothing written (--force overwrites it)")};
    return std::nullopt;
}

}  // namespace

int runExport(const QStringList &arguments)
{
    CommandParser parser(QStringLiteral("export"), kExportHelp, {flag({QStringLiteral("force")})});
    if (const std::optional<int> exit = parser.parse(arguments))
        return *exit;
    const QStringList args = parser.positional();
    const bool force = parser.isSet(QStringLiteral("force"));
    if (args.size() != 2)
        return parser.usageError(QStringLiteral("expected PROJECT and LIST.txt"));
    Result<Project> project = loadProject(args[0]);
    if (!project)
        return failed(project.error());
    if (project.value().images.isEmpty()) {
        report(args[0], QStringLiteral("the project has no images; nothing exported"));
        return kExitUsage;
    }
    if (Status problem = exportTargetProblem(args[0], args[1], force))
        return failed(*problem);
    if (Status error = exportTextList(project.value().images, args[1]))
        return failed(*error);
    printOut(QStringLiteral("Exported %1 images to %2\n").arg(project.value().images.count()).arg(visible(args[1])));
    return kExitOk;
}

int runImport(const QStringList &arguments)
{
    CommandParser parser(QStringLiteral("import"), kImportHelp);
    if (const std::optional<int> exit = parser.parse(arguments))
        return *exit;
    const QStringList args = parser.positional();
    if (args.size() != 2)
        return parser.usageError(QStringLiteral("expected LIST.txt and PROJECT"));
    const QString &listPath = args[0];
    const QString &projectPath = args[1];
    const auto lock = lockForEditing(projectPath);
    if (!lock)
        return failed(lock.error());
    bool created = false;
    Result<Project> project = openOrCreateProject(projectPath, &created);
    if (!project)
        return failed(project.error());
    const Result<int> imported = importTextList(project.value(), listPath);
    if (!imported)
        return failed(imported.error());
    if (imported.value() == 0) {
        report(listPath, QStringLiteral("no complete image block found; nothing imported"));
        return kExitOk;
    }
    if (Status error = saveProject(project.value(), projectPath))
        return failed(*error);
    printOut(QStringLiteral("Imported %1 images into %2%3\n")
                 .arg(imported.value())
                 .arg(visible(projectPath), created ? QStringLiteral(" (new project)") : QString()));
    return kExitOk;
}

int runAdd(const QStringList &arguments)
{
    CommandParser parser(QStringLiteral("add"), kAddHelp);
    if (const std::optional<int> exit = parser.parse(arguments))
        return *exit;
    const QStringList args = parser.positional();
    if (args.size() < 2)
        return parser.usageError(QStringLiteral("expected PROJECT and at least one PATH"));
    const QString &projectPath = args[0];
    const auto lock = lockForEditing(projectPath);
    if (!lock)
        return failed(lock.error());
    bool created = false;
    int renamed = 0;
    Result<Project> opened = openOrCreateProject(projectPath, &created, &renamed);
    if (!opened)
        return failed(opened.error());
    Project &project = opened.value();
    imaging::initialise();

    // The lines are printed once the project is saved: nothing is said to be added before it is.
    int added = 0;
    int refused = 0;
    QString lines;
    const auto show = [&](const QString &path, const AddResult &result) {
        if (result.outcome == AddOutcome::Added) {
            ++added;
            lines += QStringLiteral("added    %1  (%2)\n")
                         .arg(visible(path), visible(project.images.at(result.index).outputName));
            return;
        }
        ++refused;
        // Only the header is read, so no preview can fail: a refusal is a duplicate, or its
        // detail says why.
        const QString why =
            result.outcome == AddOutcome::Duplicate ? messages::oneLine(messages::duplicateImage(path)) : result.detail;
        lines += QStringLiteral("refused  %1  (%2)\n").arg(visible(path), visible(why));
    };

    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString path = QFileInfo(args[i]).absoluteFilePath();
        const QFileInfo info(path);
        if (info.isDir()) {
            // Only the header of each file is read: the command line keeps no previews.
            const QStringList files = readableImagesIn(path);
            if (files.isEmpty())
                lines += QStringLiteral("nothing  %1  (no readable images in the folder)\n").arg(visible(path));
            for (const QString &file : files)
                show(file, addImageFromHeader(project, file));
            continue;
        }
        if (!info.exists()) {
            ++refused;
            lines += QStringLiteral("refused  %1  (no such file or folder)\n").arg(visible(path));
            continue;
        }
        show(path, addImageFromHeader(project, path));
    }

    if (added > 0 || (renamed > 0 && !created)) {
        if (Status error = saveProject(project, projectPath)) {
            report(*error);
            printErr(QStringLiteral("lumarc: %1 was left unchanged; nothing was added\n").arg(visible(projectPath)));
            return kExitUsage;
        }
    }
    reportRenamedOutputNames(projectPath, renamed, true);
    printOut(lines);
    printOut(QStringLiteral("%1 added, %2 refused; %3 now holds %4 images\n")
                 .arg(added)
                 .arg(refused)
                 .arg(visible(projectPath))
                 .arg(project.images.count()));
    return refused > 0 ? kExitSomeFailed : kExitOk;
}

}  // namespace lumarc::cli
