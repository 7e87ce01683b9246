#include "gui/dialogs/folderdialog.h"

#include <QDir>
#include <QFileDialog>

namespace lumarc::gui {

QString chooseFolder(QWidget *owner, const QString &title, const QString &startFolder)
{
    const QString folder = QFileDialog::getExistingDirectory(owner, title, startFolder, QFileDialog::ShowDirsOnly);
    return folder.isEmpty() ? QString() : QDir::toNativeSeparators(folder);
}

} // namespace lumarc::gui
