#include "generator/outputfolder.h"

#include "generator/pagewriter.h"
#include "i18n/strings.h"
#include "support/filebytes.h"
#include "support/paths.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutexLocker>
#include <QRegularExpression>

#include <filesystem>
#include <mutex>

// The viewer files are a resource of this static library, registered before the first read.
// Q_INIT_RESOURCE declares the initialiser at the scope it is used in: outside any namespace.
static void registerViewerFiles() { Q_INIT_RESOURCE(lumarc_viewer); }

namespace lumarc {
namespace {

const QStringList kSubfolders = {QLatin1String(kImagesFolderName), QLatin1String(kLibraryFolderName),
                                 QLatin1String(kThumbsFolderName), QLatin1String(kPhotosFolderName)};

QByteArray resourceBytes(const char *resource)
{
    static std::once_flag once;
    std::call_once(once, registerViewerFiles);
    QFile file(QString::fromLatin1(resource));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// How much of a page is read to find its generator line, which sits in the head.
constexpr qint64 kPageHeadBytes = 4096;
constexpr qsizetype kNamesInMessage = 5;

QString listed(const QStringList &names)
{
    QStringList shown = names.mid(0, kNamesInMessage);
    if (names.size() > kNamesInMessage)
        shown.append(QStringLiteral("and %1 more").arg(names.size() - kNamesInMessage));
    return shown.join(QStringLiteral(", "));
}

bool isSubfolderName(const QString &name) { return kSubfolders.contains(name); }

}  // namespace

const QList<ViewerFile> &viewerImages()
{
    static const QList<ViewerFile> files = {
        {"images/close.gif", ":/viewer/close.gif"},         {"images/closelabel.gif", ":/viewer/closelabel.gif"},
        {"images/nextlabel.gif", ":/viewer/nextlabel.gif"}, {"images/prevlabel.gif", ":/viewer/prevlabel.gif"},
        {"images/loading.gif", ":/viewer/loading.gif"},
    };
    return files;
}

const QList<ViewerFile> &viewerScripts()
{
    static const QList<ViewerFile> files = {
        {"effects.js", ":/viewer/effects.js"},
        {"builder.js", ":/viewer/builder.js"},
        {"lightbox.js", ":/viewer/lightbox.js"},
        {"prototype.js", ":/viewer/prototype.js"},
        {"scriptaculous.js", ":/viewer/scriptaculous.js"},
        {"lightbox.css", ":/viewer/lightbox.css"},
    };
    return files;
}

bool isGalleryFileName(const QString &name)
{
    if (isPageFileName(name))
        return true;
    for (const ViewerFile &file : viewerScripts()) {
        if (name == QLatin1String(file.target))
            return true;
    }
    return false;
}

bool isPageFileName(const QString &name)
{
    static const QRegularExpression pages(QStringLiteral("^(index|zeb[0-9]*)\\.html$"));
    return pages.match(name).hasMatch();
}

Result<std::unique_ptr<GalleryFolder>> GalleryFolder::open(const QString &folder)
{
    // The folders above the destination are the user's choice, links included.
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(folder.toStdU16String()), ec);
    if (ec)
        return Error{ErrorCode::WriteFailed, folder, fileops::errorText(ec.value()), ec.value()};
    Result<fileops::Folder> root = fileops::Folder::open(folder);
    if (!root) {
        Error error = root.error();
        error.code = ErrorCode::WriteFailed;
        return error;
    }
    if (Status held = root.value().lockExclusively())
        return *held;
    return std::unique_ptr<GalleryFolder>(new GalleryFolder(std::move(root).value()));
}

QString GalleryFolder::pathOf(const QString &relative) const
{
    return QDir::toNativeSeparators(m_root.pathOf(relative));
}

Result<const fileops::Folder *> GalleryFolder::subfolder(const QString &name, bool create) const
{
    QMutexLocker locker(&m_mutex);
    if (const auto found = m_subfolders.constFind(name); found != m_subfolders.cend())
        return found.value().get();
    Result<fileops::Folder> opened = m_root.folder(name, create);
    if (!opened)
        return opened.error();
    auto held = std::make_shared<fileops::Folder>(std::move(opened).value());
    m_subfolders.insert(name, held);
    return held.get();
}

Status GalleryFolder::openSubfolder(const QString &name) const
{
    if (!isSubfolderName(name))
        return Error{ErrorCode::Invalid, pathOf(name), QStringLiteral("is not a folder of the gallery")};
    const Result<const fileops::Folder *> folder = subfolder(name, true);
    return folder ? Status() : Status(folder.error());
}

Result<std::pair<const fileops::Folder *, QString>> GalleryFolder::locate(const QString &relative) const
{
    const QStringList parts = relative.split(QLatin1Char('/'));
    if (parts.size() == 1)
        return std::pair{&m_root, relative};
    if (parts.size() != 2 || !isSubfolderName(parts.first()))
        return Error{ErrorCode::Invalid, pathOf(relative), QStringLiteral("is not a place a build writes to")};
    Result<const fileops::Folder *> folder = subfolder(parts.first(), true);
    if (!folder)
        return folder.error();
    return std::pair{folder.value(), parts.last()};
}

fileops::Entry GalleryFolder::entry(const QString &relative) const
{
    const QStringList parts = relative.split(QLatin1Char('/'));
    if (parts.size() == 1)
        return m_root.entry(relative);
    if (parts.size() != 2 || !isSubfolderName(parts.first()))
        return {};
    Result<const fileops::Folder *> folder = subfolder(parts.first(), false);
    return folder ? folder.value()->entry(parts.last()) : fileops::Entry{};
}

Result<std::pair<const fileops::Folder *, QString>> GalleryFolder::locateExisting(const QString &relative) const
{
    const QStringList parts = relative.split(QLatin1Char('/'));
    if (parts.size() == 1)
        return std::pair{&m_root, relative};
    if (parts.size() != 2 || !isSubfolderName(parts.first()))
        return Error{ErrorCode::Invalid, pathOf(relative), QStringLiteral("is not a place a build writes to")};
    Result<const fileops::Folder *> folder = subfolder(parts.first(), false);
    if (!folder)
        return folder.error();
    return std::pair{folder.value(), parts.last()};
}

std::optional<fileops::Stamp> GalleryFolder::stamp(const QString &relative) const
{
    const auto place = locateExisting(relative);
    return place ? place.value().first->stamp(place.value().second) : std::nullopt;
}

Result<QByteArray> GalleryFolder::read(const QString &relative, qint64 max) const
{
    const auto place = locateExisting(relative);
    if (!place)
        return place.error();
    return place.value().first->readHead(place.value().second, max);
}

Status GalleryFolder::remove(const QString &relative) const
{
    const auto place = locateExisting(relative);
    if (!place)
        return place.error().code == ErrorCode::NotFound ? Status() : Status(place.error());
    Status error = place.value().first->remove(place.value().second);
    if (error)
        error->path = pathOf(relative);
    return error;
}

bool GalleryFolder::holds(const fileops::Folder &folder, const QString &name, const QByteArray &bytes) const
{
    if (!m_keepUnchanged)
        return false;
    const std::optional<fileops::Stamp> found = folder.stamp(name);
    if (!found || found->size != bytes.size())
        return false;
    const Result<QByteArray> there = folder.readHead(name, bytes.size() + 1);
    return there && there.value() == bytes;
}

void GalleryFolder::written(const QString &relative, const QByteArray &bytes) const
{
    const QByteArray hash = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
    QMutexLocker locker(&m_mutex);
    m_written.insert(relative, hash);
}

QHash<QString, QByteArray> GalleryFolder::writtenFiles() const
{
    QMutexLocker locker(&m_mutex);
    return m_written;
}

Status GalleryFolder::write(const QString &relative, const QByteArray &bytes) const
{
    const auto place = locate(relative);
    if (!place)
        return place.error();
    if (holds(*place.value().first, place.value().second, bytes)) {
        written(relative, bytes);
        return std::nullopt;
    }
    Status error = place.value().first->write(place.value().second, bytes);
    if (error)
        error->path = pathOf(relative);
    else
        written(relative, bytes);
    return error;
}

Status GalleryFolder::copy(const QString &relative, fileops::ReadFile &source) const
{
    if (m_keepUnchanged) {
        // Read whole, so that an unchanged copy is left with its times.
        QByteArray bytes;
        bytes.resize(qsizetype(source.size()));
        qint64 done = 0;
        while (done < bytes.size()) {
            const Result<qint64> got = source.read(bytes.data() + done, bytes.size() - done);
            if (!got)
                return got.error();
            if (got.value() == 0)
                break;
            done += got.value();
        }
        bytes.truncate(qsizetype(done));
        return write(relative, bytes);
    }
    const auto place = locate(relative);
    if (!place)
        return place.error();
    return place.value().first->copy(place.value().second, source);
}

Result<DestinationSurvey> GalleryFolder::survey(bool clean, const QStringList &writes,
                                                const QSet<fileops::FileId> &inputs) const
{
    DestinationSurvey survey;
    Result<QStringList> names = m_root.names();
    if (!names)
        return names.error();

    // A name is one of the gallery's when the file system takes it for that name: letter case
    // counts only where the file system says so.
    const auto galleryName = [&](const QString &name, const fileops::Entry &found) -> QString {
        const QString lower = name.toLower();
        if (!isGalleryFileName(lower) && !isSubfolderName(lower))
            return {};
        if (lower == name)
            return lower;
        const fileops::Entry same = m_root.entry(lower);
        return same.type != fileops::EntryType::Missing && same.id == found.id ? lower : QString();
    };

    struct Found {
        QString relative;
        fileops::FileId id;
    };
    QList<Found> topFiles;
    QList<Found> innerFiles;
    QStringList pages;
    QStringList subfolders;
    std::optional<Found> record;
    for (const QString &name : names.value()) {
        const fileops::Entry found = m_root.entry(name);
        if (name == QLatin1String(kGalleryMarkerName) && found.type == fileops::EntryType::File) {
            survey.earlierGallery = true;
            continue;
        }
        // The build record of an earlier gallery is read, replaced and removed by the build;
        // one in a folder without a gallery is a file like the pages.
        if (name == QLatin1String(kBuildRecordName)) {
            if (found.type == fileops::EntryType::Link)
                return fileops::linkRefused(pathOf(name));
            if (found.type == fileops::EntryType::File) {
                record = Found{name, found.id};
                continue;
            }
        }
        const QString own = galleryName(name, found);
        const bool isFolder = found.type == fileops::EntryType::Folder;
        if (own.isEmpty() || (isFolder && !isSubfolderName(own))) {
            survey.staying.append(isFolder ? name + QLatin1Char('/') : name);
            continue;
        }
        if (found.type == fileops::EntryType::Link)
            return fileops::linkRefused(pathOf(name));
        if (isSubfolderName(own)) {
            if (!isFolder)
                return Error{ErrorCode::WriteFailed, pathOf(name),
                             QStringLiteral("is a file where the gallery's folder \"%1\" belongs; nothing was changed "
                                            "(rename or remove it)")
                                 .arg(own),
                             ENOTDIR};
            subfolders.append(name);
            continue;
        }
        topFiles.append(Found{name, found.id});
        if (isPageFileName(own))
            pages.append(name);
    }
    for (const QString &page : std::as_const(pages)) {
        const Result<QByteArray> head = m_root.readHead(page, kPageHeadBytes);
        if (head && head.value().contains(kGeneratorLine)) {
            survey.earlierGallery = true;
            survey.generatorPage = true;
            break;
        }
    }
    if (record && !survey.earlierGallery) {
        if (clean)
            topFiles.append(*record);
        else
            survey.staying.append(record->relative);
    }
    if (!names.value().isEmpty() && !m_root.isWritable())
        return Error{ErrorCode::WriteFailed, path(),
                     QStringLiteral("cannot be written into (%1); nothing was changed").arg(fileops::errorText(EACCES)),
                     EACCES};
    for (const QString &name : std::as_const(subfolders)) {
        Result<fileops::Folder> inner = m_root.folder(name, false);
        if (!inner)
            return inner.error();
        Result<QStringList> innerNames = inner.value().names();
        if (!innerNames)
            return innerNames.error();
        for (const QString &innerName : innerNames.value()) {
            const QString relative = name + QLatin1Char('/') + innerName;
            const fileops::Entry found = inner.value().entry(innerName);
            if (found.type == fileops::EntryType::Link)
                return fileops::linkRefused(pathOf(relative));
            if (found.type == fileops::EntryType::Folder)
                survey.staying.append(relative + QLatin1Char('/'));
            else
                innerFiles.append(Found{relative, found.id});
        }
        if (!innerNames.value().isEmpty() && !inner.value().isWritable())
            return Error{
                ErrorCode::WriteFailed, pathOf(name),
                QStringLiteral("cannot be written into (%1); nothing was changed").arg(fileops::errorText(EACCES)),
                EACCES};
    }

    QList<Found> doomed;
    if (clean) {
        // The user's own files in a folder without a gallery are refused below; an input among
        // them is named first, as the more telling reason.
        doomed = topFiles + innerFiles;
        for (const Found &file : std::as_const(topFiles))
            survey.toDelete.append(file.relative);
        for (const Found &file : std::as_const(innerFiles))
            (survey.earlierGallery ? survey.toDelete : survey.userFiles).append(file.relative);
    } else {
        for (const QString &write : writes) {
            const fileops::Entry found = entry(write);
            if (found.type == fileops::EntryType::Missing)
                continue;
            if (found.type == fileops::EntryType::Link)
                return fileops::linkRefused(pathOf(write));
            doomed.append(Found{write, found.id});
            if (!survey.earlierGallery)
                survey.toReplace.append(write);
        }
    }
    for (const Found &file : std::as_const(doomed)) {
        if (inputs.contains(file.id))
            return Error{ErrorCode::Invalid, pathOf(file.relative),
                         QStringLiteral("is an input of this build, and making the gallery in %1 would delete or "
                                        "overwrite it; nothing was written (choose another destination folder)")
                             .arg(QDir::toNativeSeparators(path()))};
    }
    survey.userFiles.sort();
    if (!survey.userFiles.isEmpty())
        return Error{ErrorCode::Invalid, path(),
                     QStringLiteral("holds no gallery, but its gallery folders hold files of their own (%1); a build "
                                    "would remove them, so nothing was written (choose another destination folder)")
                         .arg(listed(survey.userFiles))};
    survey.toDelete.sort();
    survey.toReplace.sort();
    survey.staying.sort();
    return survey;
}

Status GalleryFolder::prepare(const DestinationSurvey &survey, bool clean, QList<Error> *warnings, int *removed)
{
    // Every folder is opened before the first deletion: one that was swapped for a link or a
    // file since the survey stops the build while nothing is lost yet.
    for (const QString &name : kSubfolders) {
        if (!clean && (name == QLatin1String(kThumbsFolderName) || name == QLatin1String(kPhotosFolderName)))
            continue;
        if (Status error = openSubfolder(name))
            return error;
    }
    int count = 0;
    for (const QString &relative : survey.toDelete) {
        const auto place = locate(relative);
        Status error = place ? place.value().first->remove(place.value().second) : Status(place.error());
        if (error) {
            error->path = pathOf(relative);
            if (count > 0)
                error->detail += QStringLiteral("; %1 of the %2 files to be replaced were removed before this, the "
                                                "rest are as they were")
                                     .arg(count)
                                     .arg(survey.toDelete.size());
            if (removed)
                *removed = count;
            return error;
        }
        ++count;
    }
    if (removed)
        *removed = count;
    // From here on the folder holds this build's files, even if it is stopped before any page.
    if (clean && m_root.entry(QLatin1String(kGalleryMarkerName)).type != fileops::EntryType::File) {
        if (Status error = m_root.write(QLatin1String(kGalleryMarkerName), QByteArray()))
            return error;
    }
    const auto warn = [warnings](Status error) {
        if (error && warnings)
            warnings->append(*error);
    };
    // Images are written only when missing: a gallery's own copies are left as they are.
    for (const ViewerFile &file : viewerImages()) {
        const QString target = QString::fromLatin1(file.target);
        if (entry(target).type != fileops::EntryType::Missing)
            continue;
        const QByteArray bytes = resourceBytes(file.resource);
        warn(bytes.isEmpty()
                 ? Status(Error{ErrorCode::NotFound, pathOf(target), QStringLiteral("embedded viewer file is missing")})
                 : write(target, bytes));
    }
    // Scripts are always rewritten, without trailing zero bytes of padding.
    for (const ViewerFile &file : viewerScripts()) {
        const QString target = QString::fromLatin1(file.target);
        QByteArray bytes = resourceBytes(file.resource);
        qsizetype end = bytes.size();
        while (end > 0 && bytes.at(end - 1) == '\0')
            --end;
        bytes.truncate(end);
        warn(end <= 1 ? Status(
                 Error{ErrorCode::WriteFailed, pathOf(target), QStringLiteral("the embedded viewer file is empty")})
                      : write(target, bytes));
    }
    return std::nullopt;
}

}  // namespace lumarc
