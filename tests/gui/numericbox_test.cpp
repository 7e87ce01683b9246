// The numeric box: which keys it takes, which text it accepts, how it steps and repeats,
// and where Enter and the arrows move the focus.

#include "gui/app/languagedialog.h"
#include "gui/controls/numericbox.h"
#include "i18n/strings.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

using namespace lumarc;
using namespace lumarc::gui;

namespace {

QLineEdit *editOf(NumericBox &box)
{
    return box.findChild<QLineEdit *>(QStringLiteral("valueEdit"));
}

} // namespace

class NumericBoxTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup()
    {
        QLocale::setDefault(QLocale::c());
        switchLanguage(i18n::kEnglish);
    }

    void keyFilter()
    {
        using enum KeyAction;
        const auto Int16 = NumericType::Int16, Decimal = NumericType::Decimal;
        // The locale's separator is "," throughout.
        const struct {
            const char *name; char16_t key; bool keypad; const char *text; int selectionStart, selectionLength;
            double minimum; NumericType type; const char *format; KeyAction expected;
        } cases[] = {
            {"digit", u'7', false, "12", 2, 0, 0.0, Int16, "0", Pass},
            {"letter", u'a', false, "12", 2, 0, 0.0, Int16, "0", Refuse},
            {"enter", u'\r', false, "12", 2, 0, 0.0, Int16, "0", Confirm},
            {"minus with minimum 0", u'-', false, "", 0, 0, 0.0, Int16, "0", Refuse},
            {"minus first", u'-', false, "5", 0, 0, -10.0, Int16, "0", Pass},
            {"minus after a digit", u'-', false, "5", 1, 0, -10.0, Int16, "0", Refuse},
            {"minus over one selected", u'-', false, "-5", 0, 1, -10.0, Int16, "0", Refuse},
            {"minus over two selected", u'-', false, "-5", 0, 2, -10.0, Int16, "0", Pass},
            {"point in a whole box", u'.', false, "1", 1, 0, 0.0, Int16, "0.0", Refuse},
            {"point in a decimal box", u'.', false, "1", 1, 0, 0.0, Decimal, "0.0", Replace},
            {"keypad decimal key", u'x', true, "1", 1, 0, 0.0, Decimal, "0.0", Replace},
            {"second separator", u'.', false, "1,5", 3, 0, 0.0, Decimal, "0.0", Refuse},
            {"separator over part", u'.', false, "1,5", 0, 2, 0.0, Decimal, "0.0", Refuse},
            {"separator over all", u'.', false, "1,5", 0, 3, 0.0, Decimal, "0.0", Replace},
            {"decimal box showing whole numbers", u'.', false, "1", 1, 0, 0.0, Decimal, " 0 ", Refuse},
        };
        for (const auto &c : cases) {
            const KeyContext context{QString::fromLatin1(c.text), c.selectionStart, c.selectionLength, c.minimum,
                                     c.type, QString::fromLatin1(c.format), u','};
            QVERIFY2(filterKey(QChar(c.key), c.keypad, context) == c.expected, c.name);
        }
    }

    void acceptsClampsAndFormats()
    {
        // Limits 10 to 100; the locale is German, so "," is the separator.
        const QLocale german(QLocale::German);
        const auto accept = [&](const char *text, NumericType type = NumericType::Int16) {
            return acceptableValue(QLatin1String(text), 10, 100, type, german);
        };
        QCOMPARE(accept(" 100 "), std::optional<double>(100));
        for (const char *text : {"9", "101", "", "4x", "100,6"})
            QVERIFY2(!accept(text), text);
        QCOMPARE(accept("12,6"), std::optional<double>(13));   // whole types round first
        QCOMPARE(accept("12,5", NumericType::Decimal), std::optional<double>(12.5));
        QCOMPARE(accept("12.5", NumericType::Decimal), std::optional<double>(12.5));   // C notation

        // Limits 0 to 1000: a step onto a limit goes on, a step past it is clamped and stops.
        const auto step = [](double value, double step) {
            const StepResult result = stepValue(value, step, 0, 1000);
            return qMakePair(result.value, result.atLimit);
        };
        QCOMPARE(step(990, 10), qMakePair(1000.0, false));
        QCOMPARE(step(995, 10), qMakePair(1000.0, true));
        QCOMPARE(step(5, -10), qMakePair(0.0, true));

        QCOMPARE(formatNumber(1234567, QStringLiteral("0"), german), QStringLiteral("1234567"));
        QCOMPARE(formatNumber(1.5, QStringLiteral("0.0"), german), QStringLiteral("1,5"));
        QCOMPARE(formatNumber(2.25, QStringLiteral("0.0"), QLocale::c()), QStringLiteral("2.3"));
        QCOMPARE(formatNumber(-0.2, QStringLiteral("0"), QLocale::c()), QStringLiteral("0"));
    }

    void letValueRefusesAndRestoresTheShownValue()
    {
        NumericBox box;
        box.setRange(10, 100);
        box.setValue(50);
        QSignalSpy changes(&box, &NumericBox::valueChanged);

        QVERIFY(!box.letValue(QStringLiteral("200")));
        QCOMPARE(box.text(), QStringLiteral("50"));
        QVERIFY(box.letValue(QStringLiteral("70")));
        QVERIFY(box.letValue(QStringLiteral("70")));   // no change, no signal
        QCOMPARE(changes.count(), 1);

        // New limits come first: 5 is below the old minimum but inside the new one.
        QVERIFY(box.letValue(QStringLiteral("5"), 0.0, 8.0));
        QCOMPARE(box.value(), 5.0);
        QCOMPARE(editOf(box)->toolTip(), QStringLiteral("Valid values: 0-8"));

        // setValue rounds for a whole-number box and signals only a change.
        box.setValue(6.6);
        box.setValue(7);
        QCOMPARE(changes.count(), 3);
        QCOMPARE(changes.last().at(0).toInt(), 7);
        QCOMPARE(box.text(), QStringLiteral("7"));

        box.setNumericType(NumericType::Byte);   // the limits follow the type
        box.setRange(-5, 1000);
        QCOMPARE(qMakePair(box.minimum(), box.maximum()), qMakePair(0.0, 255.0));
    }

    void typedKeysAreFilteredAndEnterConfirms()
    {
        NumericBox box;
        box.setRange(-10, 100);
        box.setValue(20);
        QSignalSpy changes(&box, &NumericBox::valueChanged);
        QLineEdit *edit = editOf(box);
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("500"));
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(edit->text(), QStringLiteral("20"));   // refused: the box shows the value it holds
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("-6-"));
        QTest::keyClick(edit, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(box.value(), -6.0);
        QCOMPARE(changes.count(), 1);

        // The decimal key types the locale's separator, once.
        QLocale::setDefault(QLocale(QLocale::German));
        box.setNumericType(NumericType::Decimal);
        box.setFormatString(QStringLiteral("0.0"));
        edit->clear();
        QTest::keyClicks(edit, QStringLiteral("2.5.7"));
        QCOMPARE(edit->text(), QStringLiteral("2,57"));
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(box.value(), 2.57);
        QCOMPARE(box.text(), QStringLiteral("2,6"));
    }

    void heldButtonRepeatsAfterTheFirstDelay()
    {
        NumericBox box;
        box.setRange(0, 1000);
        box.setUpDownVisible(true);
        box.setUpDownIncrement(10);
        box.setTimerInterval(50);
        box.setValue(975);
        box.show();
        QSignalSpy changes(&box, &NumericBox::valueChanged);
        QToolButton *up = nullptr;
        for (QToolButton *button : box.findChildren<QToolButton *>())
            if (button->arrowType() == Qt::UpArrow)
                up = button;
        QVERIFY(up && up->isVisible());

        QTest::mousePress(up, Qt::LeftButton);   // one step at once, the next after the first delay
        QCOMPARE(box.value(), 985.0);
        QCOMPARE(box.repeatDelay(), 500);
        box.repeatStep();   // from now on at the repeat interval
        QCOMPARE(box.repeatDelay(), 50);
        box.repeatStep();   // 1005 would pass the maximum
        QCOMPARE(box.value(), 1000.0);
        QVERIFY(!box.isRepeating());
        QCOMPARE(changes.count(), 3);
        QTest::mouseRelease(up, Qt::LeftButton);
        // A first step that reaches the limit does not repeat, nor does a box without interval.
        box.beginStepUp();
        QVERIFY(!box.isRepeating());
        box.setTimerInterval(0);
        box.setUpDownIncrement(-5);   // the sign comes from the button, not the increment
        box.beginStepDown();
        QCOMPARE(box.value(), 995.0);
        QVERIFY(!box.isRepeating());
    }

    void arrowsAndEnterMoveTheFocus()
    {
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        auto *before = new QLineEdit;
        auto *box = new NumericBox;
        auto *after = new QLineEdit;
        for (QWidget *widget : std::initializer_list<QWidget *>{before, box, after})
            layout->addWidget(widget);
        box->setRange(0, 100);
        box->setValue(42);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QLineEdit *edit = editOf(*box);

        box->setFocus();
        QCoreApplication::processEvents();
        QCOMPARE(edit->selectedText(), QStringLiteral("42"));   // selected on entry
        box->setFocusNextWidget(after);
        box->setFocusBackWidget(before);
        QTest::keyClick(edit, Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), before);

        // Enter confirms first; refused text keeps the focus in the box.
        box->setFocus();
        QCoreApplication::processEvents();
        QTest::keyClicks(edit, QStringLiteral("300"));
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), edit);
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("30"));
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), after);
        QCOMPARE(box->value(), 30.0);
    }

    void infoModeAndLanguage()
    {
        QWidget window;
        auto *box = new NumericBox(&window);
        box->setRange(1, 1000);
        box->setValue(995);
        box->setAfterString(QStringLiteral("px"));
        box->setUpDownVisible(true);
        window.show();
        auto *info = box->findChild<QLabel *>(QStringLiteral("infoLabel"));
        for (const bool infoMode : {true, false}) {
            box->setInfoMode(infoMode);
            QCOMPARE(info->isVisible(), infoMode);
            QCOMPARE(editOf(*box)->isVisible(), !infoMode);
            QCOMPARE(box->findChild<QToolButton *>()->isVisible(), !infoMode);
        }
        QCOMPARE(info->text(), QStringLiteral("995 px"));

        auto *named = new NumericBox(&window);
        named->setBeforeString(QStringLiteral("Pictures/row"));
        switchLanguage(i18n::kGerman);
        QCOMPARE(box->findChild<QLabel *>(QStringLiteral("captionLabel"))->text(), QStringLiteral("Wert :"));
        QCOMPARE(editOf(*box)->toolTip(), QStringLiteral("Gültige Werte: 1-1000"));
        // A caption the container chose is the container's to translate.
        QCOMPARE(named->beforeString(), QStringLiteral("Pictures/row"));
    }
};

QTEST_MAIN(NumericBoxTest)
#include "numericbox_test.moc"
