#include "cli/commands.h"
#include "cli/console.h"
#include "cli/projectfiles.h"

#include "imaging/imageengine.h"
#include "model/imageadder.h"
#include "storage/projectfile.h"
#include "storage/textexchange.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

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
)";

const char kExportHelp[] = R"(Usage: lumarc export PROJECT LIST.txt

Writes the project's image list (paths, titles, tooltips, links) as a text file of
"{ ... }" blocks with path=, title=, tooltip=, url=, url_text= and open= lines.
)";

const char kImportHelp[] = R"(Usage: lumarc import LIST.txt PROJECT

Replaces the project's image list by the blocks of a text file written by 'lumarc export'
(or by hand). The project keeps its settings; a missing project is created with the
default settings. A file without any complete block changes nothing.
)";

const char kAddHelp[] = R"(Usage: lumarc add PROJECT PATH...

Adds image files, and the readable image files directly inside folders (sorted by name),
to a project; a missing project is created with the default settings. Prints what was
added and what was refused, and why. Exits with 1 when some paths were refused.
)";

// The record's fields by name, numbers for the numeric ones.
QJsonObject imageJson(const ImageItem &item)
{
    return QJsonObject{
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

QJsonObject settingsJson(const GallerySettings &settings)
{
    QJsonObject object;
    for (const SettingsField &field : settingsFields()) {
        if (field.isReserved())
            continue;
        const QString name = QString::fromLatin1(field.name);
        switch (field.kind) {
        case SettingsField::Kind::Int32:
            object.insert(name, settings.*field.int32);
            break;
        case SettingsField::Kind::Int16:
            object.insert(name, settings.*field.int16);
            break;
        default:
            object.insert(name, fieldText(settings, field));
            break;
        }
    }
    return object;
}

// Keeps the declared field order, which QJsonObject would sort away.
QString orderedJson(const OpenedFile &file)
{
    const auto value = [](const QJsonValue &v) {
        return QString::fromUtf8(QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact)).mid(1).chopped(1);
    };
    QString out = QStringLiteral("{\n  \"settings\": {");
    const QJsonObject settings = settingsJson(file.project.settings);
    bool first = true;
    for (const SettingsField &field : settingsFields()) {
        if (field.isReserved())
            continue;
        const QString name = QString::fromLatin1(field.name);
        out += (first ? QStringLiteral("\n    ") : QStringLiteral(",\n    ")) + value(name) + QStringLiteral(": ")
            + value(settings.value(name));
        first = false;
    }
    out += QStringLiteral("\n  },\n  \"images\": [");
    const QStringList imageFields = {
        QStringLiteral("path"), QStringLiteral("title"), QStringLiteral("tooltip"), QStringLiteral("url"),
        QStringLiteral("open_same_window"), QStringLiteral("loaded"), QStringLiteral("link_text"),
        QStringLiteral("output_name")};
    for (int i = 0; i < file.project.images.count(); ++i) {
        const QJsonObject image = imageJson(file.project.images.at(i));
        out += (i == 0 ? QStringLiteral("\n    {") : QStringLiteral(",\n    {"));
        for (int f = 0; f < imageFields.size(); ++f) {
            out += (f == 0 ? QString() : QStringLiteral(", ")) + value(imageFields[f]) + QStringLiteral(": ")
                + value(image.value(imageFields[f]));
        }
        out += QLatin1Char('}');
    }
    out += file.project.images.isEmpty() ? QStringLiteral("]\n}\n") : QStringLiteral("\n  ]\n}\n");
    return out;
}

QString plainInfo(const QString &path, const OpenedFile &file)
{
    QString out;
    out += (file.settingsOnly ? QStringLiteral("Settings file: ") : QStringLiteral("Project: ")) + path
        + QLatin1Char('\n');
    out += QStringLiteral("\nSettings:\n");
    for (const SettingsField &field : settingsFields()) {
        if (!field.isReserved())
            out += QStringLiteral("  %1 = %2\n").arg(QString::fromLatin1(field.name), -24).arg(
                fieldText(file.project.settings, field));
    }
    if (file.settingsOnly)
        return out;
    const ImageList &images = file.project.images;
    out += QStringLiteral("\nImages: %1\n").arg(images.count());
    for (int i = 0; i < images.count(); ++i) {
        const ImageItem &item = images.at(i);
        out += QStringLiteral("\n  [%1] %2\n").arg(i + 1).arg(item.path);
        out += QStringLiteral("      title            = %1\n").arg(item.title);
        out += QStringLiteral("      tooltip          = %1\n").arg(item.tooltip);
        out += QStringLiteral("      url              = %1\n").arg(item.url);
        out += QStringLiteral("      open_same_window = %1\n").arg(item.openSameWindow ? -1 : 0);
        out += QStringLiteral("      loaded           = %1\n").arg(item.loaded ? -1 : 0);
        out += QStringLiteral("      link_text        = %1\n").arg(item.linkText);
        out += QStringLiteral("      output_name      = %1\n").arg(item.outputName);
    }
    return out;
}

} // namespace

int runInfo(const QStringList &args)
{
    QString path;
    bool json = false;
    for (const QString &arg : args) {
        if (isHelp(arg)) {
            printOut(QString::fromUtf8(kInfoHelp));
            return kExitOk;
        }
        if (arg == QLatin1String("--json"))
            json = true;
        else if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1)
            return usageError(QStringLiteral("info"), QStringLiteral("unknown option '%1'").arg(arg));
        else if (path.isEmpty())
            path = arg;
        else
            return usageError(QStringLiteral("info"), QStringLiteral("one FILE only"));
    }
    if (path.isEmpty())
        return usageError(QStringLiteral("info"), QStringLiteral("missing FILE"));

    Result<OpenedFile> file = openFile(path);
    if (!file) {
        report(file.error());
        return kExitUsage;
    }
    printOut(json ? orderedJson(file.value()) : plainInfo(path, file.value()));
    return kExitOk;
}

int runSet(const QStringList &args)
{
    if (!args.isEmpty() && isHelp(args.first())) {
        printOut(QString::fromUtf8(kSetHelp));
        return kExitOk;
    }
    if (args.size() < 2)
        return usageError(QStringLiteral("set"), args.isEmpty() ? QStringLiteral("missing FILE")
                                                                : QStringLiteral("missing FIELD=VALUE"));
    const QString path = args.first();
    Result<OpenedFile> file = openFile(path);
    if (!file) {
        report(file.error());
        return kExitUsage;
    }
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
        if (!setFieldText(settings, *field, args[i].mid(eq + 1))) {
            report(path, QStringLiteral("%1 needs a whole number, not '%2'").arg(name, args[i].mid(eq + 1)));
            allValid = false;
        }
    }
    if (!allValid) {
        printErr(QStringLiteral("lumarc: %1 was left unchanged\n").arg(path));
        return kExitUsage;
    }
    if (Status error = saveFile(file.value(), path)) {
        report(*error);
        return kExitUsage;
    }
    return kExitOk;
}

int runExport(const QStringList &args)
{
    if (!args.isEmpty() && isHelp(args.first())) {
        printOut(QString::fromUtf8(kExportHelp));
        return kExitOk;
    }
    if (args.size() != 2)
        return usageError(QStringLiteral("export"), QStringLiteral("expected PROJECT and LIST.txt"));
    Result<Project> project = loadProject(args[0]);
    if (!project) {
        report(project.error());
        return kExitUsage;
    }
    if (project.value().images.isEmpty()) {
        report(args[0], QStringLiteral("the project has no images; nothing exported"));
        return kExitUsage;
    }
    if (Status error = exportTextList(project.value().images, args[1])) {
        report(*error);
        return kExitUsage;
    }
    printOut(QStringLiteral("Exported %1 images to %2\n").arg(project.value().images.count()).arg(args[1]));
    return kExitOk;
}

int runImport(const QStringList &args)
{
    if (!args.isEmpty() && isHelp(args.first())) {
        printOut(QString::fromUtf8(kImportHelp));
        return kExitOk;
    }
    if (args.size() != 2)
        return usageError(QStringLiteral("import"), QStringLiteral("expected LIST.txt and PROJECT"));
    const QString &listPath = args[0];
    const QString &projectPath = args[1];
    bool created = false;
    Result<Project> project = openOrCreateProject(projectPath, &created);
    if (!project) {
        report(project.error());
        return kExitUsage;
    }
    const Result<int> imported = importTextList(project.value(), listPath);
    if (!imported) {
        report(imported.error());
        return kExitUsage;
    }
    if (imported.value() == 0) {
        report(listPath, QStringLiteral("no complete image block found; nothing imported"));
        return kExitOk;
    }
    if (Status error = saveProject(project.value(), projectPath)) {
        report(*error);
        return kExitUsage;
    }
    printOut(QStringLiteral("Imported %1 images into %2%3\n")
                 .arg(imported.value())
                 .arg(projectPath, created ? QStringLiteral(" (new project)") : QString()));
    return kExitOk;
}

int runAdd(const QStringList &args)
{
    if (!args.isEmpty() && isHelp(args.first())) {
        printOut(QString::fromUtf8(kAddHelp));
        return kExitOk;
    }
    if (args.size() < 2)
        return usageError(QStringLiteral("add"), QStringLiteral("expected PROJECT and at least one PATH"));
    const QString &projectPath = args[0];
    bool created = false;
    Result<Project> opened = openOrCreateProject(projectPath, &created);
    if (!opened) {
        report(opened.error());
        return kExitUsage;
    }
    Project &project = opened.value();
    imaging::initialise();

    int added = 0;
    int refused = 0;
    const auto show = [&](const QString &path, const AddResult &result) {
        if (result.outcome == AddOutcome::Added) {
            ++added;
            printOut(QStringLiteral("added    %1  (%2)\n").arg(path, project.images.at(result.index).outputName));
            return;
        }
        ++refused;
        QString why = result.message.isEmpty() ? result.detail : result.message;
        why.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
        printOut(QStringLiteral("refused  %1  (%2)\n").arg(path, why));
    };

    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString path = QFileInfo(args[i]).absoluteFilePath();
        const QFileInfo info(path);
        if (info.isDir()) {
            const QList<AddResult> results = addFolderImages(project, path);
            if (results.isEmpty())
                printOut(QStringLiteral("nothing  %1  (no readable images in the folder)\n").arg(path));
            for (const AddResult &result : results)
                show(result.path, result);
            continue;
        }
        if (!info.exists()) {
            ++refused;
            printOut(QStringLiteral("refused  %1  (no such file or folder)\n").arg(path));
            continue;
        }
        show(path, addImageToProject(project, path));
    }

    if (added > 0) {
        if (Status error = saveProject(project, projectPath)) {
            report(*error);
            return kExitUsage;
        }
    }
    printOut(QStringLiteral("%1 added, %2 refused; %3 now holds %4 images\n")
                 .arg(added)
                 .arg(refused)
                 .arg(projectPath)
                 .arg(project.images.count()));
    return refused > 0 ? kExitSomeFailed : kExitOk;
}

} // namespace lumarc::cli
