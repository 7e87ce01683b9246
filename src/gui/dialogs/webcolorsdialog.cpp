#include "gui/dialogs/webcolorsdialog.h"

#include "colour/colour.h"
#include "gui/controls/colourbutton.h"
#include "i18n/strings.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace lumarc::gui {

namespace {

// The fields keep the proportions the palette has always had: 1335 x 255 twips with a
// 25-twip gap, at 15 twips to the pixel.
constexpr int kFieldWidth = 89;
constexpr int kFieldHeight = 17;
constexpr int kFieldGap = 2;

const char *const kFieldIndex = "lumarcFieldIndex";

}  // namespace

QStringList webColorTable()
{
    static const char *const steps[] = {"00", "33", "66", "99", "CC", "FF"};
    QStringList table;
    table.reserve(WebColorsDialog::kFieldCount);
    for (int n = 0; n < WebColorsDialog::kFieldCount; ++n) {
        table.append(QLatin1String(steps[n / 36]) + QLatin1String(steps[(n / 6) % 6]) + QLatin1String(steps[n % 6]));
    }
    return table;
}

WebColorsDialog::WebColorsDialog(QWidget *parent) : QDialog(parent)
{
    m_gridWidget = new QWidget;
    m_grid = new QGridLayout(m_gridWidget);
    m_grid->setSpacing(kFieldGap);
    m_grid->setContentsMargins(kFieldGap, kFieldGap, kFieldGap, kFieldGap);
    buildGrid();

    auto *scroller = new QScrollArea(this);
    scroller->setWidget(m_gridWidget);
    scroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Wide enough for the six columns; the height follows the screen (see chooseColor()).
    scroller->setMinimumWidth(m_gridWidget->sizeHint().width() + 2 * scroller->frameWidth()
                              + scroller->verticalScrollBar()->sizeHint().width());

    m_sample = new QLabel(this);
    m_sample->setObjectName(QStringLiteral("sample"));
    m_sample->setAlignment(Qt::AlignCenter);
    m_sample->setMinimumSize(kFieldWidth, kFieldHeight + 6);
    m_sample->setFrameShape(QFrame::Box);
    pickField(1);

    auto *buttons = new QDialogButtonBox(this);
    m_okButton = buttons->addButton(QString(), QDialogButtonBox::AcceptRole);
    m_okButton->setDefault(true);
    m_cancelButton = buttons->addButton(QString(), QDialogButtonBox::RejectRole);
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_sample);
    bottom->addStretch();
    bottom->addWidget(buttons);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(scroller, 1);
    layout->addLayout(bottom);
    retranslate();
}

void WebColorsDialog::buildGrid()
{
    const QStringList table = webColorTable();
    for (int k = 1; k <= kFieldCount; ++k) {
        const int row = (k - 1) / kColumns + 1;
        const int column = (k - 1) % kColumns + 1;
        const QString &entry = table.at(k - 1);
        auto *field = new QLabel(entry, m_gridWidget);
        field->setObjectName(QStringLiteral("field%1").arg(k));
        field->setFixedSize(kFieldWidth, kFieldHeight);
        field->setAlignment(Qt::AlignCenter);
        field->setToolTip(entry);
        field->setProperty(kFieldIndex, k);
        field->setCursor(Qt::PointingHandCursor);
        // Each red step runs through six green steps, one row each: the darker half
        // (green 00, 33, 66) gets white text.
        const bool darkRow = (row - 1) % 6 < 3;
        paintLabel(field, toQColor(colour::hexToColor(entry)), darkRow ? Qt::white : Qt::black);
        field->installEventFilter(this);
        m_grid->addWidget(field, row - 1, column - 1);
        m_fields.append(field);
    }
}

QLabel *WebColorsDialog::field(int k) const { return k >= 1 && k <= m_fields.size() ? m_fields.at(k - 1) : nullptr; }

void WebColorsDialog::pickField(int k)
{
    const QLabel *source = field(k);
    if (!source)
        return;
    paintLabel(m_sample, source->palette().color(QPalette::Window), source->palette().color(QPalette::WindowText));
    m_sample->setText(source->text());
}

bool WebColorsDialog::chooseColor(const QString &caption, qint32 &colour)
{
    m_caption = caption;
    retranslate();

    // The whole grid when the screen has room for it, otherwise as much as fits.
    const QScreen *screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QSize wanted =
            sizeHint().expandedTo(QSize(0, m_gridWidget->sizeHint().height() + m_okButton->sizeHint().height() * 3));
        resize(wanted.boundedTo(screen->availableGeometry().size() * 9 / 10));
    }

    if (exec() != QDialog::Accepted)
        return false;
    colour = colourNumber(m_sample->palette().color(QPalette::Window));
    return true;
}

void WebColorsDialog::retranslate()
{
    setWindowTitle(m_caption.isEmpty() ? i18n::getString(text::SelectColourTitle) : m_caption);
    m_okButton->setText(i18n::getString(text::OkButton));
    m_cancelButton->setText(i18n::getString(text::ColourCancelButton));
}

void WebColorsDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

bool WebColorsDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        auto *label = qobject_cast<QLabel *>(watched);
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const QVariant index = watched->property(kFieldIndex);
        // A click is a left press released over the same field.
        if (label && index.isValid() && mouse->button() == Qt::LeftButton
            && label->rect().contains(mouse->position().toPoint())) {
            pickField(index.toInt());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace lumarc::gui
