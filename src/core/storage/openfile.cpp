#include "storage/openfile.h"

#include "storage/datafolder.h"
#include "storage/projectfile.h"
#include "storage/settingsfile.h"
#include "support/paths.h"

#include <QFileInfo>

namespace lumarc {

FileKind fileKind(const QString &path)
{
    if (!path.isEmpty() && QFileInfo(path).isDir())
        return FileKind::Folder;
    return fileKindByName(path);
}

FileKind fileKindByName(const QString &path)
{
    const QString extension = paths::extension(paths::fileName(path)).toLower();
    if (extension == QLatin1String("zeb"))
        return FileKind::Project;
    if (extension == QLatin1String("zes") || extension == QLatin1String("zem"))
        return FileKind::Settings;
    return FileKind::Unknown;
}

Result<OpenedFile> openFile(const QString &path)
{
    OpenedFile file;
    if (fileKind(path) == FileKind::Settings) {
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
    if (const QFileInfo info(path); !info.exists() && !info.isSymLink()) {
        Project project;
        project.settings = defaultSettings();
        if (created)
            *created = true;
        return project;
    }
    return loadProject(path, renamedOutputNames);
}

}  // namespace lumarc
