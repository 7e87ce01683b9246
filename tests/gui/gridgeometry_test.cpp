// The grid's arithmetic and the slide layout, with their edge cases and the boundaries of
// each rule.

#include "gui/editor/gridgeometry.h"

#include <QTest>

using namespace lumarc::gui;

Q_DECLARE_METATYPE(lumarc::gui::GridKey)
Q_DECLARE_METATYPE(lumarc::gui::KeyOutcome)
Q_DECLARE_METATYPE(lumarc::gui::ClickModifier)

namespace {

GridSelection sel(const QList<int> &indexes)
{
    return GridSelection::of(indexes);
}

} // namespace

class GridGeometryTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void fitsPicturesPerRowTo32000Pixels_data()
    {
        QTest::addColumn<int>("wanted");
        QTest::addColumn<int>("images");
        QTest::addColumn<int>("expected");
        QTest::newRow("4 per row, 10 images") << 4 << 10 << 4;
        QTest::newRow("300 is reduced to 228") << 300 << 0 << 228;
        QTest::newRow("228 x 140 = 31920 fits") << 228 << 0 << 228;
        QTest::newRow("229 x 140 = 32060 is too wide") << 229 << 0 << 228;
        QTest::newRow("1000 images at 4 need 35000 pixels: 5") << 4 << 1000 << 5;
        QTest::newRow("914 images at 4: 31990 pixels fit") << 4 << 914 << 4;
        QTest::newRow("915 images at 4: 32025 pixels, as a fraction, do not") << 4 << 915 << 5;
        QTest::newRow("1000 images at 1 rise to 5") << 1 << 1000 << 5;
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

    void placesSlidesAndSizesTheSheet()
    {
        QCOMPARE(sheetSize(10, 4), QSize(560, 420));
        QCOMPARE(slidePosition(9, 4), QPoint(140, 280));
        QCOMPARE(slidePosition(0, 4), QPoint(0, 0));
        QCOMPARE(slidePosition(3, 4), QPoint(420, 0));
        QCOMPARE(slidePosition(4, 4), QPoint(0, 140));
        QCOMPARE(sheetSize(8, 4), QSize(560, 280));
        QCOMPARE(sheetSize(0, 4), QSize(560, 0));
        QCOMPARE(sheetSize(1000, 5), QSize(700, 28000));
        QCOMPARE(rowCount(0, 4), 0);
        QCOMPARE(rowCount(1, 4), 1);
        QCOMPARE(rowCount(9, 4), 3);
    }

    void findsTheSlideUnderASheetPoint_data()
    {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<int>("expected");
        // 10 images at 4 per row: rows 0..3, 4..7, 8..9.
        QTest::newRow("top-left corner") << QPoint(0, 0) << 0;
        QTest::newRow("last pixel of slide 0") << QPoint(139, 139) << 0;
        QTest::newRow("slide 5") << QPoint(150, 200) << 5;
        QTest::newRow("slide 9") << QPoint(279, 419) << 9;
        QTest::newRow("unused cell after the last image") << QPoint(300, 300) << -1;
        QTest::newRow("right of the rows") << QPoint(560, 10) << -1;
        QTest::newRow("below the sheet") << QPoint(10, 420) << -1;
        QTest::newRow("left of the sheet") << QPoint(-1, 10) << -1;
    }
    void findsTheSlideUnderASheetPoint()
    {
        QFETCH(QPoint, point);
        QFETCH(int, expected);
        QCOMPARE(slideIndexAt(point, 4, 10), expected);
    }

    void reportsPointsRelativeToTheSlide()
    {
        // A press at (5, 5) in a picture area placed at (9, 40) reaches the owner as
        // (14, 45). Slide 5 at 4 per row is at (140, 140).
        const QPoint sheetPoint = slidePosition(5, 4) + QPoint(9, 40) + QPoint(5, 5);
        QCOMPARE(slideIndexAt(sheetPoint, 4, 10), 5);
        QCOMPARE(pointInSlide(sheetPoint, 5, 4), QPoint(14, 45));
    }

    void listsTheSlidesInARectangle()
    {
        QCOMPARE(slidesInRect(QRect(0, 0, 300, 200), 4, 10), (IndexRange{0, 6}));
        QCOMPARE(slidesInRect(QRect(0, 280, 560, 500), 4, 10), (IndexRange{8, 9}));
        QCOMPARE(slidesInRect(QRect(0, 500, 560, 100), 4, 10), IndexRange{});
        QVERIFY(slidesInRect(QRect(0, 0, 100, 100), 4, 0).isEmpty());
    }

    void readsClickModifiers_data()
    {
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<ClickModifier>("expected");
        QTest::newRow("none") << int(Qt::NoModifier) << ClickModifier::None;
        QTest::newRow("Shift") << int(Qt::ShiftModifier) << ClickModifier::Shift;
        QTest::newRow("Ctrl") << int(Qt::ControlModifier) << ClickModifier::Ctrl;
        QTest::newRow("Shift+Ctrl counts as none")
            << int(Qt::ShiftModifier | Qt::ControlModifier) << ClickModifier::None;
        QTest::newRow("Ctrl+Alt counts as none")
            << int(Qt::ControlModifier | Qt::AltModifier) << ClickModifier::None;
        QTest::newRow("Alt counts as none") << int(Qt::AltModifier) << ClickModifier::None;
        QTest::newRow("keypad flag is not a modifier")
            << int(Qt::ShiftModifier | Qt::KeypadModifier) << ClickModifier::Shift;
    }
    void readsClickModifiers()
    {
        QFETCH(int, modifiers);
        QFETCH(ClickModifier, expected);
        QCOMPARE(clickModifier(Qt::KeyboardModifiers(modifiers)), expected);
    }

    void appliesTheClickRules_data()
    {
        QTest::addColumn<QList<int>>("before");
        QTest::addColumn<int>("index");
        QTest::addColumn<ClickModifier>("modifier");
        QTest::addColumn<QList<int>>("after");
        const auto ctrl = ClickModifier::Ctrl;
        const auto shift = ClickModifier::Shift;
        const auto none = ClickModifier::None;
        QTest::newRow("Ctrl, nothing selected") << QList<int>{} << 3 << ctrl << QList<int>{3};
        QTest::newRow("Ctrl on the only selected image unselects it")
            << QList<int>{3} << 3 << ctrl << QList<int>{};
        QTest::newRow("Ctrl adds") << QList<int>{3} << 5 << ctrl << QList<int>{3, 5};
        QTest::newRow("Ctrl removes one of several")
            << QList<int>{1, 3, 5} << 3 << ctrl << QList<int>{1, 5};
        QTest::newRow("Shift, nothing selected") << QList<int>{} << 4 << shift << QList<int>{4};
        QTest::newRow("Shift on 7 with 2 to 4 selected selects 2 to 7")
            << QList<int>{2, 3, 4} << 7 << shift << QList<int>{2, 3, 4, 5, 6, 7};
        QTest::newRow("Shift before the first")
            << QList<int>{2, 3, 4} << 0 << shift << QList<int>{0, 1, 2, 3, 4};
        QTest::newRow("Shift beyond the last keeps the gaps before it")
            << QList<int>{1, 4} << 6 << shift << QList<int>{1, 4, 5, 6};
        QTest::newRow("Shift between first and last selects the image only")
            << QList<int>{2, 6} << 4 << shift << QList<int>{2, 4, 6};
        QTest::newRow("Shift on a selected one changes nothing")
            << QList<int>{2, 6} << 6 << shift << QList<int>{2, 6};
        QTest::newRow("plain, nothing selected") << QList<int>{} << 2 << none << QList<int>{2};
        QTest::newRow("plain, one selected") << QList<int>{5} << 2 << none << QList<int>{2};
        QTest::newRow("plain on the one selected") << QList<int>{5} << 5 << none << QList<int>{5};
        QTest::newRow("plain on one of several keeps them for a drag")
            << QList<int>{1, 3} << 3 << none << QList<int>{1, 3};
        QTest::newRow("plain outside several selects it alone")
            << QList<int>{1, 3} << 2 << none << QList<int>{2};
    }
    void appliesTheClickRules()
    {
        QFETCH(QList<int>, before);
        QFETCH(int, index);
        QFETCH(ClickModifier, modifier);
        QFETCH(QList<int>, after);
        GridSelection selection = sel(before);
        selection.click(index, modifier);
        QCOMPARE(selection.indexes(), after);
    }

    void countsTheSelection()
    {
        GridSelection selection;
        QCOMPARE(selection.count(), 0);
        QCOMPARE(selection.first(), -1);
        QCOMPARE(selection.last(), -1);
        selection = sel({7, 2, 4, 2});
        QCOMPARE(selection.count(), 3);
        QCOMPARE(selection.first(), 2);
        QCOMPARE(selection.last(), 7);
        selection.clear();
        QCOMPARE(selection.first(), -1);
        QCOMPARE(GridSelection::range(5, 3).indexes(), (QList<int>{3, 4, 5}));
    }

    void selectsAllAndTogglesSelectAll()
    {
        GridSelection selection = sel({1});
        selection.selectAll(4);
        QCOMPARE(selection.indexes(), (QList<int>{0, 1, 2, 3}));
        // Select all twice in a row ends with nothing selected.
        selection = sel({1});
        selection.toggleSelectAll(4);
        QCOMPARE(selection.count(), 4);
        selection.toggleSelectAll(4);
        QVERIFY(selection.isEmpty());
        QCOMPARE(selection.first(), -1);
        selection.selectAll(0);
        QVERIFY(selection.isEmpty());
    }

    void limitsTheSelectionToTheImages()
    {
        GridSelection selection = sel({1, 4, 5, 9});
        selection.limitTo(5);
        QCOMPARE(selection.indexes(), (QList<int>{1, 4}));
    }

    void selectOnlyIgnoresTargetsOutsideTheImages()
    {
        GridSelection selection = sel({1, 2});
        QVERIFY(!selection.selectOnly(-1, 10));
        QVERIFY(!selection.selectOnly(10, 10));
        QCOMPARE(selection.indexes(), (QList<int>{1, 2}));
        QVERIFY(selection.selectOnly(9, 10));
        QCOMPARE(selection.indexes(), QList<int>{9});
    }

    void startsADragBeyondTwoPixels()
    {
        const QPoint press(100, 100);
        QVERIFY(!isBeyondDragThreshold(press, QPoint(102, 98)));
        QVERIFY(isBeyondDragThreshold(press, QPoint(103, 100)));
        QVERIFY(isBeyondDragThreshold(press, QPoint(100, 97)));
        QVERIFY(hasShiftOrCtrl(Qt::ShiftModifier));
        QVERIFY(hasShiftOrCtrl(Qt::ControlModifier | Qt::AltModifier));
        QVERIFY(!hasShiftOrCtrl(Qt::AltModifier));
    }

    void computesTheDropTarget_data()
    {
        QTest::addColumn<QPoint>("pointer");   // in sheet coordinates
        QTest::addColumn<int>("perRow");
        QTest::addColumn<int>("images");
        QTest::addColumn<int>("expected");
        // Six images at 4 per row: slide 5 is at (140, 140).
        QTest::newRow("left half of slide 5 drops before it") << QPoint(150, 200) << 4 << 6 << 5;
        QTest::newRow("last pixel of the left half") << QPoint(209, 200) << 4 << 6 << 5;
        QTest::newRow("right half of slide 5 drops after it") << QPoint(210, 200) << 4 << 6 << 6;
        QTest::newRow("right half of slide 0") << QPoint(100, 70) << 4 << 6 << 1;
        QTest::newRow("right half of the last slide of a row: start of the next row")
            << QPoint(500, 70) << 4 << 10 << 4;
        QTest::newRow("beyond the right of the rows: column = per row")
            << QPoint(900, 70) << 4 << 10 << 4;
        QTest::newRow("y = 140 still belongs to row 0") << QPoint(10, 140) << 4 << 10 << 0;
        QTest::newRow("y = 141 is row 1") << QPoint(10, 141) << 4 << 10 << 4;
        QTest::newRow("the top 5 pixels are row -1: clamped to 0")
            << QPoint(300, 4) << 4 << 10 << 0;
        QTest::newRow("x + 70 < 5 is column -1") << QPoint(-66, 300) << 4 << 10 << 7;
        QTest::newRow("x + 70 = 5 is column 0") << QPoint(-65, 300) << 4 << 10 << 8;
        QTest::newRow("above the sheet clamps to 0") << QPoint(200, -50) << 4 << 10 << 0;
        QTest::newRow("below the last row clamps to the count")
            << QPoint(200, 2000) << 4 << 10 << 10;
        QTest::newRow("empty cells of the last row clamp to the count")
            << QPoint(400, 300) << 4 << 10 << 10;
    }
    void computesTheDropTarget()
    {
        QFETCH(QPoint, pointer);
        QFETCH(int, perRow);
        QFETCH(int, images);
        QFETCH(int, expected);
        QCOMPARE(dropTarget(pointer, perRow, images), expected);
    }

    void movesOnlyWhenTheTargetIsNotTheFirstSelected()
    {
        QVERIFY(!dropMovesImages(GridSelection(), 3));
        QVERIFY(!dropMovesImages(sel({3, 4}), 3));
        QVERIFY(dropMovesImages(sel({3, 4}), 4));
        QVERIFY(dropMovesImages(sel({3, 4}), 0));
    }

    void reordersAfterADrop_data()
    {
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<int>("target");
        QTest::addColumn<int>("images");
        QTest::addColumn<QList<int>>("order");
        QTest::addColumn<QList<int>>("selectedAfter");
        QTest::newRow("1 and 3 of six onto the left half of 5")
            << QList<int>{1, 3} << 5 << 6 << QList<int>{0, 2, 4, 1, 3, 5} << QList<int>{3, 4};
        QTest::newRow("to the front")
            << QList<int>{2, 4} << 0 << 6 << QList<int>{2, 4, 0, 1, 3, 5} << QList<int>{0, 1};
        QTest::newRow("to the end (target = count)")
            << QList<int>{0, 2} << 6 << 6 << QList<int>{1, 3, 4, 5, 0, 2} << QList<int>{4, 5};
        QTest::newRow("a block one place on is the same order")
            << QList<int>{1, 2} << 2 << 4 << QList<int>{0, 1, 2, 3} << QList<int>{1, 2};
        QTest::newRow("a block after its neighbour")
            << QList<int>{1, 2} << 4 << 5 << QList<int>{0, 3, 1, 2, 4} << QList<int>{2, 3};
        QTest::newRow("one image backwards")
            << QList<int>{4} << 1 << 5 << QList<int>{0, 4, 1, 2, 3} << QList<int>{1};
    }
    void reordersAfterADrop()
    {
        QFETCH(QList<int>, selected);
        QFETCH(int, target);
        QFETCH(int, images);
        QFETCH(QList<int>, order);
        QFETCH(QList<int>, selectedAfter);
        QCOMPARE(orderAfterMove(sel(selected), target, images), order);
        QCOMPARE(selectionAfterMove(sel(selected), target, images).indexes(), selectedAfter);
    }

    void mapsTheKeyTable_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<GridKey>("expected");
        const int none = int(Qt::NoModifier);
        const int ctrl = int(Qt::ControlModifier);
        QTest::newRow("Tab") << int(Qt::Key_Tab) << none << GridKey::NextPicture;
        QTest::newRow("Ctrl+Tab") << int(Qt::Key_Tab) << ctrl << GridKey::PreviousPicture;
        QTest::newRow("Shift+Tab is Tab")
            << int(Qt::Key_Backtab) << int(Qt::ShiftModifier) << GridKey::NextPicture;
        QTest::newRow("Left") << int(Qt::Key_Left) << none << GridKey::PreviousPicture;
        QTest::newRow("Right") << int(Qt::Key_Right) << none << GridKey::NextPicture;
        QTest::newRow("Up") << int(Qt::Key_Up) << none << GridKey::RowUp;
        QTest::newRow("Down") << int(Qt::Key_Down) << none << GridKey::RowDown;
        QTest::newRow("keypad Down")
            << int(Qt::Key_Down) << int(Qt::KeypadModifier) << GridKey::RowDown;
        QTest::newRow("Ctrl+Page Up") << int(Qt::Key_PageUp) << ctrl << GridKey::FirstImage;
        QTest::newRow("Ctrl+Page Down") << int(Qt::Key_PageDown) << ctrl << GridKey::LastImage;
        QTest::newRow("Page Up alone") << int(Qt::Key_PageUp) << none << GridKey::Other;
        QTest::newRow("Page Down alone") << int(Qt::Key_PageDown) << none << GridKey::Other;
        QTest::newRow("Delete") << int(Qt::Key_Delete) << none << GridKey::Delete;
        QTest::newRow("Ctrl+A") << int(Qt::Key_A) << ctrl << GridKey::ToggleSelectAll;
        QTest::newRow("A alone") << int(Qt::Key_A) << none << GridKey::Other;
        QTest::newRow("Home") << int(Qt::Key_Home) << none << GridKey::Other;
        QTest::newRow("Space") << int(Qt::Key_Space) << none << GridKey::Other;
    }
    void mapsTheKeyTable()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(GridKey, expected);
        QCOMPARE(gridKey(key, Qt::KeyboardModifiers(modifiers)), expected);
    }

    void appliesTheKeys_data()
    {
        QTest::addColumn<GridKey>("key");
        QTest::addColumn<QList<int>>("before");
        QTest::addColumn<int>("images");
        QTest::addColumn<KeyOutcome>("outcome");
        QTest::addColumn<QList<int>>("after");
        // 4 per row throughout.
        QTest::newRow("Down on the last row does nothing")
            << GridKey::RowDown << QList<int>{9} << 10 << KeyOutcome::Nothing << QList<int>{9};
        QTest::newRow("Down above an empty cell of the last row does nothing")
            << GridKey::RowDown << QList<int>{7} << 10 << KeyOutcome::Nothing << QList<int>{7};
        QTest::newRow("Down") << GridKey::RowDown << QList<int>{5} << 10
                              << KeyOutcome::SelectionMoved << QList<int>{9};
        QTest::newRow("Down from several moves from the first")
            << GridKey::RowDown << QList<int>{1, 2} << 10 << KeyOutcome::SelectionMoved
            << QList<int>{5};
        QTest::newRow("Down with nothing selected selects per row - 1")
            << GridKey::RowDown << QList<int>{} << 10 << KeyOutcome::SelectionMoved
            << QList<int>{3};
        QTest::newRow("Up with nothing selected does nothing")
            << GridKey::RowUp << QList<int>{} << 10 << KeyOutcome::Nothing << QList<int>{};
        QTest::newRow("Up on the first row does nothing")
            << GridKey::RowUp << QList<int>{2} << 10 << KeyOutcome::Nothing << QList<int>{2};
        QTest::newRow("Up") << GridKey::RowUp << QList<int>{6} << 10 << KeyOutcome::SelectionMoved
                            << QList<int>{2};
        QTest::newRow("Ctrl+Page Up") << GridKey::FirstImage << QList<int>{6, 7} << 10
                                      << KeyOutcome::SelectionMoved << QList<int>{0};
        QTest::newRow("Ctrl+Page Down") << GridKey::LastImage << QList<int>{} << 10
                                        << KeyOutcome::SelectionMoved << QList<int>{9};
        QTest::newRow("Ctrl+Page Down without images")
            << GridKey::LastImage << QList<int>{} << 0 << KeyOutcome::Nothing << QList<int>{};
        QTest::newRow("Left is the window's")
            << GridKey::PreviousPicture << QList<int>{6} << 10 << KeyOutcome::PreviousPicture
            << QList<int>{6};
        QTest::newRow("Tab is the window's") << GridKey::NextPicture << QList<int>{6} << 10
                                             << KeyOutcome::NextPicture << QList<int>{6};
        QTest::newRow("Delete is the window's") << GridKey::Delete << QList<int>{6} << 10
                                                << KeyOutcome::Delete << QList<int>{6};
        QTest::newRow("Ctrl+A is the window's")
            << GridKey::ToggleSelectAll << QList<int>{6} << 10 << KeyOutcome::ToggleSelectAll
            << QList<int>{6};
        QTest::newRow("other keys") << GridKey::Other << QList<int>{6} << 10
                                    << KeyOutcome::Nothing << QList<int>{6};
    }
    void appliesTheKeys()
    {
        QFETCH(GridKey, key);
        QFETCH(QList<int>, before);
        QFETCH(int, images);
        QFETCH(KeyOutcome, outcome);
        QFETCH(QList<int>, after);
        GridSelection selection = sel(before);
        QCOMPARE(applyGridKey(key, selection, 4, images), outcome);
        QCOMPARE(selection.indexes(), after);
    }

    void laysOutTheSlide_data()
    {
        QTest::addColumn<double>("ratio");
        QTest::addColumn<QRect>("pictureArea");
        QTest::addColumn<QRect>("border");
        const QRect border(7, 7, 126, 126);
        QTest::newRow("square: long side 121") << 1.0 << QRect(9, 9, 121, 121) << border;
        QTest::newRow("0 behaves as 1") << 0.0 << QRect(9, 9, 121, 121) << border;
        QTest::newRow("0.75: 121 x 90.75, left 9, centred vertically")
            << 0.75 << QRect(9, 24, 121, 91) << border;
        QTest::newRow("2: 60.5 x 121, centred horizontally, top 9")
            << 2.0 << QRect(39, 9, 61, 121) << border;
        QTest::newRow("panorama 120 x 30") << 0.25 << QRect(9, 55, 121, 30) << border;
        QTest::newRow("portrait 30 x 120") << 4.0 << QRect(55, 9, 30, 121) << border;
        QTest::newRow("negative behaves as 1") << -2.0 << QRect(9, 9, 121, 121) << border;
    }
    void laysOutTheSlide()
    {
        QFETCH(double, ratio);
        QFETCH(QRect, pictureArea);
        QFETCH(QRect, border);
        const SlideLayout layout = slideLayout(140, 140, ratio);
        QCOMPARE(layout.pictureArea, pictureArea);
        QCOMPARE(layout.border, border);
    }

    void takesTheRatioFromThePreview()
    {
        QCOMPARE(previewRatio(QSize(120, 90)), 0.75);
        QCOMPARE(previewRatio(QSize(60, 120)), 2.0);
        QCOMPARE(previewRatio(QSize()), 1.0);
        QCOMPARE(slideLayout(140, 140, previewRatio(QSize(120, 120))).pictureArea.width(), 121);
    }

    void colorsTheBorderBySelectionOnly()
    {
        QCOMPARE(slideBorderColor(true), QColor(255, 0, 0));
        QCOMPARE(slideBorderColor(true), QColor(255, 0, 0));
        QCOMPARE(slideBorderColor(false), QColor(255, 255, 255));
        QCOMPARE(kSlideCellColor, QColor(0x80, 0x80, 0x80));
        QCOMPARE(kPictureAreaColor, QColor(0xE0, 0xE0, 0xE0));
    }

    void showsABarOnlyWhenTheSheetIsLonger()
    {
        QCOMPARE(scrollMaximum(420, 300), 120);
        QCOMPARE(scrollMaximum(300, 300), 0);
        QCOMPARE(scrollMaximum(0, 300), 0);
        QCOMPARE(kScrollLargeChange, 140);
        QCOMPARE(kScrollSmallChange, 70);
    }

    void scrollsASlideIntoView_data()
    {
        QTest::addColumn<int>("slideStart");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("viewport");
        QTest::addColumn<bool>("changes");
        QTest::addColumn<int>("newValue");
        QTest::addColumn<int>("newMaximum");
        QTest::newRow("above the viewport: to the top edge")
            << 280 << 500 << 2500 << 300 << true << 280 << 2500;
        QTest::newRow("below the viewport: to the bottom edge")
            << 1400 << 0 << 2500 << 300 << true << 1240 << 2500;
        QTest::newRow("top exactly at the bottom edge counts as below")
            << 300 << 0 << 2500 << 300 << true << 140 << 2500;
        QTest::newRow("top in view, slide cut by the bottom edge: visible")
            << 280 << 0 << 2500 << 300 << false << 0 << 0;
        QTest::newRow("top at the top edge: visible") << 280 << 280 << 2500 << 300 << false << 0 << 0;
        QTest::newRow("a value above the maximum raises it to value + 1")
            << 2800 << 0 << 2500 << 300 << true << 2640 << 2641;
    }
    void scrollsASlideIntoView()
    {
        QFETCH(int, slideStart);
        QFETCH(int, value);
        QFETCH(int, maximum);
        QFETCH(int, viewport);
        QFETCH(bool, changes);
        QFETCH(int, newValue);
        QFETCH(int, newMaximum);
        const auto change = scrollToShow(slideStart, value, maximum, viewport);
        QCOMPARE(change.has_value(), changes);
        if (changes)
            QCOMPARE(*change, (ScrollChange{newValue, newMaximum}));
    }

    void turnsTheWheelIntoSlides_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("notches");
        QTest::addColumn<int>("expected");
        // Bar 0 .. 1000.
        QTest::newRow("-1 moves 140 down") << 0 << -1 << 140;
        QTest::newRow("+1 moves 140 up") << 300 << 1 << 160;
        QTest::newRow("-3") << 100 << -3 << 520;
        QTest::newRow("at the maximum it stays") << 1000 << -1 << 1000;
        QTest::newRow("limited to the maximum") << 900 << -1 << 1000;
        QTest::newRow("limited to the minimum") << 100 << 1 << 0;
    }
    void turnsTheWheelIntoSlides()
    {
        QFETCH(int, value);
        QFETCH(int, notches);
        QFETCH(int, expected);
        QCOMPARE(wheelScrollValue(value, notches, 0, 1000), expected);
    }
};

QTEST_APPLESS_MAIN(GridGeometryTest)
#include "gridgeometry_test.moc"
