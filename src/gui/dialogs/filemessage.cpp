#include "gui/dialogs/filemessage.h"

#include <QDir>

namespace lumarc::gui {

QMessageBox::StandardButton fileMessage(QWidget *parent, QMessageBox::Icon icon, const QString &path,
                                        const QString &text, QMessageBox::StandardButtons buttons)
{
    const QString shown = QDir::toNativeSeparators(path);
    QMessageBox box(icon, shown, shown + QStringLiteral("\n\n") + text, buttons, parent);
    box.setObjectName(QStringLiteral("fileMessage"));
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    box.setStyleSheet(QStringLiteral("QLabel#qt_msgbox_label { min-width: 36em; }"));
    return QMessageBox::StandardButton(box.exec());
}

}  // namespace lumarc::gui
