#include "support/fileops.h"

#include <QFile>
#include <QRandomGenerator>
#include <QThread>

#include <cerrno>
#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lumarc::fileops {
namespace {

constexpr qint64 kCopyPiece = 1 << 20;

FileId idOf(const struct stat &st) { return FileId{quint64(st.st_dev), quint64(st.st_ino)}; }

constexpr qint64 kNanoseconds = 1000000000;

std::optional<Stamp> stampOf(const struct stat &st)
{
    if (!S_ISREG(st.st_mode))
        return std::nullopt;
    return Stamp{qint64(st.st_size), qint64(st.st_mtim.tv_sec) * kNanoseconds + st.st_mtim.tv_nsec,
                 qint64(st.st_ctim.tv_sec) * kNanoseconds + st.st_ctim.tv_nsec, idOf(st)};
}

Error systemError(ErrorCode code, const QString &path, int number)
{
    return Error{code, path, errorText(number), number};
}

// One name inside a folder: never a path, never "." or "..", so no lookup can leave the folder.
bool isPlainName(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")
           && !name.contains(QLatin1Char('/')) && !name.contains(QChar(0));
}

Error notPlain(const QString &path)
{
    return Error{ErrorCode::Invalid, path, QStringLiteral("is not a plain file name")};
}

// Writes every byte, retrying short writes and interruptions.
bool writeAll(int fd, const char *data, qint64 size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size_t(size));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

void closeKeepingErrno(int fd)
{
    const int saved = errno;
    ::close(fd);
    errno = saved;
}

}  // namespace

QString errorText(int code) { return QString::fromLocal8Bit(std::strerror(code)); }

Error linkRefused(const QString &path)
{
    return Error{ErrorCode::WriteFailed, path,
                 QStringLiteral("is a link; a build never follows or writes through links (remove it or choose "
                                "another folder)")};
}

std::optional<FileId> identity(const QString &path)
{
    struct stat st {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0)
        return std::nullopt;
    return idOf(st);
}

// ---- Folder

Descriptor::~Descriptor()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

Descriptor &Descriptor::operator=(Descriptor &&other) noexcept
{
    if (this != &other) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
}

// ---- Folder

Result<Folder> Folder::open(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return systemError(errno == ENOENT ? ErrorCode::NotFound : ErrorCode::WriteFailed, path, errno);
    return Folder(fd, path);
}

QString Folder::pathOf(const QString &name) const
{
    if (m_path.endsWith(QLatin1Char('/')))
        return m_path + name;
    return m_path + QLatin1Char('/') + name;
}

FileId Folder::id() const
{
    struct stat st {};
    if (!m_fd.isValid() || ::fstat(m_fd.get(), &st) != 0)
        return {};
    return idOf(st);
}

std::optional<Stamp> stamp(const QString &path)
{
    struct stat st {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0)
        return std::nullopt;
    return stampOf(st);
}

std::optional<Stamp> Folder::stamp(const QString &name) const
{
    struct stat st {};
    if (!isPlainName(name) || ::fstatat(m_fd.get(), QFile::encodeName(name).constData(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return std::nullopt;
    return stampOf(st);
}

Entry Folder::entry(const QString &name) const
{
    struct stat st {};
    if (!isPlainName(name) || ::fstatat(m_fd.get(), QFile::encodeName(name).constData(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return {};
    EntryType type = EntryType::Other;
    if (S_ISLNK(st.st_mode))
        type = EntryType::Link;
    else if (S_ISDIR(st.st_mode))
        type = EntryType::Folder;
    else if (S_ISREG(st.st_mode))
        type = EntryType::File;
    return Entry{type, idOf(st)};
}

Result<QStringList> Folder::names() const
{
    // fdopendir() takes the descriptor over, so it gets a copy of its own.
    const int copy = ::fcntl(m_fd.get(), F_DUPFD_CLOEXEC, 0);
    DIR *dir = copy < 0 ? nullptr : ::fdopendir(copy);
    if (!dir) {
        const int error = errno;
        if (copy >= 0)
            ::close(copy);
        return systemError(ErrorCode::ReadFailed, m_path, error);
    }
    ::rewinddir(dir);
    QStringList list;
    errno = 0;
    while (const dirent *item = ::readdir(dir)) {
        const QString name = QFile::decodeName(item->d_name);
        if (name != QLatin1String(".") && name != QLatin1String(".."))
            list.append(name);
        errno = 0;
    }
    const int error = errno;
    ::closedir(dir);
    if (error != 0)
        return systemError(ErrorCode::ReadFailed, m_path, error);
    return list;
}

Result<Folder> Folder::folder(const QString &name, bool create) const
{
    const QString path = pathOf(name);
    if (!isPlainName(name))
        return notPlain(path);
    const QByteArray encoded = QFile::encodeName(name);
    if (create && ::mkdirat(m_fd.get(), encoded.constData(), 0777) != 0 && errno != EEXIST)
        return systemError(ErrorCode::WriteFailed, path, errno);
    const int fd = ::openat(m_fd.get(), encoded.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd >= 0)
        return Folder(fd, path);
    const int error = errno;
    const Entry found = entry(name);
    if (found.type == EntryType::Link)
        return linkRefused(path);
    if (found.type != EntryType::Missing && found.type != EntryType::Folder)
        return systemError(ErrorCode::WriteFailed, path, ENOTDIR);
    return systemError(error == ENOENT ? ErrorCode::NotFound : ErrorCode::WriteFailed, path, error);
}

bool Folder::isWritable() const
{
    // A probe file rather than access(): it also tells a read-only or immutable folder for the
    // superuser, and a file system mounted read-only.
    const QByteArray probe = ".lumarc-probe-" + QByteArray::number(QRandomGenerator::global()->generate64(), 16);
    const int fd = ::openat(m_fd.get(), probe.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    ::close(fd);
    return ::unlinkat(m_fd.get(), probe.constData(), 0) == 0;
}

Status Folder::remove(const QString &name) const
{
    const QString path = pathOf(name);
    if (!isPlainName(name))
        return notPlain(path);
    // unlinkat() removes a link itself and refuses a folder: it never reaches through either.
    if (::unlinkat(m_fd.get(), QFile::encodeName(name).constData(), 0) != 0 && errno != ENOENT)
        return systemError(ErrorCode::WriteFailed, path, errno == EISDIR ? EISDIR : errno);
    return std::nullopt;
}

Status Folder::replaceWith(const QString &name, const std::function<Status(int, const QString &)> &fill) const
{
    const QString path = pathOf(name);
    if (!isPlainName(name))
        return notPlain(path);
    if (entry(name).type == EntryType::Folder)
        return systemError(ErrorCode::WriteFailed, path, EISDIR);
    const QByteArray temp = ".lumarc-" + QByteArray::number(QRandomGenerator::global()->generate64(), 16) + ".tmp";
    const int fd = ::openat(m_fd.get(), temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0)
        return systemError(ErrorCode::WriteFailed, path, errno);
    Status filled = fill(fd, path);
    if (::close(fd) != 0 && !filled)
        filled = systemError(ErrorCode::WriteFailed, path, errno);
    if (!filled && ::renameat(m_fd.get(), temp.constData(), m_fd.get(), QFile::encodeName(name).constData()) != 0)
        filled = systemError(ErrorCode::WriteFailed, path, errno);
    if (filled)
        ::unlinkat(m_fd.get(), temp.constData(), 0);
    return filled;
}

Status Folder::write(const QString &name, const QByteArray &bytes) const
{
    return replaceWith(name, [&](int fd, const QString &path) -> Status {
        if (!writeAll(fd, bytes.constData(), bytes.size()))
            return systemError(ErrorCode::WriteFailed, path, errno);
        return std::nullopt;
    });
}

Status Folder::copy(const QString &name, ReadFile &source) const
{
    return replaceWith(name, [&](int fd, const QString &path) -> Status {
        if (!source.rewind())
            return systemError(ErrorCode::ReadFailed, source.path(), errno);
        QByteArray piece(kCopyPiece, Qt::Uninitialized);
        for (;;) {
            const Result<qint64> got = source.read(piece.data(), piece.size());
            if (!got)
                return got.error();
            if (got.value() == 0)
                return std::nullopt;
            if (!writeAll(fd, piece.constData(), got.value()))
                return systemError(ErrorCode::WriteFailed, path, errno);
        }
    });
}

Result<QByteArray> Folder::readHead(const QString &name, qint64 max) const
{
    const QString path = pathOf(name);
    if (!isPlainName(name))
        return notPlain(path);
    const int fd =
        ::openat(m_fd.get(), QFile::encodeName(name).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return systemError(errno == ENOENT ? ErrorCode::NotFound : ErrorCode::ReadFailed, path, errno);
    struct stat st {};
    QByteArray bytes;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        bytes.resize(qsizetype(std::min<qint64>(max, st.st_size)));
        qint64 done = 0;
        while (done < bytes.size()) {
            const ssize_t got = ::read(fd, bytes.data() + done, size_t(bytes.size() - done));
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                break;
            done += got;
        }
        bytes.truncate(qsizetype(done));
    }
    ::close(fd);
    return bytes;
}

Status Folder::lockExclusively() const
{
    if (::flock(m_fd.get(), LOCK_EX | LOCK_NB) == 0)
        return std::nullopt;
    if (errno == EWOULDBLOCK)
        return Error{
            ErrorCode::Refused, m_path,
            QStringLiteral("another build is making a gallery in this folder; try again when it has finished")};
    return systemError(ErrorCode::WriteFailed, m_path, errno);
}

// ---- ReadFile

Result<ReadFile> ReadFile::open(const QString &path)
{
    // Non-blocking, so that opening a FIFO does not wait for a writer; it is refused below.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return systemError(errno == ENOENT ? ErrorCode::NotFound : ErrorCode::ReadFailed, path, errno);
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        closeKeepingErrno(fd);
        return systemError(ErrorCode::ReadFailed, path, errno);
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        return Error{ErrorCode::ReadFailed, path,
                     S_ISDIR(st.st_mode) ? QStringLiteral("is a folder, not a file")
                                         : QStringLiteral("is not a regular file (a pipe, socket or device)")};
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    ReadFile file;
    file.m_fd = Descriptor(fd);
    file.m_path = path;
    file.m_id = idOf(st);
    file.m_size = qint64(st.st_size);
    return file;
}

bool ReadFile::rewind() { return m_fd.isValid() && ::lseek(m_fd.get(), 0, SEEK_SET) == 0; }

Result<qint64> ReadFile::read(char *buffer, qint64 max)
{
    for (;;) {
        const ssize_t got = ::read(m_fd.get(), buffer, size_t(max));
        if (got >= 0)
            return qint64(got);
        if (errno != EINTR)
            return systemError(ErrorCode::ReadFailed, m_path, errno);
    }
}

// ---- FileLock

void FileLock::release()
{
    if (!m_fd.isValid())
        return;
    // Removed while still locked: a waiter that then gets the lock on the old file sees that
    // the name no longer leads to it and starts again (see acquire()).
    ::unlink(QFile::encodeName(m_path).constData());
    m_fd = Descriptor();
}

Result<FileLock> FileLock::acquire(const QString &lockPath, int waitMs)
{
    const QByteArray encoded = QFile::encodeName(lockPath);
    constexpr int kPollMs = 50;
    int waited = 0;
    for (;;) {
        const int fd = ::open(encoded.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0)
            return Error{ErrorCode::WriteFailed, lockPath,
                         QStringLiteral("the lock file cannot be made (%1); nothing was changed").arg(errorText(errno)),
                         errno};
        // Only the system's lock on the file counts, never what the file holds: a file left
        // empty or damaged by a crash is taken over at once.
        while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            if (error != EWOULDBLOCK || waited >= waitMs) {
                QByteArray holder(32, '\0');
                const ssize_t got = ::pread(fd, holder.data(), size_t(holder.size()), 0);
                ::close(fd);
                if (error != EWOULDBLOCK)
                    return Error{ErrorCode::WriteFailed, lockPath, errorText(error), error};
                bool ok = false;
                const qint64 pid = got > 0 ? holder.left(qsizetype(got)).trimmed().toLongLong(&ok) : 0;
                return Error{ErrorCode::Refused, lockPath,
                             QStringLiteral("is held by another program%1 that is changing the same file; nothing "
                                            "was changed, try again when it has finished")
                                 .arg(ok && pid > 0 ? QStringLiteral(" (process %1)").arg(pid) : QString())};
            }
            QThread::msleep(kPollMs);
            waited += kPollMs;
        }
        struct stat held {};
        struct stat named {};
        if (::fstat(fd, &held) == 0 && ::stat(encoded.constData(), &named) == 0 && idOf(held) == idOf(named)) {
            const QByteArray pid = QByteArray::number(qint64(::getpid())) + '\n';
            if (::ftruncate(fd, 0) == 0)
                (void)!::pwrite(fd, pid.constData(), size_t(pid.size()), 0);
            FileLock lock;
            lock.m_fd = Descriptor(fd);
            lock.m_path = lockPath;
            return lock;
        }
        ::close(fd);  // the holder removed it as we got it: lock the new one
    }
}

}  // namespace lumarc::fileops
