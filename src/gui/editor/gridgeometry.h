#pragma once

// The arithmetic of the thumbnail grid and of one slide as plain functions: cells, the
// sheet, drop targets, re-ordering, the selection rules, the key table, the slide's picture
// area and the scroll bars. ThumbnailGrid calls them; the tests call them directly.
// Everything is in pixels and in sheet coordinates (the sheet carries all slides, its
// top-left corner is (0, 0)) unless a name says otherwise.

#include <QColor>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>
#include <set>

namespace lumarc::gui {

inline constexpr int kSlideSize = 140;          // cell width and height
inline constexpr int kMaxSheetSide = 32000;     // the widest and highest sheet the grid lays out
inline constexpr int kScrollLargeChange = 140;  // one slide
inline constexpr int kScrollSmallChange = 70;   // half a slide
inline constexpr int kWheelNotch = 120;         // QWheelEvent angle delta of one notch
inline constexpr int kDragThreshold = 2;        // pixels the pointer must move to drag

// ---- Cells and the sheet ----------------------------------------------------------------

// Pictures per row: the wanted value (at least 1) lowered while a row would be wider than
// 32000 pixels, then raised while the rows of imageCount images would be higher than that.
// The second loop wins, so more than about 52,000 images give rows wider than 32000 pixels.
int fitPicturesPerRow(int wanted, int imageCount);

// Rows needed for imageCount images, the last one possibly partly filled; 0 when empty.
int rowCount(int imageCount, int perRow);

// Top-left corner of slide `index`: ((index mod perRow) x 140, (index div perRow) x 140).
QPoint slidePosition(int index, int perRow);

// perRow x 140 wide and rowCount() x 140 high; the width stays perRow x 140 when empty.
QSize sheetSize(int imageCount, int perRow);

// The slide under a sheet point; -1 outside every slide (left or right of the rows, above
// the sheet, or in the unused cells after the last image).
int slideIndexAt(QPoint sheetPoint, int perRow, int imageCount);

// Indexes of the slides that meet a rectangle of the sheet, row by row; first > last (and
// both -1) when none does. Some indexes between first and last may lie beside the
// rectangle, when it is narrower than a row.
struct IndexRange {
    int first = -1;
    int last = -1;
    bool isEmpty() const { return first < 0 || last < first; }
    bool operator==(const IndexRange &) const = default;
};
IndexRange slidesInRect(const QRect &sheetRect, int perRow, int imageCount);

// ---- Selection -------------------------------------------------------------------------

// The modifier of a mouse press as the click rules read it: Shift alone, Ctrl alone, or
// neither. Any other combination (Shift+Ctrl, Ctrl+Alt, Alt) counts as no modifier.
enum class ClickModifier { None, Shift, Ctrl };
ClickModifier clickModifier(Qt::KeyboardModifiers modifiers);

// True when Shift or Ctrl is held: no drag starts and no drop happens.
bool hasShiftOrCtrl(Qt::KeyboardModifiers modifiers);

// The selected slides of the grid: the set is the value, and count, first and last derive
// from it.
// first() is the current image of the item editor.
class GridSelection {
public:
    GridSelection() = default;
    static GridSelection of(const QList<int> &indexes);  // duplicates and negatives dropped
    static GridSelection range(int from, int to);        // from..to, either order

    bool isEmpty() const { return m_indexes.empty(); }
    int count() const { return int(m_indexes.size()); }
    int first() const { return isEmpty() ? -1 : *m_indexes.begin(); }  // -1 when none
    int last() const { return isEmpty() ? -1 : *m_indexes.rbegin(); }  // -1 when none
    bool contains(int index) const { return m_indexes.count(index) != 0; }
    QList<int> indexes() const;  // ascending

    void select(int index);
    void unselect(int index);
    void toggle(int index);
    void selectRange(int from, int to);
    void clear() { m_indexes.clear(); }  // UnselectAllSlides
    void selectAll(int imageCount);
    // The Images menu's select all and Ctrl+A: unselect all when all imageCount images are
    // selected, else select all. Twice in a row ends with nothing selected.
    void toggleSelectAll(int imageCount);
    // Drops indexes >= imageCount (after images were removed).
    void limitTo(int imageCount);

    // A left-button press on slide `index`: with nothing selected it selects the slide; Ctrl
    // toggles it; Shift selects the range from the selection's first (or last) slide to it,
    // or just adds it when it lies between them; without either it selects the slide alone,
    // unless it is one of several selected, which then stay selected for a drag.
    void click(int index, ClickModifier modifier);

    // SelectOnly: when 0 <= target < imageCount, target alone becomes selected and
    // the result is true; otherwise nothing changes and the result is false.
    bool selectOnly(int target, int imageCount);

    bool operator==(const GridSelection &) const = default;

private:
    std::set<int> m_indexes;
};

// ---- Dragging slides to re-order -------------------------------------------------------

// A drag starts when the pointer is more than 2 pixels from the press point horizontally or
// vertically.
bool isBeyondDragThreshold(QPoint pressPoint, QPoint point);

// The cell a drop lands in: half a slide to the right of the pointer, clamped to the list.
// pointerInSheet is the pointer in sheet coordinates (slide left + pointer x, slide top +
// pointer y); half a slide width is added to x here, so that the right half of a slide
// drops after it and the left half before it. Column: -1 when x < 5, else the
// largest c <= perRow with c x 140 <= x. Row: -1 when y < 5, else the smallest r >= 0 with
// y <= (r + 1) x 140. The result row x perRow + column is limited to 0 .. imageCount.
int dropTarget(QPoint pointerInSheet, int perRow, int imageCount);

// A drop moves images unless nothing is selected or the target is the first
// selected index.
bool dropMovesImages(const GridSelection &selection, int target);

// After a drop, the old indexes in their new order: the unselected images before target,
// then the selected ones, then the unselected ones from target on. Selected indexes outside
// 0 .. imageCount - 1 are ignored.
QList<int> orderAfterMove(const GridSelection &selection, int target, int imageCount);

// The selection after a drop is the moved block at its new place: k .. k + m - 1 with k the
// unselected images before target and m the moved ones; when target >= imageCount, the
// last m images.
GridSelection selectionAfterMove(const GridSelection &selection, int target, int imageCount);

// ---- Keyboard ---------------------------------------------------------------------------

// A row of the key table. Rows written with Ctrl need Ctrl held; Tab with Ctrl is the
// previous picture and without it the next (Shift+Tab, which Qt calls Backtab, counts as
// Tab); the other rows act whatever modifiers are held, as a key code test would.
enum class GridKey {
    Other,            // not in the table: does nothing
    PreviousPicture,  // Ctrl+Tab, Left
    NextPicture,      // Tab, Right
    RowUp,            // Up: SelectOnly current - per row
    RowDown,          // Down: SelectOnly current + per row
    FirstImage,       // Ctrl+Page Up: SelectOnly 0
    LastImage,        // Ctrl+Page Down: SelectOnly number of images - 1
    Delete,           // Delete: remove the selected images (the window's command)
    ToggleSelectAll,  // Ctrl+A (the window's command)
};
GridKey gridKey(int key, Qt::KeyboardModifiers modifiers);

// The selection-only rows (RowUp, RowDown, FirstImage, LastImage): SelectOnly their target;
// true when the selection moved. The other rows are the window's commands and change
// nothing here. The current index is selection.first(), -1 when none: Down then selects
// perRow - 1 and Up does nothing.
bool moveSelectionByKey(GridKey key, GridSelection &selection, int perRow, int imageCount);

// ---- One slide --------------------------------------------------------------------------

// The slide's parts, relative to its top-left corner. The picture area's size is rounded
// to whole pixels (halves away from zero) and then centred with the remaining pixels
// divided by two, rounded down: on a 140 x 140 slide a ratio of 0.75 gives 121 x 91 at
// (9, 24) and a ratio of 2 gives 61 x 121 at (39, 9). The border is (7, 7) (W - 14) x (H - 14).
struct SlideLayout {
    QRect pictureArea;
    QRect border;
    bool operator==(const SlideLayout &) const = default;
};
// heightPerWidth is PicHeightPercentOfWidth (a fraction); 0, negative or not finite is 1.
SlideLayout slideLayout(int width, int height, double heightPerWidth);

// PicHeightPercentOfWidth of a preview: height / width; 1 for an empty preview.
double previewRatio(QSize previewSize);

inline const QColor kSlideCellColor{0x80, 0x80, 0x80};    // the control surface
inline const QColor kPictureAreaColor{0xE0, 0xE0, 0xE0};  // Picture1, also "not loaded"
inline constexpr int kSlideBorderWidth = 3;               // BorderWidth
// Shape1's outline: red when selected, white otherwise.
QColor slideBorderColor(bool selected);

// ---- Scroll bars ------------------------------------------------------------------------

// A bar is shown only when the sheet is longer than the viewport along it; its maximum is
// then sheet - viewport. 0 means hidden.
int scrollMaximum(int sheetExtent, int viewportExtent);

// Scrolling a slide into view along one axis, for a shown bar. slideStart is the slide's
// top (or left) on the sheet, value the bar's value (the sheet sits at -value). A slide
// above the viewport comes to the top edge, one at or below the bottom edge to the bottom
// edge (slide top - viewport + 140); a slide whose top-left corner is in view counts as
// visible (nullopt).
// A new value above the maximum raises the maximum to that value + 1.
struct ScrollChange {
    int value;
    int maximum;
    bool operator==(const ScrollChange &) const = default;
};
std::optional<ScrollChange> scrollToShow(int slideStart, int value, int maximum, int viewportExtent);

// The wheel: value - 140 x notches, limited to minimum .. maximum. A rotation towards the
// user is negative and moves the sheet up (the value grows).
int wheelScrollValue(int value, int notches, int minimum, int maximum);

}  // namespace lumarc::gui
