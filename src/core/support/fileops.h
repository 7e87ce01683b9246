#pragma once

// The operating system's side of the file operations that must not be fooled by spelling or
// by links: folders held open as handles, so that every write, rename and deletion inside them
// happens relative to the very folder that was checked and never through a link planted
// later; files recognised by their identity rather than their name; and locks that the system
// releases when their holder dies. The build driver and the editing commands use it; the rest
// of the program uses Qt. POSIX today (fileops_posix.cpp); a Windows side keeps the same
// interface with file ids, FILE_FLAG_OPEN_REPARSE_POINT and handle-relative renames.

#include "support/error.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <utility>

namespace lumarc::fileops {

// What identifies a file whatever its name: device and inode (the file id on Windows).
struct FileId {
    quint64 device = 0;
    quint64 inode = 0;
    friend bool operator==(const FileId &, const FileId &) = default;
};
inline size_t qHash(const FileId &id, size_t seed = 0) noexcept
{
    return size_t(id.device * 1000003u) ^ size_t(id.inode) ^ seed;
}

// The identity of the file a path names, links followed; nullopt when there is none.
std::optional<FileId> identity(const QString &path);

// What changes whenever a file's bytes may have changed: size, modification and change
// times in nanoseconds, and the file itself. The change time cannot be set back by a user.
struct Stamp {
    qint64 size = 0;
    qint64 modified = 0;
    qint64 changed = 0;
    FileId id;
    friend bool operator==(const Stamp &, const Stamp &) = default;
};

// The stamp of the regular file a path names, links followed; nullopt for anything else.
std::optional<Stamp> stamp(const QString &path);

enum class EntryType { Missing, File, Folder, Link, Other };

struct Entry {
    EntryType type = EntryType::Missing;
    FileId id;
};

class ReadFile;

// A file descriptor that is closed with its owner.
class Descriptor {
public:
    Descriptor() = default;
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor();
    Descriptor(Descriptor &&other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    Descriptor &operator=(Descriptor &&other) noexcept;
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;

    int get() const { return m_fd; }
    bool isValid() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

// A folder held open. Names given to it are looked up by the file system itself, so they
// compare as that file system compares them (letter case ignored on exFAT, NTFS, APFS).
// Every operation refuses to follow a link in the name it is given.
class Folder {
public:
    Folder() = default;

    // An existing folder. The path itself may be a link (a user may point at one); what lies
    // inside is then reached without following any further link.
    static Result<Folder> open(const QString &path);

    bool isOpen() const { return m_fd.isValid(); }
    const QString &path() const { return m_path; }
    QString pathOf(const QString &name) const;
    FileId id() const;

    // The entry of that name, not following a link.
    Entry entry(const QString &name) const;
    // The names inside, without "." and "..".
    Result<QStringList> names() const;
    // A folder inside, opened without following a link; created first when missing and `create`.
    Result<Folder> folder(const QString &name, bool create) const;
    // Whether files can be created and removed here.
    bool isWritable() const;

    // Removes a file or a link (never what a link points at, never a folder); a missing entry
    // is fine.
    Status remove(const QString &name) const;
    // Writes a new file beside the target and renames it over the target, so a reader never
    // sees half a file, a failed write leaves the old file intact, and a link in the target's
    // place is replaced rather than followed. A folder in its place is refused.
    Status write(const QString &name, const QByteArray &bytes) const;
    // The same, with the bytes read from an open file in pieces.
    Status copy(const QString &name, ReadFile &source) const;
    // Up to `max` bytes from the start of a regular file inside, opened without following a link.
    Result<QByteArray> readHead(const QString &name, qint64 max) const;
    // The stamp of a regular file inside, not following a link; nullopt for anything else.
    std::optional<Stamp> stamp(const QString &name) const;

    // An exclusive lock on the folder for as long as this handle lives; Refused when another
    // process holds it. The system drops it when the holder dies.
    Status lockExclusively() const;

private:
    Folder(int fd, QString path) : m_fd(fd), m_path(std::move(path)) {}
    Status replaceWith(const QString &name, const std::function<Status(int fd, const QString &temp)> &fill) const;

    Descriptor m_fd;
    QString m_path;
};

// A file opened once for reading, so that what is checked is what is read.
class ReadFile {
public:
    ReadFile() = default;

    // Regular files only: a FIFO or a device would block or never end.
    static Result<ReadFile> open(const QString &path);

    const QString &path() const { return m_path; }
    FileId id() const { return m_id; }
    qint64 size() const { return m_size; }
    // The descriptor, for an image engine that reads through it; its position is restored by rewind().
    int descriptor() const { return m_fd.get(); }
    bool rewind();
    // At most `max` bytes; 0 at the end; an error names the file.
    Result<qint64> read(char *buffer, qint64 max);

private:
    Descriptor m_fd;
    QString m_path;
    FileId m_id;
    qint64 m_size = 0;
};

// An advisory lock on a lock file, held until destroyed. The system releases it when its
// holder dies, so a lock file left behind by a crash, empty or damaged, never blocks anyone.
class FileLock {
public:
    FileLock() = default;
    ~FileLock() { release(); }
    FileLock(FileLock &&other) noexcept = default;
    FileLock &operator=(FileLock &&other) noexcept
    {
        release();
        m_fd = std::move(other.m_fd);
        m_path = std::move(other.m_path);
        return *this;
    }

    // Waits up to waitMs for another holder. Errors: Refused when it is still held then
    // (naming the lock file and, when it says so, the holder's process), WriteFailed when
    // the lock file cannot be made.
    static Result<FileLock> acquire(const QString &lockPath, int waitMs);

private:
    void release();

    Descriptor m_fd;
    QString m_path;
};

// The system's words for the error number.
QString errorText(int code);

// A link where a build would write: refused, since it leads out of the destination.
Error linkRefused(const QString &path);

}  // namespace lumarc::fileops
