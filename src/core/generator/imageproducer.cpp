#include "generator/imageproducer.h"

#include "generator/outputfolder.h"
#include "i18n/messages.h"
#include "imaging/boxfit.h"
#include "imaging/imageengine.h"
#include "model/outputnames.h"
#include "support/parallel.h"

#include <algorithm>
#include <optional>
#include <tuple>
#include <vector>

namespace lumarc {

namespace {

const QString kResizeFailed = QStringLiteral("proc:resize_image/err1: ");
const QString kResizeFailedAgain = QStringLiteral("proc:NewImage/err3: ");

void addResizeFailure(QList<Error> &failures, const QString &target, const Error &error)
{
    failures.append(Error{ErrorCode::Encode, target, kResizeFailed + error.message(), error.systemCode});
    failures.append(Error{ErrorCode::Encode, target, kResizeFailedAgain + error.message(), error.systemCode});
}

// A settings text converted at use, as the gallery settings keep numbers as text.
struct Number {
    std::optional<int> value;
    QString problem;  // set when value is empty
};

Number convert(const QString &field, const QString &text, int minimum, int maximum)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok)
        return {std::nullopt, QStringLiteral("%1 is not a whole number: \"%2\"").arg(field, text)};
    if (value < minimum || value > maximum)
        return {std::nullopt, QStringLiteral("%1 is out of range: %2").arg(field, text)};
    return {value, QString()};
}

// Box and quality of one of the two files, or why they cannot be used.
struct TargetSettings {
    int width = 0;
    int height = 0;
    int quality = 0;
    QString problem;
};

TargetSettings targetSettings(const QString &widthName, const QString &width, const QString &heightName,
                              const QString &height, std::optional<QString> quality)
{
    TargetSettings settings;
    const Number w = convert(widthName, width, 1, kMaxBoxSide);
    const Number h = convert(heightName, height, 1, kMaxBoxSide);
    // jpeg_quality is a 16-bit number; JPEG itself knows only 1 to 100, so it is clamped.
    const Number q =
        quality ? convert(QStringLiteral("jpeg_quality"), *quality, -32768, 32767) : Number{kThumbQuality, QString()};
    for (const Number *n : {&w, &h, &q}) {
        if (!n->value && settings.problem.isEmpty())
            settings.problem = n->problem;
    }
    if (settings.problem.isEmpty()) {
        settings.width = *w.value;
        settings.height = *h.value;
        settings.quality = std::clamp(*q.value, 1, 100);
    }
    return settings;
}

struct Job {
    int index = 0;
    QString source;
    QList<ImageTarget> targets;
    QList<Error> settingsFailures;  // targets that could not be made from the settings
};

}  // namespace

QSize targetSize(int w, int h, int boxW, int boxH, bool keepAspect)
{
    if (w < 1 || h < 1 || boxW < 1 || boxH < 1)
        return QSize();
    if (w <= boxW && h <= boxH)
        return QSize(w, h);
    return keepAspect ? fitInBox(w, h, boxW, boxH) : QSize(boxW, boxH);
}

QList<Error> produceImage(const QString &source, const QList<ImageTarget> &targets, bool keepAspect, int sharpenAmount)
{
    QList<Error> failures;
    if (targets.isEmpty())
        return failures;
    for (const ImageTarget &target : targets) {
        if (target.boxWidth < 1 || target.boxHeight < 1 || target.boxWidth > kMaxBoxSide
            || target.boxHeight > kMaxBoxSide)
            return {Error{ErrorCode::Invalid, target.path,
                          QStringLiteral("box of %1 x %2 pixels").arg(target.boxWidth).arg(target.boxHeight)}};
    }

    // Decoded once at the smallest size that covers every target, each target scaled from it.
    // The targets are made one after another; the budget is charged for the largest one's
    // copies (scaled, sharpened, encoded) on top of the decode.
    QList<QSize> sizes;
    const imaging::LaterBytes later = [&](QSize decoded) {
        qint64 most = 0;
        for (const QSize &size : std::as_const(sizes)) {
            const qint64 copy = qint64(size.width()) * size.height() * kPictureBytesPerPixel;
            const int copies = (size != decoded ? 1 : 0) + (sharpenAmount != 0 ? 1 : 0) + 1;
            most = std::max(most, copy * copies);
        }
        return most;
    };
    const imaging::SizeRule rule = [&](QSize upright) -> Result<QSize> {
        QSize covering(0, 0);
        for (const ImageTarget &target : targets) {
            const QSize size =
                targetSize(upright.width(), upright.height(), target.boxWidth, target.boxHeight, keepAspect);
            if (!size.isValid())
                return Error{ErrorCode::Decode, source, QStringLiteral("image without pixels")};
            sizes.append(size);
            covering = covering.expandedTo(size);
        }
        return covering;
    };
    const Result<imaging::Picture> loaded = imaging::loadPicture(source, rule, later);
    if (!loaded) {
        const Error &error = loaded.error();
        for (const ImageTarget &target : targets) {
            if (error.code == ErrorCode::Encode)
                addResizeFailure(failures, target.path, error);
            else
                failures.append(
                    Error{error.code, target.path, messages::kNewImageFailed + error.message(), error.systemCode});
        }
        return failures;
    }

    const imaging::Picture &base = loaded.value();
    for (int i = 0; i < targets.size(); ++i) {
        const ImageTarget &target = targets.at(i);
        imaging::Picture picture = base;
        if (sizes.at(i) != base.size()) {
            Result<imaging::Picture> scaled = base.resized(sizes.at(i).width(), sizes.at(i).height());
            if (!scaled) {
                addResizeFailure(failures, target.path, scaled.error());
                continue;
            }
            picture = scaled.value();
        }
        // A failed sharpen keeps the image as it is, without a message.
        if (Result<imaging::Picture> sharp = picture.sharpened(sharpenAmount))
            picture = sharp.value();
        const Status error =
            target.folder ? picture.writeJpeg(
                target.quality, [&](const QByteArray &bytes) { return target.folder->write(target.relative, bytes); })
                          : picture.saveJpeg(target.path, target.quality);
        if (error)
            failures.append(
                Error{error->code, target.path, messages::kNewImageFailed + error->detail, error->systemCode});
    }
    return failures;
}

ImageReport makeImages(const Project &project, const GalleryFolder &folder, int workers, Progress &progress,
                       const std::vector<quint8> *make)
{
    ImageReport report;
    // Opened once here, so that a folder that cannot be made is one failure, not one per image.
    for (const char *name : {kThumbsFolderName, kPhotosFolderName}) {
        if (Status error = folder.openSubfolder(QLatin1String(name))) {
            report.failures.append(*error);
            return report;
        }
    }

    const GallerySettings &settings = project.settings;
    const TargetSettings thumb = targetSettings(QStringLiteral("thumb_width"), settings.thumbWidth,
                                                QStringLiteral("thumb_height"), settings.thumbHeight, std::nullopt);
    const TargetSettings photo =
        targetSettings(QStringLiteral("photo_width"), settings.photoWidth, QStringLiteral("photo_height"),
                       settings.photoHeight, settings.jpegQuality);
    const bool keepAspect = settings.keepAspectRatio == 1;

    const ImageList &images = project.images;
    std::vector<Job> jobs;
    for (int i = 0; i < images.count(); ++i) {
        // Every record is produced, whatever its loaded flag says: the flag only told whether
        // a preview was held in memory when the file was saved.
        const ImageItem &item = images.at(i);
        const quint8 wanted = make ? make->at(std::size_t(i)) : quint8(kMakeThumb | kMakePhoto);
        if (wanted == 0)
            continue;
        Job job;
        job.index = i;
        job.source = item.path;
        for (const auto &[subfolder, target, bit] :
             {std::tuple{kThumbsFolderName, &thumb, kMakeThumb}, std::tuple{kPhotosFolderName, &photo, kMakePhoto}}) {
            if (!(wanted & bit))
                continue;
            const QString relative =
                QLatin1String(subfolder) + QLatin1Char('/') + item.outputName + QStringLiteral(".jpg");
            const QString path = folder.pathOf(relative);
            if (!isSafeOutputName(item.outputName))
                job.settingsFailures.append(
                    Error{ErrorCode::Invalid, path,
                          QStringLiteral("output name \"%1\" is not a plain file name; nothing written")
                              .arg(item.outputName)});
            else if (target->problem.isEmpty())
                job.targets.append(
                    ImageTarget{path, target->width, target->height, target->quality, &folder, relative});
            else
                job.settingsFailures.append(Error{ErrorCode::Invalid, path, target->problem});
        }
        jobs.push_back(std::move(job));
    }

    const int jobCount = int(jobs.size());
    const int total = jobCount;
    std::vector<QList<Error>> results(jobs.size());
    std::vector<char> completed(jobs.size(), 0);
    int done = 0;
    bool stop = false;
    // Progress is reported from this thread only, so implementations need no locking.
    runIndexed(
        jobCount, workers,
        [&](int position) {
            const Job &job = jobs[std::size_t(position)];
            results[std::size_t(position)] = produceImage(job.source, job.targets, keepAspect);
            completed[std::size_t(position)] = 1;
        },
        [&](int position) {
            progress.step(++done, total, jobs[std::size_t(position)].source);
            if (!stop)
                stop = progress.stopRequested();
            return !stop;
        },
        [] { imaging::releaseThreadResources(); });

    for (int position = 0; position < jobCount; ++position) {
        // Not started after a stop, or cut short by a fault in the work (see runIndexed).
        if (!completed[std::size_t(position)]) {
            report.stopped = true;
            continue;
        }
        const Job &job = jobs[std::size_t(position)];
        const QList<Error> &failures = results[std::size_t(position)];
        report.failures.append(job.settingsFailures);
        report.failures.append(failures);
        if (job.settingsFailures.isEmpty() && failures.isEmpty())
            ++report.produced;
    }
    return report;
}

}  // namespace lumarc
