// The colour button, the web palette and the RGB colour dialog, answered as a user would.

#include "gui/app/languagedialog.h"
#include "gui/controls/colourbutton.h"
#include "gui/dialogs/hexacolordialog.h"
#include "gui/dialogs/webcolorsdialog.h"
#include "i18n/strings.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>

#include "widgettest.h"

using namespace lumarc;
using namespace lumarc::gui;
using lumarc::test::whenShown;

namespace {

QColor background(const QLabel *label) { return label->palette().color(QPalette::Window); }
QColor textColour(const QLabel *label) { return label->palette().color(QPalette::WindowText); }

// How a shown dialog is left: its OK button, its Cancel button or its close box.
enum class Answer { Ok, Cancel, CloseBox };
constexpr Answer kAnswers[] = {Answer::Ok, Answer::Cancel, Answer::CloseBox};

template <typename Dialog>
void leave(Dialog *dialog, Answer answer)
{
    if (answer == Answer::CloseBox)
        dialog->close();
    else
        (answer == Answer::Ok ? dialog->okButton() : dialog->cancelButton())->click();
}

} // namespace

class ColourDialogsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { switchLanguage(i18n::kEnglish); }

    void paletteFieldsRunBlueFastestRedSlowestWithReadableText()
    {
        WebColorsDialog palette;
        const char *digits[] = {"00", "33", "66", "99", "CC", "FF"};
        const QStringList table = webColorTable();
        QCOMPARE(table.size(), 216);
        for (int k = 1; k <= 216; ++k) {
            const int i = k - 1;
            const QString entry = QLatin1String(digits[i / 36]) + QLatin1String(digits[i / 6 % 6]) + QLatin1String(digits[i % 6]);
            QCOMPARE(table.at(i), entry);
            const QLabel *field = palette.field(k);
            QCOMPARE((QStringList{field->toolTip(), field->text(), background(field).name()}),
                     (QStringList{entry, entry, u'#' + entry.toLower()}));
        }
        QVERIFY(!palette.field(0) && !palette.field(217));
        // Rows 1 to 3 of each green group are white on dark, rows 4 to 6 black; the next red step starts white again.
        const std::pair<int, QRgb> inks[] = {{1, 0xFFFFFF}, {6, 0xFFFFFF}, {13, 0xFFFFFF}, {19, 0x000000},
                                             {36, 0x000000}, {37, 0xFFFFFF}, {211, 0x000000}, {216, 0x000000}};
        for (const auto &[k, ink] : inks)
            QCOMPARE(textColour(palette.field(k)).rgb() & 0xFFFFFF, ink);
    }

    void paletteAnswersOnlyWhenConfirmed()
    {
        WebColorsDialog palette;
        for (const Answer answer : kAnswers) {   // OK first: later showings start afresh
            qint32 colour = 0x123456;
            QStringList seen;   // the sample's text, background and ink, and the caption
            whenShown<WebColorsDialog>([&](WebColorsDialog *dialog) {
                QTest::mouseClick(dialog->field(26), Qt::LeftButton);   // "00CC33"
                const QLabel *sample = dialog->sample();
                seen = {sample->text(), background(sample).name(), textColour(sample).name(), dialog->windowTitle()};
                leave(dialog, answer);
            });
            QCOMPARE(palette.chooseColor(QStringLiteral("Pick one"), colour), answer == Answer::Ok);
            QCOMPARE(seen, (QStringList{"00CC33", "#00cc33", "#000000", "Pick one"}));
            QCOMPARE(colour, answer == Answer::Ok ? 0x00 + 256 * 0xCC + 65536 * 0x33 : 0x123456);
        }
    }

    void colourNumberSplitsIntoSlidersAndHexLabelsWithoutLeadingZeros()
    {
        HexaColorDialog dialog;
        QCOMPARE(background(dialog.sample()), QColor(Qt::black));
        const struct {
            qint32 colour; int red, green, blue; const char *labels[3];
        } cases[] = {
            {255, 255, 0, 0, {" R: #FF", " G: #0", " B: #0"}},
            {8388608, 0, 0, 128, {" R: #0", " G: #0", " B: #80"}},
            {0x0A0B0C, 12, 11, 10, {" R: #C", " G: #B", " B: #A"}},   // blue 0A, green 0B, red 0C
            {0xFFFFFF, 255, 255, 255, {" R: #FF", " G: #FF", " B: #FF"}},
        };
        for (const auto &c : cases) {
            dialog.setColour(c.colour);
            const int parts[] = {c.red, c.green, c.blue};
            for (int i = 0; i < 3; ++i) {
                QCOMPARE(dialog.slider(i)->value(), parts[i]);
                QCOMPARE(dialog.componentLabel(i)->text(), QLatin1String(c.labels[i]));
            }
            QCOMPARE(dialog.colour(), c.colour);
            QCOMPARE(background(dialog.sample()), QColor(c.red, c.green, c.blue));
        }
        // A moved slider relabels its component and changes the colour.
        for (const auto &[value, label] : {std::pair{171, " R: #AB"}, {5, " R: #5"}, {0, " R: #0"}}) {
            dialog.slider(0)->setValue(value);
            QCOMPARE(dialog.componentLabel(0)->text(), QLatin1String(label));
            QCOMPARE(dialog.colour(), 0xFFFF00 + value);
        }

        dialog.show();
        QTest::mouseClick(dialog.whiteSwatch(), Qt::LeftButton);
        QCOMPARE(dialog.colour(), 0xFFFFFF);
        QTest::mouseClick(dialog.blackSwatch(), Qt::LeftButton);
        QCOMPARE(dialog.colour(), 0);
    }

    void onlyOkReturnsTheSliderColourAndThePickersChangeItOnlyWhenConfirmed()
    {
        HexaColorDialog dialog;
        for (const Answer answer : kAnswers) {
            qint32 colour = 0x0000FF;
            std::pair<QString, qint32> seen;   // caption and starting colour: the caller's
            whenShown<HexaColorDialog>([&](HexaColorDialog *shown) {
                seen = {shown->windowTitle(), shown->colour()};
                shown->slider(1)->setValue(0x80);
                leave(shown, answer);
            });
            QCOMPARE(dialog.doModal(QStringLiteral("Border colour"), colour, QPoint(10, 10)), answer == Answer::Ok);
            QCOMPARE(seen, (std::pair<QString, qint32>{"Border colour", 0x0000FF}));
            QCOMPARE(colour, answer == Answer::Ok ? 0x0080FF : 0x0000FF);
        }

        // The system picker and the palette change the colour only when confirmed.
        dialog.setWindowTitle(QStringLiteral("Page background"));
        QColor offered;
        QColor answer;
        dialog.systemColourPicker = [&](const QColor &initial, QWidget *) {
            offered = initial;
            return answer;
        };
        dialog.setColour(0x336699);
        dialog.systemColourButton()->click();   // answer invalid: cancelled
        QCOMPARE(offered, QColor(0x99, 0x66, 0x33));
        QCOMPARE(dialog.colour(), 0x336699);
        answer = QColor(0x12, 0x34, 0x56);
        dialog.systemColourButton()->click();
        QCOMPARE(dialog.colour(), 0x12 + 256 * 0x34 + 65536 * 0x56);

        QCOMPARE(dialog.webPalette(), dialog.webPalette());   // one palette, kept
        for (const bool confirm : {false, true}) {
            dialog.setColour(0x010203);
            QString caption;
            whenShown<WebColorsDialog>([&caption, confirm](WebColorsDialog *palette) {
                caption = palette->windowTitle();
                QTest::mouseClick(palette->field(216), Qt::LeftButton);
                leave(palette, confirm ? Answer::Ok : Answer::Cancel);
            });
            dialog.webColourButton()->click();
            QCOMPARE(caption, QStringLiteral("Page background"));
            QCOMPARE(dialog.colour(), confirm ? 0xFFFFFF : 0x010203);
        }
    }

    void bothDialogsFollowTheLanguage()
    {
        WebColorsDialog palette;
        HexaColorDialog dialog;
        QCOMPARE(palette.windowTitle(), QStringLiteral("Select color"));
        switchLanguage(i18n::kGerman);
        QCOMPARE(palette.windowTitle(), QStringLiteral("Farbe auswählen"));
        QCOMPARE(dialog.webColourButton()->text(), QStringLiteral("HTML-Farbe wählen..."));
        QCOMPARE(dialog.cancelButton()->text(), QStringLiteral("Abbrechen"));
    }

    void buttonFaceShowsItsColour()
    {
        ColourButton button;
        button.resize(60, 24);
        QSignalSpy changed(&button, &ColourButton::colourChanged);
        QVERIFY(button.text().isEmpty());
        for (const auto &[colour, face] : {std::pair{0x0000FF, QColor(255, 0, 0)}, {0xFFFFFF, QColor(Qt::white)}, {0x00FF00, QColor(Qt::green)}}) {
            button.setColour(colour);
            QCOMPARE(button.grab().toImage().pixelColor(30, 12), face);
        }
        button.setColour(0x00FF00);   // unchanged: no signal
        QCOMPARE(changed.size(), 3);
        QCOMPARE(changed.last().first().toInt(), 0x00FF00);
    }
};

QTEST_MAIN(ColourDialogsTest)
#include "colordialogs_test.moc"
