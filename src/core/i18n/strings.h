#pragma once

// Localised texts in the current language. The tables are Qt Linguist files
// (resources/i18n/*.ts) compiled by lrelease with ids; the texts are named in texts.h,
// whose English is what a missing entry falls back to.

#include "i18n/texts.h"

#include <QList>
#include <QString>

class QSettings;

namespace lumarc::i18n {

constexpr int kEnglish = 2057;  // English (United Kingdom)
constexpr int kGerman = 1031;   // German (Germany)

// The languages offered, in the order the language dialog lists them.
QList<int> availableLanguages();

// "English (United Kingdom)", "German (Germany)", else "Invalid Language Index".
QString languageName(int languageId);

int currentLanguage();
// Switches to the language when it is available, else to English.
void setLanguage(int languageId);

// `text` in the current language, or its English when the table has none.
QString getString(Text text);

// The language choice kept in the per-user settings store, section "MultiLang".
struct LanguageChoice {
    int languageId = kEnglish;
    bool showDialog = true;
};
// Reads "LangId" (an unknown id gives English) and "ShowDialog" ("-1" yes, "0" no).
LanguageChoice readLanguageChoice(QSettings &store);
// Writes "LangId", "LangName" and "ShowDialog".
void writeLanguageChoice(QSettings &store, const LanguageChoice &choice);

}  // namespace lumarc::i18n
