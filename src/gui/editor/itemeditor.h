#pragma once

// The panel beside the grid that shows and edits the texts of one image: path, title,
// tooltip, link, link text and link target. It shows the row the window names and follows
// the document's changes of it; what the user types goes into the document as it is typed,
// one undo step per field edit.

#include "gui/editor/projectdocument.h"

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

    void setDocument(ProjectDocument *document);
    // Fills the panel: `row` when exactly one image is selected, else `selectedCount` of them.
    void showRow(int selectedCount, int row);
    // Editing enabled and exactly one image shown.
    bool isEditable() const;

    // The drop-down list of the link box: the known addresses, in order.
    void setKnownUrls(const QStringList &urls);
    void addKnownUrl(const QString &url);
    // Enter in the tooltip field goes to the link box only while links go into the pages.
    void setImageLinksShown(bool shown) { m_imageLinksShown = shown; }
    void focusTitle();

    void retranslate();

Q_SIGNALS:
    void stepRequested(int direction);  // 0 previous, 1 next picture
    // An address the user finished typing or chose, for the known addresses.
    void urlEntered(const QString &url);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void fill();
    void edit(ProjectDocument::Field field, const QVariant &value);

    ProjectDocument *m_document = nullptr;
    int m_row = -1;
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
