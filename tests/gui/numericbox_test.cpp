// The numeric box: which keys it takes, which text it accepts, and how it steps and repeats.

#include "gui/controls/numericbox.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

using namespace lumarc;
using namespace lumarc::gui;

class NumericBoxTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void filtersKeysAcceptsClampsAndFormats()
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
            {"minus over two selected", u'-', false, "-5", 0, 2, -10.0, Int16, "0", Pass},
            {"point in a whole box", u'.', false, "1", 1, 0, 0.0, Int16, "0.0", Refuse},
            {"point in a decimal box", u'.', false, "1", 1, 0, 0.0, Decimal, "0.0", Replace},
            {"keypad decimal key", u'x', true, "1", 1, 0, 0.0, Decimal, "0.0", Replace},
            {"second separator", u'.', false, "1,5", 3, 0, 0.0, Decimal, "0.0", Refuse},
            {"separator over all", u'.', false, "1,5", 0, 3, 0.0, Decimal, "0.0", Replace},
            {"decimal box showing whole numbers", u'.', false, "1", 1, 0, 0.0, Decimal, " 0 ", Refuse},
        };
        for (const auto &c : cases) {
            const KeyContext context{QString::fromLatin1(c.text), c.selectionStart, c.selectionLength, c.minimum,
                                     c.type, QString::fromLatin1(c.format), u','};
            QVERIFY2(filterKey(QChar(c.key), c.keypad, context) == c.expected, c.name);
        }

        // Limits 10 to 100; the locale is German, so "," is the separator.
        const QLocale german(QLocale::German);
        const auto accept = [&](const char *text, NumericType type = NumericType::Int16) {
            return acceptableValue(QLatin1String(text), 10, 100, type, german);
        };
        QCOMPARE(accept(" 100 "), std::optional<double>(100));
        for (const char *text : {"9", "101", "", "4x", "100,6"})
            QVERIFY2(!accept(text), text);
        QCOMPARE(accept("12,6"), std::optional<double>(13));   // whole types round first
        QCOMPARE(accept("12.5", NumericType::Decimal), std::optional<double>(12.5));   // C notation too

        // Limits 0 to 1000: a step onto a limit goes on, a step past it is clamped and stops.
        const auto step = [](double value, double step) {
            const StepResult result = stepValue(value, step, 0, 1000);
            return qMakePair(result.value, result.atLimit);
        };
        QCOMPARE(step(990, 10), qMakePair(1000.0, false));
        QCOMPARE(step(995, 10), qMakePair(1000.0, true));
        QCOMPARE(step(5, -10), qMakePair(0.0, true));
        QCOMPARE(formatNumber(1.5, QStringLiteral("0.0"), german), QStringLiteral("1,5"));
    }

    void refusedValuesRestoreTheShownOneAndEnterConfirmsFilteredKeys()
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

        // setValue rounds for a whole-number box and signals only a change.
        box.setValue(6.6);
        box.setValue(7);
        QCOMPARE(changes.count(), 3);
        QCOMPARE(box.text(), QStringLiteral("7"));

        // Typed into the box: a refused number shows the value held again; a second minus is refused.
        box.setRange(-10, 100);
        QLineEdit *edit = box.findChild<QLineEdit *>(QStringLiteral("valueEdit"));
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("500"));
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(edit->text(), QStringLiteral("7"));
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("-6-"));
        QTest::keyClick(edit, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(box.value(), -6.0);
        QCOMPARE(changes.count(), 4);
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
            up = button->arrowType() == Qt::UpArrow ? button : up;
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
    }
};

QTEST_MAIN(NumericBoxTest)
#include "numericbox_test.moc"
