#pragma once

// Adding source images to a project: the per-file checks, the preview and the default texts
// of a new record. Adding is split in three so that the window can check on its own thread,
// decode previews on workers and append in the order the user chose: checkNewImage(),
// loadPreview(), appendNewImage(). The command line, which shows no previews, adds through
// addImageFromHeader() instead.

#include "imaging/pixelbuffer.h"
#include "model/project.h"
#include "support/error.h"

#include <QSize>
#include <QString>
#include <QStringList>

namespace lumarc {

enum class AddOutcome { Added, NotReadable, Duplicate, LoadFailed, ResizeFailed };

struct AddResult {
    AddOutcome outcome = AddOutcome::NotReadable;
    int index = -1;  // of the new record when Added
    QString detail;  // why it was not added, untranslated
};

constexpr int kPreviewBox = 120;

// Size of the preview of a w x h image in a boxW x boxH box. Unlike the gallery files, small
// images are enlarged to the box. keepRatio false gives the box itself.
QSize previewSize(int w, int h, int boxW, int boxH, bool keepRatio);

// The checks that need no decoding, cheap enough for the window's thread: NotReadable (the
// extension is not a readable type), Duplicate (the exact path is in the project), else
// Added, meaning the file may go on to its preview.
AddOutcome checkNewImage(const Project &project, const QString &path);

// Decodes the file into its preview; safe on any thread. Errors with code Decode, NotFound
// or ReadFailed mean the file cannot be loaded (LoadFailed, no message); Encode or Invalid
// mean the preview could not be made (ResizeFailed, with the library's text as detail).
Result<PixelBuffer> loadPreview(const QString &path, int boxW = kPreviewBox, int boxH = kPreviewBox,
                                bool keepRatio = true);
// The outcome a failed loadPreview() stands for.
AddOutcome previewFailure(const Error &error);

// Appends the record of a file that passed its checks, with default texts and a unique
// output name; the result is Added with the new index.
AddResult appendNewImage(Project &project, const QString &path);

// Checks and appends without a preview, reading only the file's header to know that it is
// an image the engine can open: for the command line, which shows no previews.
AddResult addImageFromHeader(Project &project, const QString &path);

// Paths of the files directly inside the folder (no subfolders) whose extension is
// readable, in name order; empty for a missing folder.
QStringList readableImagesIn(const QString &folder);

}  // namespace lumarc
