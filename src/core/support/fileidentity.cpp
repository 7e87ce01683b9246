#include "support/fileidentity.h"

#include <QFile>

#if defined(Q_OS_UNIX)
#include <sys/stat.h>
#endif

namespace lumarc {

std::optional<FileIdentity> fileIdentity(const QString &path)
{
#if defined(Q_OS_UNIX)
    struct stat status {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &status) != 0)
        return std::nullopt;
    return FileIdentity{quint64(status.st_dev), quint64(status.st_ino)};
#else
    Q_UNUSED(path);
    return std::nullopt;
#endif
}

} // namespace lumarc
