#pragma once

// The desktop program from launch to exit: the language selection, then the main window,
// with a project named on the command line loaded into it.

#include <QStringList>

namespace lumarc::gui {

// Runs the event loop of an existing QApplication; returns its exit code.
int runDesktop(const QStringList &arguments);

}  // namespace lumarc::gui
