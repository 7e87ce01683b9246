#pragma once

// The link verifier: lists every image file and every link of the open project, with the
// parent-page link and the two background images of the settings, and checks whether each
// can be reached. Local files are looked up at once, web addresses are loaded a few at a
// time while the window stays usable. The user can correct a page link in place, which
// changes the project at once, and sets the base against which relative links resolve.
// The main window creates one for each opening and discards it afterwards.

#include "verify/linkchecker.h"

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace lumarc {
class UrlCollection;
}

namespace lumarc::gui {

class ProjectDocument;

class VerifyLinksDialog : public QDialog {
    Q_OBJECT

public:
    // The dialog edits the document's links and link base and adds edited addresses to
    // `urls`; both must outlive it.
    VerifyLinksDialog(ProjectDocument &document, UrlCollection &urls, QWidget *parent = nullptr);

    bool isBusy() const { return m_checker.isRunning(); }
    QTreeWidget *list() const { return m_list; }
    QLineEdit *baseBox() const { return m_baseBox; }
    QPushButton *verifyButton() const { return m_verifyButton; }
    QPushButton *stopButton() const { return m_stopButton; }
    QPushButton *editButton() const { return m_editButton; }
    QPushButton *closeButton() const { return m_closeButton; }
    // The status of a row as checked last.
    verify::LinkStatus status(int row) const;

    // What the user can type for an edited link; the default opens the link box.
    std::function<bool(QWidget *parent, QString &text, UrlCollection &urls)> askUrl;

public Q_SLOTS:
    void startVerifying();
    void stopVerifying();
    void editCurrentRow();
    void retranslate();

Q_SIGNALS:
    void verifyingFinished(bool stopped);

protected:
    void done(int result) override;
    void changeEvent(QEvent *event) override;

private:
    void fillList();
    void showStatus(int row, verify::LinkStatus status);
    void refreshButtons();
    static QString stepName();
    void storeBase();

    ProjectDocument &m_document;
    UrlCollection &m_urls;
    verify::LinkChecker m_checker;
    QList<verify::LinkRow> m_rows;
    QTreeWidget *m_list = nullptr;
    QLabel *m_baseLabel = nullptr;
    QLineEdit *m_baseBox = nullptr;
    QPushButton *m_verifyButton = nullptr;
    QPushButton *m_stopButton = nullptr;
    QPushButton *m_editButton = nullptr;
    QPushButton *m_closeButton = nullptr;
    QProgressBar *m_progress = nullptr;
};

}  // namespace lumarc::gui
