#include "i18n/messages.h"

#include "i18n/strings.h"
#include "support/paths.h"

namespace lumarc::messages {

QString duplicateImage(const QString &path)
{
    return i18n::getString(234, QStringLiteral("Image path:'")) + paths::baseName(path)
           + i18n::getString(235, QStringLiteral("' already exist!")) + QStringLiteral("\r\n")
           + i18n::getString(233, QStringLiteral("Image ignored!"));
}

QString previewFailed(const QString &libraryText) { return kNewImageFailed + libraryText; }

QString imagesAdded(int count)
{
    if (count <= 0)
        return i18n::getString(179, QStringLiteral("No images added to the project!"));
    return i18n::getString(177, QStringLiteral("Added ")) + QString::number(count)
           + i18n::getString(178, QStringLiteral(" new images."));
}

QString describe(const Error &error)
{
    if (error.systemCode != 0)
        return i18n::getString(198, QStringLiteral("Error number:")) + QString::number(error.systemCode)
               + QStringLiteral("\r\n") + i18n::getString(199, QStringLiteral("Error description:")) + error.detail;
    return error.message();
}

QString oneLine(QString text) { return text.replace(QStringLiteral("\r\n"), QStringLiteral(" ")); }

}  // namespace lumarc::messages
