#include "gui/dialogs/windowcaption.h"

#include "support/paths.h"

namespace lumarc::gui {

QString windowCaption(const QString &projectPath)
{
    QString caption = QStringLiteral("Lumarc  v." LUMARC_VERSION ".");
    if (!projectPath.isEmpty())
        caption += QStringLiteral("  ( ") + paths::fileName(projectPath) + QStringLiteral(" )");
    return caption;
}

}  // namespace lumarc::gui
