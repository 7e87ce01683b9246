#pragma once

// The platform's file and folder dialogs as the program opens them: the folder selection
// of adding a folder and of the destination folder, and the filters of the file dialogs.

#include <QString>

class QWidget;

namespace lumarc::gui {

// The chosen folder in this platform's notation, or an empty text when the user cancels
// (callers then keep the folder they had).
QString chooseFolder(QWidget *owner, const QString &title, const QString &startFolder);

// The string tables keep filters as "Description (*.a;*.b)|*.a;*.b" pairs; Qt's file dialogs
// take "Description (*.a *.b)" entries separated by ";;", with blanks between the patterns.
QString qtFilter(const QString &pairs);

}  // namespace lumarc::gui
