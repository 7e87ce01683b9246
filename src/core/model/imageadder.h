#pragma once

// Adding source images to a project: the per-file checks, the preview and the default texts
// of a new record. The desktop program's add routes and the command line call these; the
// dialogs and the grid around them are theirs.

#include "model/project.h"

#include <QList>
#include <QStringList>
#include <QSize>
#include <QString>

namespace lumarc {

enum class AddOutcome { Added, NotReadable, Duplicate, LoadFailed, ResizeFailed };

struct AddResult {
    AddOutcome outcome = AddOutcome::NotReadable;
    QString path;     // the file this result is about
    int index = -1;   // of the new record when Added
    QString message;  // for the user: Duplicate and ResizeFailed only; the others are silent
    QString detail;   // why, untranslated, for logs: set for LoadFailed too
};

constexpr int kPreviewBox = 120;

// Size of the preview of a w x h image in a boxW x boxH box. Unlike the gallery files, small
// images are enlarged to the box. keepRatio false gives the box itself.
QSize previewSize(int w, int h, int boxW, int boxH, bool keepRatio);

// Checks the file (readable extension, not already in the project), decodes it into a
// preview and appends a record with default texts. The project is unchanged unless Added.
AddResult addImageToProject(Project &project, const QString &path, int boxW = kPreviewBox,
                            int boxH = kPreviewBox, bool keepRatio = true);

// Paths of the files directly inside the folder (no subfolders) whose extension is
// readable, in name order; empty for a missing folder.
QStringList readableImagesIn(const QString &folder);

// Every readable file directly inside the folder (no subfolders), in name order, through
// addImageToProject(). Files with other extensions are left out of the results; a missing
// folder gives an empty list.
QList<AddResult> addFolderImages(Project &project, const QString &folder, int boxW = kPreviewBox,
                                 int boxH = kPreviewBox, bool keepRatio = true);

} // namespace lumarc
