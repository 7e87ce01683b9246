#include "gui/dialogs/aboutdialog.h"

#include "generator/pagewriter.h"
#include "i18n/strings.h"

#include <QDesktopServices>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace lumarc::gui {
namespace {

QString linkHtml(const QString &address, const QString &text)
{
    return QStringLiteral("<a href=\"%1\">%2</a>").arg(address.toHtmlEscaped(), text.toHtmlEscaped());
}

QLabel *linkLabel(const QString &html, QWidget *parent)
{
    auto *label = new QLabel(html, parent);
    label->setTextFormat(Qt::RichText);
    // Opened by us rather than by the label, so that every link goes one way.
    label->setOpenExternalLinks(false);
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    return label;
}

}  // namespace

QList<LibraryCredit> libraryCredits()
{
    return {
        {QStringLiteral("Qt"), QStringLiteral("LGPL v3"), QStringLiteral("https://www.qt.io/")},
        {QStringLiteral("libvips"), QStringLiteral("LGPL 2.1+"), QStringLiteral("https://www.libvips.org/")},
        {QStringLiteral("Prototype"), QStringLiteral("MIT"), QStringLiteral("http://prototypejs.org/")},
        {QStringLiteral("script.aculo.us"), QStringLiteral("MIT"), QStringLiteral("https://script.aculo.us/")},
    };
}

AboutDialog::AboutDialog(QWidget *parent) : QDialog(parent)
{
    m_productLabel = new QLabel(QStringLiteral("Lumarc v." LUMARC_VERSION "."), this);
    QFont productFont = m_productLabel->font();
    productFont.setBold(true);
    m_productLabel->setFont(productFont);
    m_termsLabel = new QLabel(this);
    m_termsLabel->setWordWrap(true);
    m_imagingLabel = new QLabel(this);
    m_imagingLabel->setWordWrap(true);

    // Names and licences are the projects' own and stay untranslated.
    auto *credits = new QGridLayout;
    credits->setHorizontalSpacing(16);
    int row = 0;
    for (const LibraryCredit &credit : libraryCredits()) {
        QLabel *name = linkLabel(linkHtml(credit.homePage, credit.name), this);
        connect(name, &QLabel::linkActivated, this, &AboutDialog::openLink);
        credits->addWidget(name, row, 0);
        credits->addWidget(new QLabel(credit.licence, this), row, 1);
        ++row;
    }

    m_homePageLabel = linkLabel(QString(), this);
    connect(m_homePageLabel, &QLabel::linkActivated, this, &AboutDialog::openLink);

    m_closeButton = new QPushButton(this);
    m_closeButton->setDefault(true);
    connect(m_closeButton, &QPushButton::clicked, this, &QDialog::accept);
    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(m_closeButton);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_productLabel);
    layout->addWidget(m_termsLabel);
    layout->addSpacing(8);
    layout->addWidget(m_imagingLabel);
    layout->addLayout(credits);
    layout->addSpacing(8);
    layout->addWidget(m_homePageLabel);
    layout->addLayout(buttonRow);
    retranslate();
}

void AboutDialog::retranslate()
{
    setWindowTitle(i18n::getString(text::AboutTitle));
    m_termsLabel->setText(i18n::getString(text::AboutTerms));
    m_imagingLabel->setText(i18n::getString(text::AboutImaging));
    m_homePageLabel->setText(linkHtml(QLatin1String(kHomePageAddress), i18n::getString(text::HomePageLink)));
    m_closeButton->setText(i18n::getString(text::CloseButton));
}

void AboutDialog::openLink(const QString &address) { QDesktopServices::openUrl(QUrl(address)); }

void AboutDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

}  // namespace lumarc::gui
