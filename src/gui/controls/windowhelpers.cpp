#include "gui/controls/windowhelpers.h"

#include <QAction>
#include <QApplication>
#include <QSet>

namespace lumarc::gui {

void addMnemonics(const QList<QAction *> &actions)
{
    QSet<QChar> used;
    for (QAction *action : actions) {
        if (action->isSeparator() || action->text().isEmpty())
            continue;
        QString text = action->text();
        text.replace(QLatin1Char('&'), QStringLiteral("&&"));
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar letter = text.at(i).toLower();
            if (letter.isLetter() && !used.contains(letter)) {
                used.insert(letter);
                text.insert(i, QLatin1Char('&'));
                break;
            }
        }
        action->setText(text);
    }
}

void focusNextPane(const QList<QWidget *> &panes)
{
    const QWidget *focus = QApplication::focusWidget();
    qsizetype current = -1;
    for (qsizetype i = 0; i < panes.size(); ++i)
        if (panes.at(i) == focus || panes.at(i)->isAncestorOf(focus))
            current = i;
    for (qsizetype step = 1; step <= panes.size(); ++step) {
        QWidget *pane = panes.at((current + step) % panes.size());
        if (!pane->isEnabled())
            continue;
        QWidget *target = pane;
        for (QWidget *child : pane->findChildren<QWidget *>())
            if (child->focusPolicy() & Qt::TabFocus && child->isEnabled() && child->isVisibleTo(pane)) {
                target = child;
                break;
            }
        target->setFocus(Qt::ShortcutFocusReason);
        return;
    }
}

LoadingPanel::LoadingPanel(QWidget *window) : QLabel(window)
{
    setAlignment(Qt::AlignCenter);
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setAutoFillBackground(true);
    setMinimumSize(260, 60);
    hide();
}

void LoadingPanel::showText(const QString &text)
{
    if (text.isEmpty()) {
        hide();
        return;
    }
    setText(text);
    adjustSize();
    const QWidget *window = parentWidget();
    move((window->width() - width()) / 2, (window->height() - height()) / 2);
    raise();
    show();
    repaint();
}

}  // namespace lumarc::gui
