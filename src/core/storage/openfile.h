#pragma once

// Opening the files a user hands the program, by their kind: a project (.zeb, either
// layout), a settings file (.zes, .zem) or a folder. The command line and the desktop
// program both open files through here, so that a file opens the same way wherever it is
// dropped, named or chosen.

#include "model/project.h"
#include "support/error.h"

#include <QString>

namespace lumarc {

enum class FileKind { Project, Settings, Folder, Unknown };

// The kind by extension, letter case ignored; an existing folder is a Folder whatever its
// name. Nothing is opened.
FileKind fileKind(const QString &path);
// The kind by extension alone, never a Folder: for callers that know already that the path
// is no folder, and so need not ask the disk again.
FileKind fileKindByName(const QString &path);

struct OpenedFile {
    Project project;  // a settings file gives its settings and no images
    bool settingsOnly = false;
    int renamedOutputNames = 0;  // unsafe or shared output names the load made anew
};

// A project, or a settings file (by its extension). Only regular files are read.
Result<OpenedFile> openFile(const QString &path);
// Writes the file back in its own kind.
Status saveFile(const OpenedFile &file, const QString &path);

// The project at `path`, or a new one with the default settings when no file is there.
Result<Project> openOrCreateProject(const QString &path, bool *created = nullptr, int *renamedOutputNames = nullptr);

}  // namespace lumarc
