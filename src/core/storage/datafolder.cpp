#include "storage/datafolder.h"

#include "storage/settingsfile.h"
#include "support/paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace lumarc {

QString dataFolder()
{
    QString folder = qEnvironmentVariable("LUMARC_DATA_FOLDER");
    if (folder.isEmpty()) {
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (!documents.isEmpty())
            folder = paths::join(documents, QStringLiteral("ZEB"));
    }
    if (!folder.isEmpty() && QDir().mkpath(folder))
        return folder;
    return QCoreApplication::applicationDirPath();
}

QString defaultSettingsPath() { return paths::join(dataFolder(), QStringLiteral("default.zem")); }

GallerySettings defaultSettings()
{
    GallerySettings settings;
    settings.setDefaults();
    const QString path = defaultSettingsPath();
    if (paths::exists(path)) {
        if (Result<GallerySettings> stored = readSettingsFile(path))
            settings = std::move(stored).value();
    }
    return settings;
}

}  // namespace lumarc
