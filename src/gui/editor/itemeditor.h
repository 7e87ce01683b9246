#pragma once

// The panel beside the grid that shows and edits the texts of one image: path, title,
// tooltip, link, link text and link target. It follows the grid's selection; what the user
// types stays in the fields until the window commits it (before anything reads or changes
// images), so that leaving an image without typing leaves its record unchanged.

#include "model/imageitem.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace lumarc::gui {

class ItemEditor : public QWidget {
    Q_OBJECT
public:
    explicit ItemEditor(QWidget *parent = nullptr);

    // Fills the panel: one selected image (item set) or `selectedCount` of them.
    void showItem(int selectedCount, const ImageItem *item);
    // Editing enabled and exactly one image shown: only then do the fields hold edits.
    bool isEditable() const;
    // The image as the fields show it, texts exactly as typed.
    ImageItem applyTo(ImageItem item) const;
    // The link address as the box shows it.
    QString url() const;

    // The drop-down list of the link box: the known addresses, in order.
    void setKnownUrls(const QStringList &urls);
    void addKnownUrl(const QString &url);
    // Enter in the tooltip field goes to the link box only while links go into the pages.
    void setImageLinksShown(bool shown) { m_imageLinksShown = shown; }
    void focusTitle();

    void retranslate();

Q_SIGNALS:
    void stepRequested(int direction);  // 0 previous, 1 next picture
    void editingToggled();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QGroupBox *m_frame;
    QLabel *m_labels[5];
    QLineEdit *m_pathEdit;
    QLineEdit *m_titleEdit;
    QLineEdit *m_tooltipEdit;
    QComboBox *m_urlCombo;
    QLineEdit *m_linkTextEdit;
    QRadioButton *m_newWindowOption;
    QRadioButton *m_sameWindowOption;
    QPushButton *m_previousButton;
    QPushButton *m_nextButton;
    QCheckBox *m_editingCheck;
    int m_selectedCount = 0;
    bool m_imageLinksShown = false;
};

}  // namespace lumarc::gui
