#include "gui/app/imagecommands.h"

#include "gui/dialogs/inputdialog.h"
#include "gui/editor/gridgeometry.h"
#include "gui/editor/thumbnailgrid.h"
#include "gui/verify/verifylinksdialog.h"
#include "i18n/strings.h"

#include <QMessageBox>

namespace lumarc::gui {

using i18n::getString;

ImageCommands::ImageCommands(ProjectDocument &document, ThumbnailGrid &grid, UrlCollection &urls, QWidget *window)
    : QObject(window), m_document(document), m_grid(grid), m_urls(urls), m_window(window)
{
}

void ImageCommands::selectAllToggle()
{
    GridSelection selection = m_grid.selection();
    selection.toggleSelectAll(m_document.count());
    m_grid.setSelection(selection);
}

void ImageCommands::unselectAll() { m_grid.setSelection(GridSelection()); }

void ImageCommands::stepPicture(int direction)
{
    if (m_document.count() > 0 && m_grid.selection().count() == 1)
        m_grid.selectOnly(m_grid.currentIndex() + (direction == 0 ? -1 : 1));
}

void ImageCommands::move(const QList<int> &indexes, int target)
{
    m_document.reorder(orderAfterMove(GridSelection::of(indexes), target, m_document.count()),
                       getString(text::MoveImagesStep));
}

void ImageCommands::removeSelected(const QString &step) { m_document.removeImages(m_grid.selection().indexes(), step); }

void ImageCommands::removeAll(const QString &step) { m_document.removeAll(step); }

void ImageCommands::confirmAndChange(const QString &step, const std::function<void(ImageItem &)> &change)
{
    if (QMessageBox::question(m_window, step, getString(text::AreYouSure), QMessageBox::Yes | QMessageBox::No)
        == QMessageBox::Yes)
        m_document.changeImages(m_grid.selection().indexes(), change, step);
}

void ImageCommands::prefixOrSuffix(const QString &step, bool title, bool prefix)
{
    const QString answer =
        InputDialog::getText(m_window, step, prefix ? getString(text::PrefixPrompt) : getString(text::SuffixPrompt));
    if (answer.isEmpty())
        return;
    m_document.changeImages(
        m_grid.selection().indexes(),
        [&](ImageItem &item) {
            QString &field = title ? item.title : item.tooltip;
            field = prefix ? answer + field : field + answer;
        },
        step);
}

void ImageCommands::setLinkTextToDefault(const QString &step)
{
    const QString text = m_document.settings().defaultLinkText;
    m_document.changeAllImages([&](ImageItem &item) { item.linkText = text; }, step);
}

void ImageCommands::setLinkForAll(const QString &step)
{
    const QString answer = InputDialog::getText(m_window, step, getString(text::DefaultLinkPrompt));
    if (answer.isEmpty())
        return;
    Q_EMIT urlEntered(answer);
    m_document.changeAllImages([&](ImageItem &item) { item.url = answer; }, step);
}

void ImageCommands::verifyLinks()
{
    if (m_document.count() == 0)
        return;
    VerifyLinksDialog dialog(m_document, m_urls, m_window);
    if (prepareVerifier)
        prepareVerifier(dialog);
    dialog.exec();
}

}  // namespace lumarc::gui
