#pragma once

// The input box for one number used by every numeric field of the program: a caption, an
// edit box that takes only keys that can form a number, a unit text and optional up/down
// buttons with auto-repeat. The settings dialog and the main window's "Pictures/row" use it.
// The rules (key filter, accepting text, stepping) are plain functions so tests call them.

#include <QLocale>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <optional>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QToolButton;

namespace lumarc::gui {

// The number a box holds. The values are what the program's files have always stored.
enum class NumericType {
    Int32 = 0,    // -2147483648 to 2147483647
    Int16 = 1,    // -32768 to 32767
    Byte = 2,     // 0 to 255
    Decimal = 3,  // decimal numbers within the Int32 range
};

struct NumberRange {
    double minimum = 0;
    double maximum = 0;
};

// The whole range a type can hold.
NumberRange typeRange(NumericType type);

// Whole-number types always show "0"; a decimal box keeps the format it is given.
QString effectiveFormat(NumericType type, const QString &format);

// The locale's separator, taken from 1.1 written with one decimal.
QChar decimalSeparator(const QLocale &locale);

// `value` written with a format of the "0", "0.0", "0.00" kind: as many decimals as the
// format has digits after its ".", the locale's separator, no thousands separators.
QString formatNumber(double value, const QString &format, const QLocale &locale);

// The number the text reads as (blanks around it allowed; the locale's notation first,
// then the C notation), or nullopt when it is not a number.
std::optional<double> parseNumber(const QString &text, const QLocale &locale);

// The value the text becomes when it is confirmed, or nullopt when it is refused: not a
// number, or outside minimum..maximum. Whole-number types round first.
std::optional<double> acceptableValue(const QString &text, double minimum, double maximum, NumericType type,
                                      const QLocale &locale);

// What the edit box does with one typed character. Enter arrives as '\r', Backspace as '\b'.
enum class KeyAction {
    Pass,     // the character goes into the text
    Refuse,   // dropped with a beep
    Replace,  // the locale's decimal separator goes in instead
    Confirm,  // Enter: the text is confirmed, the character dropped
};

// The edit box as the key filter sees it.
struct KeyContext {
    QString text;
    int selectionStart = 0;  // the caret when nothing is selected
    int selectionLength = 0;
    double minimum = 0;
    NumericType type = NumericType::Int32;
    QString formatString = QStringLiteral("0");
    QChar separator = u'.';
};

// `keypadDecimal` is the number pad's decimal key, whatever character it produces.
KeyAction filterKey(QChar key, bool keypadDecimal, const KeyContext &context);

// One up/down step from `value`: clamped to the limit it would pass, and `atLimit` then
// tells the repeat to stop.
struct StepResult {
    double value = 0;
    bool atLimit = false;
};
StepResult stepValue(double value, double step, double minimum, double maximum);

class NumericBox : public QWidget {
    Q_OBJECT

public:
    // The first repeat of a held up/down button comes after this pause.
    static constexpr int kFirstRepeatDelay = 500;

    explicit NumericBox(QWidget *parent = nullptr);

    double value() const { return m_value; }
    int intValue() const;
    // Stores the value as given (whole-number types round it); the caller owns the range
    // check, as when a settings record is shown. Emits the change signals when it differs.
    void setValue(double value);

    double minimum() const { return m_minimum; }
    double maximum() const { return m_maximum; }
    // Pulled into the range of the numeric type.
    void setMinimum(double minimum);
    void setMaximum(double maximum);
    void setRange(double minimum, double maximum);

    NumericType numericType() const { return m_type; }
    // Pulls the limits into the type's range and applies the format rule again.
    void setNumericType(NumericType type);
    QString formatString() const { return m_format; }
    void setFormatString(const QString &format);

    // The caption follows the language while it is the default "Value :"; a caption set
    // here is the container's to set again when the language changes.
    QString beforeString() const;
    void setBeforeString(const QString &text);
    void setBeforeStringAlignment(Qt::Alignment alignment);
    QString afterString() const { return m_afterString; }
    void setAfterString(const QString &text);

    bool isInfoMode() const { return m_infoMode; }
    // Shows the value with its unit as read-only text instead of the edit box.
    void setInfoMode(bool on);
    bool isUpDownVisible() const { return m_upDownVisible; }
    void setUpDownVisible(bool on);
    double upDownIncrement() const { return m_increment; }
    void setUpDownIncrement(double step);
    // Milliseconds between repeats while a button is held; 0 steps once per press.
    int timerInterval() const { return m_timerInterval; }
    void setTimerInterval(int milliseconds);
    bool autoSelect() const { return m_autoSelect; }
    void setAutoSelect(bool on);

    // Widths of caption, value field and unit text, in pixels; a negative width leaves that
    // part at the width its text needs.
    void setWidths(int before, int value, int after);

    // Where Down arrow or Enter (next) and Up arrow (back) move the focus; none by default.
    void setFocusNextWidget(QWidget *widget);
    void setFocusBackWidget(QWidget *widget);

    // The one way typed text becomes the value. New limits, when given, replace the old
    // ones first. Refused text beeps; either way the box then shows the current value and
    // its tooltip the valid range. Returns whether the text was accepted.
    bool letValue(const QString &text, std::optional<double> newMinimum = std::nullopt,
                  std::optional<double> newMaximum = std::nullopt);

    // Confirms text typed into the edit box and not confirmed yet (a dialog closed by Escape
    // or its close box gets no focus change that would do it). Text the box set itself is
    // left alone, so that a value it was given outside its range does not beep.
    void commitTypedText();

    // The text shown in the edit box.
    QString text() const;
    bool isRepeating() const { return m_repeatTimer.isActive(); }
    int repeatDelay() const { return m_repeatTimer.interval(); }

public Q_SLOTS:
    // A press on the up or down button: one step at once, then the repeat starts.
    void beginStepUp();
    void beginStepDown();
    // The button was released: the repeat stops.
    void endStepping();
    // One tick of the repeat timer: from now on at the repeat interval.
    void repeatStep();
    // Sets the captions and the tooltip again in the current language.
    void retranslate();

Q_SIGNALS:
    void valueChanged(int value);
    // The same change for decimal boxes, whose value is not a whole number.
    void decimalValueChanged(double value);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void beginStepping(double sign);
    bool makeStep();  // true when a limit was reached
    void storeValue(double value);
    void refreshText();
    void refreshToolTip();
    void updateLayout();
    bool handleKeyPress(QKeyEvent *event);
    void moveFocusTo(QWidget *target);
    KeyContext keyContext() const;

    QLabel *m_captionLabel = nullptr;
    QWidget *m_valueField = nullptr;
    QLineEdit *m_valueEdit = nullptr;
    QLabel *m_infoLabel = nullptr;
    QToolButton *m_upButton = nullptr;
    QToolButton *m_downButton = nullptr;
    QLabel *m_afterLabel = nullptr;
    QTimer m_repeatTimer;

    double m_value = 0;
    double m_minimum = 0;
    double m_maximum = 2147483647.0;
    NumericType m_type = NumericType::Int32;
    QString m_format = QStringLiteral("0");
    std::optional<QString> m_beforeString;  // unset: the default caption, which follows the language
    QString m_afterString = QStringLiteral("px");
    bool m_infoMode = false;
    bool m_upDownVisible = false;
    double m_increment = 0;
    double m_step = 0;
    int m_timerInterval = 50;
    bool m_autoSelect = true;
    QPointer<QWidget> m_focusNext;
    QPointer<QWidget> m_focusBack;
};

}  // namespace lumarc::gui
