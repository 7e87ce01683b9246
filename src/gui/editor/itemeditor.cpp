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
    connect(m_editingCheck, &QCheckBox::clicked, this, [this] { showRow(m_selectedCount, m_row); });

    using Field = ProjectDocument::Field;
    const std::pair<QLineEdit *, Field> texts[] = {{m_titleEdit, Field::Title},
                                                   {m_tooltipEdit, Field::Tooltip},
                                                   {m_urlCombo->lineEdit(), Field::Url},
                                                   {m_linkTextEdit, Field::LinkText}};
    for (const auto &[edit, field] : texts) {
        connect(edit, &QLineEdit::textEdited, this, [this, field](const QString &text) { this->edit(field, text); });
        // Leaving a field ends its step: typing there again is a step of its own.
        connect(edit, &QLineEdit::editingFinished, this, [this] {
            if (m_document)
                m_document->sealTyping();
        });
    }
    connect(m_urlCombo->lineEdit(), &QLineEdit::editingFinished, this,
            [this] { Q_EMIT urlEntered(m_urlCombo->currentText()); });
    connect(m_urlCombo, &QComboBox::textActivated, this, [this](const QString &url) {
        edit(Field::Url, url);
        Q_EMIT urlEntered(url);
    });
    connect(m_sameWindowOption, &QRadioButton::clicked, this, [this] { edit(Field::SameWindow, true); });
    connect(m_newWindowOption, &QRadioButton::clicked, this, [this] { edit(Field::SameWindow, false); });
    retranslate();
    showRow(0, -1);
}

void ItemEditor::setDocument(ProjectDocument *document)
{
    m_document = document;
    connect(document, &ProjectDocument::imagesChanged, this, [this](const QList<int> &rows) {
        if (m_selectedCount == 1 && rows.contains(m_row))
            fill();
    });
}

void ItemEditor::edit(ProjectDocument::Field field, const QVariant &value)
{
    if (!m_document || !isEditable() || m_row < 0 || m_row >= m_document->count())
        return;
    // In the order of ProjectDocument::Field.
    static const i18n::Text steps[] = {text::EditTitleStep, text::EditTooltipStep, text::EditLinkStep,
                                       text::EditLinkTextStep, text::LinkTargetStep};
    m_document->editField(m_row, field, getString(steps[int(field)]), value);
}

void ItemEditor::showRow(int selectedCount, int row)
{
    if (m_document)
        m_document->sealTyping();
    const bool valid = m_document && row >= 0 && row < m_document->count();
    m_selectedCount = selectedCount == 1 && !valid ? 0 : selectedCount;
    m_row = valid ? row : -1;
    const bool editable = isEditable();
    m_frame->setEnabled(editable);
    m_pathEdit->setEnabled(false);
    for (QLabel *label : m_labels)
        label->setEnabled(editable);
    for (QWidget *widget :
         std::initializer_list<QWidget *>{m_titleEdit, m_tooltipEdit, m_linkTextEdit, m_urlCombo, m_newWindowOption,
                                          m_sameWindowOption, m_previousButton, m_nextButton})
        widget->setEnabled(editable);
    m_editingCheck->setEnabled(true);
    fill();
}

// The fields from the record. A field that already shows the text keeps its cursor, so
// that a change the user is typing comes back to the field unnoticed.
void ItemEditor::fill()
{
    const auto show = [](QLineEdit *edit, const QString &text) {
        if (edit->text() != text)
            edit->setText(text);
    };
    const bool one = m_selectedCount == 1 && m_row >= 0;
    const ImageItem item = one ? m_document->images().at(m_row) : ImageItem();
    show(m_pathEdit, one                   ? item.path
                     : m_selectedCount > 1 ? QString::number(m_selectedCount) + getString(text::ImagesSelectedSuffix)
                                           : QString());
    show(m_titleEdit, item.title);
    show(m_tooltipEdit, item.tooltip);
    show(m_linkTextEdit, item.linkText);
    // The box shows the image's link whether or not it is one of the known addresses.
    if (m_urlCombo->currentText() != item.url) {
        m_urlCombo->setCurrentIndex(-1);
        m_urlCombo->setEditText(item.url);
    }
    (item.openSameWindow ? m_sameWindowOption : m_newWindowOption)->setChecked(true);
}

bool ItemEditor::isEditable() const { return m_editingCheck->isChecked() && m_selectedCount == 1; }

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
