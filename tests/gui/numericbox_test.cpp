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

Q_DECLARE_METATYPE(lumarc::gui::KeyAction)
Q_DECLARE_METATYPE(lumarc::gui::NumericType)

namespace {

QLineEdit *editOf(NumericBox &box)
{
    return box.findChild<QLineEdit *>(QStringLiteral("valueEdit"));
}

QToolButton *arrowOf(NumericBox &box, Qt::ArrowType arrow)
{
    for (QToolButton *button : box.findChildren<QToolButton *>()) {
        if (button->arrowType() == arrow)
            return button;
    }
    return nullptr;
}

} // namespace

class NumericBoxTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup();

    void keyFilter_data();
    void keyFilter();
    void acceptsTextWithinTheLimits_data();
    void acceptsTextWithinTheLimits();
    void formatsWithoutGroupingOrNegativeZero();
    void wholeNumberTypesKeepTheirFormatAndRange();
    void stepsStopAtTheLimits_data();
    void stepsStopAtTheLimits();

    void letValueRefusesAndRestoresTheShownValue();
    void letValueTakesNewLimitsFirst();
    void setValueSignalsOnlyChanges();
    void typedMinusFollowsTheMinimum();
    void enterAboveMaximumShowsThePreviousValue();
    void decimalKeyBecomesTheLocaleSeparator();
    void heldButtonRepeatsAfterTheFirstDelay();
    void noRepeatWithoutInterval();
    void buttonsStepByMouse();
    void arrowsAndEnterMoveTheFocus();
    void infoModeShowsValueWithUnit();
    void followsTheLanguage();
};

void NumericBoxTest::cleanup()
{
    QLocale::setDefault(QLocale::c());
    switchLanguage(i18n::kEnglish);
}

void NumericBoxTest::keyFilter_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("keypad");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selectionStart");
    QTest::addColumn<int>("selectionLength");
    QTest::addColumn<double>("minimum");
    QTest::addColumn<NumericType>("type");
    QTest::addColumn<QString>("format");
    QTest::addColumn<KeyAction>("expected");

    const auto Int16 = NumericType::Int16;
    const auto Decimal = NumericType::Decimal;
    QTest::newRow("digit") << "7" << false << "12" << 2 << 0 << 0.0 << Int16 << "0" << KeyAction::Pass;
    QTest::newRow("letter") << "a" << false << "12" << 2 << 0 << 0.0 << Int16 << "0" << KeyAction::Refuse;
    QTest::newRow("blank") << " " << false << "" << 0 << 0 << 0.0 << Int16 << "0" << KeyAction::Refuse;
    QTest::newRow("backspace") << "\b" << false << "12" << 2 << 0 << 0.0 << Int16 << "0" << KeyAction::Pass;
    QTest::newRow("enter") << "\r" << false << "12" << 2 << 0 << 0.0 << Int16 << "0" << KeyAction::Confirm;
    QTest::newRow("minus with minimum 0") << "-" << false << "" << 0 << 0 << 0.0 << Int16 << "0" << KeyAction::Refuse;
    QTest::newRow("minus first") << "-" << false << "5" << 0 << 0 << -10.0 << Int16 << "0" << KeyAction::Pass;
    QTest::newRow("minus after a digit") << "-" << false << "5" << 1 << 0 << -10.0 << Int16 << "0"
                                         << KeyAction::Refuse;
    QTest::newRow("second minus") << "-" << false << "-5" << 0 << 0 << -10.0 << Int16 << "0" << KeyAction::Refuse;
    QTest::newRow("minus over one selected") << "-" << false << "-5" << 0 << 1 << -10.0 << Int16 << "0"
                                             << KeyAction::Refuse;
    QTest::newRow("minus over two selected") << "-" << false << "-5" << 0 << 2 << -10.0 << Int16 << "0"
                                             << KeyAction::Pass;
    QTest::newRow("point in a whole-number box") << "." << false << "1" << 1 << 0 << 0.0 << Int16 << "0"
                                                 << KeyAction::Refuse;
    QTest::newRow("point in a decimal box") << "." << false << "1" << 1 << 0 << 0.0 << Decimal << "0.0"
                                            << KeyAction::Replace;
    QTest::newRow("comma in a decimal box") << "," << false << "1" << 1 << 0 << 0.0 << Decimal << "0.00"
                                            << KeyAction::Replace;
    QTest::newRow("keypad decimal key") << "x" << true << "1" << 1 << 0 << 0.0 << Decimal << "0.0"
                                        << KeyAction::Replace;
    QTest::newRow("second separator") << "." << false << "1,5" << 3 << 0 << 0.0 << Decimal << "0.0"
                                      << KeyAction::Refuse;
    QTest::newRow("separator over part of the text") << "." << false << "1,5" << 0 << 2 << 0.0 << Decimal
                                                     << "0.0" << KeyAction::Refuse;
    QTest::newRow("separator over the whole text") << "." << false << "1,5" << 0 << 3 << 0.0 << Decimal << "0.0"
                                                   << KeyAction::Replace;
    QTest::newRow("decimal box showing whole numbers") << "." << false << "1" << 1 << 0 << 0.0 << Decimal
                                                       << " 0 " << KeyAction::Refuse;
    QTest::newRow("enter in a decimal box") << "\r" << false << "1,5" << 3 << 0 << 0.0 << Decimal << "0.0"
                                            << KeyAction::Confirm;
}

void NumericBoxTest::keyFilter()
{
    QFETCH(QString, key);
    QFETCH(bool, keypad);
    KeyContext context;
    QFETCH(QString, text);
    context.text = text;
    QFETCH(int, selectionStart);
    context.selectionStart = selectionStart;
    QFETCH(int, selectionLength);
    context.selectionLength = selectionLength;
    QFETCH(double, minimum);
    context.minimum = minimum;
    QFETCH(NumericType, type);
    context.type = type;
    QFETCH(QString, format);
    context.formatString = format;
    context.separator = u',';
    QFETCH(KeyAction, expected);
    QCOMPARE(filterKey(key.at(0), keypad, context), expected);
}

void NumericBoxTest::acceptsTextWithinTheLimits_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<NumericType>("type");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<double>("value");

    // Limits 10 to 100 throughout; the locale is German, so "," is the separator.
    QTest::newRow("inside") << "50" << NumericType::Int16 << true << 50.0;
    QTest::newRow("minimum") << "10" << NumericType::Int16 << true << 10.0;
    QTest::newRow("maximum") << "100" << NumericType::Int16 << true << 100.0;
    QTest::newRow("below") << "9" << NumericType::Int16 << false << 0.0;
    QTest::newRow("above") << "101" << NumericType::Int16 << false << 0.0;
    QTest::newRow("blanks around") << " 42 " << NumericType::Int16 << true << 42.0;
    QTest::newRow("empty") << "" << NumericType::Int16 << false << 0.0;
    QTest::newRow("not a number") << "4x" << NumericType::Int16 << false << 0.0;
    QTest::newRow("whole type rounds") << "12,6" << NumericType::Int16 << true << 13.0;
    QTest::newRow("rounded past the maximum") << "100,6" << NumericType::Int16 << false << 0.0;
    QTest::newRow("decimal keeps fraction") << "12,5" << NumericType::Decimal << true << 12.5;
    QTest::newRow("C notation as fallback") << "12.5" << NumericType::Decimal << true << 12.5;
}

void NumericBoxTest::acceptsTextWithinTheLimits()
{
    QFETCH(QString, text);
    QFETCH(NumericType, type);
    QFETCH(bool, accepted);
    QFETCH(double, value);
    const std::optional<double> result = acceptableValue(text, 10, 100, type, QLocale(QLocale::German));
    QCOMPARE(result.has_value(), accepted);
    if (accepted)
        QCOMPARE(*result, value);
}

void NumericBoxTest::formatsWithoutGroupingOrNegativeZero()
{
    const QLocale german(QLocale::German);
    QCOMPARE(formatNumber(1234567, QStringLiteral("0"), german), QStringLiteral("1234567"));
    QCOMPARE(formatNumber(1.5, QStringLiteral("0.0"), german), QStringLiteral("1,5"));
    QCOMPARE(formatNumber(2.25, QStringLiteral("0.00"), QLocale::c()), QStringLiteral("2.25"));
    QCOMPARE(formatNumber(2.25, QStringLiteral("0.0"), QLocale::c()), QStringLiteral("2.3"));
    QCOMPARE(formatNumber(-0.2, QStringLiteral("0"), QLocale::c()), QStringLiteral("0"));
    QCOMPARE(formatNumber(-7, QStringLiteral("0"), QLocale::c()), QStringLiteral("-7"));
    QCOMPARE(decimalSeparator(german), QChar(u','));
    QCOMPARE(decimalSeparator(QLocale::c()), QChar(u'.'));
}

void NumericBoxTest::wholeNumberTypesKeepTheirFormatAndRange()
{
    NumericBox box;
    box.setNumericType(NumericType::Int16);
    box.setFormatString(QStringLiteral("0.00"));
    QCOMPARE(box.formatString(), QStringLiteral("0"));

    box.setNumericType(NumericType::Decimal);
    box.setFormatString(QStringLiteral("0.00"));
    QCOMPARE(box.formatString(), QStringLiteral("0.00"));
    // Back to whole numbers: the format is applied again.
    box.setNumericType(NumericType::Int32);
    QCOMPARE(box.formatString(), QStringLiteral("0"));

    box.setRange(-5, 1000);
    box.setNumericType(NumericType::Byte);
    QCOMPARE(box.minimum(), 0.0);
    QCOMPARE(box.maximum(), 255.0);
    // Limits given later are pulled into the type's range as well.
    box.setNumericType(NumericType::Int16);
    box.setRange(-100000, 100000);
    QCOMPARE(box.minimum(), -32768.0);
    QCOMPARE(box.maximum(), 32767.0);
}

void NumericBoxTest::stepsStopAtTheLimits_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("step");
    QTest::addColumn<double>("result");
    QTest::addColumn<bool>("atLimit");

    // Limits 0 to 1000.
    QTest::newRow("up inside") << 500.0 << 10.0 << 510.0 << false;
    QTest::newRow("up onto the maximum") << 990.0 << 10.0 << 1000.0 << false;
    QTest::newRow("up past the maximum") << 995.0 << 10.0 << 1000.0 << true;
    QTest::newRow("up at the maximum") << 1000.0 << 10.0 << 1000.0 << true;
    QTest::newRow("down onto the minimum") << 10.0 << -10.0 << 0.0 << false;
    QTest::newRow("down past the minimum") << 5.0 << -10.0 << 0.0 << true;
    QTest::newRow("zero step") << 5.0 << 0.0 << 5.0 << false;
}

void NumericBoxTest::stepsStopAtTheLimits()
{
    QFETCH(double, value);
    QFETCH(double, step);
    QFETCH(double, result);
    QFETCH(bool, atLimit);
    const StepResult stepped = stepValue(value, step, 0, 1000);
    QCOMPARE(stepped.value, result);
    QCOMPARE(stepped.atLimit, atLimit);
}

void NumericBoxTest::letValueRefusesAndRestoresTheShownValue()
{
    NumericBox box;
    box.setNumericType(NumericType::Int16);
    box.setRange(10, 100);
    box.setValue(50);
    QSignalSpy changes(&box, &NumericBox::valueChanged);

    QVERIFY(!box.letValue(QStringLiteral("200")));
    QCOMPARE(box.value(), 50.0);
    QCOMPARE(box.text(), QStringLiteral("50"));
    QVERIFY(!box.letValue(QStringLiteral("abc")));
    QCOMPARE(box.text(), QStringLiteral("50"));
    QCOMPARE(changes.count(), 0);

    QVERIFY(box.letValue(QStringLiteral("70")));
    QCOMPARE(changes.count(), 1);
    QCOMPARE(changes.at(0).at(0).toInt(), 70);
    QVERIFY(box.letValue(QStringLiteral("70")));
    QCOMPARE(changes.count(), 1);
    QCOMPARE(editOf(box)->toolTip(), QStringLiteral("Valid values: 10-100"));
}

void NumericBoxTest::letValueTakesNewLimitsFirst()
{
    NumericBox box;
    box.setRange(10, 100);
    box.setValue(50);
    // 5 is below the old minimum but inside the new one.
    QVERIFY(box.letValue(QStringLiteral("5"), 0.0, 8.0));
    QCOMPARE(box.value(), 5.0);
    QCOMPARE(editOf(box)->toolTip(), QStringLiteral("Valid values: 0-8"));
    QVERIFY(!box.letValue(QStringLiteral("9")));
}

void NumericBoxTest::setValueSignalsOnlyChanges()
{
    NumericBox box;
    QSignalSpy changes(&box, &NumericBox::valueChanged);
    box.setValue(4);
    box.setValue(4);
    // A whole-number box rounds what it is given.
    box.setValue(6.6);
    QCOMPARE(changes.count(), 2);
    QCOMPARE(changes.at(1).at(0).toInt(), 7);
    QCOMPARE(box.text(), QStringLiteral("7"));
}

void NumericBoxTest::typedMinusFollowsTheMinimum()
{
    NumericBox box;
    box.setRange(0, 100);
    QLineEdit *edit = editOf(box);
    edit->clear();
    QTest::keyClicks(edit, QStringLiteral("-5"));
    QCOMPARE(edit->text(), QStringLiteral("5"));

    box.setRange(-10, 100);
    edit->clear();
    QTest::keyClicks(edit, QStringLiteral("-5-"));
    QCOMPARE(edit->text(), QStringLiteral("-5"));
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(box.value(), -5.0);
}

void NumericBoxTest::enterAboveMaximumShowsThePreviousValue()
{
    NumericBox box;
    box.setRange(0, 100);
    box.setValue(20);
    QSignalSpy changes(&box, &NumericBox::valueChanged);
    QLineEdit *edit = editOf(box);
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("500"));
    QCOMPARE(edit->text(), QStringLiteral("500"));
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(edit->text(), QStringLiteral("20"));
    QCOMPARE(changes.count(), 0);

    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("60"));
    QTest::keyClick(edit, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(changes.count(), 1);
    QCOMPARE(box.value(), 60.0);
}

void NumericBoxTest::decimalKeyBecomesTheLocaleSeparator()
{
    QLocale::setDefault(QLocale(QLocale::German));
    NumericBox box;
    box.setNumericType(NumericType::Decimal);
    box.setFormatString(QStringLiteral("0.0"));
    box.setRange(0, 10);
    QLineEdit *edit = editOf(box);
    edit->clear();
    QTest::keyClicks(edit, QStringLiteral("2.5.7"));
    QCOMPARE(edit->text(), QStringLiteral("2,57"));
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(box.value(), 2.57);
    QCOMPARE(box.text(), QStringLiteral("2,6"));
}

void NumericBoxTest::heldButtonRepeatsAfterTheFirstDelay()
{
    NumericBox box;
    box.setRange(0, 1000);
    box.setUpDownIncrement(10);
    box.setTimerInterval(50);
    box.setValue(975);
    QSignalSpy changes(&box, &NumericBox::valueChanged);

    box.beginStepUp();  // one step at once, the next after the first delay
    QCOMPARE(box.value(), 985.0);
    QVERIFY(box.isRepeating());
    QCOMPARE(box.repeatDelay(), NumericBox::kFirstRepeatDelay);
    box.repeatStep();  // from now on at the repeat interval
    QCOMPARE(box.value(), 995.0);
    QVERIFY(box.isRepeating());
    QCOMPARE(box.repeatDelay(), 50);
    box.repeatStep();  // 1005 would pass the maximum
    QCOMPARE(box.value(), 1000.0);
    QVERIFY(!box.isRepeating());
    QCOMPARE(box.text(), QStringLiteral("1000"));
    QCOMPARE(changes.count(), 3);
    QCOMPARE(changes.last().at(0).toInt(), 1000);
    box.endStepping();

    box.beginStepDown();
    QCOMPARE(box.value(), 990.0);
    QVERIFY(box.isRepeating());
    box.endStepping();
    QVERIFY(!box.isRepeating());
    // Holding up at the maximum changes nothing and does not repeat.
    box.setValue(1000);
    changes.clear();
    box.beginStepUp();
    QVERIFY(!box.isRepeating());
    QCOMPARE(changes.count(), 0);
}

void NumericBoxTest::noRepeatWithoutInterval()
{
    NumericBox box;
    box.setUpDownIncrement(-5);  // the sign comes from the button, not the increment
    box.setTimerInterval(0);
    box.beginStepUp();
    QCOMPARE(box.value(), 5.0);
    QVERIFY(!box.isRepeating());
}

void NumericBoxTest::buttonsStepByMouse()
{
    NumericBox box;
    box.setRange(0, 100);
    box.setUpDownVisible(true);
    box.setUpDownIncrement(10);
    box.setValue(50);
    box.show();
    QToolButton *up = arrowOf(box, Qt::UpArrow);
    QToolButton *down = arrowOf(box, Qt::DownArrow);
    QVERIFY(up && down && up->isVisible() && down->isVisible());

    QTest::mousePress(up, Qt::LeftButton);
    QCOMPARE(box.value(), 60.0);
    QVERIFY(box.isRepeating());
    QTest::mouseRelease(up, Qt::LeftButton);
    QVERIFY(!box.isRepeating());
    QTest::mouseClick(down, Qt::LeftButton);
    QTest::mouseClick(down, Qt::LeftButton);
    QCOMPARE(box.value(), 40.0);
}

void NumericBoxTest::arrowsAndEnterMoveTheFocus()
{
    QWidget window;
    auto *before = new QLineEdit(&window);
    auto *box = new NumericBox(&window);
    auto *after = new QLineEdit(&window);
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(before);
    layout->addWidget(box);
    layout->addWidget(after);
    box->setRange(0, 100);
    box->setValue(42);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QLineEdit *edit = editOf(*box);

    // Without targets the arrows leave the focus where it is.
    box->setFocus();
    QTest::keyClick(edit, Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), edit);
    QCoreApplication::processEvents();
    QCOMPARE(edit->selectedText(), QStringLiteral("42"));  // selected on entry

    box->setFocusNextWidget(after);
    box->setFocusBackWidget(before);
    QTest::keyClick(edit, Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), after);
    box->setFocus();
    QTest::keyClick(edit, Qt::Key_Up);
    QCOMPARE(QApplication::focusWidget(), before);

    // Enter confirms first; refused text keeps the focus in the box.
    box->setFocus();
    QCoreApplication::processEvents();
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("300"));
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), edit);
    QCOMPARE(box->value(), 42.0);
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("30"));
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), after);
    QCOMPARE(box->value(), 30.0);
}

void NumericBoxTest::infoModeShowsValueWithUnit()
{
    NumericBox box;
    box.setValue(995);
    box.setAfterString(QStringLiteral("px"));
    box.setUpDownVisible(true);
    box.setInfoMode(true);
    box.show();
    auto *info = box.findChild<QLabel *>(QStringLiteral("infoLabel"));
    QVERIFY(info);
    QVERIFY(info->isVisible());
    QVERIFY(!editOf(box)->isVisible());
    QVERIFY(!arrowOf(box, Qt::UpArrow)->isVisible());
    QCOMPARE(info->text(), QStringLiteral("995 px"));

    box.setInfoMode(false);
    QVERIFY(!info->isVisible());
    QVERIFY(editOf(box)->isVisible());
    QVERIFY(arrowOf(box, Qt::UpArrow)->isVisible());
}

void NumericBoxTest::followsTheLanguage()
{
    QWidget window;
    auto *box = new NumericBox(&window);
    box->setRange(1, 50);
    auto *named = new NumericBox(&window);
    named->setBeforeString(QStringLiteral("Pictures/row"));
    QCOMPARE(box->beforeString(), QStringLiteral("Value :"));

    switchLanguage(i18n::kGerman);
    QCOMPARE(box->beforeString(), QStringLiteral("Wert :"));
    QCOMPARE(box->findChild<QLabel *>(QStringLiteral("captionLabel"))->text(), QStringLiteral("Wert :"));
    QCOMPARE(editOf(*box)->toolTip(), QStringLiteral("Gültige Werte: 1-50"));
    // A caption the container chose is the container's to translate.
    QCOMPARE(named->beforeString(), QStringLiteral("Pictures/row"));
}

QTEST_MAIN(NumericBoxTest)
#include "numericbox_test.moc"
