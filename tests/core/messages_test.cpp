#include "i18n/messages.h"

#include "i18n/strings.h"
#include "imaging/imageengine.h"
#include "storage/projectfile.h"
#include "storage/settingsfile.h"
#include "support/fileops.h"

#include <QMap>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include "testsupport.h"

#include <cerrno>

using namespace lumarc;
using namespace lumarc::test;
using namespace lumarc::i18n;

namespace {

// Each test leaves the process in English, whatever it switched to.
class Messages : public ::testing::Test {
protected:
    void TearDown() override { setLanguage(kEnglish); }
};
using Strings = Messages;

// type: "unfinished", "vanished", ... or empty when finished
struct Entry { QString source, translation, type; };

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

constexpr QStringView kMissing = u"<missing>";

}  // namespace

// Each kind of error in English and in German: the file on top, the sentence, then the
// reason. Texts the program always had ("Invalid ZEB file!", "Error number:", the
// "proc:NewImage/err2: " prefix) stay word for word; the core's English notes are not shown
// to German users, the system's and the image library's words are.
TEST_F(Messages, EveryErrorReadsInTheUsersLanguage)
{
    const QString sys = fileops::errorText(ENOENT);
    const struct { Error error; QString english, german; } cases[] = {
        {{ErrorCode::NotFound, "/p/a.zeb", "no such file"},
         "/p/a.zeb\n\nThis file or folder does not exist.\nno such file",
         "/p/a.zeb\n\nDiese Datei oder dieser Ordner existiert nicht."},
        {{ErrorCode::ReadFailed, "/p/a.zeb", "is a folder, not a file"},
         "/p/a.zeb\n\nThis file could not be read.\nis a folder, not a file",
         "/p/a.zeb\n\nDiese Datei konnte nicht gelesen werden."},
        {{ErrorCode::WriteFailed, "/p/web", sys, ENOENT},
         "/p/web\n\nThis file or folder could not be written, created or removed.\nError number:2\r\nError description:" + sys,
         "/p/web\n\nDiese Datei oder dieser Ordner konnte nicht geschrieben, angelegt oder entfernt werden.\n"
         "Fehlernummer:2\r\nFehlerbeschreibung:" + sys},
        {{ErrorCode::BadFormat, "/p/a.zeb", "Invalid ZEB file!"},
         "/p/a.zeb\n\nInvalid ZEB file!\nThe file is not in the expected format, or it is damaged.",
         "/p/a.zeb\n\nUngültige ZEB-Datei!\nDie Datei hat nicht das erwartete Format oder ist beschädigt."},
        {{ErrorCode::BadFormat, "/p/s.zes", "Invalid file!"},
         "/p/s.zes\n\nInvalid file!\nThe file is not in the expected format, or it is damaged.",
         "/p/s.zes\n\nUngültige Datei!\nDie Datei hat nicht das erwartete Format oder ist beschädigt."},
        {{ErrorCode::BadFormat, "/p/l.txt", "line 3 is longer than 9 bytes; nothing imported"},
         "/p/l.txt\n\nInvalid file!\nThe file is not in the expected format, or it is damaged.\n"
         "line 3 is longer than 9 bytes; nothing imported",
         "/p/l.txt\n\nUngültige Datei!\nDie Datei hat nicht das erwartete Format oder ist beschädigt."},
        {{ErrorCode::Decode, "/p/a.txt", "not an image of a supported kind (JPEG)"},
         "/p/a.txt\n\nThis is not an image of a kind the program can read.",
         "/p/a.txt\n\nDies ist kein Bild in einem Format, das das Programm lesen kann."},
        {{ErrorCode::Decode, "/p/a.jpg", "VipsJpeg: Premature end of JPEG file"},
         "/p/a.jpg\n\nThis image could not be read.\nVipsJpeg: Premature end of JPEG file",
         "/p/a.jpg\n\nDieses Bild konnte nicht gelesen werden.\nVipsJpeg: Premature end of JPEG file"},
        {{ErrorCode::Encode, "/w/photos/a.jpg", "proc:NewImage/err2: out of memory"},
         "/w/photos/a.jpg\n\nThis image could not be made.\nproc:NewImage/err2: out of memory",
         "/w/photos/a.jpg\n\nDieses Bild konnte nicht erstellt werden.\nproc:NewImage/err2: out of memory"},
        {{ErrorCode::Network, "http://x.invalid/", "Host x.invalid not found"},
         "http://x.invalid/\n\nThis address could not be reached.\nHost x.invalid not found",
         "http://x.invalid/\n\nDiese Adresse konnte nicht erreicht werden.\nHost x.invalid not found"},
        {{ErrorCode::Invalid, "", "the project has no images"},
         "This value cannot be used.\nthe project has no images",
         "Dieser Wert kann nicht verwendet werden."},
        {{ErrorCode::Refused, "/p/a.zeb", "is held by another program"},
         "/p/a.zeb\n\nNothing was changed: the file or folder is in use, or it may not be changed.\n"
         "is held by another program",
         "/p/a.zeb\n\nEs wurde nichts geändert: Die Datei oder der Ordner wird gerade verwendet oder darf nicht "
         "geändert werden."},
    };
    for (const auto &c : cases) {
        i18n::setLanguage(i18n::kEnglish);
        EXPECT_EQ(messages::userText(c.error).toStdString(), c.english.toStdString());
        i18n::setLanguage(i18n::kGerman);
        EXPECT_EQ(messages::userText(c.error).toStdString(), c.german.toStdString());
    }
}

// The core's own bad files and non-images are told apart by what it reports, so the
// window must see them as the core writes them.
TEST_F(Messages, TheCoresBadFilesGetTheirOwnFirstLine)
{
    QTemporaryDir tmp;
    const QString path = tmp.filePath("junk.zeb");
    ASSERT_TRUE(writeAll(path, "not a gallery file at all"));
    const Result<Project> project = loadProject(path);
    const Result<GallerySettings> settings = readSettingsFile(path);
    const Result<QSize> image = imaging::readSize(path);
    ASSERT_FALSE(project.ok() || settings.ok() || image.ok());
    const auto sentence = [](const Error &error) { return messages::userText(error).section('\n', 2, 2); };
    EXPECT_EQ(sentence(project.error()), "Invalid ZEB file!");
    EXPECT_EQ(sentence(settings.error()), "Invalid file!");
    EXPECT_EQ(sentence(image.error()), "This is not an image of a kind the program can read.");
}

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
