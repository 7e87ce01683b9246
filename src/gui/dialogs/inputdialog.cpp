#include "gui/dialogs/inputdialog.h"

#include "i18n/strings.h"
#include "model/urlcollection.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace lumarc::gui {

bool takeUrlAnswer(const QString &answer, QString &text, UrlCollection &urls)
{
    text = answer.trimmed();
    urls.add(text);  // refuses empty and known addresses
    return !text.isEmpty();
}

InputDialog::InputDialog(Kind kind, QWidget *parent) : QDialog(parent)
{
    m_promptLabel = new QLabel(this);
    m_promptLabel->hide();
    QWidget *field = nullptr;
    if (kind == Kind::Text) {
        m_lineEdit = new QLineEdit(this);
        field = m_lineEdit;
    } else {
        m_urlBox = new QComboBox(this);
        m_urlBox->setEditable(true);
        // The known addresses are the caller's to extend, and only after a confirmation.
        m_urlBox->setInsertPolicy(QComboBox::NoInsert);
        m_urlBox->setMinimumContentsLength(40);
        field = m_urlBox;
    }
    m_promptLabel->setBuddy(field);

    auto *buttons = new QDialogButtonBox(this);
    m_okButton = buttons->addButton(QString(), QDialogButtonBox::AcceptRole);
    m_okButton->setDefault(true);
    m_cancelButton = buttons->addButton(QString(), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_promptLabel);
    layout->addWidget(field);
    layout->addWidget(buttons);
    retranslate();
}

void InputDialog::setPrompt(const QString &prompt)
{
    m_promptLabel->setText(prompt);
    m_promptLabel->setVisible(!prompt.isEmpty());
}

void setUrlChoices(QComboBox *box, const QStringList &urls)
{
    const QString typed = box->currentText();
    box->clear();
    for (const QString &url : urls) {
        if (!url.isEmpty())
            box->addItem(url);
    }
    // Filling an editable drop-down shows its first entry; keep what was there.
    box->setCurrentIndex(-1);
    box->setEditText(typed);
}

void InputDialog::setChoices(const QStringList &choices)
{
    if (m_urlBox)
        setUrlChoices(m_urlBox, choices);
}

void InputDialog::setText(const QString &text)
{
    if (m_lineEdit)
        m_lineEdit->setText(text);
    else
        m_urlBox->setEditText(text);
}

QString InputDialog::text() const { return m_lineEdit ? m_lineEdit->text() : m_urlBox->currentText(); }

QString InputDialog::getText(QWidget *parent, const QString &caption, const QString &prompt, const QString &initial,
                             bool *ok)
{
    InputDialog dialog(Kind::Text, parent);
    dialog.setWindowTitle(caption);
    dialog.setPrompt(prompt);
    dialog.setText(initial);
    const bool confirmed = dialog.exec() == QDialog::Accepted;
    if (ok)
        *ok = confirmed;
    return confirmed ? dialog.text() : QString();
}

bool InputDialog::editUrl(QWidget *parent, QString &text, UrlCollection &urls)
{
    InputDialog dialog(Kind::Url, parent);
    dialog.setChoices(urls.urls());
    dialog.setText(text);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    return takeUrlAnswer(dialog.text(), text, urls);
}

void InputDialog::retranslate()
{
    // A plain box carries its caller's title and prompt; only the link box has its own.
    if (m_urlBox) {
        const QString linkText = i18n::getString(text::LinkToWebsite);
        setWindowTitle(linkText);
        m_urlBox->setToolTip(linkText);
    }
    m_okButton->setText(i18n::getString(text::OkButton));
    m_cancelButton->setText(i18n::getString(text::CancelButton));
}

void InputDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

}  // namespace lumarc::gui
