#pragma once

// The caption every window of the program shares: product and version, and the open
// project's file name once the project has a file.

#include <QString>

namespace lumarc::gui {

// "Lumarc  v.1.1.0.", then "  ( trip.zeb )" while a project file is open.
QString windowCaption(const QString &projectPath);

}  // namespace lumarc::gui
