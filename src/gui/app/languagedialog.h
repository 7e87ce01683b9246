#pragma once

// The language dialog and the live language switch. Program start runs the dialog once
// (unless the user switched it off), the main window's and the settings dialog's language
// commands run it on demand. A switch reaches every open window at once: each window
// handles QEvent::LanguageChange in changeEvent() by calling its own retranslate().

#include "i18n/strings.h"

#include <QDialog>
#include <QLocale>
#include <QString>

class QCheckBox;
class QListWidget;
class QPushButton;
class QSettings;

namespace lumarc::gui {

// Sets the language and sends QEvent::LanguageChange to every top-level widget, which
// passes it on to all its children, so captions change without a restart. The event is
// sent, not posted, so every window shows the new language when this returns.
void switchLanguage(int languageId);

// The locale of a language id (English of the United Kingdom, German of Germany), and the
// language's name in itself as the locale data give it ("Deutsch").
QLocale languageLocale(int languageId);
QString nativeLanguageName(int languageId);

class LanguageDialog : public QDialog {
    Q_OBJECT

public:
    explicit LanguageDialog(QWidget *parent = nullptr);

    // Lists the languages, selects the current one and ticks the box as `showAtStart` says.
    void fill(bool showAtStart);
    // The show-at-start flag: as filled, and as ticked once the user confirms.
    bool showAtStart() const { return m_showAtStart; }
    // The language id of the selected entry, 0 when none is selected.
    int selectedLanguage() const;
    void selectLanguage(int languageId);

public Q_SLOTS:
    // OK or a double-click on an entry: with an entry selected, takes the flag from the
    // check box, switches to the entry's language and closes the dialog.
    void confirm();
    void retranslate();

protected:
    void changeEvent(QEvent *event) override;

private:
    QListWidget *m_languageList = nullptr;
    QCheckBox *m_showOnStartupBox = nullptr;
    QPushButton *m_okButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
    bool m_showAtStart = true;
};

// Runs the language selection against the store's "MultiLang" values: applies the stored
// language, shows the dialog (at start-up only when its show flag is set) and stores the
// language and the flag when it closes, confirmed or not. Returns the choice in force.
i18n::LanguageChoice runLanguageDialog(QSettings &store, QWidget *parent, bool atStartup);

}  // namespace lumarc::gui
