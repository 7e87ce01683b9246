#pragma once

// The per-user data folder: home of "default.zem" and "urls.txt" and the folder the
// file dialogs start in. The environment variable LUMARC_DATA_FOLDER replaces it, so
// that tests and scripted runs never touch the user's own files.

#include "model/gallerysettings.h"

#include <QString>

namespace lumarc {

// LUMARC_DATA_FOLDER when set, else the documents folder followed by "ZEB"; created when
// missing. When it cannot be created, the program's own folder.
QString dataFolder();

// dataFolder() followed by "default.zem": the settings of the previous run.
QString defaultSettingsPath();

// The built-in defaults, replaced by the settings of "default.zem" when that file exists
// and reads without error; a damaged file is ignored without a message.
GallerySettings defaultSettings();

}  // namespace lumarc
