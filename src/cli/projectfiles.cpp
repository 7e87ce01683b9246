#include "cli/projectfiles.h"

#include "storage/datafolder.h"
#include "storage/projectfile.h"
#include "storage/settingsfile.h"
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
    if (!QFileInfo(path).isFile())
        return Error{ErrorCode::NotFound, path, QStringLiteral("no such file")};
    OpenedFile file;
    if (isSettingsFileName(path)) {
        Result<GallerySettings> settings = readSettingsFile(path);
        if (!settings)
            return settings.error();
        file.project.settings = std::move(settings).value();
        file.settingsOnly = true;
        return file;
    }
    Result<Project> project = loadProject(path);
    if (!project)
        return project.error();
    file.project = std::move(project).value();
    return file;
}

Status saveFile(const OpenedFile &file, const QString &path)
{
    return file.settingsOnly ? writeSettingsFile(file.project.settings, path) : saveProject(file.project, path);
}

Result<Project> openOrCreateProject(const QString &path, bool *created)
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
    return loadProject(path);
}

} // namespace lumarc::cli
