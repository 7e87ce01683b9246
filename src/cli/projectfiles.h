#pragma once

// Opening and saving the files the subcommands work on: a project (.zeb, either layout)
// or a settings file (.zes, .zem), told apart by extension.

#include "model/project.h"
#include "support/error.h"

namespace lumarc::cli {

struct OpenedFile {
    Project project;          // a settings file gives its settings and no images
    bool settingsOnly = false;
    int renamedOutputNames = 0;  // unsafe or shared output names the load made anew
};

bool isSettingsFileName(const QString &path);

Result<OpenedFile> openFile(const QString &path);
Status saveFile(const OpenedFile &file, const QString &path);

// The project at `path`, or a new one with the default settings when no file is there.
Result<Project> openOrCreateProject(const QString &path, bool *created = nullptr, int *renamedOutputNames = nullptr);

// Tells the user that a load gave `count` output names new ones; `saved` says whether the
// file will keep them. Nothing for 0.
void reportRenamedOutputNames(const QString &path, int count, bool saved);

} // namespace lumarc::cli
