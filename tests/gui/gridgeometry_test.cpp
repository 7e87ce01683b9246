// The grid's arithmetic and the slide layout: one case per rule and per boundary. The click
// rules, the keys and a drag are driven through the widget in thumbnailgrid_test.

#include "gui/editor/gridgeometry.h"

#include <QTest>

using namespace lumarc::gui;

using Ints = QList<int>;

class GridGeometryTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void fitsPicturesPerRowTo32000Pixels()
    {
        const struct { const char *name; int wanted, images, expected; } rows[] = {
            {"300 is too wide: 228", 300, 0, 228},
            {"1000 images at 4 need 35000 pixels: 5", 4, 1000, 5},
            {"915 images at 4: 32025 pixels as a fraction", 4, 915, 5},
            {"the height rule wins over the width rule", 300, 100000, 438},
        };
        for (const auto &row : rows)
            QVERIFY2(fitPicturesPerRow(row.wanted, row.images) == row.expected, row.name);
    }

    void placesSlidesOnTheSheet()
    {
        // 10 images at 4 per row: rows 0..3, 4..7, 8..9.
        QCOMPARE(slidePosition(9, 4), QPoint(140, 280));
        QCOMPARE(sheetSize(10, 4), QSize(560, 420));   // a partly filled last row
        QCOMPARE(slideIndexAt(QPoint(150, 200), 4, 10), 5);
        QCOMPARE(slideIndexAt(QPoint(300, 300), 4, 10), -1);   // unused cell after the last
        QCOMPARE(slidesInRect(QRect(0, 0, 300, 200), 4, 10), (IndexRange{0, 6}));
    }

    void readsModifiersDragRulesAndSelectionSets()
    {
        QCOMPARE(clickModifier(Qt::ShiftModifier | Qt::KeypadModifier), ClickModifier::Shift);
        QVERIFY(!isBeyondDragThreshold(QPoint(100, 100), QPoint(102, 98)) && isBeyondDragThreshold(QPoint(100, 100), QPoint(100, 97)));
        // A drop onto the first selected image moves nothing.
        QVERIFY(!dropMovesImages(GridSelection::of({3, 4}), 3) && dropMovesImages(GridSelection::of({3, 4}), 4));

        GridSelection selection = GridSelection::of({7, 2, -1, 4, 2});
        QCOMPARE(selection.indexes(), (Ints{2, 4, 7}));
        // Select all twice in a row ends with nothing selected.
        selection.toggleSelectAll(4);
        QCOMPARE(selection.indexes(), (Ints{0, 1, 2, 3}));
        selection.toggleSelectAll(4);
        QCOMPARE(selection.first(), -1);
    }

    void computesTheDropTarget()
    {
        // 4 per row; slide 5 is at (140, 140). The pointer is in sheet coordinates.
        const struct { const char *name; QPoint pointer; int images, expected; } rows[] = {
            {"left half of slide 5 drops before it", {209, 200}, 6, 5},
            {"right half drops after it", {210, 200}, 6, 6},
            {"beyond the rows: column = per row", {900, 70}, 10, 4},
            {"y = 140 is row 0", {10, 140}, 10, 0},
            {"y = 141 is row 1", {10, 141}, 10, 4},
        };
        for (const auto &row : rows)
            QVERIFY2(dropTarget(row.pointer, 4, row.images) == row.expected, row.name);
    }

    void reordersAfterADrop()
    {
        const struct { const char *name; Ints selected; int target, images; Ints order, selectedAfter; } rows[] = {
            {"to the front", {2, 4}, 0, 6, {2, 4, 0, 1, 3, 5}, {0, 1}},
            {"target inside the block", {1, 2}, 2, 4, {0, 1, 2, 3}, {1, 2}},
        };
        for (const auto &row : rows) {
            const GridSelection selected = GridSelection::of(row.selected);
            QVERIFY2(orderAfterMove(selected, row.target, row.images) == row.order, row.name);
            QVERIFY2(selectionAfterMove(selected, row.target, row.images).indexes() == row.selectedAfter, row.name);
        }
    }

    void laysOutTheSlideAndScrolls()
    {
        const auto area = [](double ratio) { return slideLayout(140, 140, ratio).pictureArea; };
        QCOMPARE(area(0.75), QRect(9, 24, 121, 91));   // 121 x 90.75, centred vertically
        QCOMPARE(area(2.0), QRect(39, 9, 61, 121));    // 60.5 x 121, centred horizontally
        QCOMPARE(area(0.0), QRect(9, 9, 121, 121));    // square
        QCOMPARE(previewRatio(QSize(120, 90)), 0.75);

        // Viewport 300, maximum 2500.
        const auto show = [](int slideStart, int value) { return scrollToShow(slideStart, value, 2500, 300); };
        QCOMPARE(show(280, 500), (ScrollChange{280, 2500}));   // above: to the top edge
        QCOMPARE(show(300, 0), (ScrollChange{140, 2500}));     // top at the bottom edge: to the bottom
        QVERIFY(!show(280, 280));                              // top at the top edge is visible
        QCOMPARE(show(2800, 0), (ScrollChange{2640, 2641}));   // above the maximum raises it

        // Bar 0 .. 1000; a notch towards the user is -1 and moves the bar down one slide.
        QCOMPARE(wheelScrollValue(100, -3, 0, 1000), 520);
        QCOMPARE(wheelScrollValue(900, -1, 0, 1000), 1000);
    }
};

QTEST_APPLESS_MAIN(GridGeometryTest)
#include "gridgeometry_test.moc"
