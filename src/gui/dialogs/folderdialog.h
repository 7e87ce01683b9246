#pragma once

// The folder selection that adding a folder of images and choosing the destination
// folder open: the platform's own dialog, limited to folders.

#include <QString>

class QWidget;

namespace lumarc::gui {

// The chosen folder in this platform's notation, or an empty text when the user cancels
// (callers then keep the folder they had).
QString chooseFolder(QWidget *owner, const QString &title, const QString &startFolder);

} // namespace lumarc::gui
