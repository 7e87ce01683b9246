#pragma once

// The small modal boxes that ask for one line of text: the plain prompt box of the bulk
// title and tooltip commands, and the link box with a drop-down of the addresses the
// program already knows, used by the main window and the link verifier. Each is created
// for one question and discarded afterwards.

#include <QDialog>
#include <QString>
#include <QStringList>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace lumarc {
class UrlCollection;
}

namespace lumarc::gui {

// What a confirmed link answer does: the caller's text becomes the answer without blanks
// around it, a new non-empty address joins the known ones once, and the result says
// whether there is an address at all.
bool takeUrlAnswer(const QString &answer, QString &text, UrlCollection &urls);

// Fills an editable drop-down with the known addresses (empty ones left out), keeping the
// text typed into it: the link box here and the item editor's link field.
void setUrlChoices(QComboBox *box, const QStringList &urls);

class InputDialog : public QDialog {
    Q_OBJECT

public:
    enum class Kind {
        Text,  // prompt above a one-line field
        Url,   // editable drop-down of known addresses
    };

    explicit InputDialog(Kind kind, QWidget *parent = nullptr);

    // An empty prompt hides the prompt line.
    void setPrompt(const QString &prompt);
    // Entries of the drop-down; only a link box has one.
    void setChoices(const QStringList &choices);
    void setText(const QString &text);
    QString text() const;

    // The plain box with `caption` as window title. Cancelling gives an empty text and
    // *ok false; the answer is returned as typed, blanks included.
    static QString getText(QWidget *parent, const QString &caption, const QString &prompt,
                           const QString &initial = QString(), bool *ok = nullptr);

    // The link box, starting with `text`. Only a confirmation changes `text` and `urls`
    // (see takeUrlAnswer()); returns true when a non-empty address was confirmed.
    static bool editUrl(QWidget *parent, QString &text, UrlCollection &urls);

public Q_SLOTS:
    void retranslate();

protected:
    void changeEvent(QEvent *event) override;

private:
    QLabel *m_promptLabel = nullptr;
    QLineEdit *m_lineEdit = nullptr;  // Kind::Text
    QComboBox *m_urlBox = nullptr;    // Kind::Url
    QPushButton *m_okButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
};

}  // namespace lumarc::gui
