#include "gui/editor/gridgeometry.h"

#include <algorithm>
#include <cmath>

namespace lumarc::gui {

int fitPicturesPerRow(int wanted, int imageCount)
{
    int perRow = std::max(1, wanted);
    while (qint64(kSlideSize) * perRow > kMaxSheetSide && perRow > 1)
        --perRow;
    // (imageCount / perRow as a fraction) x 140 > 32000, without the fraction.
    while (qint64(imageCount) * kSlideSize > qint64(kMaxSheetSide) * perRow)
        ++perRow;
    return perRow;
}

int rowCount(int imageCount, int perRow)
{
    if (imageCount <= 0 || perRow <= 0)
        return 0;
    return (imageCount + perRow - 1) / perRow;
}

QPoint slidePosition(int index, int perRow)
{
    return QPoint((index % perRow) * kSlideSize, (index / perRow) * kSlideSize);
}

QSize sheetSize(int imageCount, int perRow)
{
    return QSize(perRow * kSlideSize, rowCount(imageCount, perRow) * kSlideSize);
}

int slideIndexAt(QPoint sheetPoint, int perRow, int imageCount)
{
    if (sheetPoint.x() < 0 || sheetPoint.y() < 0 || perRow <= 0)
        return -1;
    const int column = sheetPoint.x() / kSlideSize;
    if (column >= perRow)
        return -1;
    const qint64 index = qint64(sheetPoint.y() / kSlideSize) * perRow + column;
    return index < imageCount ? int(index) : -1;
}

IndexRange slidesInRect(const QRect &sheetRect, int perRow, int imageCount)
{
    const QRect visible = sheetRect & QRect(QPoint(0, 0), sheetSize(imageCount, perRow));
    if (visible.isEmpty())
        return {};
    const int firstIndex = (visible.top() / kSlideSize) * perRow + visible.left() / kSlideSize;
    const int lastColumn = std::min(perRow - 1, visible.right() / kSlideSize);
    const int lastIndex = std::min(imageCount - 1, (visible.bottom() / kSlideSize) * perRow + lastColumn);
    if (firstIndex > lastIndex)
        return {};
    return {firstIndex, lastIndex};
}

ClickModifier clickModifier(Qt::KeyboardModifiers modifiers)
{
    // Shift alone or Ctrl alone counts; any other combination (Alt included) counts as none.
    const Qt::KeyboardModifiers held = modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (held == Qt::ShiftModifier)
        return ClickModifier::Shift;
    if (held == Qt::ControlModifier)
        return ClickModifier::Ctrl;
    return ClickModifier::None;
}

bool hasShiftOrCtrl(Qt::KeyboardModifiers modifiers)
{
    return modifiers.testFlag(Qt::ShiftModifier) || modifiers.testFlag(Qt::ControlModifier);
}

GridSelection GridSelection::of(const QList<int> &indexes)
{
    GridSelection selection;
    for (int index : indexes)
        selection.select(index);
    return selection;
}

GridSelection GridSelection::range(int from, int to)
{
    GridSelection selection;
    selection.selectRange(from, to);
    return selection;
}

QList<int> GridSelection::indexes() const { return QList<int>(m_indexes.begin(), m_indexes.end()); }

void GridSelection::select(int index)
{
    if (index >= 0)
        m_indexes.insert(index);
}

void GridSelection::unselect(int index) { m_indexes.erase(index); }

void GridSelection::toggle(int index)
{
    if (contains(index))
        unselect(index);
    else
        select(index);
}

void GridSelection::selectRange(int from, int to)
{
    if (from > to)
        std::swap(from, to);
    for (int i = std::max(0, from); i <= to; ++i)
        m_indexes.insert(m_indexes.end(), i);
}

void GridSelection::selectAll(int imageCount)
{
    clear();
    if (imageCount > 0)
        selectRange(0, imageCount - 1);
}

void GridSelection::toggleSelectAll(int imageCount)
{
    if (count() == imageCount)
        clear();
    else
        selectAll(imageCount);
}

void GridSelection::limitTo(int imageCount)
{
    m_indexes.erase(m_indexes.lower_bound(std::max(0, imageCount)), m_indexes.end());
}

void GridSelection::click(int index, ClickModifier modifier)
{
    if (isEmpty()) {
        select(index);
        return;
    }
    switch (modifier) {
    case ClickModifier::Ctrl:
        toggle(index);
        break;
    case ClickModifier::Shift:
        if (index < first())
            selectRange(index, first());
        else if (index > last())
            selectRange(last(), index);
        else
            select(index);
        break;
    case ClickModifier::None:
        // Several selected and one of them pressed: keep them, so that the group can be dragged.
        if (count() > 1 && contains(index))
            break;
        clear();
        select(index);
        break;
    }
}

bool GridSelection::selectOnly(int target, int imageCount)
{
    if (target < 0 || target > imageCount - 1)
        return false;
    clear();
    select(target);
    return true;
}

bool isBeyondDragThreshold(QPoint pressPoint, QPoint point)
{
    return std::abs(point.x() - pressPoint.x()) > kDragThreshold
           || std::abs(point.y() - pressPoint.y()) > kDragThreshold;
}

int dropTarget(QPoint pointerInSheet, int perRow, int imageCount)
{
    const qint64 x = qint64(pointerInSheet.x()) + kSlideSize / 2;
    const qint64 y = pointerInSheet.y();
    const qint64 column = x < 5 ? -1 : std::min<qint64>(perRow, x / kSlideSize);
    const qint64 row = y < 5 ? -1 : (y - 1) / kSlideSize;  // smallest r with y <= (r + 1) x 140
    const qint64 target = row * perRow + column;
    return int(std::clamp<qint64>(target, 0, std::max(0, imageCount)));
}

bool dropMovesImages(const GridSelection &selection, int target)
{
    return !selection.isEmpty() && target != selection.first();
}

QList<int> orderAfterMove(const GridSelection &selection, int target, int imageCount)
{
    QList<int> order;
    order.reserve(imageCount);
    for (int i = 0; i < std::min(target, imageCount); ++i)
        if (!selection.contains(i))
            order.append(i);
    for (int i : selection.indexes())
        if (i < imageCount)
            order.append(i);
    for (int i = std::max(0, target); i < imageCount; ++i)
        if (!selection.contains(i))
            order.append(i);
    return order;
}

GridSelection selectionAfterMove(const GridSelection &selection, int target, int imageCount)
{
    int before = 0;  // k: unselected images before target
    for (int i = 0; i < std::min(target, imageCount); ++i)
        if (!selection.contains(i))
            ++before;
    int moved = 0;  // m
    for (int i : selection.indexes())
        if (i < imageCount)
            ++moved;
    if (moved == 0)
        return {};
    if (target < imageCount)
        return GridSelection::range(before, before + moved - 1);
    return GridSelection::range(imageCount - moved, imageCount - 1);
}

GridKey gridKey(int key, Qt::KeyboardModifiers modifiers)
{
    const bool ctrl = modifiers.testFlag(Qt::ControlModifier);
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return ctrl ? GridKey::PreviousPicture : GridKey::NextPicture;
    case Qt::Key_Left:
        return GridKey::PreviousPicture;
    case Qt::Key_Right:
        return GridKey::NextPicture;
    case Qt::Key_Up:
        return GridKey::RowUp;
    case Qt::Key_Down:
        return GridKey::RowDown;
    case Qt::Key_PageUp:
        return ctrl ? GridKey::FirstImage : GridKey::Other;
    case Qt::Key_PageDown:
        return ctrl ? GridKey::LastImage : GridKey::Other;
    case Qt::Key_Delete:
        return GridKey::Delete;
    case Qt::Key_A:
        return ctrl ? GridKey::ToggleSelectAll : GridKey::Other;
    default:
        return GridKey::Other;
    }
}

bool moveSelectionByKey(GridKey key, GridSelection &selection, int perRow, int imageCount)
{
    const int current = selection.first();
    switch (key) {
    case GridKey::RowUp:
        return selection.selectOnly(current - perRow, imageCount);
    case GridKey::RowDown:
        return selection.selectOnly(current + perRow, imageCount);
    case GridKey::FirstImage:
        return selection.selectOnly(0, imageCount);
    case GridKey::LastImage:
        return selection.selectOnly(imageCount - 1, imageCount);
    default:
        return false;
    }
}

SlideLayout slideLayout(int width, int height, double heightPerWidth)
{
    double r = heightPerWidth;
    if (!(r > 0) || !std::isfinite(r))
        r = 1.0;
    const QRect border(7, 7, width - 14, height - 14);
    if (r > 1) {
        const int h = height - 19;
        const int w = int(std::lround(h / r));
        return {QRect((width - w) / 2, 9, w, h), border};
    }
    const int w = width - 19;
    const int h = int(std::lround(w * r));
    return {QRect(9, (height - h) / 2, w, h), border};
}

double previewRatio(QSize previewSize)
{
    if (previewSize.width() <= 0 || previewSize.height() <= 0)
        return 1.0;
    return double(previewSize.height()) / double(previewSize.width());
}

QColor slideBorderColor(bool selected) { return selected ? QColor(0xFF, 0x00, 0x00) : QColor(0xFF, 0xFF, 0xFF); }

int scrollMaximum(int sheetExtent, int viewportExtent)
{
    return sheetExtent > viewportExtent ? sheetExtent - viewportExtent : 0;
}

std::optional<ScrollChange> scrollToShow(int slideStart, int value, int maximum, int viewportExtent)
{
    const int start = slideStart - value;  // slide top + sheet top
    int newValue;
    if (start < 0)
        newValue = slideStart;
    else if (start >= viewportExtent)
        newValue = slideStart - viewportExtent + kScrollLargeChange;
    else
        return std::nullopt;
    return ScrollChange{newValue, newValue > maximum ? newValue + 1 : maximum};
}

int wheelScrollValue(int value, int notches, int minimum, int maximum)
{
    const qint64 wanted = qint64(value) - qint64(kScrollLargeChange) * notches;
    return int(std::clamp<qint64>(wanted, minimum, std::max(minimum, maximum)));
}

}  // namespace lumarc::gui
