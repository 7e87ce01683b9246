#include "gui/controls/colourbutton.h"

#include "colour/colour.h"

#include <QLabel>

namespace lumarc::gui {

QColor toQColor(qint32 colour) { return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF); }

qint32 colourNumber(const QColor &colour)
{
    const QColor rgb = colour.toRgb();
    return rgb.red() + 256 * rgb.green() + 65536 * rgb.blue();
}

void paintLabel(QLabel *label, const QColor &background, const std::optional<QColor> &text)
{
    QPalette colours = label->palette();
    colours.setColor(QPalette::Window, background);
    if (text)
        colours.setColor(QPalette::WindowText, *text);
    label->setPalette(colours);
    label->setAutoFillBackground(true);
}

ColourButton::ColourButton(QWidget *parent) : QPushButton(parent) { updateFace(); }

void ColourButton::setColour(qint32 colour)
{
    if (colour == m_colour)
        return;
    m_colour = colour;
    updateFace();
    Q_EMIT colourChanged(m_colour);
}

void ColourButton::updateFace()
{
    // A style sheet rather than the palette: most styles draw a gradient or ignore the
    // button colour, and the face has to show the exact colour the gallery will use. The
    // border keeps a white button visible on a light dialog.
    const QString hex = colour::colorToHex(m_colour);
    setStyleSheet(QStringLiteral("QPushButton { background-color: %1; border: 1px solid #808080; padding: 3px; }"
                                 "QPushButton:focus { border: 1px dotted #000000; }"
                                 "QPushButton:pressed { border: 2px solid #404040; }")
                      .arg(hex));
}

}  // namespace lumarc::gui
