#pragma once

// The RGB colour dialog behind every colour button of the settings dialog: three sliders
// for red, green and blue, a sample, black and white shortcuts, the system colour dialog
// and the web colour palette. The settings dialog keeps one and shows it again for each
// button.

#include <QColor>
#include <QDialog>
#include <QPoint>
#include <QString>

#include <array>
#include <functional>

class QLabel;
class QPushButton;
class QSlider;

namespace lumarc::gui {

class WebColorsDialog;

class HexaColorDialog : public QDialog {
    Q_OBJECT

public:
    explicit HexaColorDialog(QWidget *parent = nullptr);

    // Shows the dialog modally with `caption` as its title, its top-left corner at `topLeft`
    // (screen coordinates, pulled onto the available screen) and `colour` as the starting
    // colour. Only OK writes the chosen colour number to `colour` and returns true.
    bool doModal(const QString &caption, qint32 &colour, const QPoint &topLeft);

    // The colour of the three sliders as a colour number.
    qint32 colour() const;
    void setColour(qint32 colour);

    // i: 0 red, 1 green, 2 blue.
    QSlider *slider(int i) const;
    QLabel *componentLabel(int i) const;
    QLabel *sample() const { return m_sample; }
    QLabel *blackSwatch() const { return m_blackSwatch; }
    QLabel *whiteSwatch() const { return m_whiteSwatch; }
    QPushButton *systemColourButton() const { return m_systemButton; }
    QPushButton *webColourButton() const { return m_webButton; }
    QPushButton *okButton() const { return m_okButton; }
    QPushButton *cancelButton() const { return m_cancelButton; }
    // The one palette of this dialog, created on first use.
    WebColorsDialog *webPalette();

    // Asks the system colour dialog; an invalid colour means it was cancelled. Tests put
    // their own answer here, since the system dialog may not be a Qt widget.
    std::function<QColor(const QColor &initial, QWidget *parent)> systemColourPicker;

public Q_SLOTS:
    void retranslate();
    void chooseSystemColour();
    void chooseWebColour();

protected:
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showColour();

    std::array<QSlider *, 3> m_sliders{};
    std::array<QLabel *, 3> m_componentLabels{};
    QLabel *m_sample = nullptr;
    QLabel *m_blackSwatch = nullptr;
    QLabel *m_whiteSwatch = nullptr;
    QPushButton *m_systemButton = nullptr;
    QPushButton *m_webButton = nullptr;
    QPushButton *m_okButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
    WebColorsDialog *m_palette = nullptr;
    QString m_caption;  // the caller's; empty: the default caption
};

}  // namespace lumarc::gui
