#include "support/paths.h"

#include <QDir>
#include <QFileInfo>

namespace lumarc::paths {

QString fileName(const QString &path)
{
    const qsizetype slash = std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
    if (slash >= 0)
        return path.mid(slash + 1);
    const qsizetype colon = path.lastIndexOf(QLatin1Char(':'));
    return colon >= 0 ? path.mid(colon + 1) : path;
}

QString baseName(const QString &path)
{
    const QString name = fileName(path);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot >= 0 ? name.left(dot) : name;
}

QString extension(const QString &path)
{
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return dot >= 0 ? path.mid(dot + 1) : QString();
}

QString join(const QString &folder, const QString &name)
{
    if (folder.isEmpty())
        return name;
    const QChar sep = QDir::separator();
    const QChar last = folder.back();
    if (last == QLatin1Char('/') || last == QLatin1Char('\\'))
        return folder + name;
    return folder + sep + name;
}

bool exists(const QString &path) { return !path.isEmpty() && QFileInfo::exists(path); }

}  // namespace lumarc::paths
