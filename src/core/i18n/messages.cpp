#include "i18n/messages.h"

#include "i18n/strings.h"
#include "support/paths.h"

namespace lumarc::messages {

QString duplicateImage(const QString &path)
{
    return i18n::getString(text::ImagePathPrefix) + paths::baseName(path) + i18n::getString(text::AlreadyExistSuffix)
           + QStringLiteral("\r\n") + i18n::getString(text::ImageIgnored);
}

QString previewFailed(const QString &libraryText) { return kNewImageFailed + libraryText; }

QString imagesAdded(int count)
{
    if (count <= 0)
        return i18n::getString(text::NoImagesAdded);
    return i18n::getString(text::AddedPrefix) + QString::number(count) + i18n::getString(text::NewImagesSuffix);
}

QString describe(const Error &error)
{
    if (error.systemCode != 0)
        return i18n::getString(text::ErrorNumber) + QString::number(error.systemCode) + QStringLiteral("\r\n")
               + i18n::getString(text::ErrorDescription) + error.detail;
    return error.message();
}

QString oneLine(QString text) { return text.replace(QStringLiteral("\r\n"), QStringLiteral(" ")); }

}  // namespace lumarc::messages
