// The lumarc executable: with a subcommand it runs headless on the command line; with no
// arguments, or with a project file to open, it is the desktop program.

#include "cli/commandline.h"
#include "gui/app/desktop.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>

#include <cstring>
#include <memory>

namespace {

// Opening the finished gallery goes through the platform's desktop services, which need a
// GUI application object; every other command runs without one.
bool wantsDesktopServices(int argc, char *argv[])
{
    if (argc < 2 || std::strcmp(argv[1], "build") != 0)
        return false;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--open") == 0)
            return true;
    }
    return false;
}

void nameTheApplication()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Lumarc"));
    QCoreApplication::setApplicationName(QStringLiteral("Lumarc"));
}

} // namespace

int main(int argc, char *argv[])
{
    // One argument that is no subcommand is a file to open; more are a mistyped command.
    if (argc < 2 || (argc == 2 && !lumarc::cli::isSubcommand(argv[1]))) {
        QApplication app(argc, argv);
        nameTheApplication();
        return lumarc::gui::runDesktop(QCoreApplication::arguments());
    }
    std::unique_ptr<QCoreApplication> app;
    if (wantsDesktopServices(argc, argv)) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
        // Without a display the window system cannot be reached; the build still runs, and
        // the page goes to the desktop's opener directly.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
            && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    nameTheApplication();
    return lumarc::cli::run(QCoreApplication::arguments());
}
