#include "storage/editlock.h"

#include <QFileInfo>

namespace lumarc {

QString editLockPath(const QString &path)
{
    const QFileInfo info(path);
    // A new file has no real path yet; its folder may still be reached through a link.
    const QString canonical = info.canonicalFilePath();
    if (!canonical.isEmpty())
        return canonical + QStringLiteral(".lock");
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return (folder.isEmpty() ? info.absolutePath() : folder) + QLatin1Char('/') + info.fileName()
           + QStringLiteral(".lock");
}

Result<std::shared_ptr<fileops::FileLock>> lockForEditing(const QString &path, int waitMs)
{
    Result<fileops::FileLock> lock = fileops::FileLock::acquire(editLockPath(path), waitMs);
    if (!lock)
        return lock.error();
    return std::make_shared<fileops::FileLock>(std::move(lock).value());
}

}  // namespace lumarc
