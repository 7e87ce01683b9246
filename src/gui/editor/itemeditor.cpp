#include "gui/editor/itemeditor.h"

#include "gui/dialogs/inputdialog.h"
#include "i18n/strings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace lumarc::gui {

using i18n::getString;

ItemEditor::ItemEditor(QWidget *parent)
    : QWidget(parent), m_frame(new QGroupBox(this)), m_pathEdit(new QLineEdit), m_titleEdit(new QLineEdit),
      m_tooltipEdit(new QLineEdit), m_urlCombo(new QComboBox), m_linkTextEdit(new QLineEdit),
      m_newWindowOption(new QRadioButton), m_sameWindowOption(new QRadioButton), m_previousButton(new QPushButton),
      m_nextButton(new QPushButton), m_editingCheck(new QCheckBox)
{
    m_urlCombo->setEditable(true);
    m_urlCombo->setInsertPolicy(QComboBox::NoInsert);
    m_newWindowOption->setChecked(true);
    m_editingCheck->setChecked(true);

    auto *grid = new QGridLayout(m_frame);
    QWidget *fields[] = {m_pathEdit, m_titleEdit, m_tooltipEdit, m_urlCombo, m_linkTextEdit};
    for (int i = 0; i < 5; ++i) {
        m_labels[i] = new QLabel;
        m_labels[i]->setBuddy(fields[i]);
        grid->addWidget(m_labels[i], i, 0);
        grid->addWidget(fields[i], i, 1);
    }
    grid->addWidget(m_newWindowOption, 5, 1);
    grid->addWidget(m_sameWindowOption, 6, 1);
    auto *steps = new QHBoxLayout;
    steps->addWidget(m_previousButton);
    steps->addWidget(m_nextButton);
    grid->addLayout(steps, 7, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_frame);
    layout->addWidget(m_editingCheck);

    for (QLineEdit *edit : {m_titleEdit, m_tooltipEdit, m_linkTextEdit})
        edit->installEventFilter(this);
    connect(m_previousButton, &QPushButton::clicked, this, [this] { Q_EMIT stepRequested(0); });
    connect(m_nextButton, &QPushButton::clicked, this, [this] { Q_EMIT stepRequested(1); });
    connect(m_editingCheck, &QCheckBox::clicked, this, &ItemEditor::editingToggled);
    retranslate();
    showItem(0, nullptr);
}

void ItemEditor::showItem(int selectedCount, const ImageItem *item)
{
    m_selectedCount = selectedCount;
    const bool editable = isEditable();
    m_frame->setEnabled(editable);
    m_pathEdit->setEnabled(false);
    m_pathEdit->clear();
    for (QLineEdit *edit : {m_titleEdit, m_tooltipEdit, m_linkTextEdit}) {
        edit->setEnabled(editable);
        edit->clear();
    }
    for (QLabel *label : m_labels)
        label->setEnabled(editable);
    m_urlCombo->setEnabled(editable);
    m_urlCombo->setCurrentIndex(-1);
    m_urlCombo->setEditText(QString());
    for (QWidget *widget :
         std::initializer_list<QWidget *>{m_newWindowOption, m_sameWindowOption, m_previousButton, m_nextButton})
        widget->setEnabled(editable);
    m_editingCheck->setEnabled(true);

    if (selectedCount == 1 && item) {
        m_pathEdit->setText(item->path);
        m_titleEdit->setText(item->title);
        m_tooltipEdit->setText(item->tooltip);
        m_linkTextEdit->setText(item->linkText);
        // The box shows the image's link whether or not it is one of the known addresses.
        m_urlCombo->setEditText(item->url);
        (item->openSameWindow ? m_sameWindowOption : m_newWindowOption)->setChecked(true);
    } else if (selectedCount > 1) {
        m_pathEdit->setText(QString::number(selectedCount) + getString(text::ImagesSelectedSuffix));
    }
}

bool ItemEditor::isEditable() const { return m_editingCheck->isChecked() && m_selectedCount == 1; }

ImageItem ItemEditor::applyTo(ImageItem item) const
{
    item.openSameWindow = m_sameWindowOption->isChecked();
    item.title = m_titleEdit->text();
    item.tooltip = m_tooltipEdit->text();
    item.linkText = m_linkTextEdit->text();
    item.url = m_urlCombo->currentText();
    return item;
}

QString ItemEditor::url() const { return m_urlCombo->currentText(); }

void ItemEditor::setKnownUrls(const QStringList &urls) { setUrlChoices(m_urlCombo, urls); }

void ItemEditor::addKnownUrl(const QString &url)
{
    const QString text = m_urlCombo->currentText();
    m_urlCombo->addItem(url);
    m_urlCombo->setCurrentIndex(-1);
    m_urlCombo->setEditText(text);
}

void ItemEditor::focusTitle() { m_titleEdit->setFocus(); }

bool ItemEditor::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && m_editingCheck->isChecked()) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == m_titleEdit)
                m_tooltipEdit->setFocus();
            else if (watched == m_tooltipEdit)
                (m_imageLinksShown ? static_cast<QWidget *>(m_urlCombo) : m_nextButton)->setFocus();
            else
                m_nextButton->setFocus();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ItemEditor::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void ItemEditor::retranslate()
{
    m_labels[0]->setText(getString(text::FilenameLabel));
    m_labels[1]->setText(getString(text::TitleLabel));
    m_labels[2]->setText(getString(text::TooltipLabel));
    m_labels[3]->setText(getString(text::LinkLabel));
    m_labels[4]->setText(getString(text::LinkTextLabel));
    m_titleEdit->setToolTip(getString(text::ImageTitleTip));
    m_tooltipEdit->setToolTip(getString(text::ImageTooltipTip));
    m_urlCombo->setToolTip(getString(text::LinkToTip));
    m_newWindowOption->setText(getString(text::NewWindowOption));
    m_sameWindowOption->setText(getString(text::SameWindowOption));
    m_previousButton->setText(getString(text::PreviousPictureButton));
    m_previousButton->setToolTip(getString(text::PreviousPictureTip));
    m_nextButton->setText(getString(text::NextPictureButton));
    m_nextButton->setToolTip(getString(text::NextPictureTip));
    m_editingCheck->setText(getString(text::EditingEnabledCheck));
    if (m_selectedCount > 1)
        m_pathEdit->setText(QString::number(m_selectedCount) + getString(text::ImagesSelectedSuffix));
}

}  // namespace lumarc::gui
