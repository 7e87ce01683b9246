#pragma once

// The about box the main window opens from its help menu: product and version, the terms
// of use, the libraries the program and its galleries are built on with their licences,
// and the product's home page. Links open in the system's web browser.

#include <QDialog>
#include <QList>
#include <QString>

class QLabel;
class QPushButton;

namespace lumarc::gui {

struct LibraryCredit {
    QString name;
    QString licence;
    QString homePage;
};

// Qt and libvips in the program, Prototype and script.aculo.us in every gallery.
QList<LibraryCredit> libraryCredits();

class AboutDialog : public QDialog {
    Q_OBJECT

public:
    explicit AboutDialog(QWidget *parent = nullptr);

public Q_SLOTS:
    void retranslate();
    // Opens the address in the system's web browser.
    void openLink(const QString &address);

protected:
    void changeEvent(QEvent *event) override;

private:
    QLabel *m_productLabel = nullptr;
    QLabel *m_termsLabel = nullptr;
    QLabel *m_imagingLabel = nullptr;
    QLabel *m_homePageLabel = nullptr;
    QPushButton *m_closeButton = nullptr;
};

}  // namespace lumarc::gui
