#pragma once

// A message about one file. The path stands in the box's title, as the program's file
// messages always had it, and at the top of its text too: a title bar cuts a long path off,
// and the box is made wide enough to show one.

#include <QMessageBox>
#include <QString>

class QWidget;

namespace lumarc::gui {

// Gives a box of the caller's own (with buttons of its own) the file message's title and text.
void showAsFileMessage(QMessageBox &box, const QString &path, const QString &text);

QMessageBox::StandardButton fileMessage(QWidget *parent, QMessageBox::Icon icon, const QString &path,
                                        const QString &text, QMessageBox::StandardButtons buttons = QMessageBox::Ok);

}  // namespace lumarc::gui
