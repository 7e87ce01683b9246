#pragma once

// The thumbnail grid of the main window: one scroll area that paints the project's images
// as 140 x 140 slides, only those in view, and turns presses, drags, keys, the wheel and
// dropped files into selection changes and requests to the window. The window owns the
// project and does every change of it; the grid keeps the images' ids and tooltip texts
// in project order, their previews by id, pictures per row and the selection.
//
// The window's side of the contract:
// - aboutToChangeSelection() comes first on every press on a slide and every key of the key
//   table, before anything changes: store the item editor's pending edits there.
// - selectionChanged() follows a change made by the user (press, Up/Down, Ctrl+Page Up/Down);
//   refresh the editor for currentIndex(). Changes the window makes through setImages(),
//   setPicturesPerRow(), moveImages(), setSelection() and selectOnly() do not emit it.
// - moveRequested(indexes, target) ends a drag: re-order the project exactly as
//   orderAfterMove() does (ProjectDocument::reorder of its result), then call
//   moveImages(indexes, target), which re-orders the grid the same way, selects the moved
//   block and keeps the scroll position; refresh the editor afterwards.
// - previousPictureRequested(), nextPictureRequested(), deleteRequested() and
//   selectAllToggleRequested() are the window's commands of the key table.
// - filesDropped(paths) hands over local files dropped from a file manager, in the order of
//   the drop, with native separators and their letter case kept; the window adds them.
// - setImages() is ArrangeSlides: the selection is emptied, the sheet goes back to the
//   top-left corner and pictures per row is fitted to the 32000-pixel rule, with
//   picturesPerRowChanged() when the value had to change. Call it after adding, removing
//   and loading, then scrollToSlide(last) where the last image should come into view.

#include "gui/editor/gridgeometry.h"
#include "model/imagelist.h"

#include <QAbstractScrollArea>
#include <QHash>
#include <QImage>
#include <QList>
#include <QSet>
#include <QStringList>

namespace lumarc::gui {

class ThumbnailGrid : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit ThumbnailGrid(QWidget *parent = nullptr);

    // The images in project order, with the tooltip of each slide (the image's title).
    // Previews of ids that are no longer listed are dropped.
    void setImages(const QList<ImageId> &ids, const QStringList &toolTips);
    // New images at the end while an add runs: the selection and the scroll position stay,
    // so that adding many images costs each one only its own slide.
    void appendImages(const QList<ImageId> &ids, const QStringList &toolTips);
    // The tooltip of slide `index` after its title changed.
    void setToolTipOf(int index, const QString &toolTip);
    int imageCount() const { return int(m_ids.size()); }
    const QList<ImageId> &imageIds() const { return m_ids; }

    // A slide shows its preview once it arrives; until then (and for a null image, which
    // removes it) the slide is empty light grey and has no tooltip. Kept as RGB888, drawn
    // unscaled: previews are at most 120 x 120, and a larger one is cut to the picture area.
    void setPreview(ImageId id, const QImage &preview);
    bool hasPreview(ImageId id) const { return m_previews.contains(id); }
    // A slide whose source file is gone shows a red cross over its picture area.
    void setMissing(ImageId id, bool missing);
    bool isMissing(ImageId id) const { return m_missing.contains(id); }

    // Re-orders the grid's own lists as a drop does and selects the moved block, without
    // the layout reset of setImages().
    void moveImages(const QList<int> &indexes, int target);

    int picturesPerRow() const { return m_perRow; }
    // Fits the value to the 32000-pixel rule and re-arranges as setImages() does.
    void setPicturesPerRow(int perRow);

    const GridSelection &selection() const { return m_selection; }
    void setSelection(const GridSelection &selection);
    // The first selected index, -1 when none.
    int currentIndex() const { return m_selection.first(); }
    // SelectOnly: selects only `index` and scrolls to it; false (and no change) when the
    // index is outside the images. For the window's previous and next picture.
    bool selectOnly(int index);
    // Brings slide `index` into view when its top-left corner is outside it.
    void scrollToSlide(int index);

    // Slide `index` in viewport coordinates; an empty rectangle for a wrong index.
    QRect slideRect(int index) const;
    // The slides that meet the viewport, for loading the visible previews first.
    IndexRange visibleRange() const;

Q_SIGNALS:
    void aboutToChangeSelection();
    void selectionChanged();
    void moveRequested(const QList<int> &indexes, int target);
    void previousPictureRequested();
    void nextPictureRequested();
    void deleteRequested();
    void selectAllToggleRequested();
    void contextMenuRequested(const QPoint &globalPos);
    void filesDropped(const QStringList &paths);
    void picturesPerRowChanged(int perRow);

protected:
    bool viewportEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    QPoint scrollOffset() const;
    QRect sheetRect() const;
    void arrange(int wantedPerRow);
    void updateScrollBars();
    void endDrag();
    void paintSlide(QPainter &painter, int index, QPoint topLeft) const;

    QList<ImageId> m_ids;
    QStringList m_toolTips;
    QHash<ImageId, int> m_indexOf;
    // Keyed by id, not index: indexes move while previews are still arriving.
    QHash<ImageId, QImage> m_previews;
    QSet<ImageId> m_missing;
    int m_perRow = 4;
    GridSelection m_selection;

    // Drag state from press to drop, in sheet coordinates.
    int m_pressedSlide = -1;  // slide of the last left-button press, -1 when none
    QPoint m_pressPoint;
    bool m_dragging = false;
    bool m_pressInSheet = false;  // the last press was on a slide or the sheet between them

    int m_wheelAngle = 0;  // eighths of a degree not yet turned into whole notches
};

}  // namespace lumarc::gui
