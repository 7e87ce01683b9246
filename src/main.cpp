// The lumarc executable: with a subcommand it runs headless on the command line; with no
// arguments, or with a project file to open, it is the desktop program.

#include "cli/commandline.h"
#include "gui/app/desktop.h"
#include "support/memorylimits.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    QCoreApplication::setOrganizationName(QStringLiteral("Lumarc"));
    QCoreApplication::setApplicationName(QStringLiteral("Lumarc"));
    if (!lumarc::cli::runsHeadless(argc, argv)) {
        QApplication app(argc, argv);
        QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/lumarc.png")));
        // Names the desktop entry, so that a Wayland shell shows the entry's icon and name.
        QGuiApplication::setDesktopFileName(QStringLiteral("org.lumarc.Lumarc"));
        return lumarc::gui::runDesktop(QCoreApplication::arguments());
    }
    // Under a memory limit (ulimit -v, usual for scripts on shared servers) every arena the C
    // library adds for a thread takes 64 MB of it; one is enough for a run that must fit.
    if (lumarc::memory::processLimit() > 0)
        lumarc::memory::limitAllocatorArenas(1);
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    QCoreApplication app(argc, argv);
#else
    // "build --open" hands the page to the platform's desktop services, which need a GUI
    // application object; these platforms have one without a display server to reach.
    QGuiApplication app(argc, argv);
#endif
    return lumarc::cli::run(QCoreApplication::arguments());
}
