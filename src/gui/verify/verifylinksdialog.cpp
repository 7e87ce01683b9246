#include "gui/verify/verifylinksdialog.h"

#include "gui/dialogs/inputdialog.h"
#include "gui/editor/projectdocument.h"
#include "i18n/strings.h"
#include "model/urlcollection.h"

#include <QBrush>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace lumarc::gui {

using i18n::getString;
using verify::LinkStatus;
using verify::RowKind;

namespace {

enum Column { kObjectColumn = 0, kAddressColumn = 1, kStatusColumn = 2 };

const QColor kProblemColour(176, 0, 0);

// The word of an image row follows the language; link rows always read "url".
QString kindText(RowKind kind)
{
    return kind == RowKind::Image ? getString(text::ImageRowKind) : QStringLiteral("url");
}

}  // namespace

VerifyLinksDialog::VerifyLinksDialog(ProjectDocument &document, UrlCollection &urls, QWidget *parent)
    : QDialog(parent), m_document(document), m_urls(urls)
{
    setObjectName(QStringLiteral("frmVerifyLinks"));
    askUrl = [](QWidget *owner, QString &text, UrlCollection &known) {
        return InputDialog::editUrl(owner, text, known);
    };

    m_list = new QTreeWidget;
    m_list->setObjectName(QStringLiteral("ListView1"));
    m_list->setColumnCount(3);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->header()->setStretchLastSection(false);
    m_list->header()->setSectionResizeMode(kAddressColumn, QHeaderView::Stretch);
    m_list->setColumnWidth(kObjectColumn, 60);
    m_list->setColumnWidth(kStatusColumn, 190);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &VerifyLinksDialog::editCurrentRow);

    m_baseLabel = new QLabel;
    m_baseBox = new QLineEdit;
    m_baseBox->setObjectName(QStringLiteral("txtBaseUrl"));
    m_baseLabel->setBuddy(m_baseBox);

    m_verifyButton = new QPushButton;
    m_stopButton = new QPushButton;
    m_editButton = new QPushButton;
    m_closeButton = new QPushButton;
    connect(m_verifyButton, &QPushButton::clicked, this, &VerifyLinksDialog::startVerifying);
    connect(m_stopButton, &QPushButton::clicked, this, &VerifyLinksDialog::stopVerifying);
    connect(m_editButton, &QPushButton::clicked, this, &VerifyLinksDialog::editCurrentRow);
    connect(m_closeButton, &QPushButton::clicked, this, &QDialog::accept);
    m_verifyButton->setDefault(true);
    m_stopButton->hide();
    // How far a long run is; web addresses can take seconds each.
    m_progress = new QProgressBar;
    m_progress->setTextVisible(false);
    m_progress->setMaximumWidth(160);
    m_progress->hide();

    auto *base = new QHBoxLayout;
    base->addWidget(m_baseLabel);
    base->addWidget(m_baseBox, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_verifyButton);
    buttons->addWidget(m_stopButton);
    buttons->addWidget(m_progress);
    buttons->addWidget(m_editButton);
    buttons->addStretch();
    buttons->addWidget(m_closeButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(base);
    layout->addLayout(buttons);
    resize(760, 460);

    connect(&m_checker, &verify::LinkChecker::rowChecked, this, [this](int row, LinkStatus status) {
        showStatus(row, status);
        m_progress->setValue(m_progress->value() + 1);
    });
    connect(&m_checker, &verify::LinkChecker::finished, this, [this](bool stopped) {
        refreshButtons();
        Q_EMIT verifyingFinished(stopped);
    });

    retranslate();
    fillList();
}

void VerifyLinksDialog::fillList()
{
    m_rows = verify::collectRows(m_document.project());
    m_list->setUpdatesEnabled(false);
    m_list->clear();
    QList<QTreeWidgetItem *> items;
    items.reserve(m_rows.size());
    for (const verify::LinkRow &row : std::as_const(m_rows)) {
        auto *item = new QTreeWidgetItem;
        item->setText(kObjectColumn, kindText(row.kind));
        item->setText(kAddressColumn, row.address);
        item->setToolTip(kAddressColumn, row.address);
        item->setText(kStatusColumn, verify::statusText(row.status));
        items.append(item);
    }
    m_list->addTopLevelItems(items);
    m_list->setUpdatesEnabled(true);
    m_baseBox->setText(m_document.settings().linkBase);
    refreshButtons();
}

LinkStatus VerifyLinksDialog::status(int row) const
{
    return row >= 0 && row < m_rows.size() ? m_rows.at(row).status : LinkStatus::NotVerified;
}

void VerifyLinksDialog::showStatus(int row, LinkStatus status)
{
    if (row < 0 || row >= m_rows.size())
        return;
    m_rows[row].status = status;
    QTreeWidgetItem *item = m_list->topLevelItem(row);
    item->setText(kStatusColumn, verify::statusText(status));
    // What is missing stands out in a long list.
    item->setForeground(kStatusColumn, verify::isProblem(status) ? QBrush(kProblemColour) : QBrush());
}

// The name of the undo steps of the links changed here.
QString VerifyLinksDialog::stepName() { return getString(text::ChangeLinksStep); }

void VerifyLinksDialog::storeBase()
{
    GallerySettings settings = m_document.settings();
    settings.linkBase = m_baseBox->text();
    m_document.setSettings(settings, stepName());
}

void VerifyLinksDialog::startVerifying()
{
    if (isBusy())
        return;
    // Project files carry bases written on Windows; links resolve with "/".
    m_baseBox->setText(verify::linkBaseForChecks(m_baseBox->text()));
    storeBase();
    for (int row = 0; row < m_rows.size(); ++row)
        showStatus(row, LinkStatus::NotVerified);
    m_progress->setRange(0, int(m_rows.size()));
    m_progress->setValue(0);
    m_checker.start(m_rows, m_baseBox->text());
    refreshButtons();
}

void VerifyLinksDialog::stopVerifying() { m_checker.stop(); }

void VerifyLinksDialog::refreshButtons()
{
    const bool busy = isBusy();
    m_verifyButton->setEnabled(!busy);
    m_editButton->setEnabled(!busy);
    m_closeButton->setEnabled(!busy);
    m_baseBox->setReadOnly(busy);
    m_stopButton->setVisible(busy);
    m_progress->setVisible(busy);
}

// Only page links are edited here: they are the ones a relative base can break.
void VerifyLinksDialog::editCurrentRow()
{
    if (isBusy())
        return;
    QTreeWidgetItem *item = m_list->currentItem();
    const int row = item ? m_list->indexOfTopLevelItem(item) : -1;
    if (row < 0 || m_rows.at(row).kind != RowKind::Url || !verify::isHtmlPage(m_rows.at(row).address))
        return;
    QString address = m_rows.at(row).address;
    if (!askUrl(this, address, m_urls))
        return;
    const verify::LinkRow &edited = m_rows.at(row);
    if (edited.imageIndex < 0) {
        GallerySettings settings = m_document.settings();
        settings.parentPageUrl = address;
        m_document.setSettings(settings, stepName());
    } else {
        m_document.changeImages(
            {edited.imageIndex}, [&address](ImageItem &image) { image.url = address; }, stepName());
    }
    m_urls.add(address);
    m_rows[row].address = address;
    item->setText(kAddressColumn, address);
    item->setToolTip(kAddressColumn, address);
    showStatus(row, LinkStatus::NotVerified);
}

// Every way of closing ends here (the close box too, through reject()); while checks run,
// the dialog stays open.
void VerifyLinksDialog::done(int result)
{
    if (isBusy())
        return;
    // The base is kept however the dialog closes, so that a typed base is never lost.
    storeBase();
    QDialog::done(result);
}

void VerifyLinksDialog::retranslate()
{
    setWindowTitle(getString(text::VerifyLinksTitle));
    m_list->setHeaderLabels({getString(text::ObjectColumn), getString(text::LinkToTip), getString(text::StatusColumn)});
    m_baseLabel->setText(getString(text::LinkBaseCaption));
    m_verifyButton->setText(getString(text::VerifyLinksButton));
    m_stopButton->setText(getString(text::StopVerifyingButton));
    m_editButton->setText(getString(text::EditUrlButton));
    m_editButton->setToolTip(getString(text::EditCurrentRowTip));
    m_closeButton->setText(getString(text::CloseButton));
    for (int row = 0; row < m_list->topLevelItemCount() && row < m_rows.size(); ++row) {
        QTreeWidgetItem *item = m_list->topLevelItem(row);
        item->setText(kObjectColumn, kindText(m_rows.at(row).kind));
        item->setText(kStatusColumn, verify::statusText(m_rows.at(row).status));
    }
}

void VerifyLinksDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

}  // namespace lumarc::gui
