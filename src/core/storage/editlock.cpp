#include "storage/editlock.h"

#include <QFileInfo>

namespace lumarc {

Result<std::shared_ptr<QLockFile>> lockForEditing(const QString &path, int waitMs)
{
    auto lock = std::make_shared<QLockFile>(QFileInfo(path).absoluteFilePath() + QStringLiteral(".lock"));
    // Stale only when its holder is gone: an add of a large folder may take minutes.
    lock->setStaleLockTime(0);
    if (lock->tryLock(waitMs))
        return lock;
    if (lock->error() == QLockFile::LockFailedError) {
        qint64 pid = 0;
        QString host;
        QString application;
        const QString holder = lock->getLockInfo(&pid, &host, &application)
            ? QStringLiteral(" (%1, process %2)").arg(application.isEmpty() ? QStringLiteral("a program") : application)
                  .arg(pid)
            : QString();
        return Error{ErrorCode::Refused, path,
                     QStringLiteral("is being changed by another program%1; nothing was changed, try again when "
                                    "it has finished").arg(holder)};
    }
    return Error{ErrorCode::WriteFailed, path,
                 QStringLiteral("cannot make the lock file %1 beside it; nothing was changed").arg(lock->fileName())};
}

} // namespace lumarc
