#include "gui/app/languagedialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

namespace lumarc::gui {

void switchLanguage(int languageId)
{
    i18n::setLanguage(languageId);
    // Sent rather than posted (which installing a translator would do), so that callers and
    // tests see the new captions at once. A window may close another while it retranslates.
    QList<QPointer<QWidget>> windows;
    for (QWidget *window : QApplication::topLevelWidgets())
        windows.append(window);
    QEvent change(QEvent::LanguageChange);
    for (const QPointer<QWidget> &window : windows) {
        if (window && window->windowType() != Qt::Desktop)
            QCoreApplication::sendEvent(window, &change);
    }
}

QLocale languageLocale(int languageId)
{
    if (languageId == i18n::kGerman)
        return QLocale(QLocale::German, QLocale::Germany);
    return QLocale(QLocale::English, QLocale::UnitedKingdom);
}

QString nativeLanguageName(int languageId) { return languageLocale(languageId).nativeLanguageName(); }

LanguageDialog::LanguageDialog(QWidget *parent) : QDialog(parent)
{
    m_languageList = new QListWidget(this);
    m_languageList->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(m_languageList, &QListWidget::itemDoubleClicked, this, &LanguageDialog::confirm);
    m_showOnStartupBox = new QCheckBox(this);

    auto *buttons = new QDialogButtonBox(this);
    m_okButton = buttons->addButton(QString(), QDialogButtonBox::AcceptRole);
    m_okButton->setDefault(true);
    m_cancelButton = buttons->addButton(QString(), QDialogButtonBox::RejectRole);
    // OK goes through confirm(): without a selected entry it does nothing.
    connect(m_okButton, &QPushButton::clicked, this, &LanguageDialog::confirm);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_languageList);
    layout->addWidget(m_showOnStartupBox);
    layout->addWidget(buttons);
    retranslate();
}

void LanguageDialog::fill(bool showAtStart)
{
    m_languageList->clear();
    for (int id : i18n::availableLanguages()) {
        auto *item = new QListWidgetItem(nativeLanguageName(id), m_languageList);
        item->setData(Qt::UserRole, id);
        item->setToolTip(i18n::languageName(id));
    }
    selectLanguage(i18n::currentLanguage());
    m_showAtStart = showAtStart;
    m_showOnStartupBox->setChecked(showAtStart);
}

int LanguageDialog::selectedLanguage() const
{
    const QList<QListWidgetItem *> selected = m_languageList->selectedItems();
    return selected.isEmpty() ? 0 : selected.first()->data(Qt::UserRole).toInt();
}

void LanguageDialog::selectLanguage(int languageId)
{
    m_languageList->clearSelection();
    for (int row = 0; row < m_languageList->count(); ++row) {
        QListWidgetItem *item = m_languageList->item(row);
        if (item->data(Qt::UserRole).toInt() == languageId) {
            m_languageList->setCurrentItem(item);
            item->setSelected(true);
        }
    }
}

void LanguageDialog::confirm()
{
    const int languageId = selectedLanguage();
    if (languageId == 0)
        return;
    m_showAtStart = m_showOnStartupBox->isChecked();
    switchLanguage(languageId);
    accept();
}

void LanguageDialog::retranslate()
{
    setWindowTitle(i18n::getString(text::SelectLanguageTitle));
    m_showOnStartupBox->setText(i18n::getString(text::ShowLanguageDialogCheck));
    m_okButton->setText(i18n::getString(text::OkButton));
    m_cancelButton->setText(i18n::getString(text::CancelButton));
}

void LanguageDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

i18n::LanguageChoice runLanguageDialog(QSettings &store, QWidget *parent, bool atStartup)
{
    const i18n::LanguageChoice stored = i18n::readLanguageChoice(store);
    // Windows opened before this call show the stored language too (they already do when
    // it is the language in force, and every window would be retranslated for nothing).
    if (stored.languageId != i18n::currentLanguage())
        switchLanguage(stored.languageId);
    if (atStartup && !stored.showDialog)
        return stored;

    LanguageDialog dialog(parent);
    dialog.fill(stored.showDialog);
    dialog.exec();
    // Stored however the dialog closed: a cancelled dialog stores the language in force.
    const i18n::LanguageChoice result{i18n::currentLanguage(), dialog.showAtStart()};
    i18n::writeLanguageChoice(store, result);
    return result;
}

}  // namespace lumarc::gui
