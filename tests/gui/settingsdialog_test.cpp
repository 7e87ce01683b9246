// The settings dialog: every control carries its field to the record and back, the rules for
// alignment, the parent link, the border colours and the cell minimum, the file buttons, and
// the main window's use of it (default.zem on closing).

#include "colour/colour.h"
#include "gui/app/mainwindow.h"
#include "gui/controls/colourbutton.h"
#include "gui/controls/numericbox.h"
#include "gui/dialogs/settingsdialog.h"
#include "i18n/strings.h"
#include "storage/projectfile.h"
#include "storage/settingsfile.h"

#include "core/settledcases.h"
#include "testsupport.h"
#include "widgettest.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <QUndoStack>

using namespace lumarc;
using namespace lumarc::gui;
using lumarc::test::BoxAnswerer;
using lumarc::test::boxTextsOf;

namespace {

// A record in which every field the dialog edits differs from its default, in the forms the
// dialog writes (colours upper case, the border colours lower case).
GallerySettings everyFieldChanged()
{
    GallerySettings s;
    s.setDefaults();
    s.columns = 7;
    s.rows = 33;
    s.keepAspectRatio = 0;
    s.addParentLink = 1;
    s.addImageLinks = 1;
    const std::pair<const char *, const char *> texts[] = {
        {"default_link_text", "more"}, {"page_background_color", "#102030"}, {"cell_width", "240"},
        {"cell_height", "190"}, {"cell_border_width", "3"}, {"cell_border_colors", "#010203 #0a0b0c #a0b0c0 #fedcba"},
        {"cell_background_color", "#405060"}, {"thumb_width", "200"}, {"thumb_height", "150"},
        {"thumb_border_color", "#708090"}, {"thumb_border_width", "2"}, {"title_font_name", "DejaVu Serif"},
        {"title_font_size", "12"}, {"title_align", "right"}, {"title_color", "#A0B0C0"}, {"photo_width", "1200"},
        {"photo_height", "800"}, {"jpeg_quality", "70"}, {"gallery_title", "Summer 2026"},
        {"gallery_title_font_name", "Georgia, DejaVu Serif, serif"},  // a CSS font list
        {"gallery_title_font_size", "30"}, {"gallery_title_color", "#D0E0F0"}, {"cell_spacing", "4"},
        {"cell_padding", "8"}, {"destination_folder", "/srv/www/summer"}, {"parent_page_title", "Home"},
        {"parent_page_url", "http://example.com/index.html"}, {"page_background_image", "/pics/page.jpg"},
        {"cell_background_image", "/pics/cell.gif"},
        // Fields without a control must come back untouched.
        {"page_font_family", "Georgia, serif"}, {"title_font_weight", "bold"},
        {"link_base", "http://example.com/gallery/"}, {"spare_number", "99"},
    };
    for (const auto &[name, value] : texts)
        textField(s, *findSettingsField(QLatin1String(name))) = QLatin1String(value);
    s.reserved39[3] = QStringLiteral("kept");
    s.reservedBlock[5] = 7;
    return s;
}

} // namespace

class SettingsDialogTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_tmp;
    QString at(const QString &name) const { return m_tmp.filePath(name); }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_tmp.isValid());
        qputenv("LUMARC_DATA_FOLDER", at("data").toUtf8());
        QDir().mkpath(at("data"));
        i18n::setLanguage(i18n::kEnglish);
    }

    void everyControlRoundTripsThroughTheRecord()
    {
        const GallerySettings expected = everyFieldChanged();
        SettingsDialog dialog;
        dialog.setValues(expected);
        QCOMPARE(dialog.getValues(), expected);

        // The controls show the record's values where a user sees them.
        QCOMPARE(dialog.numericBox("cell_width")->value(), 240.0);
        QCOMPARE(dialog.colourButton("title_color")->colour(), 0xC0B0A0);
        QCOMPARE(dialog.colourButton("cell_border_colors", 3)->colour(), 0xBADCFE);
        QCOMPARE(dialog.alignBox()->currentText(), QStringLiteral("right"));

        // What the user changes in the controls is what comes out.
        dialog.alignBox()->setCurrentText(QStringLiteral("left"));
        for (const char *name : {"keep_aspect_ratio", "add_parent_link", "add_image_links"})
            dialog.checkBox(name)->toggle();
        dialog.textBox("default_link_text")->setText("see");
        GallerySettings edited = expected;
        edited.titleAlign = QStringLiteral("left");
        edited.keepAspectRatio = 1;
        edited.addParentLink = edited.addImageLinks = 0;
        edited.defaultLinkText = QStringLiteral("see");
        QCOMPARE(dialog.getValues(), edited);   // a saved project keeps the record: the project file's tests
    }

    // The dialog hands back the settled record, which the window also computes without it.
    void oddRecordValuesComeBackSettled_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        for (const test::SettledCase &c : test::settledCases())
            QTest::newRow(c.rule) << QString::fromLatin1(c.field) << c.value;
    }

    void oddRecordValuesComeBackSettled()
    {
        QFETCH(QString, field);
        QFETCH(QString, value);
        GallerySettings settings;
        settings.setDefaults();
        test::putValue(settings, field.toLatin1().constData(), value);
        SettingsDialog dialog;
        dialog.setValues(settings);
        QCOMPARE(dialog.getValues(), settledSettings(settings));
        if (field == QLatin1String("parent_page_url"))
            QVERIFY(dialog.textBox(field)->text().isEmpty());

        // A colour picked in the dialog replaces any text, also one the buttons could not show.
        if (field.endsWith(QLatin1String("color")) || field.endsWith(QLatin1String("colors"))) {
            dialog.pickers().colour = [](const QString &, qint32 &colour, const QPoint &) {
                colour = 0;
                return true;
            };
            dialog.colourButton(field)->click();
            QVERIFY(textField(dialog.getValues(), *findSettingsField(field)).startsWith(QLatin1String("#000000")));
        }
    }

    void theCellIsNeverSmallerThanItsThumbnail()
    {
        GallerySettings settings;
        settings.setDefaults();  // thumbnail 160 x 120 in a cell of 160 x 120
        SettingsDialog dialog;
        dialog.setValues(settings);
        NumericBox *thumbWidth = dialog.numericBox("thumb_width");
        NumericBox *cellWidth = dialog.numericBox("cell_width");
        NumericBox *cellHeight = dialog.numericBox("cell_height");
        QCOMPARE(cellWidth->minimum(), 160.0);

        QVERIFY(thumbWidth->letValue("300"));
        QCOMPARE(cellWidth->value(), 300.0);
        QCOMPARE(cellWidth->minimum(), 300.0);
        QVERIFY(!cellWidth->letValue("250"));
        QCOMPARE(cellWidth->value(), 300.0);
        QVERIFY(cellWidth->letValue("400"));
        QVERIFY(thumbWidth->letValue("100"));  // a smaller thumbnail leaves the cell alone
        QCOMPARE(cellWidth->value(), 400.0);
        QCOMPARE(cellWidth->minimum(), 100.0);

        // A record that keeps a cell smaller than its thumbnail is shown as it is: only the
        // minimum follows, until a thumbnail size or the padding is edited.
        settings.thumbHeight = QStringLiteral("200");
        settings.cellHeight = QStringLiteral("150");
        dialog.setValues(settings);
        QCOMPARE(cellHeight->value(), 150.0);
        QCOMPARE(cellHeight->minimum(), 200.0);
        QVERIFY(dialog.numericBox("cell_padding")->letValue("12"));
        QCOMPARE(cellHeight->value(), 200.0);
        QCOMPARE(dialog.getValues().cellHeight, QStringLiteral("200"));
    }

    void settingsFilesAreLoadedAndSavedAndDefaultsRestoredFromTheButtons()
    {
        SettingsDialog dialog;
        dialog.setDataFolder(at("data"));
        QString chosen;
        dialog.pickers().openFile = [&chosen](QWidget *, const QString &, const QString &, const QString &) { return chosen; };
        dialog.pickers().saveFile = [&chosen](QWidget *, const QString &, const QString &, const QString &) { return chosen; };

        // A project's settings come in; its images are no business of the dialog.
        Project project;
        project.settings = everyFieldChanged();
        project.images.append(newImageRecord(project, QStringLiteral("/pics/a.jpg")));
        QVERIFY(!saveProject(project, at("three.zeb")));
        chosen = at("three.zeb");
        dialog.loadSettings();
        QCOMPARE(dialog.getValues(), everyFieldChanged());

        // The defaults are shown at once; the link base stays.
        dialog.restoreDefaults();
        GallerySettings before = everyFieldChanged();
        before.setDefaults();
        QCOMPARE(dialog.getValues(), before);
        QCOMPARE(dialog.colourButton("page_background_color")->colour(), colour::hexToColor("#7F7F7F"));

        // The older project layout is no settings file: reported by name, nothing changes.
        QVERIFY(test::writeAll(at("old.zeb"), test::kZeb100 + QByteArray(200, '\0')));
        chosen = at("old.zeb");
        {
            BoxAnswerer boxes;
            dialog.loadSettings();
            QCOMPARE(boxes.texts, QStringList({at("old.zeb") + "\n\nInvalid file!\nThe file is not in the expected format, or it is damaged."}));
            QCOMPARE(boxes.titles, QStringList({at("old.zeb")}));
        }
        QCOMPARE(dialog.getValues(), before);

        // Values that would break the style sheet are refused by name; the defaults stay.
        GallerySettings hostile = before;
        hostile.titleColor = QStringLiteral("red;}body{x:y");
        hostile.titleFontName = QStringLiteral("x;}*{y:z");
        QVERIFY(!writeSettingsFile(hostile, at("hostile.zes")));
        chosen = at("hostile.zes");
        const QStringList refused = boxTextsOf([&] { dialog.loadSettings(); });
        QCOMPARE(refused.size(), 1);
        QVERIFY2(refused.first().contains("title_font_name needs font names") && refused.first().contains(
                     "title_color needs a colour such as #FF0000, #F00 or red, not 'red;}body{x:y'"),
                 qPrintable(refused.first()));
        QCOMPARE(dialog.getValues(), before);

        // Saving writes the signature and what the controls show, adding the extension.
        QVERIFY(dialog.numericBox("columns")->letValue("9"));
        chosen = at("data/mine");
        dialog.saveSettingsAs();
        QCOMPARE(test::readAll(at("data/mine.zes")).left(10), test::kZeb104);
        const Result<GallerySettings> saved = readSettingsFile(at("data/mine.zes"));
        QVERIFY(saved.ok());
        QCOMPARE(saved.value().columns, 9);

        chosen.clear();  // cancelled dialogs change nothing
        dialog.loadSettings();
        QCOMPARE(dialog.getValues().columns, 9);
    }

    void fontAndColourButtonsChangeTheControlsAndThePreviews()
    {
        SettingsDialog dialog;
        GallerySettings settings;
        settings.setDefaults();
        dialog.setValues(settings);

        std::optional<QFont> answer;
        dialog.pickers().font = [&answer](const QFont &, QWidget *) { return answer; };
        const auto titleFont = [&] { return QStringList{dialog.getValues().titleFontName, dialog.getValues().titleFontSize}; };
        QCOMPARE(boxTextsOf([&] { dialog.chooseThumbnailTitleFont(); }), QStringList({"No font selected!"}));
        QCOMPARE(titleFont(), QStringList({"Verdana", settings.titleFontSize}));
        answer = QFont(QStringLiteral("DejaVu Serif"), 14);
        dialog.chooseThumbnailTitleFont();
        QCOMPARE(titleFont(), QStringList({"DejaVu Serif", "14"}));
        QCOMPARE(dialog.thumbnailTitlePreview()->text(), QStringLiteral("DejaVu Serif"));
        answer = QFont(QStringLiteral("Evil;}*{x"), 9);  // a name that would end the style rule
        QCOMPARE(boxTextsOf([&] { dialog.chooseThumbnailTitleFont(); }),
                 QStringList({"title_font_name needs font names of letters, digits, blanks, hyphens, "
                              "commas and paired quotes, not 'Evil;}*{x'"}));
        QCOMPARE(titleFont(), QStringList({"DejaVu Serif", "14"}));
        answer = QFont(QStringLiteral("DejaVu Sans"), 80);  // beyond the box: its maximum
        dialog.choosePageTitleFont();
        QCOMPARE(dialog.getValues().galleryTitleFontSize, QStringLiteral("56"));

        QString caption;
        bool confirm = false;
        dialog.pickers().colour = [&](const QString &title, qint32 &colour, const QPoint &) {
            caption = title;
            if (confirm)
                colour = 0x0000FF;  // red
            return confirm;
        };
        ColourButton *pageColour = dialog.colourButton("page_background_color");
        pageColour->click();
        QCOMPARE(caption, QStringLiteral("Web page background color"));
        QCOMPARE(dialog.getValues().pageBackgroundColor, QStringLiteral("#7F7F7F"));
        confirm = true;
        pageColour->click();
        QCOMPARE(dialog.getValues().pageBackgroundColor, QStringLiteral("#FF0000"));
        QVERIFY(dialog.pageTitlePreview()->styleSheet().contains("#FF0000"));
        dialog.colourButton("cell_border_colors", 1)->click();
        QCOMPARE(caption, QStringLiteral("Cell right border color"));
        QCOMPARE(dialog.getValues().cellBorderColors, QStringLiteral("#aaaaaa #ff0000 #666666 #aaaaaa"));

        dialog.setSourceFolder(at("pics"));
        QString startedIn;
        dialog.pickers().openFile = [&](QWidget *, const QString &, const QString &start, const QString &) {
            startedIn = start;
            return at("pics/bg.jpg");
        };
        dialog.chooseCellBackgroundImage();
        QCOMPARE(startedIn, at("pics"));
        QCOMPARE(dialog.getValues().cellBackgroundImage, at("pics/bg.jpg"));
        QCOMPARE(dialog.getValues().pageBackgroundImage, QString());
    }

    void theWindowKeepsTheDialogAndWritesDefaultsWhenItCloses()
    {
        QDir(at("data")).removeRecursively();
        QDir().mkpath(at("data"));
        MainWindow window(std::make_unique<QSettings>(at("store.ini"), QSettings::IniFormat));
        QAction *settings = window.actions().settings;
        QTimer::singleShot(0, [&window] {
            SettingsDialog &dialog = window.settingsDialog();
            QVERIFY(dialog.isVisible());
            // Typed and never confirmed: closing still takes it.
            QLineEdit *columns = dialog.numericBox("columns")->findChild<QLineEdit *>();
            columns->selectAll();
            QTest::keyClicks(columns, "6");
            dialog.textBox("gallery_title")->setText("Edited");
            dialog.close();
        });
        settings->trigger();
        QCOMPARE(window.document().settings().columns, 6);
        QCOMPARE(window.document().settings().galleryTitle, QStringLiteral("Edited"));
        const Result<GallerySettings> written = readSettingsFile(at("data/default.zem"));
        QVERIFY(written.ok());
        QCOMPARE(written.value().galleryTitle, QStringLiteral("Edited"));
        // One closing, one step: undone, both changes go and the kept dialog shows it.
        QCOMPARE(window.document().history().count(), 1);
        window.actions().undo->trigger();
        QVERIFY(window.document().settings().columns != 6);
        QCOMPARE(window.settingsDialog().getValues().galleryTitle, window.document().settings().galleryTitle);

        // A project load shows its settings in the kept dialog.
        Project project;
        project.settings = everyFieldChanged();
        QVERIFY(!saveProject(project, at("summer.zeb")));
        QVERIFY(window.loadProject(at("summer.zeb"), false));
        QCOMPARE(window.settingsDialog().getValues(), everyFieldChanged());

        // A project opens in the form the dialog keeps, so that it is not changed by merely
        // being shown (the unsaved-changes question would follow).
        project.settings.titleAlign = QStringLiteral("justify");
        project.settings.parentPageUrl = QStringLiteral("http://");
        QVERIFY(!saveProject(project, at("odd.zeb")));
        QVERIFY(window.loadProject(at("odd.zeb"), false));
        QVERIFY(!window.document().isModified());
        QCOMPARE(window.document().settings().titleAlign, QStringLiteral("center"));
        QCOMPARE(window.document().settings().parentPageUrl, QString());
        QVERIFY(window.loadProject(at("summer.zeb"), false));
        QTimer::singleShot(0, [&window] {
            QCOMPARE(window.settingsDialog().windowTitle(), QStringLiteral("Lumarc  v.1.1.0.  ( summer.zeb )"));
            window.settingsDialog().close();
        });
        settings->trigger();
    }
};

QTEST_MAIN(SettingsDialogTest)
#include "settingsdialog_test.moc"
