#include "i18n/strings.h"

#include <QMap>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include "testsupport.h"

using namespace lumarc::i18n;

namespace {

struct Entry {
    QString source, translation, type;  // type: "unfinished", "vanished", ... or empty when finished
};

QMap<int, Entry> readTable(const char *name)
{
    QMap<int, Entry> table;
    QFile file(QDir::cleanPath(QStringLiteral(LUMARC_TEST_DATA "/../../resources/i18n/") + QLatin1String(name)));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << "cannot open " << name;
    QXmlStreamReader xml(&file);
    int id = -1;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("message")) {
            bool ok = false;
            id = xml.attributes().value(QLatin1String("id")).toInt(&ok);
            EXPECT_TRUE(ok && !table.contains(id)) << name << ": bad or repeated id at line " << xml.lineNumber();
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

// Each test leaves the process in English, whatever it switched to.
class Strings : public ::testing::Test {
protected:
    void TearDown() override { setLanguage(kEnglish); }
};

constexpr QStringView kMissing = u"<missing>";

} // namespace

// Both tables hold the same ids and sources, every text finished, the compiled tables give
// each text back in its language, and the named texts match the tables.
TEST_F(Strings, TablesAgreeCompiledTablesReturnEveryTextAndNamedTextsMatchThem)
{
    const QMap<int, Entry> english = readTable("lumarc_en.ts");
    const QMap<int, Entry> german = readTable("lumarc_de.ts");
    EXPECT_EQ(german.keys(), english.keys());
    for (const auto &[id, en] : english.asKeyValueRange()) {
        const Entry de = german.value(id);
        EXPECT_FALSE(en.source.isEmpty()) << id;
        EXPECT_EQ(en.translation, en.source) << id;
        EXPECT_EQ(de.source, en.source) << id;
        EXPECT_FALSE(de.translation.isEmpty()) << id;
        EXPECT_TRUE(en.type.isEmpty() && de.type.isEmpty()) << id << " is unfinished";
        // Texts are joined with numbers, names and each other: blanks at the ends matter.
        EXPECT_EQ(de.translation.startsWith(u' '), en.source.startsWith(u' ')) << id;
        EXPECT_EQ(de.translation.endsWith(u' '), en.source.endsWith(u' ')) << id;
        // File dialog filters match on the patterns after "|".
        EXPECT_EQ(de.translation.section(u'|', 1), en.source.section(u'|', 1)) << id;
    }
    for (const auto &[language, table] : {std::pair{kEnglish, &english}, std::pair{kGerman, &german}}) {
        setLanguage(language);
        EXPECT_EQ(currentLanguage(), language);
        for (const auto &[id, entry] : table->asKeyValueRange())
            EXPECT_EQ(getString(Text{id, kMissing}), entry.translation) << language << " " << id;
        for (int id : {0, 2, -1})
            EXPECT_EQ(getString(Text{id, kMissing}), kMissing) << id;
    }
    // US English is not offered: the UK tables stand in.
    setLanguage(1033);
    EXPECT_EQ(currentLanguage(), kEnglish);

    // Every named text is in both tables, once, with the English the tables give it.
    const struct { const char *name; Text text; } named[] = {
#define LUMARC_NAMED_TEXT(name, id, english) {#name, lumarc::text::name},
        LUMARC_TEXTS(LUMARC_NAMED_TEXT)
#undef LUMARC_NAMED_TEXT
    };
    QMap<int, const char *> names;
    for (const auto &[name, text] : named) {
        EXPECT_TRUE(english.contains(text.id)) << name << " " << text.id << " is not in the tables (both hold the same ids)";
        EXPECT_EQ(text.english.toString(), english.value(text.id).source) << name << " " << text.id;
        EXPECT_FALSE(names.contains(text.id)) << name << " and " << names.value(text.id) << " share " << text.id;
        names.insert(text.id, name);
    }
}
