// The colour button, the web palette and the RGB colour dialog, answered as a user would.

#include "gui/app/languagedialog.h"
#include "gui/controls/colourbutton.h"
#include "gui/dialogs/hexacolordialog.h"
#include "gui/dialogs/webcolorsdialog.h"
#include "i18n/strings.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>

#include "widgettest.h"
#include <QTimer>

#include <functional>

using namespace lumarc;
using namespace lumarc::gui;
using lumarc::test::whenShown;

namespace {

QColor background(const QLabel *label)
{
    return label->palette().color(QPalette::Window);
}

QColor textColour(const QLabel *label)
{
    return label->palette().color(QPalette::WindowText);
}

QColor shownAt(QWidget *widget, QPoint point)
{
    return widget->grab().toImage().pixelColor(point);
}

} // namespace

class ColourDialogsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { switchLanguage(i18n::kEnglish); }

    void tableRunsBlueFastestRedSlowest()
    {
        const char *digits[] = {"00", "33", "66", "99", "CC", "FF"};
        QStringList expected;
        for (const char *red : digits) {
            for (const char *green : digits) {
                for (const char *blue : digits)
                    expected.append(QLatin1String(red) + QLatin1String(green) + QLatin1String(blue));
            }
        }
        QCOMPARE(webColorTable(), expected);
    }

    void fieldsShowTheirEntryWithReadableText()
    {
        WebColorsDialog palette;
        const QStringList table = webColorTable();
        for (int k = 1; k <= 216; ++k) {
            QLabel *field = palette.field(k);
            QVERIFY(field);
            QCOMPARE(field->toolTip(), table.at(k - 1));
            QCOMPARE(field->text(), table.at(k - 1));
            QCOMPARE(background(field), QColor(u'#' + table.at(k - 1)));
        }
        QVERIFY(!palette.field(0) && !palette.field(217));

        const struct {
            int k; QRgb colour; QRgb text;
        } cases[] = {
            {1, 0x000000, 0xFFFFFF},     // row 1: green 00
            {6, 0x0000FF, 0xFFFFFF},
            {13, 0x006600, 0xFFFFFF},    // row 3: green 66, last white row of its group
            {19, 0x009900, 0x000000},    // row 4: green 99, first black row
            {36, 0x00FFFF, 0x000000},    // row 6
            {37, 0x330000, 0xFFFFFF},    // row 7: next red step starts white again
            {211, 0xFFFF00, 0x000000},   // row 36
            {216, 0xFFFFFF, 0x000000},
        };
        for (const auto &c : cases) {
            QCOMPARE(background(palette.field(c.k)).rgb() & 0xFFFFFF, c.colour);
            QCOMPARE(textColour(palette.field(c.k)).rgb() & 0xFFFFFF, c.text);
        }
        // The fields are laid out as the table reads: six to a row.
        palette.show();
        QCOMPARE(palette.field(2)->y(), palette.field(1)->y());
        QVERIFY(palette.field(2)->x() > palette.field(1)->x());
        QVERIFY(palette.field(7)->y() > palette.field(6)->y());
        QCOMPARE(palette.field(7)->x(), palette.field(1)->x());
    }

    void paletteAnswersOnlyWhenConfirmed()
    {
        WebColorsDialog palette;
        qint32 colour = 0x123456;
        QString sampleText, caption;
        QColor sampleBackground, sampleInk;
        whenShown<WebColorsDialog>([&](WebColorsDialog *dialog) {
            QTest::mouseClick(dialog->field(26), Qt::LeftButton);   // "00CC33"
            sampleText = dialog->sample()->text();
            sampleBackground = background(dialog->sample());
            sampleInk = textColour(dialog->sample());
            caption = dialog->windowTitle();
            dialog->okButton()->click();
        });
        QVERIFY(palette.chooseColor(QStringLiteral("Pick one"), colour));
        QCOMPARE(sampleText, QStringLiteral("00CC33"));
        QCOMPARE(sampleBackground, QColor(0x00, 0xCC, 0x33));
        QCOMPARE(sampleInk, QColor(Qt::black));
        QCOMPARE(caption, QStringLiteral("Pick one"));
        QCOMPARE(colour, 0x00 + 256 * 0xCC + 65536 * 0x33);

        // A second showing after that OK: Cancel, then the close box, after picking a field.
        for (const bool closeBox : {false, true}) {
            colour = 0x123456;
            whenShown<WebColorsDialog>([closeBox](WebColorsDialog *dialog) {
                QTest::mouseClick(dialog->field(1), Qt::LeftButton);
                if (closeBox)
                    dialog->close();
                else
                    dialog->cancelButton()->click();
            });
            QVERIFY(!palette.chooseColor(QStringLiteral("Pick one"), colour));
            QCOMPARE(colour, 0x123456);
        }
    }

    void componentLabelsReadHexWithoutLeadingZeros()
    {
        HexaColorDialog dialog;
        const struct {
            int value; const char *red;
        } cases[] = {{0, " R: #0"}, {5, " R: #5"}, {10, " R: #A"}, {171, " R: #AB"}, {255, " R: #FF"}};
        for (const auto &c : cases) {
            dialog.slider(0)->setValue(c.value);
            QCOMPARE(dialog.componentLabel(0)->text(), QLatin1String(c.red));
        }
        dialog.setColour(0x0A0B0C);   // blue 0A, green 0B, red 0C
        QCOMPARE(dialog.componentLabel(0)->text(), QStringLiteral(" R: #C"));
        QCOMPARE(dialog.componentLabel(1)->text(), QStringLiteral(" G: #B"));
        QCOMPARE(dialog.componentLabel(2)->text(), QStringLiteral(" B: #A"));
    }

    void colourNumberSplitsIntoSliders()
    {
        HexaColorDialog dialog;
        QCOMPARE(background(dialog.sample()), QColor(Qt::black));
        const struct {
            qint32 colour; int red, green, blue;
        } cases[] = {
            {255, 255, 0, 0}, {256, 0, 1, 0}, {65536, 0, 0, 1}, {8388608, 0, 0, 128}, {0xFFFFFF, 255, 255, 255},
        };
        for (const auto &c : cases) {
            dialog.setColour(c.colour);
            QCOMPARE(dialog.slider(0)->value(), c.red);
            QCOMPARE(dialog.slider(1)->value(), c.green);
            QCOMPARE(dialog.slider(2)->value(), c.blue);
            QCOMPARE(dialog.colour(), c.colour);
            QCOMPARE(background(dialog.sample()), QColor(c.red, c.green, c.blue));
        }
    }

    void swatchesSetBlackAndWhite()
    {
        HexaColorDialog dialog;
        dialog.show();
        dialog.setColour(0x336699);
        QTest::mouseClick(dialog.whiteSwatch(), Qt::LeftButton);
        QCOMPARE(dialog.colour(), 0xFFFFFF);
        QTest::mouseClick(dialog.blackSwatch(), Qt::LeftButton);
        QCOMPARE(dialog.colour(), 0);
        QCOMPARE(dialog.blackSwatch()->toolTip(), QStringLiteral("Set black color"));
        QCOMPARE(dialog.whiteSwatch()->toolTip(), QStringLiteral("Set white color"));
    }

    void okReturnsTheSliderColourAndLaterCancelsChangeNothing()
    {
        HexaColorDialog dialog;
        qint32 colour = 0x0000FF;
        QString caption;
        int startRed = -1;
        whenShown<HexaColorDialog>([&](HexaColorDialog *shown) {
            caption = shown->windowTitle();
            startRed = shown->slider(0)->value();
            shown->slider(1)->setValue(0x80);
            shown->okButton()->click();
        });
        QVERIFY(dialog.doModal(QStringLiteral("Border colour"), colour, QPoint(10, 10)));
        QCOMPARE(caption, QStringLiteral("Border colour"));
        QCOMPARE(startRed, 255);   // started from the caller's colour
        QCOMPARE(colour, 0x0080FF);

        for (const bool closeBox : {false, true}) {
            colour = 0x010203;
            qint32 started = -1;
            whenShown<HexaColorDialog>([&started, closeBox](HexaColorDialog *shown) {
                started = shown->colour();
                shown->slider(2)->setValue(200);
                if (closeBox)
                    shown->close();
                else
                    shown->cancelButton()->click();
            });
            QVERIFY(!dialog.doModal(QStringLiteral("Border colour"), colour, QPoint(10, 10)));
            QCOMPARE(started, 0x010203);
            QCOMPARE(colour, 0x010203);
        }
    }

    void systemPickerCancelChangesNothing()
    {
        HexaColorDialog dialog;
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
    }

    void htmlButtonTakesOnlyAConfirmedPaletteColour()
    {
        HexaColorDialog dialog;
        dialog.setWindowTitle(QStringLiteral("Page background"));
        QCOMPARE(dialog.webPalette(), dialog.webPalette());   // one palette, kept
        for (const bool confirm : {false, true}) {
            dialog.setColour(0x010203);
            QString caption;
            whenShown<WebColorsDialog>([&caption, confirm](WebColorsDialog *palette) {
                caption = palette->windowTitle();
                QTest::mouseClick(palette->field(216), Qt::LeftButton);
                (confirm ? palette->okButton() : palette->cancelButton())->click();
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
        const struct {
            qint32 colour; QColor face;
        } cases[] = {{0x0000FF, QColor(255, 0, 0)}, {0xFFFFFF, QColor(255, 255, 255)}, {0x00FF00, QColor(0, 255, 0)}};
        for (const auto &c : cases) {
            button.setColour(c.colour);
            QCOMPARE(button.colour(), c.colour);
            QCOMPARE(shownAt(&button, QPoint(30, 12)), c.face);
        }
        button.setColour(0x00FF00);   // unchanged: no signal
        QCOMPARE(changed.size(), 3);
        QCOMPARE(changed.last().first().toInt(), 0x00FF00);
    }
};

QTEST_MAIN(ColourDialogsTest)
#include "colordialogs_test.moc"
