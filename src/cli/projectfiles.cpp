#include "cli/projectfiles.h"

#include "cli/console.h"

namespace lumarc::cli {

void reportRenamedOutputNames(const QString &path, int count, bool saved)
{
    if (count <= 0)
        return;
    report(path, QStringLiteral("%1 output %2 unsafe or shared by several images and got new ones%3")
                     .arg(count)
                     .arg(count == 1 ? QStringLiteral("name was") : QStringLiteral("names were"))
                     .arg(saved ? QStringLiteral("; the file is saved with them")
                                : QStringLiteral("; the file is unchanged")));
}

}  // namespace lumarc::cli
