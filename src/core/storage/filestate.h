#pragma once

// What a file held when the program last read or wrote it, so that a save can tell whether
// another program changed the file in the meantime. The desktop program keeps one for the
// open project. The contents decide, not times or sizes: a copy written back unchanged is
// no change, and a change within the file system's time resolution still is one.

#include <QByteArray>
#include <QString>

namespace lumarc {

struct FileState {
    bool exists = false;
    QByteArray hash;  // SHA-256 of the contents

    // The file as it is now; a file that cannot be read counts as missing.
    static FileState of(const QString &path);

    friend bool operator==(const FileState &, const FileState &) = default;
};

}  // namespace lumarc
