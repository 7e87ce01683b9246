#include "gui/dialogs/filemessage.h"

#include "i18n/messages.h"

#include <QDir>

namespace lumarc::gui {
namespace {

// `text` already names the file at its top.
void present(QMessageBox &box, const QString &path, const QString &text)
{
    box.setWindowTitle(QDir::toNativeSeparators(path));
    box.setTextFormat(Qt::PlainText);  // a path with "<" is no markup
    box.setText(text);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    box.setStyleSheet(QStringLiteral("QLabel#qt_msgbox_label { min-width: 36em; }"));
}

}  // namespace

void showAsFileMessage(QMessageBox &box, const QString &path, const QString &text)
{
    present(box, path, QDir::toNativeSeparators(path) + QStringLiteral("\n\n") + text);
}

QMessageBox::StandardButton fileMessage(QWidget *parent, QMessageBox::Icon icon, const QString &path,
                                        const QString &text, QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, QString(), QString(), buttons, parent);
    showAsFileMessage(box, path, text);
    return QMessageBox::StandardButton(box.exec());
}

void showError(QWidget *parent, const Error &error, const QString &file, QMessageBox::Icon icon)
{
    const Error shown = error.path.isEmpty() ? error.at(file) : error;
    QMessageBox box(icon, QString(), QString(), QMessageBox::Ok, parent);
    present(box, shown.path, messages::userText(shown));
    box.exec();
}

}  // namespace lumarc::gui
