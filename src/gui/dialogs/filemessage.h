#pragma once

// A message about one file. The path stands in the box's title, as the program's file
// messages always had it, and at the top of its text too: a title bar cuts a long path off,
// and the box is made wide enough to show one. Errors are shown here too, in the user's
// language, so that every failure the desktop program reports reads alike.

#include "support/error.h"

#include <QMessageBox>
#include <QString>

class QWidget;

namespace lumarc::gui {

// Gives a box of the caller's own (with buttons of its own) the file message's title and text.
void showAsFileMessage(QMessageBox &box, const QString &path, const QString &text);

QMessageBox::StandardButton fileMessage(QWidget *parent, QMessageBox::Icon icon, const QString &path,
                                        const QString &text, QMessageBox::StandardButtons buttons = QMessageBox::Ok);

// Shows the error's text in the user's language (messages::userText) as a file message
// about the error's file, or about `file` when the error names none.
void showError(QWidget *parent, const Error &error, const QString &file = QString(),
               QMessageBox::Icon icon = QMessageBox::Critical);

}  // namespace lumarc::gui
