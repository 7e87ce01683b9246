// The grid's arithmetic and the slide layout: one case per rule and per boundary.

#include "gui/editor/gridgeometry.h"

#include <QTest>

using namespace lumarc::gui;

Q_DECLARE_METATYPE(lumarc::gui::GridKey)
Q_DECLARE_METATYPE(lumarc::gui::KeyOutcome)
Q_DECLARE_METATYPE(lumarc::gui::ClickModifier)

using Ints = QList<int>;

class GridGeometryTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void fitsPicturesPerRowTo32000Pixels_data()
    {
        QTest::addColumn<int>("wanted");
        QTest::addColumn<int>("images");
        QTest::addColumn<int>("expected");
        QTest::newRow("300 is too wide: 228") << 300 << 0 << 228;
        QTest::newRow("1000 images at 4 need 35000 pixels: 5") << 4 << 1000 << 5;
        QTest::newRow("915 images at 4: 32025 pixels as a fraction") << 4 << 915 << 5;
        QTest::newRow("a larger value is kept") << 10 << 1000 << 10;
        QTest::newRow("0 counts as 1") << 0 << 3 << 1;
        QTest::newRow("the height rule wins over the width rule") << 300 << 100000 << 438;
    }
    void fitsPicturesPerRowTo32000Pixels()
    {
        QFETCH(int, wanted);
        QFETCH(int, images);
        QFETCH(int, expected);
        QCOMPARE(fitPicturesPerRow(wanted, images), expected);
    }

    void placesSlidesOnTheSheet()
    {
        QCOMPARE(slidePosition(3, 4), QPoint(420, 0));
        QCOMPARE(slidePosition(9, 4), QPoint(140, 280));
        QCOMPARE(sheetSize(10, 4), QSize(560, 420));   // a partly filled last row
        QCOMPARE(sheetSize(8, 4), QSize(560, 280));
        QCOMPARE(sheetSize(0, 4), QSize(560, 0));

        // 10 images at 4 per row: rows 0..3, 4..7, 8..9.
        QCOMPARE(slideIndexAt(QPoint(139, 139), 4, 10), 0);
        QCOMPARE(slideIndexAt(QPoint(150, 200), 4, 10), 5);
        QCOMPARE(slideIndexAt(QPoint(300, 300), 4, 10), -1);   // unused cell after the last
        QCOMPARE(slideIndexAt(QPoint(560, 10), 4, 10), -1);    // right of the rows
        QCOMPARE(slideIndexAt(QPoint(-1, 10), 4, 10), -1);
        QCOMPARE(slideIndexAt(QPoint(10, 420), 4, 10), -1);    // below the sheet
        QCOMPARE(pointInSlide(QPoint(154, 185), 5, 4), QPoint(14, 45));

        QCOMPARE(slidesInRect(QRect(0, 0, 300, 200), 4, 10), (IndexRange{0, 6}));
        QCOMPARE(slidesInRect(QRect(0, 280, 560, 500), 4, 10), (IndexRange{8, 9}));
        QCOMPARE(slidesInRect(QRect(0, 500, 560, 100), 4, 10), IndexRange{});
        QVERIFY(slidesInRect(QRect(0, 0, 100, 100), 4, 0).isEmpty());
    }

    void readsModifiersAndDragRules()
    {
        QCOMPARE(clickModifier(Qt::ShiftModifier | Qt::KeypadModifier), ClickModifier::Shift);
        QCOMPARE(clickModifier(Qt::ControlModifier), ClickModifier::Ctrl);
        QCOMPARE(clickModifier(Qt::ShiftModifier | Qt::ControlModifier), ClickModifier::None);
        QCOMPARE(clickModifier(Qt::AltModifier), ClickModifier::None);
        QVERIFY(hasShiftOrCtrl(Qt::ControlModifier | Qt::AltModifier));
        QVERIFY(!hasShiftOrCtrl(Qt::AltModifier));
        QVERIFY(!isBeyondDragThreshold(QPoint(100, 100), QPoint(102, 98)));
        QVERIFY(isBeyondDragThreshold(QPoint(100, 100), QPoint(100, 97)));
        // A drop moves nothing without a selection or onto the first selected image.
        QVERIFY(!dropMovesImages(GridSelection(), 3));
        QVERIFY(!dropMovesImages(GridSelection::of({3, 4}), 3));
        QVERIFY(dropMovesImages(GridSelection::of({3, 4}), 4));
    }

    void appliesTheClickRules_data()
    {
        QTest::addColumn<Ints>("before");
        QTest::addColumn<int>("index");
        QTest::addColumn<ClickModifier>("modifier");
        QTest::addColumn<Ints>("after");
        const auto ctrl = ClickModifier::Ctrl;
        const auto shift = ClickModifier::Shift;
        const auto none = ClickModifier::None;
        QTest::newRow("nothing selected: any press selects") << Ints{} << 4 << shift << Ints{4};
        QTest::newRow("Ctrl on the only selected unselects it") << Ints{3} << 3 << ctrl << Ints{};
        QTest::newRow("Ctrl adds") << Ints{3} << 5 << ctrl << Ints{3, 5};
        QTest::newRow("Shift 7 with 2 to 4 gives 2 to 7") << Ints{2, 3, 4} << 7 << shift << Ints{2, 3, 4, 5, 6, 7};
        QTest::newRow("Shift before the first") << Ints{2, 3, 4} << 0 << shift << Ints{0, 1, 2, 3, 4};
        QTest::newRow("Shift beyond the last keeps gaps") << Ints{1, 4} << 6 << shift << Ints{1, 4, 5, 6};
        QTest::newRow("Shift between adds one") << Ints{2, 6} << 4 << shift << Ints{2, 4, 6};
        QTest::newRow("plain replaces one") << Ints{5} << 2 << none << Ints{2};
        QTest::newRow("plain inside several keeps them") << Ints{1, 3} << 3 << none << Ints{1, 3};
        QTest::newRow("plain outside several") << Ints{1, 3} << 2 << none << Ints{2};
    }
    void appliesTheClickRules()
    {
        QFETCH(Ints, before);
        QFETCH(int, index);
        QFETCH(ClickModifier, modifier);
        QFETCH(Ints, after);
        GridSelection selection = GridSelection::of(before);
        selection.click(index, modifier);
        QCOMPARE(selection.indexes(), after);
    }

    void keepsASetOfIndexes()
    {
        GridSelection selection = GridSelection::of({7, 2, -1, 4, 2});
        QCOMPARE(selection.indexes(), (Ints{2, 4, 7}));
        QCOMPARE(selection.first(), 2);
        QCOMPARE(selection.last(), 7);
        selection.limitTo(5);
        QCOMPARE(selection.indexes(), (Ints{2, 4}));
        QCOMPARE(GridSelection::range(5, 3).indexes(), (Ints{3, 4, 5}));
        // Select all twice in a row ends with nothing selected.
        selection.toggleSelectAll(4);
        QCOMPARE(selection.indexes(), (Ints{0, 1, 2, 3}));
        selection.toggleSelectAll(4);
        QVERIFY(selection.isEmpty());
        QCOMPARE(selection.first(), -1);
        selection.selectAll(0);
        QVERIFY(selection.isEmpty());
    }

    void computesTheDropTarget_data()
    {
        QTest::addColumn<QPoint>("pointer");   // in sheet coordinates
        QTest::addColumn<int>("images");
        QTest::addColumn<int>("expected");
        // 4 per row; slide 5 is at (140, 140).
        QTest::newRow("left half of slide 5 drops before it") << QPoint(150, 200) << 6 << 5;
        QTest::newRow("last pixel of the left half") << QPoint(209, 200) << 6 << 5;
        QTest::newRow("right half drops after it") << QPoint(210, 200) << 6 << 6;
        QTest::newRow("beyond the rows: column = per row") << QPoint(900, 70) << 10 << 4;
        QTest::newRow("y = 140 is row 0") << QPoint(10, 140) << 10 << 0;
        QTest::newRow("y = 141 is row 1") << QPoint(10, 141) << 10 << 4;
        QTest::newRow("y < 5 is row -1, clamped to 0") << QPoint(300, 4) << 10 << 0;
        QTest::newRow("x + 70 < 5 is column -1") << QPoint(-66, 300) << 10 << 7;
        QTest::newRow("x + 70 = 5 is column 0") << QPoint(-65, 300) << 10 << 8;
        QTest::newRow("below the rows clamps to the count") << QPoint(200, 2000) << 10 << 10;
    }
    void computesTheDropTarget()
    {
        QFETCH(QPoint, pointer);
        QFETCH(int, images);
        QFETCH(int, expected);
        QCOMPARE(dropTarget(pointer, 4, images), expected);
    }

    void reordersAfterADrop_data()
    {
        QTest::addColumn<Ints>("selected");
        QTest::addColumn<int>("target");
        QTest::addColumn<int>("images");
        QTest::addColumn<Ints>("order");
        QTest::addColumn<Ints>("selectedAfter");
        QTest::newRow("1 and 3 of six onto the left half of 5")
            << Ints{1, 3} << 5 << 6 << Ints{0, 2, 4, 1, 3, 5} << Ints{3, 4};
        QTest::newRow("to the front") << Ints{2, 4} << 0 << 6 << Ints{2, 4, 0, 1, 3, 5} << Ints{0, 1};
        QTest::newRow("to the end") << Ints{0, 2} << 6 << 6 << Ints{1, 3, 4, 5, 0, 2} << Ints{4, 5};
        QTest::newRow("target inside the block") << Ints{1, 2} << 2 << 4 << Ints{0, 1, 2, 3} << Ints{1, 2};
    }
    void reordersAfterADrop()
    {
        QFETCH(Ints, selected);
        QFETCH(int, target);
        QFETCH(int, images);
        QFETCH(Ints, order);
        QFETCH(Ints, selectedAfter);
        QCOMPARE(orderAfterMove(GridSelection::of(selected), target, images), order);
        QCOMPARE(selectionAfterMove(GridSelection::of(selected), target, images).indexes(), selectedAfter);
    }

    void mapsTheKeyTable()
    {
        // Tab, Ctrl+Tab, Delete and Ctrl+A go through the grid widget's tests.
        QCOMPARE(gridKey(Qt::Key_Backtab, Qt::ShiftModifier), GridKey::NextPicture);
        QCOMPARE(gridKey(Qt::Key_Left, Qt::NoModifier), GridKey::PreviousPicture);
        QCOMPARE(gridKey(Qt::Key_Right, Qt::NoModifier), GridKey::NextPicture);
        QCOMPARE(gridKey(Qt::Key_Up, Qt::NoModifier), GridKey::RowUp);
        QCOMPARE(gridKey(Qt::Key_Down, Qt::KeypadModifier), GridKey::RowDown);
        QCOMPARE(gridKey(Qt::Key_PageUp, Qt::ControlModifier), GridKey::FirstImage);
        QCOMPARE(gridKey(Qt::Key_PageDown, Qt::ControlModifier), GridKey::LastImage);
        QCOMPARE(gridKey(Qt::Key_PageDown, Qt::NoModifier), GridKey::Other);
        QCOMPARE(gridKey(Qt::Key_Home, Qt::NoModifier), GridKey::Other);
    }

    void appliesTheKeys_data()
    {
        QTest::addColumn<GridKey>("key");
        QTest::addColumn<Ints>("before");
        QTest::addColumn<int>("images");
        QTest::addColumn<KeyOutcome>("outcome");
        QTest::addColumn<Ints>("after");
        const auto moved = KeyOutcome::SelectionMoved;
        // 4 per row throughout.
        QTest::newRow("Down on the last row does nothing")
            << GridKey::RowDown << Ints{9} << 10 << KeyOutcome::Nothing << Ints{9};
        QTest::newRow("Down moves from the first selected") << GridKey::RowDown << Ints{1, 2} << 10 << moved << Ints{5};
        QTest::newRow("Down with nothing selected") << GridKey::RowDown << Ints{} << 10 << moved << Ints{3};
        QTest::newRow("Up") << GridKey::RowUp << Ints{6} << 10 << moved << Ints{2};
        QTest::newRow("Up with nothing selected") << GridKey::RowUp << Ints{} << 10 << KeyOutcome::Nothing << Ints{};
        QTest::newRow("Ctrl+Page Up") << GridKey::FirstImage << Ints{6, 7} << 10 << moved << Ints{0};
        QTest::newRow("Ctrl+Page Down") << GridKey::LastImage << Ints{} << 10 << moved << Ints{9};
        QTest::newRow("Ctrl+Page Down without images")
            << GridKey::LastImage << Ints{} << 0 << KeyOutcome::Nothing << Ints{};
    }
    void appliesTheKeys()
    {
        QFETCH(GridKey, key);
        QFETCH(Ints, before);
        QFETCH(int, images);
        QFETCH(KeyOutcome, outcome);
        QFETCH(Ints, after);
        GridSelection selection = GridSelection::of(before);
        QCOMPARE(applyGridKey(key, selection, 4, images), outcome);
        QCOMPARE(selection.indexes(), after);
    }

    void laysOutTheSlide()
    {
        const auto area = [](double ratio) { return slideLayout(140, 140, ratio).pictureArea; };
        QCOMPARE(area(0.75), QRect(9, 24, 121, 91));   // 121 x 90.75, centred vertically
        QCOMPARE(area(2.0), QRect(39, 9, 61, 121));    // 60.5 x 121, centred horizontally
        QCOMPARE(area(0.0), QRect(9, 9, 121, 121));    // square
        QCOMPARE(area(qInf()), QRect(9, 9, 121, 121));
        QCOMPARE(slideLayout(140, 140, 1.0).border, QRect(7, 7, 126, 126));
    }

    void takesRatioAndColourFromThePreview()
    {
        QCOMPARE(previewRatio(QSize(120, 90)), 0.75);
        QCOMPARE(previewRatio(QSize()), 1.0);
        QCOMPARE(slideBorderColor(true), QColor(255, 0, 0));
        QCOMPARE(slideBorderColor(false), QColor(255, 255, 255));
        QCOMPARE(scrollMaximum(420, 300), 120);
        QCOMPARE(scrollMaximum(300, 300), 0);
    }

    void scrollsASlideIntoView()
    {
        // Viewport 300, maximum 2500.
        const auto show = [](int slideStart, int value) { return scrollToShow(slideStart, value, 2500, 300); };
        QCOMPARE(show(280, 500), (ScrollChange{280, 2500}));   // above: to the top edge
        QCOMPARE(show(300, 0), (ScrollChange{140, 2500}));     // top at the bottom edge: to the bottom
        QVERIFY(!show(280, 280));                              // top at the top edge is visible
        QVERIFY(!show(280, 0));                                // top in view, cut at the bottom
        QCOMPARE(show(2800, 0), (ScrollChange{2640, 2641}));   // above the maximum raises it
    }

    void turnsTheWheelIntoSlides()
    {
        // Bar 0 .. 1000; a notch towards the user is -1 and moves the bar down.
        QCOMPARE(wheelScrollValue(0, -1, 0, 1000), 140);
        QCOMPARE(wheelScrollValue(100, -3, 0, 1000), 520);
        QCOMPARE(wheelScrollValue(900, -1, 0, 1000), 1000);
        QCOMPARE(wheelScrollValue(100, 1, 0, 1000), 0);
    }
};

QTEST_APPLESS_MAIN(GridGeometryTest)
#include "gridgeometry_test.moc"
