#include "gui/controls/numericbox.h"

#include "i18n/strings.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace lumarc::gui {
namespace {

// Widths of the parts when the container sets none: the old control's 1200, 900 and 300
// twips at 15 twips a pixel.
constexpr int kDefaultBeforeWidth = 80;
constexpr int kDefaultValueWidth = 60;
constexpr int kDefaultAfterWidth = 20;

bool isWholeNumberType(NumericType type) { return type != NumericType::Decimal; }

QLocale displayLocale()
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale;
}

}  // namespace

NumberRange typeRange(NumericType type)
{
    switch (type) {
    case NumericType::Int16:
        return {-32768.0, 32767.0};
    case NumericType::Byte:
        return {0.0, 255.0};
    case NumericType::Int32:
    case NumericType::Decimal:
        break;
    }
    return {-2147483648.0, 2147483647.0};
}

QString effectiveFormat(NumericType type, const QString &format)
{
    return isWholeNumberType(type) ? QStringLiteral("0") : format;
}

QChar decimalSeparator(const QLocale &locale)
{
    const QString text = locale.toString(1.1, 'f', 1);
    return text.size() > 1 ? text.at(1) : QChar(u'.');
}

QString formatNumber(double value, const QString &format, const QLocale &locale)
{
    int decimals = 0;
    const qsizetype point = format.indexOf(u'.');
    if (point >= 0) {
        for (qsizetype i = point + 1; i < format.size() && (format.at(i) == u'0' || format.at(i) == u'#'); ++i)
            ++decimals;
    }
    const double scale = std::pow(10.0, decimals);
    double rounded = std::round(value * scale) / scale;
    if (rounded == 0.0)
        rounded = 0.0;  // no "-0" for a small negative value
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    return plain.toString(rounded, 'f', decimals);
}

std::optional<double> parseNumber(const QString &text, const QLocale &locale)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    bool ok = false;
    double value = locale.toDouble(trimmed, &ok);
    if (!ok)
        value = QLocale::c().toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<double> acceptableValue(const QString &text, double minimum, double maximum, NumericType type,
                                      const QLocale &locale)
{
    std::optional<double> value = parseNumber(text, locale);
    if (!value)
        return std::nullopt;
    if (isWholeNumberType(type))
        *value = std::round(*value);
    if (*value < minimum || *value > maximum)
        return std::nullopt;
    return value;
}

KeyAction filterKey(QChar key, bool keypadDecimal, const KeyContext &context)
{
    const bool separatorKey = key == u'.' || key == u',' || keypadDecimal;
    if (context.type == NumericType::Decimal && context.formatString.trimmed() != QLatin1String("0") && separatorKey) {
        // A second separator may only replace a selection that covers the whole text.
        if (context.text.contains(context.separator) && context.selectionLength < context.text.size())
            return KeyAction::Refuse;
        return KeyAction::Replace;
    }
    if (key == u'\r')
        return KeyAction::Confirm;
    if (key == u'\b')
        return KeyAction::Pass;
    if (key == u'-') {
        if (context.minimum >= 0 || context.selectionStart != 0
            || (context.text.contains(u'-') && context.selectionLength < 2))
            return KeyAction::Refuse;
        return KeyAction::Pass;
    }
    return key >= u'0' && key <= u'9' ? KeyAction::Pass : KeyAction::Refuse;
}

StepResult stepValue(double value, double step, double minimum, double maximum)
{
    const double next = value + step;
    if (step > 0 && next > maximum)
        return {maximum, true};
    if (step <= 0 && next < minimum)
        return {minimum, true};
    return {next, false};
}

NumericBox::NumericBox(QWidget *parent) : QWidget(parent)
{
    m_captionLabel = new QLabel(this);
    m_captionLabel->setObjectName(QStringLiteral("captionLabel"));
    m_captionLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    m_valueField = new QWidget(this);
    m_valueEdit = new QLineEdit(m_valueField);
    m_valueEdit->setObjectName(QStringLiteral("valueEdit"));
    m_valueEdit->installEventFilter(this);
    m_infoLabel = new QLabel(m_valueField);
    m_infoLabel->setObjectName(QStringLiteral("infoLabel"));
    m_infoLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_infoLabel->hide();

    // Stacked arrows: the upper one steps up, the lower one down. They take no focus, so a
    // press does not validate the text being typed.
    m_upButton = new QToolButton(m_valueField);
    m_upButton->setArrowType(Qt::UpArrow);
    m_downButton = new QToolButton(m_valueField);
    m_downButton->setArrowType(Qt::DownArrow);
    for (QToolButton *button : {m_upButton, m_downButton}) {
        button->setFocusPolicy(Qt::NoFocus);
        button->setFixedWidth(16);
        button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored);
        button->hide();
        connect(button, &QToolButton::released, this, &NumericBox::endStepping);
    }
    connect(m_upButton, &QToolButton::pressed, this, &NumericBox::beginStepUp);
    connect(m_downButton, &QToolButton::pressed, this, &NumericBox::beginStepDown);

    auto *arrows = new QVBoxLayout;
    arrows->setContentsMargins(0, 0, 0, 0);
    arrows->setSpacing(0);
    arrows->addWidget(m_upButton);
    arrows->addWidget(m_downButton);
    auto *field = new QHBoxLayout(m_valueField);
    field->setContentsMargins(0, 0, 0, 0);
    field->setSpacing(0);
    field->addWidget(m_valueEdit);
    field->addWidget(m_infoLabel);
    field->addLayout(arrows);

    m_afterLabel = new QLabel(m_afterString, this);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    row->addWidget(m_captionLabel);
    row->addWidget(m_valueField);
    row->addWidget(m_afterLabel);
    row->addStretch();
    setWidths(kDefaultBeforeWidth, kDefaultValueWidth, kDefaultAfterWidth);
    setFocusProxy(m_valueEdit);

    connect(&m_repeatTimer, &QTimer::timeout, this, &NumericBox::repeatStep);

    retranslate();
    refreshText();
}

void NumericBox::commitTypedText()
{
    if (m_valueEdit->isModified())
        letValue(m_valueEdit->text());
}

int NumericBox::intValue() const
{
    const NumberRange whole = typeRange(NumericType::Int32);
    return static_cast<int>(std::lround(std::clamp(m_value, whole.minimum, whole.maximum)));
}

void NumericBox::setValue(double value) { storeValue(value); }

void NumericBox::setMinimum(double minimum)
{
    m_minimum = std::max(minimum, typeRange(m_type).minimum);
    refreshToolTip();
}

void NumericBox::setMaximum(double maximum)
{
    m_maximum = std::min(maximum, typeRange(m_type).maximum);
    refreshToolTip();
}

void NumericBox::setRange(double minimum, double maximum)
{
    setMinimum(minimum);
    setMaximum(maximum);
}

void NumericBox::setNumericType(NumericType type)
{
    m_type = type;
    setRange(m_minimum, m_maximum);
    setFormatString(m_format);
}

void NumericBox::setFormatString(const QString &format)
{
    m_format = effectiveFormat(m_type, format);
    refreshText();
    refreshToolTip();
}

QString NumericBox::beforeString() const { return m_beforeString.value_or(i18n::getString(text::ValueCaption)); }

void NumericBox::setBeforeString(const QString &text)
{
    m_beforeString = text;
    m_captionLabel->setText(text);
}

void NumericBox::setBeforeStringAlignment(Qt::Alignment alignment)
{
    m_captionLabel->setAlignment((alignment & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter);
}

void NumericBox::setAfterString(const QString &text)
{
    m_afterString = text;
    m_afterLabel->setText(text);
    refreshText();
}

void NumericBox::setInfoMode(bool on)
{
    m_infoMode = on;
    updateLayout();
}

void NumericBox::setUpDownVisible(bool on)
{
    m_upDownVisible = on;
    updateLayout();
}

void NumericBox::setUpDownIncrement(double step)
{
    m_increment = step;
    m_step = std::abs(step);
}

void NumericBox::setTimerInterval(int milliseconds) { m_timerInterval = std::max(0, milliseconds); }

void NumericBox::setAutoSelect(bool on) { m_autoSelect = on; }

void NumericBox::setWidths(int before, int value, int after)
{
    const auto apply = [](QWidget *part, int width) {
        if (width >= 0) {
            part->setFixedWidth(width);
        } else {
            part->setMinimumWidth(0);
            part->setMaximumWidth(QWIDGETSIZE_MAX);
        }
    };
    apply(m_captionLabel, before);
    apply(m_valueField, value);
    apply(m_afterLabel, after);
}

void NumericBox::setFocusNextWidget(QWidget *widget) { m_focusNext = widget; }

void NumericBox::setFocusBackWidget(QWidget *widget) { m_focusBack = widget; }

bool NumericBox::letValue(const QString &text, std::optional<double> newMinimum, std::optional<double> newMaximum)
{
    if (newMinimum)
        setMinimum(*newMinimum);
    if (newMaximum)
        setMaximum(*newMaximum);
    const std::optional<double> accepted = acceptableValue(text, m_minimum, m_maximum, m_type, QLocale());
    if (accepted)
        storeValue(*accepted);
    else
        QApplication::beep();
    // Refused input disappears: the box always ends showing the value it holds.
    refreshText();
    refreshToolTip();
    return accepted.has_value();
}

QString NumericBox::text() const { return m_valueEdit->text(); }

void NumericBox::beginStepUp() { beginStepping(1.0); }

void NumericBox::beginStepDown() { beginStepping(-1.0); }

void NumericBox::beginStepping(double sign)
{
    m_step = sign * std::abs(m_increment);
    // A first step that already reached a limit has nothing left to repeat.
    if (!makeStep() && m_timerInterval > 0)
        m_repeatTimer.start(kFirstRepeatDelay);
}

void NumericBox::endStepping()
{
    m_repeatTimer.stop();
    m_step = std::abs(m_increment);
}

void NumericBox::repeatStep()
{
    m_repeatTimer.setInterval(m_timerInterval);
    makeStep();
}

bool NumericBox::makeStep()
{
    const StepResult result = stepValue(m_value, m_step, m_minimum, m_maximum);
    if (result.atLimit)
        m_repeatTimer.stop();
    storeValue(result.value);
    return result.atLimit;
}

void NumericBox::storeValue(double value)
{
    if (isWholeNumberType(m_type))
        value = std::round(value);
    const bool changed = value != m_value;
    m_value = value;
    refreshText();
    if (changed) {
        Q_EMIT valueChanged(intValue());
        Q_EMIT decimalValueChanged(m_value);
    }
}

void NumericBox::refreshText()
{
    const QString shown = formatNumber(m_value, m_format, displayLocale());
    m_valueEdit->setText(shown);
    m_infoLabel->setText(m_afterString.isEmpty() ? shown : shown + u' ' + m_afterString);
}

void NumericBox::refreshToolTip()
{
    const QLocale locale = displayLocale();
    m_valueEdit->setToolTip(i18n::getString(text::ValidValuesPrefix) + formatNumber(m_minimum, m_format, locale) + u'-'
                            + formatNumber(m_maximum, m_format, locale));
}

void NumericBox::retranslate()
{
    m_captionLabel->setText(beforeString());
    refreshToolTip();
}

void NumericBox::updateLayout()
{
    m_valueEdit->setVisible(!m_infoMode);
    m_infoLabel->setVisible(m_infoMode);
    // The read-only display carries the unit itself.
    m_afterLabel->setVisible(!m_infoMode);
    m_upButton->setVisible(m_upDownVisible && !m_infoMode);
    m_downButton->setVisible(m_upDownVisible && !m_infoMode);
}

KeyContext NumericBox::keyContext() const
{
    KeyContext context;
    context.text = m_valueEdit->text();
    context.selectionStart =
        m_valueEdit->hasSelectedText() ? m_valueEdit->selectionStart() : m_valueEdit->cursorPosition();
    context.selectionLength = static_cast<int>(m_valueEdit->selectedText().size());
    context.minimum = m_minimum;
    context.type = m_type;
    context.formatString = m_format;
    context.separator = decimalSeparator(QLocale());
    return context;
}

void NumericBox::moveFocusTo(QWidget *target)
{
    if (!target || !target->isEnabled() || !target->isVisible())
        return;
    // Leaving with refused text keeps the focus here, as leaving by Tab does.
    if (!letValue(m_valueEdit->text()))
        return;
    target->setFocus(Qt::TabFocusReason);
}

bool NumericBox::handleKeyPress(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Down:
        if (!m_focusNext)
            return false;
        moveFocusTo(m_focusNext);
        return true;
    case Qt::Key_Up:
        if (!m_focusBack)
            return false;
        moveFocusTo(m_focusBack);
        return true;
    default:
        break;
    }
    // Shortcuts (copy, paste, undo) stay the edit box's; pasted text is checked when it is
    // confirmed like typed text.
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString typed = event->text();
    if (typed.size() != 1)
        return false;
    const QChar key = typed.at(0);
    if (!key.isPrint() && key != u'\r' && key != u'\b')
        return false;  // Tab, Delete, Escape: not characters of the number
    const bool keypadDecimal =
        (event->modifiers() & Qt::KeypadModifier) && (event->key() == Qt::Key_Period || event->key() == Qt::Key_Comma);
    const KeyContext context = keyContext();
    switch (filterKey(key, keypadDecimal, context)) {
    case KeyAction::Pass:
        return false;
    case KeyAction::Refuse:
        QApplication::beep();
        return true;
    case KeyAction::Replace:
        m_valueEdit->insert(QString(context.separator));
        return true;
    case KeyAction::Confirm:
        if (letValue(m_valueEdit->text()) && m_focusNext)
            moveFocusTo(m_focusNext);
        return true;
    }
    return false;
}

bool NumericBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_valueEdit)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress:
        return handleKeyPress(static_cast<QKeyEvent *>(event));
    case QEvent::FocusIn:
        // Queued: a mouse click that brought the focus would otherwise place the caret
        // after us and undo the selection.
        QMetaObject::invokeMethod(
            m_valueEdit,
            [edit = m_valueEdit, select = m_autoSelect] {
                if (select)
                    edit->selectAll();
                else
                    edit->end(false);
            },
            Qt::QueuedConnection);
        break;
    case QEvent::FocusOut: {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        // Qt cannot refuse a focus change, so refused text takes the focus back when the
        // user moved within the window; switching windows or opening a menu is left alone.
        if (!letValue(m_valueEdit->text())
            && (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::MouseFocusReason))
            QMetaObject::invokeMethod(m_valueEdit, qOverload<>(&QWidget::setFocus), Qt::QueuedConnection);
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void NumericBox::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

}  // namespace lumarc::gui
