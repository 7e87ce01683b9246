#include "i18n/strings.h"

#include <QSettings>
#include <QTranslator>

#include <atomic>
#include <memory>
#include <mutex>

// The string tables are a resource of this static library. Resources register themselves from
// static initialisers in an unspecified order, so a lookup that may run before main() (a static
// settings record and its localised default) registers them first. Q_INIT_RESOURCE declares
// the initialiser at the scope it is used in, so it is called from outside any namespace.
static void registerStringTables() { Q_INIT_RESOURCE(lumarc_i18n); }

namespace lumarc::i18n {
namespace {

// Translators are loaded once and only read afterwards; the language is an atomic int so
// that image workers may look up texts while the GUI thread switches language.
std::atomic_int g_language{kEnglish};

const QTranslator *translatorFor(int languageId)
{
    static std::once_flag once;
    static std::unique_ptr<QTranslator> english;
    static std::unique_ptr<QTranslator> german;
    std::call_once(once, [] {
        registerStringTables();
        english = std::make_unique<QTranslator>();
        if (!english->load(QStringLiteral(":/i18n/lumarc_en.qm")))
            english.reset();
        german = std::make_unique<QTranslator>();
        if (!german->load(QStringLiteral(":/i18n/lumarc_de.qm")))
            german.reset();
    });
    return languageId == kGerman ? german.get() : english.get();
}

}  // namespace

QList<int> availableLanguages() { return {kEnglish, kGerman}; }

QString languageName(int languageId)
{
    switch (languageId) {
    case kGerman:
        return QStringLiteral("German (Germany)");
    case kEnglish:
        return QStringLiteral("English (United Kingdom)");
    default:
        return QStringLiteral("Invalid Language Index");
    }
}

int currentLanguage() { return g_language.load(); }

void setLanguage(int languageId)
{
    g_language.store(availableLanguages().contains(languageId) ? languageId : kEnglish);
}

QString getString(Text text)
{
    const QTranslator *translator = translatorFor(currentLanguage());
    if (!translator)
        return text.english.toString();
    const QByteArray key = QByteArray::number(text.id);
    const QString translated = translator->translate(nullptr, key.constData());
    return translated.isEmpty() ? text.english.toString() : translated;
}

LanguageChoice readLanguageChoice(QSettings &store)
{
    store.beginGroup(QStringLiteral("MultiLang"));
    bool ok = false;
    const int id = store.value(QStringLiteral("LangId"), kEnglish).toString().toInt(&ok);
    const QString show = store.value(QStringLiteral("ShowDialog"), QStringLiteral("-1")).toString();
    store.endGroup();
    LanguageChoice choice;
    choice.languageId = ok && availableLanguages().contains(id) ? id : kEnglish;
    choice.showDialog = show.trimmed() != QLatin1String("0");
    return choice;
}

void writeLanguageChoice(QSettings &store, const LanguageChoice &choice)
{
    store.beginGroup(QStringLiteral("MultiLang"));
    store.setValue(QStringLiteral("LangId"), QString::number(choice.languageId));
    store.setValue(QStringLiteral("LangName"), languageName(choice.languageId));
    store.setValue(QStringLiteral("ShowDialog"), choice.showDialog ? QStringLiteral("-1") : QStringLiteral("0"));
    store.endGroup();
}

}  // namespace lumarc::i18n
