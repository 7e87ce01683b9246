#include "gui/dialogs/settingsdialog.h"

#include "colour/colour.h"
#include "generator/gallerybuilder.h"
#include "gui/controls/colourbutton.h"
#include "gui/controls/numericbox.h"
#include "gui/dialogs/filemessage.h"
#include "gui/dialogs/folderdialog.h"
#include "gui/dialogs/hexacolordialog.h"
#include "gui/dialogs/windowcaption.h"
#include "i18n/strings.h"
#include "storage/settingsfile.h"
#include "support/paths.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <vector>

namespace lumarc::gui {

using i18n::getString;

namespace {

// Colour fields and the tooltip (which is also the colour dialog's caption) of their buttons.
struct ColourField {
    const char *field;
    i18n::Text tooltip;
};
constexpr ColourField kColourFields[] = {
    {"page_background_color", text::PageBackgroundColourTip}, {"gallery_title_color", text::GalleryTitleColourTip},
    {"cell_background_color", text::CellBackgroundColourTip}, {"title_color", text::TitleColourTip},
    {"thumb_border_color", text::ThumbBorderColourTip},
};

// The four cell borders in the order the record keeps them: top, right, bottom, left.
constexpr i18n::Text kBorderTooltips[] = {
    text::CellTopBorderColourTip,
    text::CellRightBorderColourTip,
    text::CellBottomBorderColourTip,
    text::CellLeftBorderColourTip,
};

// The caption before each numeric box.
struct NumberCaption {
    const char *field;
    i18n::Text caption;
};
constexpr NumberCaption kNumberCaptions[] = {
    {"columns", text::ColumnsCaption},
    {"rows", text::RowsCaption},
    {"thumb_width", text::ImageSizeCaption},
    {"thumb_height", text::ThumbHeightCaption},
    {"cell_width", text::CellSizeCaption},
    {"cell_height", text::CellHeightCaption},
    {"photo_width", text::ImageSizeCaption},
    {"photo_height", text::PhotoHeightCaption},
    {"jpeg_quality", text::JpegQualityCaption},
    {"thumb_border_width", text::BorderWidthCaption},
    {"title_font_size", text::TitleFontSizeCaption},
    {"cell_border_width", text::BorderWidthCaption},
    {"cell_spacing", text::SpacingCaption},
    {"cell_padding", text::PaddingCaption},
    {"gallery_title_font_size", text::GalleryTitleSizeCaption},
};

const QStringList kAlignments = {QStringLiteral("left"), QStringLiteral("center"), QStringLiteral("right")};
const QString kParentUrlPlaceholder = QStringLiteral("http://");

// A text field that should hold a number, as a number; 0 when it holds none (only a
// hand-edited file or the command line can store such a value).
double numberOf(const QString &text) { return parseNumber(text, QLocale::c()).value_or(0); }

// The four border colours, top, right, bottom, left, of a CSS border-color value: one to
// four colours, the missing sides taken as the browser takes them. nullopt when the value
// holds anything else.
std::optional<std::array<qint32, 4>> borderColours(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.isEmpty() || parts.size() > 4)
        return std::nullopt;
    std::array<qint32, 4> colours{};
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const std::optional<qint32> colour = colour::parseHexColor(parts.at(i));
        if (!colour)
            return std::nullopt;
        colours[std::size_t(i)] = *colour;
    }
    // One value: every side; two: top and bottom, right and left; three: left as right.
    constexpr std::size_t kFrom[4][4] = {{0, 0, 0, 0}, {0, 1, 0, 1}, {0, 1, 2, 1}, {0, 1, 2, 3}};
    const auto &from = kFrom[parts.size() - 1];
    return std::array<qint32, 4>{colours[from[0]], colours[from[1]], colours[from[2]], colours[from[3]]};
}

// "title_color needs a colour ..., not 'x'": the words the command line uses too.
QString refusal(const SettingsField &field, const QString &value, const QString &problem)
{
    return QStringLiteral("%1 needs %2, not '%3'").arg(QLatin1String(field.name), problem, value);
}

const SettingsField *field(const QString &name)
{
    const SettingsField *found = findSettingsField(name);
    Q_ASSERT(found);
    return found;
}

QString nativeName(const QString &path) { return path.isEmpty() ? path : QDir::toNativeSeparators(path); }

}  // namespace

SettingsDialog::SettingsDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSettings"));
    m_pickers.font = [](const QFont &initial, QWidget *owner) -> std::optional<QFont> {
        bool ok = false;
        const QFont font = QFontDialog::getFont(&ok, initial, owner);
        return ok ? std::optional<QFont>(font) : std::nullopt;
    };
    m_pickers.folder = [](QWidget *owner, const QString &title, const QString &start) {
        return chooseFolder(owner, title, start);
    };
    m_pickers.openFile = [](QWidget *owner, const QString &title, const QString &start, const QString &filter) {
        return QFileDialog::getOpenFileName(owner, title, start, filter);
    };
    m_pickers.saveFile = [](QWidget *owner, const QString &title, const QString &start, const QString &filter) {
        return QFileDialog::getSaveFileName(owner, title, start, filter);
    };
    m_pickers.colour = [this](const QString &caption, qint32 &colour, const QPoint &topLeft) {
        // One colour dialog for the life of this dialog, so it keeps its palette.
        if (!m_colourDialog)
            m_colourDialog = new HexaColorDialog(this);
        return m_colourDialog->doModal(caption, colour, topLeft);
    };

    m_tabs = new QTabWidget;
    m_tabs->addTab(buildSettingsTab(), QString());
    m_tabs->addTab(buildHelpTab(), QString());

    m_restoreButton = new QPushButton;
    m_loadButton = new QPushButton;
    m_saveButton = new QPushButton;
    m_languageButton = new QPushButton;
    m_exitButton = new QPushButton;
    connect(m_restoreButton, &QPushButton::clicked, this, &SettingsDialog::restoreDefaults);
    connect(m_loadButton, &QPushButton::clicked, this, &SettingsDialog::loadSettings);
    connect(m_saveButton, &QPushButton::clicked, this, &SettingsDialog::saveSettingsAs);
    connect(m_languageButton, &QPushButton::clicked, this, [this] {
        if (m_languageCommand)
            m_languageCommand();
    });
    connect(m_exitButton, &QPushButton::clicked, this, &QDialog::close);
    for (QPushButton *button : {m_restoreButton, m_loadButton, m_saveButton, m_languageButton, m_exitButton})
        button->setAutoDefault(false);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_restoreButton);
    buttons->addWidget(m_loadButton);
    buttons->addWidget(m_saveButton);
    buttons->addWidget(m_languageButton);
    buttons->addStretch();
    buttons->addWidget(m_exitButton);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addLayout(buttons);

    m_record.setDefaults();
    retranslate();
    setValues(m_record);
}

SettingsDialog::~SettingsDialog() = default;

NumericBox *SettingsDialog::addNumericBox(const QString &fieldName, double minimum, double maximum, double step)
{
    auto *box = new NumericBox;
    box->setObjectName(fieldName);
    box->setNumericType(NumericType::Int16);
    box->setRange(minimum, maximum);
    box->setUpDownVisible(true);
    box->setUpDownIncrement(step);
    box->setWidths(-1, 48, -1);
    m_numbers.insert(fieldName, box);
    m_numberFields.append({field(fieldName), box});
    return box;
}

ColourButton *SettingsDialog::addColourButton(const QString &fieldName)
{
    auto *button = new ColourButton;
    button->setObjectName(fieldName);
    button->setFixedSize(36, 22);
    connect(button, &QPushButton::clicked, this, [this, button] { editColour(button); });
    return button;
}

QLineEdit *SettingsDialog::addTextBox(const QString &fieldName)
{
    auto *box = new QLineEdit;
    box->setObjectName(fieldName);
    m_texts.insert(fieldName, box);
    m_textFields.append({field(fieldName), box});
    return box;
}

QCheckBox *SettingsDialog::addCheckBox(const QString &fieldName)
{
    auto *box = new QCheckBox;
    box->setObjectName(fieldName);
    m_checks.insert(fieldName, box);
    m_checkFields.append({field(fieldName), box});
    return box;
}

QWidget *SettingsDialog::buildSettingsTab()
{
    for (const ColourField &c : kColourFields) {
        ColourButton *button = addColourButton(QLatin1String(c.field));
        m_colours.insert(QLatin1String(c.field), button);
        m_colourFields.append({field(QLatin1String(c.field)), button});
    }
    for (std::size_t i = 0; i < m_borderColours.size(); ++i)
        m_borderColours[i] = addColourButton(QStringLiteral("cell_border_colors_%1").arg(i));

    const auto row = [](std::initializer_list<QWidget *> widgets) {
        auto *line = new QHBoxLayout;
        for (QWidget *widget : widgets)
            line->addWidget(widget);
        line->addStretch();
        return line;
    };
    const auto frame = [this](const QString &name) {
        auto *box = new QGroupBox;
        box->setObjectName(name);
        m_frames.append(box);
        return box;
    };
    const auto browseButton = [] {
        auto *button = new QToolButton;
        button->setText(QStringLiteral("..."));
        return button;
    };

    // Thumbnail: its box, border, caption font and the image links.
    QGroupBox *thumbnail = frame(QStringLiteral("frameThumb"));
    m_thumbTitlePreview = new QLabel;
    m_thumbTitlePreview->setObjectName(QStringLiteral("lblImg_font_name"));
    m_thumbTitlePreview->setAutoFillBackground(true);
    m_thumbTitlePreview->setMinimumHeight(34);
    m_thumbTitlePreview->setAlignment(Qt::AlignCenter);
    m_thumbFontButton = new QPushButton;
    connect(m_thumbFontButton, &QPushButton::clicked, this, &SettingsDialog::chooseThumbnailTitleFont);
    m_alignBox = new QComboBox;
    m_alignBox->setObjectName(QStringLiteral("cboImg_title_align"));
    m_alignBox->addItems(kAlignments);
    auto *thumbLayout = new QVBoxLayout(thumbnail);
    thumbLayout->addLayout(row({addNumericBox(QStringLiteral("thumb_width"), 0, 1000, 10),
                                addNumericBox(QStringLiteral("thumb_height"), 0, 1000, 10)}));
    thumbLayout->addLayout(row({addNumericBox(QStringLiteral("thumb_border_width"), 0, 25, 1),
                                m_colours.value(QStringLiteral("thumb_border_color"))}));
    thumbLayout->addWidget(m_thumbTitlePreview);
    thumbLayout->addLayout(row({m_thumbFontButton, addNumericBox(QStringLiteral("title_font_size"), 0, 26, 1),
                                m_colours.value(QStringLiteral("title_color")), m_alignBox}));
    thumbLayout->addLayout(
        row({addCheckBox(QStringLiteral("add_image_links")), addTextBox(QStringLiteral("default_link_text"))}));

    // Cell: the table cell around each thumbnail.
    QGroupBox *cell = frame(QStringLiteral("frameSlide"));
    auto *cellLayout = new QVBoxLayout(cell);
    cellLayout->addLayout(row({addNumericBox(QStringLiteral("cell_width"), 0, 1000, 10),
                               addNumericBox(QStringLiteral("cell_height"), 0, 1000, 10)}));
    auto *borderRow = row({addNumericBox(QStringLiteral("cell_border_width"), 0, 25, 1)});
    for (std::size_t i = 0; i < m_borderColours.size(); ++i)
        borderRow->insertWidget(int(i) + 1, m_borderColours[i]);
    cellLayout->addLayout(borderRow);
    cellLayout->addLayout(row({addNumericBox(QStringLiteral("cell_spacing"), 0, 100, 1),
                               addNumericBox(QStringLiteral("cell_padding"), 0, 100, 1),
                               m_colours.value(QStringLiteral("cell_background_color"))}));
    m_backgroundButtons[1] = browseButton();
    connect(m_backgroundButtons[1], &QToolButton::clicked, this, &SettingsDialog::chooseCellBackgroundImage);
    auto *cellImage = new QHBoxLayout;
    auto *cellImageLabel = new QLabel;
    cellImageLabel->setObjectName(QStringLiteral("lblCellImage"));
    cellImage->addWidget(cellImageLabel);
    cellImage->addWidget(addTextBox(QStringLiteral("cell_background_image")), 1);
    cellImage->addWidget(m_backgroundButtons[1]);
    cellLayout->addLayout(cellImage);
    cellLayout->addStretch();

    // Page title: the heading of every page, the page colours and the parent link.
    QGroupBox *title = frame(QStringLiteral("frameTitle"));
    m_pageTitlePreview = new QLabel;
    m_pageTitlePreview->setObjectName(QStringLiteral("lblWebTitle_font_name"));
    m_pageTitlePreview->setAutoFillBackground(true);
    m_pageTitlePreview->setMinimumHeight(40);
    m_pageTitlePreview->setAlignment(Qt::AlignCenter);
    m_pageFontButton = new QPushButton;
    connect(m_pageFontButton, &QPushButton::clicked, this, &SettingsDialog::choosePageTitleFont);
    m_backgroundButtons[0] = browseButton();
    connect(m_backgroundButtons[0], &QToolButton::clicked, this, &SettingsDialog::choosePageBackgroundImage);
    auto *titleLayout = new QGridLayout(title);
    int line = 0;
    const auto labelled = [&](const QString &name, QWidget *widget, QToolButton *button = nullptr) {
        auto *label = new QLabel;
        label->setObjectName(name);
        label->setBuddy(widget);
        titleLayout->addWidget(label, line, 0);
        titleLayout->addWidget(widget, line, 1, 1, button ? 1 : 2);
        if (button)
            titleLayout->addWidget(button, line, 2);
        ++line;
    };
    labelled(QStringLiteral("lblWebTitle"), addTextBox(QStringLiteral("gallery_title")));
    titleLayout->addWidget(m_pageTitlePreview, line++, 0, 1, 3);
    auto *fontRow = row({m_pageFontButton, addNumericBox(QStringLiteral("gallery_title_font_size"), 6, 56, 1),
                         m_colours.value(QStringLiteral("gallery_title_color"))});
    titleLayout->addLayout(fontRow, line++, 0, 1, 3);
    auto *pageColour = new QLabel;
    pageColour->setObjectName(QStringLiteral("lblPageColor"));
    titleLayout->addWidget(pageColour, line, 0);
    titleLayout->addWidget(m_colours.value(QStringLiteral("page_background_color")), line++, 1, Qt::AlignLeft);
    labelled(QStringLiteral("lblPageImage"), addTextBox(QStringLiteral("page_background_image")),
             m_backgroundButtons[0]);
    labelled(QStringLiteral("lblParentTitle"), addTextBox(QStringLiteral("parent_page_title")));
    labelled(QStringLiteral("lblParentUrl"), addTextBox(QStringLiteral("parent_page_url")));
    titleLayout->addWidget(addCheckBox(QStringLiteral("add_parent_link")), line++, 1, 1, 2);

    // Large image: the photos the viewer shows.
    QGroupBox *large = frame(QStringLiteral("frmImage"));
    auto *largeLayout = new QVBoxLayout(large);
    largeLayout->addLayout(row({addNumericBox(QStringLiteral("photo_width"), 0, 2000, 10),
                                addNumericBox(QStringLiteral("photo_height"), 0, 2000, 10)}));
    NumericBox *quality = addNumericBox(QStringLiteral("jpeg_quality"), 10, 100, 10);
    largeLayout->addLayout(row({quality}));
    largeLayout->addWidget(addCheckBox(QStringLiteral("keep_aspect_ratio")));
    largeLayout->addStretch();

    NumericBox *columns = addNumericBox(QStringLiteral("columns"), 0, 20, 1);
    NumericBox *rows = addNumericBox(QStringLiteral("rows"), 1, 1000, 1);
    columns->setAfterString(QString());
    rows->setAfterString(QString());
    quality->setAfterString(QString());  // "%" comes from the string table

    m_folderButton = browseButton();
    connect(m_folderButton, &QToolButton::clicked, this, &SettingsDialog::chooseDestinationFolder);
    auto *folderRow = new QHBoxLayout;
    auto *folderLabel = new QLabel;
    folderLabel->setObjectName(QStringLiteral("lblFolders"));
    folderRow->addWidget(folderLabel);
    folderRow->addWidget(addTextBox(QStringLiteral("destination_folder")), 1);
    connect(m_texts.value(QStringLiteral("destination_folder")), &QLineEdit::textChanged, this,
            &SettingsDialog::refreshFolderTip);
    folderRow->addWidget(m_folderButton);

    auto *page = new QWidget;
    auto *grid = new QGridLayout(page);
    grid->addLayout(row({columns, rows}), 0, 0, 1, 2);
    grid->addWidget(thumbnail, 1, 0);
    grid->addWidget(cell, 1, 1);
    grid->addWidget(title, 2, 0);
    grid->addWidget(large, 2, 1);
    grid->addLayout(folderRow, 3, 0, 1, 2);

    // The cell can never be smaller than the box its thumbnail is fitted into.
    m_thumbSize = {m_numbers.value(QStringLiteral("thumb_width")), m_numbers.value(QStringLiteral("thumb_height"))};
    m_cellSize = {m_numbers.value(QStringLiteral("cell_width")), m_numbers.value(QStringLiteral("cell_height"))};
    for (int dimension : {0, 1})
        connect(m_thumbSize[dimension], &NumericBox::valueChanged, this,
                [this, dimension] { keepCellAtLeastThumbnail(dimension); });
    connect(m_numbers.value(QStringLiteral("cell_padding")), &NumericBox::valueChanged, this, [this] {
        keepCellAtLeastThumbnail(0);
        keepCellAtLeastThumbnail(1);
    });
    connect(m_numbers.value(QStringLiteral("title_font_size")), &NumericBox::valueChanged, this,
            &SettingsDialog::refreshPreviews);
    for (ColourButton *button : std::as_const(m_colours))
        connect(button, &ColourButton::colourChanged, this, &SettingsDialog::refreshPreviews);
    return page;
}

QWidget *SettingsDialog::buildHelpTab()
{
    auto *page = new QWidget;
    auto *grid = new QGridLayout(page);
    for (int i = 0; i < 12; ++i) {
        auto *label = new QLabel;
        label->setObjectName(QStringLiteral("lblInfo"));
        label->setWordWrap(i % 2 == 1);  // the part names stay on one line
        m_helpLabels.append(label);
        grid->addWidget(label, i / 2, i % 2);
    }
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(6, 1);
    return page;
}

void SettingsDialog::retranslate()
{
    setWindowTitle(windowCaption(m_projectPath));
    m_tabs->setTabText(0, getString(text::SettingsTab));
    m_tabs->setTabText(1, getString(text::QuickHelpTab));
    const i18n::Text frames[] = {text::ThumbnailFrame, text::CellFrame, text::PageTitleFrame, text::LargeImageFrame};
    for (int i = 0; i < m_frames.size(); ++i)
        m_frames.at(i)->setTitle(getString(frames[i]));

    for (const NumberCaption &caption : kNumberCaptions)
        m_numbers.value(QLatin1String(caption.field))->setBeforeString(getString(caption.caption));
    m_numbers.value(QStringLiteral("jpeg_quality"))->setAfterString(getString(text::PercentSuffix));
    const std::pair<const char *, i18n::Text> numberTips[] = {
        {"thumb_width", text::ThumbWidthTip},
        {"thumb_height", text::ThumbHeightTip},
        {"cell_width", text::CellWidthTip},
        {"cell_height", text::CellHeightTip},
        {"cell_spacing", text::CellSpacingTip},
        {"cell_padding", text::CellPaddingTip},
        {"gallery_title_font_size", text::GalleryTitleSizeTip},
    };
    for (const auto &[name, tip] : numberTips)
        m_numbers.value(QLatin1String(name))->setToolTip(getString(tip));

    for (const ColourField &c : kColourFields)
        m_colours.value(QLatin1String(c.field))->setToolTip(getString(c.tooltip));
    for (std::size_t i = 0; i < m_borderColours.size(); ++i)
        m_borderColours[i]->setToolTip(getString(kBorderTooltips[i]));

    m_thumbFontButton->setText(getString(text::FontButton));
    m_pageFontButton->setText(getString(text::FontButton));
    m_alignBox->setToolTip(getString(text::TitleAlignTip));
    m_checks.value(QStringLiteral("keep_aspect_ratio"))->setText(getString(text::PreserveAspectRatioCheck));
    m_checks.value(QStringLiteral("add_parent_link"))->setText(getString(text::AddParentLinkCheck));
    m_checks.value(QStringLiteral("add_image_links"))->setText(getString(text::AddImageLinksCheck));
    m_texts.value(QStringLiteral("default_link_text"))->setToolTip(getString(text::LinkTextLabel));
    refreshFolderTip();
    m_texts.value(QStringLiteral("parent_page_url"))->setToolTip(getString(text::HomeUrlTip));
    m_texts.value(QStringLiteral("parent_page_title"))->setToolTip(getString(text::HomeUrlDescriptionTip));
    m_texts.value(QStringLiteral("page_background_image"))->setToolTip(getString(text::BackgroundImageTip));
    m_texts.value(QStringLiteral("cell_background_image"))->setToolTip(getString(text::CellImageLabel));
    m_backgroundButtons[0]->setToolTip(getString(text::SelectBackgroundImageTip));
    m_backgroundButtons[1]->setToolTip(getString(text::SelectBackgroundImageTip));
    m_folderButton->setToolTip(getString(text::SelectDestinationFolderTip));

    const std::pair<const char *, i18n::Text> labels[] = {
        {"lblWebTitle", text::GalleryTitleLabel},     {"lblPageColor", text::PageColourLabel},
        {"lblPageImage", text::PageImageLabel},       {"lblCellImage", text::CellImageLabel},
        {"lblParentTitle", text::ParentTitleLabel},   {"lblParentUrl", text::ParentUrlLabel},
        {"lblFolders", text::DestinationFolderLabel},
    };
    for (const auto &[name, caption] : labels) {
        if (auto *label = findChild<QLabel *>(QLatin1String(name)))
            label->setText(getString(caption));
    }

    // The help tab: each part of a gallery page, and what of it these settings set.
    const i18n::Text help[] = {
        text::GalleryTitleLabel, text::HelpCaptionFontSizeColour,
        text::ParentUrlLabel,    text::HelpCaptionUrl,
        text::HelpThumbBorder,   text::HelpWidthColour,
        text::HelpThumbTitle,    text::HelpCaptionFontSizeColourAlign,
        text::HelpCellBorders,   text::HelpBorderWidthColours,
        text::CellPaddingTip,    text::CellBackgroundColourTip,
    };
    for (int i = 0; i < m_helpLabels.size() && i < int(std::size(help)); ++i)
        m_helpLabels.at(i)->setText(getString(help[i]));

    m_restoreButton->setText(getString(text::RestoreDefaultsButton));
    m_restoreButton->setToolTip(getString(text::RestoreDefaultsTip));
    m_loadButton->setText(getString(text::LoadSettingsButton));
    m_loadButton->setToolTip(getString(text::LoadSettingsTip));
    m_saveButton->setText(getString(text::SaveSettingsButton));
    m_saveButton->setToolTip(getString(text::SaveSettingsTip));
    m_languageButton->setText(getString(text::LanguageCommand));
    m_exitButton->setText(getString(text::ExitButton));
}

void SettingsDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

void SettingsDialog::setRelativeBase(const QString &folder)
{
    m_relativeBase = folder;
    refreshFolderTip();
}

// A relative destination is shown as the folder the gallery will really go to.
void SettingsDialog::refreshFolderTip()
{
    QLineEdit *box = m_texts.value(QStringLiteral("destination_folder"));
    QString tip = getString(text::DestinationFolderLabel);
    if (!box->text().trimmed().isEmpty() && !m_relativeBase.isEmpty())
        tip += QLatin1Char('\n') + QDir::toNativeSeparators(resolveDestination(box->text(), m_relativeBase));
    box->setToolTip(tip);
}

void SettingsDialog::setProjectPath(const QString &path)
{
    m_projectPath = path;
    setWindowTitle(windowCaption(path));
}

NumericBox *SettingsDialog::numericBox(const QString &fieldName) const { return m_numbers.value(fieldName); }

ColourButton *SettingsDialog::colourButton(const QString &fieldName, int index) const
{
    if (fieldName == QLatin1String("cell_border_colors"))
        return index >= 0 && index < int(m_borderColours.size()) ? m_borderColours[std::size_t(index)] : nullptr;
    return m_colours.value(fieldName);
}

QLineEdit *SettingsDialog::textBox(const QString &fieldName) const { return m_texts.value(fieldName); }

QCheckBox *SettingsDialog::checkBox(const QString &fieldName) const { return m_checks.value(fieldName); }

// --- record and controls ---------------------------------------------------------------

void SettingsDialog::setValues(const GallerySettings &settings)
{
    m_record = settings;
    // Showing values is not editing them: the cell rule runs once below, with the record's
    // own values, and must not raise a cell the record keeps smaller; the previews are
    // drawn once at the end.
    std::vector<QSignalBlocker> blockers;
    blockers.reserve(std::size_t(m_numbers.size() + m_colours.size()) + m_borderColours.size());
    for (NumericBox *box : std::as_const(m_numbers))
        blockers.emplace_back(box);
    for (ColourButton *button : std::as_const(m_colours))
        blockers.emplace_back(button);
    for (ColourButton *button : m_borderColours)
        blockers.emplace_back(button);

    for (const auto &[f, box] : m_numberFields)
        box->setValue(numberOf(fieldText(settings, *f)));

    const qsizetype align = kAlignments.indexOf(settings.titleAlign);
    m_alignBox->setCurrentIndex(int(align >= 0 ? align : kAlignments.indexOf(QStringLiteral("center"))));

    // A colour the buttons cannot show (a CSS name such as "red") stays as written until
    // the user picks another: closing the dialog must not turn it black.
    // A value that is not of its kind (a hand-edited file) is not kept at all: it would break
    // the style sheet, so the dialog shows and gives back the default instead.
    GallerySettings fitting = settings;
    resetUnfitFields(fitting);
    m_unreadColours.clear();
    for (const auto &[f, button] : m_colourFields) {
        const std::optional<qint32> colour = colour::parseHexColor(textField(fitting, *f));
        button->setColour(colour.value_or(0));
        if (!colour)
            m_unreadColours.insert(QLatin1String(f->name));
    }
    const std::optional<std::array<qint32, 4>> borders = borderColours(fitting.cellBorderColors);
    for (std::size_t i = 0; i < m_borderColours.size(); ++i)
        m_borderColours[i]->setColour(borders ? (*borders)[i] : 0);
    if (!borders)
        m_unreadColours.insert(QStringLiteral("cell_border_colors"));

    for (int dimension : {0, 1})
        m_cellSize[dimension]->setMinimum(m_thumbSize[dimension]->value());

    for (const auto &[f, box] : m_textFields)
        box->setText(textField(settings, *f));
    // "http://" alone is the old placeholder of an unset parent link.
    if (settings.parentPageUrl == kParentUrlPlaceholder)
        m_texts.value(QStringLiteral("parent_page_url"))->clear();

    for (const auto &[f, box] : m_checkFields)
        box->setChecked(settings.*f->int16 == 1);

    // The names are kept as the record has them: a font list such as "Georgia, serif" is
    // what the style sheet gets, while a QFont would keep only its first family.
    m_titleFontName = fitting.titleFontName;
    m_galleryTitleFontName = fitting.galleryTitleFontName;
    m_thumbTitlePreview->setFont(QFont(m_titleFontName));
    m_pageTitlePreview->setFont(QFont(m_galleryTitleFontName));
    refreshPreviews();
}

GallerySettings SettingsDialog::getValues() const
{
    GallerySettings settings = m_record;
    for (const auto &[f, box] : m_numberFields)
        setFieldText(settings, *f, QString::number(box->intValue()));
    settings.titleAlign = m_alignBox->currentText().isEmpty() ? QStringLiteral("center") : m_alignBox->currentText();
    for (const auto &[f, button] : m_colourFields) {
        if (!m_unreadColours.contains(QLatin1String(f->name)))
            textField(settings, *f) = colour::colorToHex(button->colour());
    }
    if (!m_unreadColours.contains(QStringLiteral("cell_border_colors"))) {
        QStringList borders;
        for (const ColourButton *button : m_borderColours)
            borders.append(colour::colorToHex(button->colour()));
        settings.cellBorderColors = borders.join(QLatin1Char(' ')).toLower();
    }
    for (const auto &[f, box] : m_textFields)
        textField(settings, *f) = box->text();
    for (const auto &[f, box] : m_checkFields)
        settings.*f->int16 = box->isChecked() ? 1 : 0;
    settings.titleFontName = m_titleFontName;
    settings.galleryTitleFontName = m_galleryTitleFontName;
    resetUnfitFields(settings);  // fields no control edits (the page font list, the weight)
    return settings;
}

void SettingsDialog::keepCellAtLeastThumbnail(int dimension)
{
    const double thumb = m_thumbSize[dimension]->value();
    NumericBox *cell = m_cellSize[dimension];
    if (thumb > cell->value())
        cell->setValue(thumb);
    cell->setMinimum(thumb);
}

void SettingsDialog::refreshPreviews()
{
    const auto paint = [](QLabel *label, const QString &fontName, qint32 background, qint32 text) {
        label->setStyleSheet(QStringLiteral("background-color: %1; color: %2;")
                                 .arg(colour::colorToHex(background), colour::colorToHex(text)));
        label->setText(fontName);
    };
    QFont thumbFont = m_thumbTitlePreview->font();
    const int size = m_numbers.value(QStringLiteral("title_font_size"))->intValue();
    if (size > 0)
        thumbFont.setPixelSize(size);
    m_thumbTitlePreview->setFont(thumbFont);
    paint(m_thumbTitlePreview, m_titleFontName, m_colours.value(QStringLiteral("cell_background_color"))->colour(),
          m_colours.value(QStringLiteral("title_color"))->colour());
    paint(m_pageTitlePreview, m_galleryTitleFontName,
          m_colours.value(QStringLiteral("page_background_color"))->colour(),
          m_colours.value(QStringLiteral("gallery_title_color"))->colour());
}

// --- the buttons -----------------------------------------------------------------------

void SettingsDialog::editColour(ColourButton *button)
{
    qint32 colour = button->colour();
    if (!m_pickers.colour(button->toolTip(), colour, button->mapToGlobal(QPoint(0, 0))))
        return;
    button->setColour(colour);
    // A chosen colour replaces a text the button could not show, even when it is black.
    const bool border = std::find(m_borderColours.cbegin(), m_borderColours.cend(), button) != m_borderColours.cend();
    m_unreadColours.remove(border ? QStringLiteral("cell_border_colors") : button->objectName());
}

void SettingsDialog::pickFont(QLabel *preview, NumericBox *sizeBox, QString &fontName)
{
    QFont initial = preview->font();
    if (sizeBox->intValue() > 0)
        initial.setPointSize(sizeBox->intValue());
    const std::optional<QFont> chosen = m_pickers.font(initial, this);
    if (!chosen || chosen->family().isEmpty()) {
        QMessageBox::information(this, windowTitle(), getString(text::NoFontSelected));
        return;
    }
    // The name goes into the style sheet as it is: one that could end the rule is refused.
    const SettingsField *nameField = field(&fontName == &m_titleFontName ? QStringLiteral("title_font_name")
                                                                         : QStringLiteral("gallery_title_font_name"));
    if (const QString problem = valueProblem(*nameField, chosen->family()); !problem.isEmpty()) {
        QMessageBox::warning(this, windowTitle(), refusal(*nameField, chosen->family(), problem));
        return;
    }
    const int size = chosen->pointSize() > 0 ? chosen->pointSize() : chosen->pixelSize();
    if (size > 0)
        sizeBox->setValue(std::clamp(double(size), sizeBox->minimum(), sizeBox->maximum()));
    fontName = chosen->family();
    preview->setFont(QFont(fontName));
    refreshPreviews();
}

void SettingsDialog::chooseThumbnailTitleFont()
{
    pickFont(m_thumbTitlePreview, m_numbers.value(QStringLiteral("title_font_size")), m_titleFontName);
}

void SettingsDialog::choosePageTitleFont()
{
    pickFont(m_pageTitlePreview, m_numbers.value(QStringLiteral("gallery_title_font_size")), m_galleryTitleFontName);
}

void SettingsDialog::chooseDestinationFolder()
{
    QLineEdit *box = m_texts.value(QStringLiteral("destination_folder"));
    const QString folder = m_pickers.folder(this, getString(text::SelectDestinationFolderTip), box->text());
    if (!folder.isEmpty())
        box->setText(folder);
}

void SettingsDialog::chooseBackgroundImage(int which)
{
    const QString path = m_pickers.openFile(this, getString(text::SelectBackgroundImageTip), m_sourceFolder,
                                            qtFilter(getString(text::BackgroundImageFilter)));
    if (path.isEmpty())
        return;
    const QString fieldName =
        which == 0 ? QStringLiteral("page_background_image") : QStringLiteral("cell_background_image");
    m_texts.value(fieldName)->setText(nativeName(path));
}

void SettingsDialog::choosePageBackgroundImage() { chooseBackgroundImage(0); }

void SettingsDialog::chooseCellBackgroundImage() { chooseBackgroundImage(1); }

void SettingsDialog::restoreDefaults()
{
    GallerySettings settings = getValues();
    settings.setDefaults();
    setValues(settings);
}

void SettingsDialog::loadSettings()
{
    const QString path = m_pickers.openFile(this, getString(text::SelectSettingsTitle), m_dataFolder,
                                            qtFilter(getString(text::SettingsOpenFilter)));
    if (path.isEmpty())
        return;
    Result<GallerySettings> loaded = readSettingsFile(path);
    if (!loaded) {
        showError(this, loaded.error(), path);
        return;
    }
    GallerySettings settings = std::move(loaded).value();
    QStringList refused;
    for (const UnfitField &unfit : resetUnfitFields(settings))
        refused.append(refusal(*unfit.field, unfit.value, valueProblem(*unfit.field, unfit.value)));
    if (!refused.isEmpty())
        fileMessage(this, QMessageBox::Warning, path,
                    refused.join(QLatin1Char('\n')) + QStringLiteral("\n\nThe defaults are used instead."));
    setValues(settings);
}

void SettingsDialog::saveSettingsAs()
{
    QString path = m_pickers.saveFile(this, getString(text::SelectSettingsTitle), m_dataFolder,
                                      qtFilter(getString(text::SettingsSaveFilter)));
    if (path.isEmpty())
        return;
    // The platform dialog does not always add the filter's extension.
    if (paths::extension(paths::fileName(path)).isEmpty())
        path += QStringLiteral(".zes");
    if (Status error = writeSettingsFile(getValues(), path))
        showError(this, *error, path);
}

void SettingsDialog::done(int result)
{
    // A number typed but not yet confirmed counts: Escape or the close box leave the box
    // without the focus change that would confirm it.
    for (NumericBox *box : std::as_const(m_numbers))
        box->commitTypedText();
    QDialog::done(result);
    Q_EMIT closed();
}

}  // namespace lumarc::gui
