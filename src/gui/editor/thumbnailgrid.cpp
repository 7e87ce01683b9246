#include "gui/editor/thumbnailgrid.h"

#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <QScrollBar>
#include <QToolTip>
#include <QUrl>
#include <QWheelEvent>

#include <algorithm>

namespace lumarc::gui {

namespace {

QStringList localFiles(const QMimeData *mimeData)
{
    QStringList paths;
    if (!mimeData || !mimeData->hasUrls())
        return paths;
    for (const QUrl &url : mimeData->urls())
        if (url.isLocalFile())
            paths.append(QDir::toNativeSeparators(url.toLocalFile()));
    return paths;
}

// Asked on every pointer move of a drag: whether any local file is in it, without
// converting them all.
bool hasLocalFile(const QMimeData *mimeData)
{
    if (!mimeData || !mimeData->hasUrls())
        return false;
    const QList<QUrl> urls = mimeData->urls();
    return std::any_of(urls.cbegin(), urls.cend(), [](const QUrl &url) { return url.isLocalFile(); });
}

// A solid line `width` pixels wide centred on the rectangle's edge: on a 140 x 140 slide
// pixels 6 to 8 and 131 to 133, so that the picture area at 9 touches it and never covers it.
void paintOutline(QPainter &painter, const QRect &shape, int width, const QColor &color)
{
    const int grow = width / 2;
    const QRect outer(shape.left() - grow, shape.top() - grow, shape.width() + 2 * grow, shape.height() + 2 * grow);
    painter.fillRect(QRect(outer.left(), outer.top(), outer.width(), width), color);
    painter.fillRect(QRect(outer.left(), outer.bottom() - width + 1, outer.width(), width), color);
    painter.fillRect(QRect(outer.left(), outer.top() + width, width, outer.height() - 2 * width), color);
    painter.fillRect(QRect(outer.right() - width + 1, outer.top() + width, width, outer.height() - 2 * width), color);
}

}  // namespace

ThumbnailGrid::ThumbnailGrid(QWidget *parent) : QAbstractScrollArea(parent)
{
    setFocusPolicy(Qt::WheelFocus);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    // Moving over the grid gives it the focus, also without a button held.
    viewport()->setMouseTracking(true);
    for (QScrollBar *bar : {horizontalScrollBar(), verticalScrollBar()}) {
        bar->setPageStep(kScrollLargeChange);
        bar->setSingleStep(kScrollSmallChange);
    }
    updateScrollBars();
}

void ThumbnailGrid::setDocument(const ProjectDocument *document)
{
    m_document = document;
    const auto rearranged = [this] {
        reindex();
        arrange(m_perRow);
    };
    connect(document, &ProjectDocument::projectReset, this, rearranged);
    connect(document, &ProjectDocument::imagesReplaced, this, rearranged);
    connect(document, &ProjectDocument::imagesRemoved, this, rearranged);
    connect(document, &ProjectDocument::imagesInserted, this, [this](const QList<int> &rows) {
        reindex();
        arrange(m_perRow);
        setSelection(GridSelection::of(rows));
    });
    connect(document, &ProjectDocument::imagesAppended, this, &ThumbnailGrid::imagesAppended);
    connect(document, &ProjectDocument::imagesReordered, this, &ThumbnailGrid::imagesReordered);
    connect(document, &ProjectDocument::imagesChanged, viewport(), qOverload<>(&QWidget::update));
    rearranged();
}

int ThumbnailGrid::imageCount() const { return m_document ? m_document->count() : 0; }

ImageId ThumbnailGrid::idAt(int index) const { return m_document->images().id(index); }

void ThumbnailGrid::reindex()
{
    m_indexOf.clear();
    m_indexOf.reserve(imageCount());
    for (int i = 0; i < imageCount(); ++i)
        m_indexOf.insert(idAt(i), i);
    // Ids are never given to another image, so a preview whose id left the list is dead.
    for (auto it = m_previews.begin(); it != m_previews.end();) {
        if (m_indexOf.contains(it.key()))
            ++it;
        else
            it = m_previews.erase(it);
    }
    m_missing.removeIf([this](ImageId id) { return !m_indexOf.contains(id); });
}

void ThumbnailGrid::rearrange()
{
    arrange(m_perRow);
    scrollToSlide(imageCount() - 1);
}

// New images at the end while an add runs: the selection and the scroll position stay, so
// that adding many images costs each one only its own slide.
void ThumbnailGrid::imagesAppended(int first, int count)
{
    for (int i = first; i < first + count; ++i)
        m_indexOf.insert(idAt(i), i);
    const int fitted = fitPicturesPerRow(m_perRow, imageCount());
    if (fitted != m_perRow) {
        m_perRow = fitted;
        Q_EMIT picturesPerRowChanged(fitted);
    }
    updateScrollBars();
    viewport()->update();
}

// A drop or its undo: the selection moves with its images, without the layout reset.
void ThumbnailGrid::imagesReordered(const QList<int> &newOrder)
{
    GridSelection moved;
    for (qsizetype i = 0; i < newOrder.size(); ++i) {
        m_indexOf.insert(idAt(int(i)), int(i));
        if (m_selection.contains(newOrder.at(i)))
            moved.select(int(i));
    }
    m_selection = moved;
    endDrag();
    viewport()->update();
    Q_EMIT selectionChanged();
}

void ThumbnailGrid::setMissing(ImageId id, bool missing)
{
    if (missing == m_missing.contains(id) || !m_indexOf.contains(id))
        return;
    if (missing)
        m_missing.insert(id);
    else
        m_missing.remove(id);
    viewport()->update();
}

void ThumbnailGrid::setPreview(ImageId id, const QImage &preview)
{
    // A preview that arrives after its image left the grid is dropped.
    if (!m_indexOf.contains(id))
        return;
    if (preview.isNull())
        m_previews.remove(id);
    else if (preview.format() == QImage::Format_RGB888)
        m_previews.insert(id, preview);
    else
        m_previews.insert(id, preview.convertToFormat(QImage::Format_RGB888));
    const int index = m_indexOf.value(id, -1);
    if (index >= 0)
        viewport()->update(slideRect(index));
}

void ThumbnailGrid::setPicturesPerRow(int perRow) { arrange(perRow); }

void ThumbnailGrid::setSelection(const GridSelection &selection)
{
    GridSelection limited = selection;
    limited.limitTo(imageCount());
    if (limited == m_selection)
        return;
    m_selection = limited;
    Q_EMIT selectionChanged();
    viewport()->update();
}

bool ThumbnailGrid::selectOnly(int index)
{
    const GridSelection before = m_selection;
    if (!m_selection.selectOnly(index, imageCount()))
        return false;
    if (m_selection != before)
        Q_EMIT selectionChanged();
    viewport()->update();
    scrollToSlide(index);
    return true;
}

void ThumbnailGrid::scrollToSlide(int index)
{
    if (index < 0 || index >= imageCount())
        return;
    const QPoint slide = slidePosition(index, m_perRow);
    const auto scrollBar = [](QScrollBar *bar, int slideStart, int viewportExtent) {
        if (bar->maximum() <= 0)  // the bar is hidden
            return;
        const auto change = scrollToShow(slideStart, bar->value(), bar->maximum(), viewportExtent);
        if (!change)
            return;
        bar->setMaximum(change->maximum);
        bar->setValue(change->value);
    };
    scrollBar(verticalScrollBar(), slide.y(), viewport()->height());
    scrollBar(horizontalScrollBar(), slide.x(), viewport()->width());
}

QRect ThumbnailGrid::slideRect(int index) const
{
    if (index < 0 || index >= imageCount())
        return QRect();
    return QRect(slidePosition(index, m_perRow) - scrollOffset(), QSize(kSlideSize, kSlideSize));
}

IndexRange ThumbnailGrid::visibleRange() const
{
    return slidesInRect(viewport()->rect().translated(scrollOffset()), m_perRow, imageCount());
}

QPoint ThumbnailGrid::scrollOffset() const
{
    return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

QRect ThumbnailGrid::sheetRect() const { return QRect(QPoint(0, 0), sheetSize(imageCount(), m_perRow)); }

// ArrangeSlides for the grid's part: fit pictures per row, empty the selection, put
// the sheet back at the top-left corner and size the scroll bars.
void ThumbnailGrid::arrange(int wantedPerRow)
{
    const int fitted = fitPicturesPerRow(wantedPerRow, imageCount());
    m_perRow = fitted;
    const bool hadSelection = !m_selection.isEmpty();
    m_selection.clear();
    if (hadSelection)
        Q_EMIT selectionChanged();
    endDrag();
    updateScrollBars();
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    viewport()->update();
    if (fitted != wantedPerRow)
        Q_EMIT picturesPerRowChanged(fitted);
}

// A bar shows only when the sheet is longer than the viewport along it. The viewport loses
// room when a bar appears; the bar's range change re-lays the scroll area out and the
// viewport's resize brings us back here with its new size.
void ThumbnailGrid::updateScrollBars()
{
    const QSize sheet = sheetSize(imageCount(), m_perRow);
    const QSize room = maximumViewportSize();
    QSize view = viewport()->size();
    if (sheet.width() <= room.width() && sheet.height() <= room.height())
        view = room;
    horizontalScrollBar()->setRange(0, scrollMaximum(sheet.width(), view.width()));
    verticalScrollBar()->setRange(0, scrollMaximum(sheet.height(), view.height()));
}

void ThumbnailGrid::endDrag()
{
    if (m_dragging)
        viewport()->unsetCursor();
    m_dragging = false;
    m_pressedSlide = -1;
}

bool ThumbnailGrid::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const int index = slideIndexAt(help->pos() + scrollOffset(), m_perRow, imageCount());
        // Only a slide with its preview has a tooltip, as only a painted slide had one.
        const QString text =
            index >= 0 && m_previews.contains(idAt(index)) ? m_document->images().at(index).title : QString();
        if (text.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), text, viewport(), slideRect(index));
        }
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

void ThumbnailGrid::paintEvent(QPaintEvent *event)
{
    const QPoint offset = scrollOffset();
    const QRect dirty = event->rect().translated(offset) & sheetRect();
    if (dirty.isEmpty())
        return;
    QPainter painter(viewport());
    // Only the cells that meet the dirty rectangle: with 10,000 images a repaint still costs
    // a screenful of slides.
    const int firstRow = dirty.top() / kSlideSize;
    const int lastRow = dirty.bottom() / kSlideSize;
    const int firstColumn = dirty.left() / kSlideSize;
    const int lastColumn = std::min(m_perRow - 1, dirty.right() / kSlideSize);
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int column = firstColumn; column <= lastColumn; ++column) {
            const qint64 index = qint64(row) * m_perRow + column;
            if (index >= imageCount())
                return;
            paintSlide(painter, int(index), slidePosition(int(index), m_perRow) - offset);
        }
    }
}

// One slide: grey surface, outline white or red, light grey picture area with the proportions
// of the preview, the preview unscaled at the area's top-left corner.
void ThumbnailGrid::paintSlide(QPainter &painter, int index, QPoint topLeft) const
{
    painter.fillRect(QRect(topLeft, QSize(kSlideSize, kSlideSize)), kSlideCellColor);
    const auto found = m_previews.constFind(idAt(index));
    const QImage *preview = found == m_previews.constEnd() ? nullptr : &found.value();
    // Sizes in the window's pixels: a preview made for a scaling screen has more of its own.
    const QSize previewSize = preview ? preview->deviceIndependentSize().toSize() : QSize();
    const SlideLayout layout = slideLayout(kSlideSize, kSlideSize, preview ? previewRatio(previewSize) : 1.0);
    paintOutline(painter, layout.border.translated(topLeft), kSlideBorderWidth,
                 slideBorderColor(m_selection.contains(index)));
    const QRect area = layout.pictureArea.translated(topLeft);
    painter.fillRect(area, kPictureAreaColor);
    if (preview) {
        const QSize shown = previewSize.boundedTo(area.size());
        painter.drawImage(QRectF(area.topLeft(), shown), *preview,
                          QRectF(QPointF(0, 0), QSizeF(shown) * preview->devicePixelRatio()));
    }
    if (m_missing.contains(idAt(index))) {
        painter.save();
        painter.setPen(QPen(QColor(200, 0, 0), 4));
        const QRect cross = area.adjusted(area.width() / 4, area.height() / 4, -area.width() / 4, -area.height() / 4);
        painter.drawLine(cross.topLeft(), cross.bottomRight());
        painter.drawLine(cross.topRight(), cross.bottomLeft());
        painter.restore();
    }
}

void ThumbnailGrid::resizeEvent(QResizeEvent *)
{
    // A resize keeps the scroll position (limited to the new range): resizing the window
    // must not lose the user's place in a long grid.
    updateScrollBars();
}

void ThumbnailGrid::scrollContentsBy(int dx, int dy) { viewport()->scroll(dx, dy); }

// A press selects by the click rules and remembers the slide and point a drag starts from.
void ThumbnailGrid::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    const QPoint point = event->position().toPoint() + scrollOffset();
    m_pressInSheet = sheetRect().contains(point);
    if (event->button() == Qt::LeftButton)
        endDrag();
    const int index = slideIndexAt(point, m_perRow, imageCount());
    if (index < 0)
        return;
    if (event->button() != Qt::LeftButton)
        return;
    const GridSelection before = m_selection;
    m_selection.click(index, clickModifier(event->modifiers()));
    m_pressedSlide = index;
    m_pressPoint = point;
    if (m_selection == before)
        return;
    viewport()->update();
    Q_EMIT selectionChanged();
}

// Moving takes the focus, and starts a drag once the pointer leaves the press point by
// more than 2 pixels with a selected slide pressed and neither Shift nor Ctrl held.
void ThumbnailGrid::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    // Passing over the grid gives it the keys, but never takes them from a text field the
    // user is typing in: Delete there must not remove images.
    const QWidget *focused = QApplication::focusWidget();
    if (!hasFocus() && !(focused && focused->inherits("QLineEdit")))
        setFocus(Qt::MouseFocusReason);
    if (m_dragging || m_pressedSlide < 0 || !(event->buttons() & Qt::LeftButton) || hasShiftOrCtrl(event->modifiers())
        || !m_selection.contains(m_pressedSlide))
        return;
    if (isBeyondDragThreshold(m_pressPoint, event->position().toPoint() + scrollOffset())) {
        m_dragging = true;
        viewport()->setCursor(Qt::SizeAllCursor);
    }
}

// A left release drops the dragged selection; a right release on the sheet asks for the
// context menu.
void ThumbnailGrid::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() == Qt::RightButton) {
        if (m_pressInSheet && imageCount() > 0)
            Q_EMIT contextMenuRequested(event->globalPosition().toPoint());
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    // Any left release ends the drag, also one with Shift or Ctrl that drops nothing, so
    // that no size-all pointer is left behind.
    const bool drop = m_dragging && !hasShiftOrCtrl(event->modifiers());
    endDrag();
    if (!drop)
        return;
    const int target = dropTarget(event->position().toPoint() + scrollOffset(), m_perRow, imageCount());
    if (dropMovesImages(m_selection, target))
        Q_EMIT moveRequested(m_selection.indexes(), target);
}

// The wheel scrolls the vertical bar, or the horizontal one when only that is shown.
void ThumbnailGrid::wheelEvent(QWheelEvent *event)
{
    QScrollBar *bar = verticalScrollBar()->maximum() > 0     ? verticalScrollBar()
                      : horizontalScrollBar()->maximum() > 0 ? horizontalScrollBar()
                                                             : nullptr;
    if (!bar) {
        m_wheelAngle = 0;
        event->ignore();
        return;
    }
    event->accept();
    // Whole notches only; what a fine-grained wheel or touchpad sends in between adds up.
    m_wheelAngle += event->angleDelta().y();
    const int notches = m_wheelAngle / kWheelNotch;
    m_wheelAngle -= notches * kWheelNotch;
    if (notches != 0)
        bar->setValue(wheelScrollValue(bar->value(), notches, bar->minimum(), bar->maximum()));
}

// The keys of the key table; the window's commands go out as signals.
void ThumbnailGrid::keyPressEvent(QKeyEvent *event)
{
    const GridKey key = gridKey(event->key(), event->modifiers());
    if (key == GridKey::Other) {
        event->ignore();
        return;
    }
    event->accept();
    switch (key) {
    case GridKey::PreviousPicture:
        Q_EMIT previousPictureRequested();
        break;
    case GridKey::NextPicture:
        Q_EMIT nextPictureRequested();
        break;
    case GridKey::Delete:
        Q_EMIT deleteRequested();
        break;
    case GridKey::ToggleSelectAll:
        Q_EMIT selectAllToggleRequested();
        break;
    default:
        if (moveSelectionByKey(key, m_selection, m_perRow, imageCount())) {
            viewport()->update();
            scrollToSlide(currentIndex());
            Q_EMIT selectionChanged();
        }
    }
}

// The context menu comes from the right button's release (contextMenuRequested()); keep
// the platform's context menu event from reaching the main window, which would offer its
// tool bar menu.
void ThumbnailGrid::contextMenuEvent(QContextMenuEvent *event) { event->accept(); }

void ThumbnailGrid::dragEnterEvent(QDragEnterEvent *event) { dragMoveEvent(event); }

void ThumbnailGrid::dragMoveEvent(QDragMoveEvent *event)
{
    if (hasLocalFile(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void ThumbnailGrid::dropEvent(QDropEvent *event)
{
    const QStringList paths = localFiles(event->mimeData());
    if (paths.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    Q_EMIT filesDropped(paths);
}

// Tab and Ctrl+Tab step through the pictures instead of moving the focus on.
bool ThumbnailGrid::focusNextPrevChild(bool) { return false; }

}  // namespace lumarc::gui
