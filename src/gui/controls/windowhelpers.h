#pragma once

// Small pieces of window behaviour that know nothing of the project.

#include <QLabel>
#include <QList>

class QAction;

namespace lumarc::gui {

// Alt and a letter open the menus and pick their entries: each entry gets the first of its
// letters that no entry before it took. The string tables have no accelerators, so they
// are chosen anew for each language.
void addMnemonics(const QList<QAction *> &actions);

// F6: the focus moves to the pane after the one that holds it, skipping disabled ones; a
// pane with fields takes it on its first field.
void focusNextPane(const QList<QWidget *> &panes);

// The raised panel in the middle of a window while a long step runs.
class LoadingPanel : public QLabel {
public:
    explicit LoadingPanel(QWidget *window);
    // Shows the text, painted at once (the step that follows may hold the event loop);
    // an empty text hides the panel.
    void showText(const QString &text);
};

}  // namespace lumarc::gui
