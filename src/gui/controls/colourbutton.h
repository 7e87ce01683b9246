#pragma once

// A push button whose whole face shows one colour, used by the settings dialog for every
// colour of the gallery. It holds the colour as a colour number (red + 256 * green +
// 65536 * blue); opening the colour dialog on a click is the owner's business.

#include <QColor>
#include <QPushButton>

#include <optional>

class QLabel;

namespace lumarc::gui {

// A colour number (bits 0-7 red, 8-15 green, 16-23 blue; higher bits ignored) as a QColor.
QColor toQColor(qint32 colour);
// The colour number of a QColor's red, green and blue.
qint32 colourNumber(const QColor &colour);

// Fills a label's background with `background` and, when given, sets its text colour: the
// colour fields, samples and swatches of the colour dialogs.
void paintLabel(QLabel *label, const QColor &background, const std::optional<QColor> &text = std::nullopt);

class ColourButton : public QPushButton {
    Q_OBJECT

public:
    explicit ColourButton(QWidget *parent = nullptr);

    qint32 colour() const { return m_colour; }
    // Repaints the face; emits colourChanged() only when the colour differs.
    void setColour(qint32 colour);

Q_SIGNALS:
    void colourChanged(qint32 colour);

private:
    void updateFace();

    qint32 m_colour = 0;
};

}  // namespace lumarc::gui
