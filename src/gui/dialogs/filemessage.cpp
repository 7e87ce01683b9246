#include "gui/dialogs/filemessage.h"

#include <QDir>

namespace lumarc::gui {

void showAsFileMessage(QMessageBox &box, const QString &path, const QString &text)
{
    const QString shown = QDir::toNativeSeparators(path);
    box.setWindowTitle(shown);
    box.setTextFormat(Qt::PlainText);  // a path with "<" is no markup
    box.setText(shown + QStringLiteral("\n\n") + text);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    box.setStyleSheet(QStringLiteral("QLabel#qt_msgbox_label { min-width: 36em; }"));
}

QMessageBox::StandardButton fileMessage(QWidget *parent, QMessageBox::Icon icon, const QString &path,
                                        const QString &text, QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, QString(), QString(), buttons, parent);
    showAsFileMessage(box, path, text);
    return QMessageBox::StandardButton(box.exec());
}

}  // namespace lumarc::gui
