#include "gui/app/desktop.h"

#include "gui/app/languagedialog.h"
#include "gui/app/mainwindow.h"
#include "gui/app/recentprojects.h"

#include <QApplication>
#include <QSettings>

namespace lumarc::gui {

int runDesktop(const QStringList &arguments)
{
    std::unique_ptr<QSettings> store = openUserStore();
    runLanguageDialog(*store, nullptr, true);
    MainWindow window(std::move(store));
    window.show();
    if (arguments.size() > 1)
        window.openFromCommandLine(arguments.at(1));
    return QApplication::exec();
}

}  // namespace lumarc::gui
