#pragma once

// Which file a path leads to, as the file system tells files apart (device and inode on
// POSIX; volume serial number and file id on Windows), so that two spellings, a link or a
// letter-case variant of one file are recognised as the same file.

#include <QString>
#include <QtGlobal>

#include <optional>

namespace lumarc {

struct FileIdentity {
    quint64 device = 0;
    quint64 file = 0;
    friend bool operator==(const FileIdentity &, const FileIdentity &) = default;
};

// The identity of what `path` leads to, links followed; nullopt when nothing is there or it
// cannot be examined.
std::optional<FileIdentity> fileIdentity(const QString &path);

} // namespace lumarc
