#include "i18n/messages.h"

#include "i18n/strings.h"
#include "support/fileops.h"
#include "support/paths.h"

#include <QDir>

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

namespace {

QString sentence(const Error &error)
{
    switch (error.code) {
    case ErrorCode::NotFound:
        return i18n::getString(text::NotFoundError);
    case ErrorCode::ReadFailed:
        return i18n::getString(text::ReadFailedError);
    case ErrorCode::WriteFailed:
        return i18n::getString(text::WriteFailedError);
    case ErrorCode::BadFormat:
        return i18n::getString(error.detail == text::InvalidProjectFile.english ? text::InvalidProjectFile
                                                                                : text::InvalidFile)
               + QLatin1Char('\n') + i18n::getString(text::BadFormatError);
    case ErrorCode::Decode:
        return i18n::getString(error.detail.startsWith(kUnsupportedKind) ? text::UnsupportedImageError
                                                                         : text::DecodeError);
    case ErrorCode::Encode:
        return i18n::getString(text::EncodeError);
    case ErrorCode::Network:
        return i18n::getString(text::NetworkError);
    case ErrorCode::Invalid:
        return i18n::getString(text::InvalidValueError);
    case ErrorCode::Refused:
        return i18n::getString(text::RefusedError);
    }
    return i18n::getString(text::InvalidValueError);
}

QString reason(const Error &error)
{
    // A file of no known kind has said all in its sentence; the image library and the
    // network otherwise speak for themselves, in their own words.
    if (error.code == ErrorCode::Decode && error.detail.startsWith(kUnsupportedKind))
        return {};
    if (error.code == ErrorCode::Decode || error.code == ErrorCode::Encode || error.code == ErrorCode::Network)
        return error.detail;
    if (error.systemCode != 0)
        return i18n::getString(text::ErrorNumber) + QString::number(error.systemCode) + QStringLiteral("\r\n")
               + i18n::getString(text::ErrorDescription) + fileops::errorText(error.systemCode);
    // A bad project or settings file has said all in its first line.
    if (error.code == ErrorCode::BadFormat
        && (error.detail == text::InvalidProjectFile.english || error.detail == text::InvalidFile.english))
        return {};
    return i18n::currentLanguage() == i18n::kEnglish ? error.detail : QString();
}

}  // namespace

QString userText(const Error &error)
{
    QString text = sentence(error);
    if (const QString why = reason(error); !why.isEmpty())
        text += QLatin1Char('\n') + why;
    return error.path.isEmpty() ? text : QDir::toNativeSeparators(error.path) + QStringLiteral("\n\n") + text;
}

QString userLine(const Error &error)
{
    return userText(error)
        .replace(QStringLiteral("\n\n"), QStringLiteral(": "))
        .replace(QStringLiteral("\r\n"), QStringLiteral(" "))
        .replace(QLatin1Char('\n'), QLatin1Char(' '));
}

QString oneLine(QString text) { return text.replace(QStringLiteral("\r\n"), QStringLiteral(" ")); }

}  // namespace lumarc::messages
