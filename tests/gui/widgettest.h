#pragma once

// Helpers shared by the widget tests: answering the modal dialogs and message boxes that
// the code under test opens, from the event loop those dialogs run.

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <functional>

namespace lumarc::test {

// Runs `act` on the visible modal dialog of type T once its event loop runs. Unless
// `mayBeSkipped`, the test fails when no such dialog is shown.
template <typename T>
void whenShown(std::function<void(T *)> act, bool mayBeSkipped = false)
{
    QTimer::singleShot(0, [act, mayBeSkipped] {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (auto *dialog = qobject_cast<T *>(window); dialog && dialog->isVisible())
                return act(dialog);
        }
        if (!mayBeSkipped)
            QFAIL("no dialog shown");
    });
}

// Answers every message box shown while it lives with `answer` (or the box's first button
// when it has none such), and keeps the boxes' texts and titles.
struct BoxAnswerer {
    explicit BoxAnswerer(QMessageBox::StandardButton answer = QMessageBox::NoButton)
    {
        QObject::connect(&timer, &QTimer::timeout, [this, answer] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                texts.append(box->text());
                titles.append(box->windowTitle());
                QAbstractButton *button = box->button(answer);
                (button ? button : box->buttons().value(0))->click();
            }
        });
        timer.start(20);
    }
    QStringList texts;
    QStringList titles;
    QTimer timer;
};

// The texts of the message boxes shown while `act` runs, each answered as BoxAnswerer does.
template <typename Act>
QStringList boxTextsOf(Act act, QMessageBox::StandardButton answer = QMessageBox::NoButton)
{
    BoxAnswerer boxes(answer);
    act();
    return boxes.texts;
}

} // namespace lumarc::test
