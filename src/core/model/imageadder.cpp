#include "model/imageadder.h"

#include "i18n/strings.h"
#include "imaging/boxfit.h"
#include "imaging/imageengine.h"
#include "support/paths.h"

#include <QDir>


namespace lumarc {

QSize previewSize(int w, int h, int boxW, int boxH, bool keepRatio)
{
    if (w < 1 || h < 1 || boxW < 1 || boxH < 1)
        return QSize();
    return keepRatio ? fitInBox(w, h, boxW, boxH) : QSize(boxW, boxH);
}

AddResult addImageToProject(Project &project, const QString &path, int boxW, int boxH, bool keepRatio)
{
    AddResult result;
    result.path = path;
    if (!imaging::isReadableExtension(paths::extension(path).toLower())) {
        result.outcome = AddOutcome::NotReadable;
        result.detail = QStringLiteral("not a readable image type");
        return result;
    }
    if (project.images.containsPath(path)) {
        result.outcome = AddOutcome::Duplicate;
        result.message = i18n::getString(234, QStringLiteral("Image path:'")) + paths::baseName(path) +
                         i18n::getString(235, QStringLiteral("' already exist!")) + QStringLiteral("\r\n") +
                         i18n::getString(233, QStringLiteral("Image ignored!"));
        result.detail = QStringLiteral("already in the project");
        return result;
    }

    const imaging::SizeRule rule = [&](QSize upright) -> Result<QSize> {
        const QSize size = previewSize(upright.width(), upright.height(), boxW, boxH, keepRatio);
        if (!size.isValid())
            return Error{ErrorCode::Invalid, path, QStringLiteral("preview box of %1 x %2").arg(boxW).arg(boxH)};
        return size;
    };
    const Result<imaging::Picture> preview = imaging::loadPicture(path, rule);
    if (!preview) {
        const Error &error = preview.error();
        if (error.code == ErrorCode::Encode || error.code == ErrorCode::Invalid) {
            result.outcome = AddOutcome::ResizeFailed;
            result.message = QStringLiteral("proc:NewImage/err2: ") + error.detail;
        } else {
            result.outcome = AddOutcome::LoadFailed;
        }
        result.detail = error.message();
        return result;
    }
    PixelBuffer pixels = preview.value().toPixelBuffer();
    if (pixels.isNull()) {
        result.outcome = AddOutcome::ResizeFailed;
        result.message = QStringLiteral("proc:NewImage/err2: ") + QStringLiteral("preview could not be copied");
        result.detail = result.message;
        return result;
    }

    project.images.append(newImageRecord(project, path), std::move(pixels));
    result.outcome = AddOutcome::Added;
    result.index = project.images.count() - 1;
    return result;
}

QStringList readableImagesIn(const QString &folder)
{
    QStringList files;
    const QDir dir(folder);
    if (folder.isEmpty() || !dir.exists())
        return files;
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden, QDir::Name)) {
        if (imaging::isReadableExtension(paths::extension(name)))
            files.append(paths::join(folder, name));
    }
    return files;
}

QList<AddResult> addFolderImages(Project &project, const QString &folder, int boxW, int boxH, bool keepRatio)
{
    QList<AddResult> results;
    for (const QString &file : readableImagesIn(folder))
        results.append(addImageToProject(project, file, boxW, boxH, keepRatio));
    return results;
}

} // namespace lumarc
