#pragma once

// Path rules shared by the whole program. Project files carry paths written on Windows, so
// every rule that splits a path accepts both "\" and "/" as separators; new paths are
// joined with this platform's separator.

#include <QString>

namespace lumarc::paths {

// The text after the last "\" or "/"; without one, after the last ":"; else the whole path.
QString fileName(const QString &path);

// fileName() without the part from its last "." on; a name without "." stays whole.
QString baseName(const QString &path);

// The text after the last "." of the whole path (not only of its file name); empty without ".".
QString extension(const QString &path);

// folder + separator + name, with the native separator; no separator is doubled.
QString join(const QString &folder, const QString &name);

// True when the path names an existing file or folder.
bool exists(const QString &path);

}  // namespace lumarc::paths
