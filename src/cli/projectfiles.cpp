#include "cli/projectfiles.h"

#include "cli/console.h"
#include "storage/datafolder.h"
#include "storage/projectfile.h"
#include "storage/settingsfile.h"
#include "support/filebytes.h"
#include "support/paths.h"

#include <QFileInfo>

namespace lumarc::cli {

bool isSettingsFileName(const QString &path)
{
    const QString ext = paths::extension(paths::fileName(path)).toLower();
    return ext == QLatin1String("zes") || ext == QLatin1String("zem");
}

Result<OpenedFile> openFile(const QString &path)
{
    if (Status error = checkRegularFile(path))
        return *error;
    OpenedFile file;
    if (isSettingsFileName(path)) {
        Result<GallerySettings> settings = readSettingsFile(path);
        if (!settings)
            return settings.error();
        file.project.settings = std::move(settings).value();
        file.settingsOnly = true;
        return file;
    }
    Result<Project> project = loadProject(path, &file.renamedOutputNames);
    if (!project)
        return project.error();
    file.project = std::move(project).value();
    return file;
}

Status saveFile(const OpenedFile &file, const QString &path)
{
    return file.settingsOnly ? writeSettingsFile(file.project.settings, path) : saveProject(file.project, path);
}

Result<Project> openOrCreateProject(const QString &path, bool *created, int *renamedOutputNames)
{
    if (created)
        *created = false;
    if (!QFileInfo::exists(path)) {
        Project project;
        project.settings = defaultSettings();
        if (created)
            *created = true;
        return project;
    }
    return loadProject(path, renamedOutputNames);
}

void reportRenamedOutputNames(const QString &path, int count, bool saved)
{
    if (count <= 0)
        return;
    report(path, QStringLiteral("%1 output %2 unsafe or shared by several images and got new ones%3")
                     .arg(count)
                     .arg(count == 1 ? QStringLiteral("name was") : QStringLiteral("names were"))
                     .arg(saved ? QStringLiteral("; the file is saved with them") : QString()));
}

} // namespace lumarc::cli
