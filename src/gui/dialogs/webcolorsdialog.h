#pragma once

// The palette of the 216 web-safe colours, opened from the RGB colour dialog's
// "Choose HTML color..." button. A grid of colour fields; the last field clicked is shown
// in the sample, and OK hands the sample's colour back to the caller.

#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>

class QGridLayout;
class QLabel;
class QPushButton;

namespace lumarc::gui {

// The 216 colours as six upper-case hexadecimal digits without "#", blue changing fastest
// and red slowest over the steps 00, 33, 66, 99, CC, FF: "000000", "000033", ..., "FFFFFF".
QStringList webColorTable();

class WebColorsDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int kFieldCount = 216;
    static constexpr int kColumns = 6;

    explicit WebColorsDialog(QWidget *parent = nullptr);

    // Shows the palette modally with `caption` as its title. Only OK writes the sample's
    // colour to `colour` and returns true; Cancel and the close box leave it untouched.
    bool chooseColor(const QString &caption, qint32 &colour);

    // Field k (1 to 216) shows table entry k - 1.
    QLabel *field(int k) const;
    QLabel *sample() const { return m_sample; }
    QPushButton *okButton() const { return m_okButton; }
    QPushButton *cancelButton() const { return m_cancelButton; }

public Q_SLOTS:
    void retranslate();
    // Copies the field's background, text colour and caption to the sample.
    void pickField(int k);

protected:
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildGrid();

    QWidget *m_gridWidget = nullptr;
    QGridLayout *m_grid = nullptr;
    QList<QLabel *> m_fields;  // index k - 1
    QLabel *m_sample = nullptr;
    QPushButton *m_okButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
    QString m_caption;  // the caller's; empty: the default caption
};

}  // namespace lumarc::gui
