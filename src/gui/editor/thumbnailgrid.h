#pragma once

// The thumbnail grid of the main window: one scroll area that paints the open project's
// images as 140 x 140 slides, only those in view, and turns presses, drags, keys, the wheel
// and dropped files into selection changes and requests. It follows the document for the
// images and their titles (the slides' tooltips) and keeps only what is its own: the
// layout, the selection and the previews by image id.
//
// - A new, loaded, imported or shortened list is arranged anew (ArrangeSlides): the
//   selection is emptied, the sheet goes back to the top-left corner and pictures per row
//   is fitted to the 32000-pixel rule, with picturesPerRowChanged() when it had to change.
//   An undone removal selects the images that came back.
// - Images appended while an add runs keep the selection and the scroll position;
//   rearrange() lays the sheet out once the add has ended.
// - A re-order moves the selection with its images.
// - selectionChanged() follows every change of the selection.
// - moveRequested(indexes, target) ends a drag: the window re-orders the document as
//   orderAfterMove() says. The key table's commands and dropped files go out as signals.

#include "gui/editor/gridgeometry.h"
#include "gui/editor/projectdocument.h"
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

    // The project whose images are shown; the grid follows its changes from then on.
    void setDocument(const ProjectDocument *document);
    int imageCount() const;
    // Lays the sheet out anew and brings the last slide into view (after an add).
    void rearrange();

    // A slide shows its preview once it arrives; until then (and for a null image, which
    // removes it) the slide is empty light grey and has no tooltip. Kept as RGB888, drawn
    // unscaled: previews are at most 120 x 120, and a larger one is cut to the picture area.
    void setPreview(ImageId id, const QImage &preview);
    bool hasPreview(ImageId id) const { return m_previews.contains(id); }
    // A slide whose source file is gone shows a red cross over its picture area.
    void setMissing(ImageId id, bool missing);
    bool isMissing(ImageId id) const { return m_missing.contains(id); }

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
    ImageId idAt(int index) const;
    void reindex();
    void imagesAppended(int first, int count);
    void imagesReordered(const QList<int> &newOrder);

    const ProjectDocument *m_document = nullptr;
    QHash<ImageId, int> m_indexOf;  // the document's rows by id, for repainting one slide
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
