#include "gui/app/toolrow.h"

#include "gui/controls/numericbox.h"
#include "gui/editor/gridgeometry.h"
#include "i18n/strings.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>

namespace lumarc::gui {

using i18n::getString;

ToolRow::ToolRow(QWidget *parent)
    : QWidget(parent), addImage(new QPushButton), addFolder(new QPushButton), perRow(new NumericBox),
      htmlOnly(new QCheckBox), make(new QPushButton), stop(new QPushButton)
{
    make->setObjectName(QStringLiteral("cmdMakeGallery"));
    stop->setObjectName(QStringLiteral("cmdStop"));
    perRow->setRange(1, kMaxSheetSide / kSlideSize);
    perRow->setAfterString(QString());
    perRow->setWidths(90, 50, 0);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(addImage);
    layout->addWidget(addFolder);
    layout->addSpacing(12);
    layout->addWidget(perRow);
    layout->addStretch();
    layout->addWidget(htmlOnly);
    layout->addWidget(make);
    layout->addWidget(stop);
    stop->hide();
}

void ToolRow::setBuilding(bool building) { stop->setVisible(building); }

void ToolRow::retranslate()
{
    addImage->setText(getString(text::AddImageButton));
    addImage->setToolTip(getString(text::AddImageTip));
    addFolder->setText(getString(text::AddFolderButton));
    addFolder->setToolTip(getString(text::AddFolderTip));
    perRow->setBeforeString(getString(text::PicturesPerRowCaption));
    htmlOnly->setText(getString(text::HtmlOnlyCheck));
    htmlOnly->setToolTip(getString(text::HtmlOnlyTip));
    make->setText(getString(text::MakeGalleryButton));
    make->setToolTip(getString(text::MakeGalleryTip));
    stop->setText(getString(text::StopButton));
}

}  // namespace lumarc::gui
