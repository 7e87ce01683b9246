#include "i18n/strings.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QSettings>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

using namespace lumarc::i18n;

// Readable failures; in this file's scope only, so other test files may print differently.
static void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

struct Entry {
    QString source;
    QString translation;
    QString type;  // "unfinished", "vanished", ... or empty when finished
};

// The tables live in resources/i18n next to tests/.
QString tablePath(const char *name)
{
    return QDir::cleanPath(QStringLiteral(LUMARC_TEST_DATA "/../../resources/i18n/") + QLatin1String(name));
}

QMap<int, Entry> readTable(const char *name)
{
    QMap<int, Entry> table;
    QFile file(tablePath(name));
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot open " << file.fileName().toStdString();
        return table;
    }
    QXmlStreamReader xml(&file);
    int id = -1;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("message")) {
            bool ok = false;
            id = xml.attributes().value(QLatin1String("id")).toInt(&ok);
            EXPECT_TRUE(ok) << name << ": message without a numeric id at line " << xml.lineNumber();
            EXPECT_FALSE(table.contains(id)) << name << ": id " << id << " twice";
            table[id];
        } else if (xml.name() == QLatin1String("source")) {
            table[id].source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            table[id].type = xml.attributes().value(QLatin1String("type")).toString();
            table[id].translation = xml.readElementText();
        }
    }
    EXPECT_FALSE(xml.hasError()) << name << ": " << xml.errorString().toStdString();
    return table;
}

// Ids 1 to 272 with the gaps the tables have always had.
QList<int> expectedIds()
{
    const QList<int> gaps = {2, 3, 32, 133, 195, 218, 240, 242, 243, 244, 245, 256};
    QList<int> ids;
    for (int id = 1; id <= 272; ++id) {
        if (!gaps.contains(id))
            ids.append(id);
    }
    return ids;
}

std::string show(const QString &text)
{
    return "[" + text.toStdString() + "]";
}

// Each test leaves the process in English, whatever it switched to.
class Strings : public ::testing::Test {
protected:
    void TearDown() override { setLanguage(kEnglish); }
};

const QString kMissing = QStringLiteral("<missing>");

} // namespace

TEST_F(Strings, TablesHoldEveryIdOnce)
{
    const QMap<int, Entry> english = readTable("lumarc_en.ts");
    const QMap<int, Entry> german = readTable("lumarc_de.ts");
    EXPECT_EQ(english.keys(), expectedIds());
    EXPECT_EQ(german.keys(), english.keys());
}

TEST_F(Strings, EnglishTranslationsEqualTheirSource)
{
    for (const auto &[id, entry] : readTable("lumarc_en.ts").asKeyValueRange()) {
        EXPECT_FALSE(entry.source.isEmpty()) << id;
        EXPECT_EQ(entry.translation, entry.source) << id;
        EXPECT_TRUE(entry.type.isEmpty()) << id << " is " << entry.type.toStdString();
    }
}

TEST_F(Strings, GermanIsCompleteAndKeepsTheShapeOfPiecedTexts)
{
    const QMap<int, Entry> english = readTable("lumarc_en.ts");
    for (const auto &[id, entry] : readTable("lumarc_de.ts").asKeyValueRange()) {
        EXPECT_FALSE(entry.translation.isEmpty()) << id;
        EXPECT_TRUE(entry.type.isEmpty()) << id << " is " << entry.type.toStdString();
        EXPECT_EQ(entry.source, english.value(id).source) << id;
        // Texts are joined with numbers, names and each other: blanks at the ends matter.
        const QString &en = entry.source;
        const QString &de = entry.translation;
        EXPECT_EQ(en.startsWith(u' '), de.startsWith(u' ')) << id << " " << show(de);
        EXPECT_EQ(en.endsWith(u' '), de.endsWith(u' ')) << id << " " << show(de);
        // File dialog filters: the patterns after "|" are what the dialog matches on.
        if (en.contains(u'|')) {
            EXPECT_EQ(de.section(u'|', 1), en.section(u'|', 1)) << id;
        }
    }
}

TEST_F(Strings, CompiledTablesReturnEveryTextUnchanged)
{
    const struct { int language; const char *file; } tables[] = {
        {kEnglish, "lumarc_en.ts"},
        {kGerman, "lumarc_de.ts"},
    };
    for (const auto &t : tables) {
        setLanguage(t.language);
        for (const auto &[id, entry] : readTable(t.file).asKeyValueRange())
            EXPECT_EQ(show(getString(id, kMissing)), show(entry.translation)) << t.file << " " << id;
    }
}

TEST_F(Strings, EnglishTextsThatAreEasyToGetWrong)
{
    struct Case { int id; const char *text; };
    const Case cases[] = {
        {4, " RGB"},
        {13, " R:"},
        {20, "Base URL/path for relativ links"},
        {22, "  About Lumarc"},
        {30, "This software based on  Lightbox JS and use  GflSDK   image library."},
        {33, "  Lumarc  v.1.0.5."},
        {44, "See Also: Settings\\Web title"},
        {59, "Open in a new browser window....:  _blank"},
        {79, "C:\\Documents and Settings"},
        {151, "\"000000\""},
        {161, "Remove  all"},
        {171, "ZEB settings files (*.zeb;*.zes)|*.zeb;*.zes"},
        {173, "ZEB settings files (*.zes;)|*.zes;"},
        {174, "Loading image: "},
        {175, " images selected"},
        {182, "ZEB text format (*.txt)|*.txt"},
        {206, "ZEB project (*.zeb)|*.zeb"},
        {209, "ZEB project file (*.zeb)|*.zeb"},
        {219, "  size"},
        {227, "x "},
        {229, "x  "},
        {234, "Image path:'"},
        {235, "' already exist!"},
        {236, "Image files (*.*)|*.*"},
        {239, "The destination folder "},
        {241, "is not empty!    Proceed anyway?"},
        {253, "%"},
        {1, "0"},
    };
    setLanguage(kEnglish);
    for (const Case &c : cases)
        EXPECT_EQ(show(getString(c.id, kMissing)), show(QString::fromUtf8(c.text))) << c.id;
}

TEST_F(Strings, LooksUpInTheCurrentLanguage)
{
    EXPECT_EQ(currentLanguage(), kEnglish);
    EXPECT_EQ(getString(102, kMissing), QStringLiteral("My Image Gallery"));
    setLanguage(kGerman);
    EXPECT_EQ(currentLanguage(), kGerman);
    EXPECT_EQ(getString(102, kMissing), QStringLiteral("Meine Bildergalerie"));
    EXPECT_EQ(getString(50, kMissing), QStringLiteral("Webgalerie erstellen"));
    EXPECT_EQ(getString(175, kMissing), QStringLiteral(" Bilder ausgewählt"));
    setLanguage(kEnglish);
    EXPECT_EQ(getString(50, kMissing), QStringLiteral("Make web gallery"));
}

TEST_F(Strings, UnknownIdGivesTheDefault)
{
    for (int language : {kEnglish, kGerman}) {
        setLanguage(language);
        for (int id : {0, 2, 133, 256, 273, -1, 100000})
            EXPECT_EQ(getString(id, QStringLiteral("fallback")), QStringLiteral("fallback")) << language << " " << id;
    }
}

TEST_F(Strings, UnavailableLanguageFallsBackToEnglish)
{
    EXPECT_EQ(availableLanguages(), (QList<int>{2057, 1031}));
    setLanguage(kGerman);
    setLanguage(1033);
    EXPECT_EQ(currentLanguage(), 2057);
    EXPECT_EQ(getString(102, kMissing), QStringLiteral("My Image Gallery"));
    setLanguage(kGerman);
    setLanguage(0);
    EXPECT_EQ(currentLanguage(), 2057);
}

TEST_F(Strings, NamesLanguages)
{
    EXPECT_EQ(languageName(1031), QStringLiteral("German (Germany)"));
    EXPECT_EQ(languageName(2057), QStringLiteral("English (United Kingdom)"));
    EXPECT_EQ(languageName(1033), QStringLiteral("Invalid Language Index"));
    EXPECT_EQ(languageName(0), QStringLiteral("Invalid Language Index"));
}

TEST_F(Strings, ReadsStoredLanguageChoice)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    struct Case { const char *langId; const char *showDialog; int language; bool show; };
    const Case cases[] = {
        {"1033", "-1", kEnglish, true},   // not offered: English
        {"1031", "0", kGerman, false},
        {"2057", "-1", kEnglish, true},
        {"xyz", "0", kEnglish, false},
        {nullptr, nullptr, kEnglish, true},  // nothing stored yet
        {"1031", nullptr, kGerman, true},
    };
    int n = 0;
    for (const Case &c : cases) {
        const QString path = dir.filePath(QStringLiteral("case%1.ini").arg(++n));
        {
            QSettings store(path, QSettings::IniFormat);
            if (c.langId)
                store.setValue(QStringLiteral("MultiLang/LangId"), QString::fromLatin1(c.langId));
            if (c.showDialog)
                store.setValue(QStringLiteral("MultiLang/ShowDialog"), QString::fromLatin1(c.showDialog));
        }
        QSettings store(path, QSettings::IniFormat);
        const LanguageChoice choice = readLanguageChoice(store);
        EXPECT_EQ(choice.languageId, c.language) << n;
        EXPECT_EQ(choice.showDialog, c.show) << n;
    }
}

TEST_F(Strings, StoresLanguageChoiceAsText)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("lang.ini"));
    {
        QSettings store(path, QSettings::IniFormat);
        writeLanguageChoice(store, LanguageChoice{kEnglish, true});
    }
    {
        QSettings store(path, QSettings::IniFormat);
        EXPECT_EQ(store.value(QStringLiteral("MultiLang/LangId")).toString(), QStringLiteral("2057"));
        EXPECT_EQ(store.value(QStringLiteral("MultiLang/LangName")).toString(),
                  QStringLiteral("English (United Kingdom)"));
        EXPECT_EQ(store.value(QStringLiteral("MultiLang/ShowDialog")).toString(), QStringLiteral("-1"));
        writeLanguageChoice(store, LanguageChoice{kGerman, false});
    }
    QSettings store(path, QSettings::IniFormat);
    EXPECT_EQ(store.value(QStringLiteral("MultiLang/LangId")).toString(), QStringLiteral("1031"));
    EXPECT_EQ(store.value(QStringLiteral("MultiLang/LangName")).toString(), QStringLiteral("German (Germany)"));
    EXPECT_EQ(store.value(QStringLiteral("MultiLang/ShowDialog")).toString(), QStringLiteral("0"));
    const LanguageChoice back = readLanguageChoice(store);
    EXPECT_EQ(back.languageId, kGerman);
    EXPECT_FALSE(back.showDialog);
}
