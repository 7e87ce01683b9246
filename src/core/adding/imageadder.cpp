#include "adding/imageadder.h"

#include "imaging/boxfit.h"
#include "imaging/imageengine.h"
#include "support/paths.h"

#include <QDir>

namespace lumarc {
namespace {

AddResult refused(AddOutcome outcome, const QString &detail)
{
    AddResult result;
    result.outcome = outcome;
    result.detail = detail;
    return result;
}

// The checks, as a result: empty for a file that may go on.
std::optional<AddResult> refusal(const Project &project, const QString &path)
{
    switch (checkNewImage(project, path)) {
    case AddOutcome::NotReadable:
        return refused(AddOutcome::NotReadable, QStringLiteral("not a readable image type"));
    case AddOutcome::Duplicate:
        return refused(AddOutcome::Duplicate, QStringLiteral("already in the project"));
    default:
        return std::nullopt;
    }
}

}  // namespace

QSize previewSize(int w, int h, int boxW, int boxH, bool keepRatio)
{
    if (w < 1 || h < 1 || boxW < 1 || boxH < 1)
        return QSize();
    return keepRatio ? fitInBox(w, h, boxW, boxH) : QSize(boxW, boxH);
}

AddOutcome checkNewImage(const Project &project, const QString &path)
{
    if (!imaging::isReadableExtension(paths::extension(path).toLower()))
        return AddOutcome::NotReadable;
    if (project.images.containsPath(path))
        return AddOutcome::Duplicate;
    return AddOutcome::Added;
}

Result<PixelBuffer> loadPreview(const QString &path, int boxW, int boxH, bool keepRatio)
{
    const imaging::SizeRule rule = [&](QSize upright) -> Result<QSize> {
        const QSize size = previewSize(upright.width(), upright.height(), boxW, boxH, keepRatio);
        if (!size.isValid())
            return Error{ErrorCode::Invalid, path, QStringLiteral("preview box of %1 x %2").arg(boxW).arg(boxH)};
        return size;
    };
    const Result<imaging::Picture> preview = imaging::loadPicture(path, rule);
    if (!preview)
        return preview.error();
    PixelBuffer pixels = preview.value().toPixelBuffer();
    if (pixels.isNull())
        return Error{ErrorCode::Encode, path, QStringLiteral("preview could not be copied")};
    return pixels;
}

AddOutcome previewFailure(const Error &error)
{
    return error.code == ErrorCode::Encode || error.code == ErrorCode::Invalid ? AddOutcome::ResizeFailed
                                                                               : AddOutcome::LoadFailed;
}

AddResult appendNewImage(Project &project, const QString &path)
{
    AddResult result;
    result.outcome = AddOutcome::Added;
    project.images.append(newImageRecord(project, path));
    result.index = project.images.count() - 1;
    return result;
}

AddResult addImageFromHeader(Project &project, const QString &path)
{
    if (std::optional<AddResult> refusedResult = refusal(project, path))
        return *refusedResult;
    if (const Result<QSize> size = imaging::readSize(path); !size)
        return refused(AddOutcome::LoadFailed, size.error().message());
    return appendNewImage(project, path);
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

}  // namespace lumarc
