#include "gui/dialogs/hexacolordialog.h"

#include "gui/controls/colourbutton.h"
#include "gui/dialogs/webcolorsdialog.h"
#include "i18n/strings.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>

namespace lumarc::gui {

namespace {

constexpr int kSwatchSize = 16;

QString componentCaption(int i)
{
    switch (i) {
    case 0:
        return i18n::getString(text::RedCaption);
    case 1:
        return i18n::getString(text::GreenCaption);
    default:
        return i18n::getString(text::BlueCaption);
    }
}

// " R: #A": the caption, " #" and the component in upper-case hexadecimal without leading zeros.
QString componentText(const QString &caption, int value)
{
    return caption + QStringLiteral(" #") + QString::number(value, 16).toUpper();
}

}  // namespace

HexaColorDialog::HexaColorDialog(QWidget *parent)
    : QDialog(parent),
      systemColourPicker([](const QColor &initial, QWidget *owner) { return QColorDialog::getColor(initial, owner); })
{
    auto *sliders = new QGridLayout;
    for (int i = 0; i < 3; ++i) {
        m_sliders[i] = new QSlider(Qt::Horizontal, this);
        m_sliders[i]->setRange(0, 255);
        m_sliders[i]->setPageStep(16);
        m_sliders[i]->setMinimumWidth(256);
        m_componentLabels[i] = new QLabel(this);
        // Room for the widest reading, so the sliders do not shift while dragging.
        m_componentLabels[i]->setMinimumWidth(m_componentLabels[i]->fontMetrics().horizontalAdvance(
            componentText(componentCaption(i), 0xFF) + QStringLiteral("  ")));
        connect(m_sliders[i], &QSlider::valueChanged, this, &HexaColorDialog::showColour);
        sliders->addWidget(m_componentLabels[i], i, 0);
        sliders->addWidget(m_sliders[i], i, 1);
    }

    m_sample = new QLabel(this);
    m_sample->setObjectName(QStringLiteral("sample"));
    m_sample->setFrameShape(QFrame::Box);
    m_sample->setMinimumSize(64, 48);
    paintLabel(m_sample, Qt::black);

    m_blackSwatch = new QLabel(this);
    m_blackSwatch->setObjectName(QStringLiteral("blackSwatch"));
    m_whiteSwatch = new QLabel(this);
    m_whiteSwatch->setObjectName(QStringLiteral("whiteSwatch"));
    for (QLabel *swatch : {m_blackSwatch, m_whiteSwatch}) {
        swatch->setFixedSize(kSwatchSize, kSwatchSize);
        swatch->setFrameShape(QFrame::Box);
        swatch->setCursor(Qt::PointingHandCursor);
        swatch->installEventFilter(this);
    }
    paintLabel(m_blackSwatch, Qt::black);
    paintLabel(m_whiteSwatch, Qt::white);

    m_systemButton = new QPushButton(this);
    m_systemButton->setObjectName(QStringLiteral("systemColourButton"));
    m_systemButton->setAutoDefault(false);
    m_webButton = new QPushButton(this);
    m_webButton->setObjectName(QStringLiteral("webColourButton"));
    m_webButton->setAutoDefault(false);
    connect(m_systemButton, &QPushButton::clicked, this, &HexaColorDialog::chooseSystemColour);
    connect(m_webButton, &QPushButton::clicked, this, &HexaColorDialog::chooseWebColour);

    auto *buttons = new QDialogButtonBox(this);
    m_okButton = buttons->addButton(QString(), QDialogButtonBox::AcceptRole);
    m_okButton->setObjectName(QStringLiteral("okButton"));
    m_okButton->setDefault(true);
    m_cancelButton = buttons->addButton(QString(), QDialogButtonBox::RejectRole);
    m_cancelButton->setObjectName(QStringLiteral("cancelButton"));
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *swatches = new QVBoxLayout;
    swatches->addWidget(m_blackSwatch);
    swatches->addWidget(m_whiteSwatch);
    swatches->addStretch();

    auto *top = new QHBoxLayout;
    top->addLayout(sliders, 1);
    top->addWidget(m_sample);
    top->addLayout(swatches);

    auto *choosers = new QHBoxLayout;
    choosers->addWidget(m_systemButton);
    choosers->addWidget(m_webButton);
    choosers->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(choosers);
    layout->addWidget(buttons);

    showColour();
    retranslate();
}

bool HexaColorDialog::doModal(const QString &caption, qint32 &colour, const QPoint &topLeft)
{
    setColour(colour);
    m_caption = caption;
    retranslate();

    adjustSize();
    QPoint position = topLeft;
    const QScreen *screen = QGuiApplication::screenAt(topLeft);
    if (!screen)
        screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        // The caller's point may lie near an edge; the whole dialog has to stay reachable.
        const QRect area = screen->availableGeometry();
        position.setX(std::clamp(position.x(), area.left(), std::max(area.left(), area.right() - width() + 1)));
        position.setY(std::clamp(position.y(), area.top(), std::max(area.top(), area.bottom() - height() + 1)));
    }
    move(position);

    if (exec() != QDialog::Accepted)
        return false;
    colour = this->colour();
    return true;
}

qint32 HexaColorDialog::colour() const
{
    return colourNumber(QColor(m_sliders[0]->value(), m_sliders[1]->value(), m_sliders[2]->value()));
}

void HexaColorDialog::setColour(qint32 colour)
{
    const QColor rgb = toQColor(colour);
    // Each slider redraws on its own change; the last one leaves the labels and sample right.
    m_sliders[0]->setValue(rgb.red());
    m_sliders[1]->setValue(rgb.green());
    m_sliders[2]->setValue(rgb.blue());
}

QSlider *HexaColorDialog::slider(int i) const { return i >= 0 && i < 3 ? m_sliders[i] : nullptr; }

QLabel *HexaColorDialog::componentLabel(int i) const { return i >= 0 && i < 3 ? m_componentLabels[i] : nullptr; }

WebColorsDialog *HexaColorDialog::webPalette()
{
    if (!m_palette)
        m_palette = new WebColorsDialog(this);
    return m_palette;
}

void HexaColorDialog::chooseSystemColour()
{
    const QColor chosen = systemColourPicker ? systemColourPicker(toQColor(colour()), this) : QColor();
    if (chosen.isValid())
        setColour(colourNumber(chosen));
}

void HexaColorDialog::chooseWebColour()
{
    qint32 chosen = colour();
    if (webPalette()->chooseColor(windowTitle(), chosen))
        setColour(chosen);
}

void HexaColorDialog::showColour()
{
    for (int i = 0; i < 3; ++i)
        m_componentLabels[i]->setText(componentText(componentCaption(i), m_sliders[i]->value()));
    paintLabel(m_sample, toQColor(colour()));
}

void HexaColorDialog::retranslate()
{
    setWindowTitle(m_caption.isEmpty() ? i18n::getString(text::RgbDialogTitle) : m_caption);
    m_blackSwatch->setToolTip(i18n::getString(text::SetBlackColourTip));
    m_whiteSwatch->setToolTip(i18n::getString(text::SetWhiteColourTip));
    m_systemButton->setText(i18n::getString(text::ChooseSystemColourButton));
    m_webButton->setText(i18n::getString(text::ChooseWebColourButton));
    m_okButton->setText(i18n::getString(text::OkButton));
    m_cancelButton->setText(i18n::getString(text::ColourCancelButton));
    showColour();
}

void HexaColorDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

bool HexaColorDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease && (watched == m_blackSwatch || watched == m_whiteSwatch)) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton
            && static_cast<QWidget *>(watched)->rect().contains(mouse->position().toPoint())) {
            setColour(watched == m_blackSwatch ? 0x000000 : 0xFFFFFF);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace lumarc::gui
