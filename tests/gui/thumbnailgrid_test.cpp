// The thumbnail grid as a widget: presses, drags, keys, the wheel, dropped files and what it
// paints, driven by synthetic events without a display.

#include "gui/editor/thumbnailgrid.h"

#include <QApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>
#include <QUrl>
#include <QVBoxLayout>

using namespace lumarc;
using namespace lumarc::gui;

namespace {

constexpr ImageId kFirstId = 100;

QList<ImageId> idsOf(int count)
{
    QList<ImageId> ids;
    for (int i = 0; i < count; ++i)
        ids.append(kFirstId + ImageId(i));
    return ids;
}

QStringList titlesOf(int count)
{
    QStringList titles;
    for (int i = 0; i < count; ++i)
        titles.append(QStringLiteral("title %1").arg(i));
    return titles;
}

// A shown grid of `count` images at `perRow`, `size` pixels large (frame and bars included).
void setUp(ThumbnailGrid &grid, int count, int perRow, QSize size)
{
    grid.resize(size);
    grid.setPicturesPerRow(perRow);
    grid.setImages(idsOf(count), titlesOf(count));
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
}

QPoint centreOf(const ThumbnailGrid &grid, int index)
{
    return grid.slideRect(index).center();
}

void click(ThumbnailGrid &grid, int index, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
           Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mouseClick(grid.viewport(), button, modifiers, centreOf(grid, index));
}

void sendWheel(ThumbnailGrid &grid, int angle)
{
    const QPointF pos(20, 20);
    QWheelEvent event(pos, grid.viewport()->mapToGlobal(pos), QPoint(), QPoint(0, angle),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid.viewport(), &event);
}

QRgb rgbAt(const QImage &image, QPoint point)
{
    return image.pixel(point) & 0xFFFFFF;
}

} // namespace

class ThumbnailGridTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void ctrlClickOnTheOnlySelectedImageUnselectsIt()
    {
        ThumbnailGrid grid;
        setUp(grid, 10, 4, QSize(700, 500));
        click(grid, 3);
        QCOMPARE(grid.selection().indexes(), QList<int>{3});

        QList<int> seenBeforeChange{-1};
        connect(&grid, &ThumbnailGrid::aboutToChangeSelection, &grid,
                [&] { seenBeforeChange = grid.selection().indexes(); });
        QSignalSpy changed(&grid, &ThumbnailGrid::selectionChanged);
        click(grid, 3, Qt::ControlModifier);
        QVERIFY(grid.selection().isEmpty());
        QCOMPARE(grid.currentIndex(), -1);
        QCOMPARE(changed.count(), 1);
        // The window stores the editor's edits into image 3 before the selection goes.
        QCOMPARE(seenBeforeChange, QList<int>{3});
    }

    void shiftClickExtendsTheSelection()
    {
        ThumbnailGrid grid;
        setUp(grid, 10, 4, QSize(700, 500));
        grid.setSelection(GridSelection::range(2, 4));
        click(grid, 7, Qt::ShiftModifier);
        QCOMPARE(grid.selection().indexes(), (QList<int>{2, 3, 4, 5, 6, 7}));
        QCOMPARE(grid.currentIndex(), 2);
    }

    void plainClickOnOneOfSeveralKeepsThem()
    {
        ThumbnailGrid grid;
        setUp(grid, 10, 4, QSize(700, 500));
        grid.setSelection(GridSelection::of({1, 3}));
        QSignalSpy changed(&grid, &ThumbnailGrid::selectionChanged);
        click(grid, 3);
        QCOMPARE(grid.selection().indexes(), (QList<int>{1, 3}));
        QCOMPARE(changed.count(), 0);
        click(grid, 2);
        QCOMPARE(grid.selection().indexes(), QList<int>{2});
        QCOMPARE(changed.count(), 1);
    }

    void draggingTwoSelectedSlidesOntoTheLeftHalfOfSlide5RequestsTheMove()
    {
        ThumbnailGrid grid;
        setUp(grid, 6, 4, QSize(700, 500));
        grid.setSelection(GridSelection::of({1, 3}));
        QSignalSpy moved(&grid, &ThumbnailGrid::moveRequested);
        QWidget *viewport = grid.viewport();

        const QPoint start = centreOf(grid, 3);
        QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, start);
        QTest::mouseMove(viewport, start + QPoint(2, 2));
        QCOMPARE(viewport->cursor().shape(), Qt::ArrowCursor);   // not beyond 2 pixels yet
        QTest::mouseMove(viewport, start + QPoint(0, 3));
        QCOMPARE(viewport->cursor().shape(), Qt::SizeAllCursor);
        const QPoint leftHalfOf5 = grid.slideRect(5).topLeft() + QPoint(20, 70);
        QTest::mouseMove(viewport, leftHalfOf5);
        QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, leftHalfOf5);

        QCOMPARE(viewport->cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(moved.count(), 1);
        QCOMPARE(moved.at(0).at(0).value<QList<int>>(), (QList<int>{1, 3}));
        QCOMPARE(moved.at(0).at(1).toInt(), 5);

        grid.moveImages({1, 3}, 5);
        const QList<ImageId> expected{100, 102, 104, 101, 103, 105};
        QCOMPARE(grid.imageIds(), expected);
        QCOMPARE(grid.selection().indexes(), (QList<int>{3, 4}));
    }

    void aDropWithCtrlHeldOrWithoutMovingMovesNothing()
    {
        ThumbnailGrid grid;
        setUp(grid, 6, 4, QSize(700, 500));
        grid.setSelection(GridSelection::of({1, 3}));
        QSignalSpy moved(&grid, &ThumbnailGrid::moveRequested);
        QWidget *viewport = grid.viewport();
        const QPoint start = centreOf(grid, 3);
        const QPoint target = grid.slideRect(0).topLeft() + QPoint(20, 70);

        QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, start);
        QTest::mouseMove(viewport, target);
        QTest::mouseRelease(viewport, Qt::LeftButton, Qt::ControlModifier, target);
        QCOMPARE(viewport->cursor().shape(), Qt::ArrowCursor);

        QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, start);
        QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, start);
        QCOMPARE(moved.count(), 0);
    }

    void rightButtonKeepsTheSelectionAndAsksForTheContextMenu()
    {
        ThumbnailGrid grid;
        setUp(grid, 10, 4, QSize(700, 500));
        grid.setSelection(GridSelection::of({5}));
        QSignalSpy menu(&grid, &ThumbnailGrid::contextMenuRequested);
        QSignalSpy about(&grid, &ThumbnailGrid::aboutToChangeSelection);
        click(grid, 2, Qt::NoModifier, Qt::RightButton);
        QCOMPARE(grid.selection().indexes(), QList<int>{5});
        QCOMPARE(about.count(), 1);
        QCOMPARE(menu.count(), 1);
        QCOMPARE(menu.at(0).at(0).toPoint(), grid.viewport()->mapToGlobal(centreOf(grid, 2)));

        grid.setImages({}, {});
        QTest::mouseClick(grid.viewport(), Qt::RightButton, Qt::NoModifier, QPoint(20, 20));
        QCOMPARE(menu.count(), 1);
    }

    void downOnTheLastRowDoesNothing()
    {
        ThumbnailGrid grid;
        setUp(grid, 10, 4, QSize(700, 200));
        click(grid, 5);
        QSignalSpy changed(&grid, &ThumbnailGrid::selectionChanged);
        QSignalSpy about(&grid, &ThumbnailGrid::aboutToChangeSelection);
        QScrollBar *bar = grid.verticalScrollBar();

        QTest::keyClick(&grid, Qt::Key_Down);
        QCOMPARE(grid.selection().indexes(), QList<int>{9});
        QCOMPARE(changed.count(), 1);
        // Slide 9's top (280) was below the viewport: it now ends at the bottom edge.
        QCOMPARE(bar->value(), 280 - grid.viewport()->height() + 140);

        QTest::keyClick(&grid, Qt::Key_Down);
        QCOMPARE(grid.selection().indexes(), QList<int>{9});
        QCOMPARE(changed.count(), 1);
        QCOMPARE(about.count(), 2);   // the editor's edits are stored either way

        QTest::keyClick(&grid, Qt::Key_Up);
        QCOMPARE(grid.selection().indexes(), QList<int>{5});
        QCOMPARE(bar->value(), 140);   // slide 5 was above the viewport: now at its top
    }

    void windowKeysBecomeRequests()
    {
        ThumbnailGrid grid;
        setUp(grid, 10, 4, QSize(700, 500));
        click(grid, 5);
        QSignalSpy previous(&grid, &ThumbnailGrid::previousPictureRequested);
        QSignalSpy next(&grid, &ThumbnailGrid::nextPictureRequested);
        QSignalSpy remove(&grid, &ThumbnailGrid::deleteRequested);
        QSignalSpy all(&grid, &ThumbnailGrid::selectAllToggleRequested);
        QSignalSpy about(&grid, &ThumbnailGrid::aboutToChangeSelection);

        QTest::keyClick(&grid, Qt::Key_Tab);
        QTest::keyClick(&grid, Qt::Key_Right);
        QTest::keyClick(&grid, Qt::Key_Tab, Qt::ControlModifier);
        QTest::keyClick(&grid, Qt::Key_Left);
        QTest::keyClick(&grid, Qt::Key_Delete);
        QTest::keyClick(&grid, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(&grid, Qt::Key_A);          // not in the table
        QTest::keyClick(&grid, Qt::Key_PageDown);   // only with Ctrl
        QCOMPARE(next.count(), 2);
        QCOMPARE(previous.count(), 2);
        QCOMPARE(remove.count(), 1);
        QCOMPARE(all.count(), 1);
        QCOMPARE(about.count(), 6);
        QCOMPARE(grid.selection().indexes(), QList<int>{5});   // the window does those

        QTest::keyClick(&grid, Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(grid.selection().indexes(), QList<int>{9});
        QTest::keyClick(&grid, Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(grid.selection().indexes(), QList<int>{0});
    }

    void wheelNotchMovesTheBarOneSlideAndStopsAtTheMaximum()
    {
        ThumbnailGrid grid;
        setUp(grid, 40, 2, QSize(400, 300));
        QScrollBar *bar = grid.verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        QCOMPARE(grid.horizontalScrollBar()->maximum(), 0);

        sendWheel(grid, -120);
        QCOMPARE(bar->value(), 140);
        sendWheel(grid, 120);
        QCOMPARE(bar->value(), 0);
        sendWheel(grid, -60);   // half a notch waits for the other half
        QCOMPARE(bar->value(), 0);
        sendWheel(grid, -60);
        QCOMPARE(bar->value(), 140);

        bar->setValue(bar->maximum());
        sendWheel(grid, -120);
        QCOMPARE(bar->value(), bar->maximum());
    }

    void wheelMovesTheHorizontalBarWhenOnlyItIsShown()
    {
        ThumbnailGrid grid;
        setUp(grid, 5, 10, QSize(400, 300));
        QCOMPARE(grid.verticalScrollBar()->maximum(), 0);
        sendWheel(grid, -120);
        QCOMPARE(grid.horizontalScrollBar()->value(), 140);
    }

    void scrollBarsFollowTheSheet()
    {
        ThumbnailGrid grid;
        setUp(grid, 40, 2, QSize(400, 300));
        QScrollBar *bar = grid.verticalScrollBar();
        QCOMPARE(bar->maximum(), 20 * 140 - grid.viewport()->height());
        QCOMPARE(bar->pageStep(), 140);
        QCOMPARE(bar->singleStep(), 70);
        QCOMPARE(grid.horizontalScrollBar()->pageStep(), 140);
        QCOMPARE(grid.horizontalScrollBar()->singleStep(), 70);

        grid.scrollToSlide(39);
        QCOMPARE(bar->value(), 19 * 140 - grid.viewport()->height() + 140);
        QCOMPARE(grid.visibleRange().last, 39);
        grid.scrollToSlide(40);   // no such image
        grid.scrollToSlide(-1);
        QCOMPARE(bar->value(), 19 * 140 - grid.viewport()->height() + 140);
        grid.scrollToSlide(0);
        QCOMPARE(bar->value(), 0);

        // A layout puts the sheet back at the top-left corner and empties the selection.
        bar->setValue(500);
        grid.setSelection(GridSelection::of({3}));
        grid.setImages(idsOf(40), titlesOf(40));
        QCOMPARE(bar->value(), 0);
        QVERIFY(grid.selection().isEmpty());

        grid.setImages(idsOf(3), titlesOf(3));
        QCOMPARE(bar->maximum(), 0);
        QCOMPARE(grid.horizontalScrollBar()->maximum(), 0);
    }

    void fitsPicturesPerRowAndSaysSo()
    {
        ThumbnailGrid grid;
        QSignalSpy changed(&grid, &ThumbnailGrid::picturesPerRowChanged);
        grid.setPicturesPerRow(300);
        QCOMPARE(grid.picturesPerRow(), 228);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toInt(), 228);

        grid.setPicturesPerRow(4);
        QCOMPARE(changed.count(), 1);
        grid.setImages(idsOf(1000), titlesOf(1000));
        QCOMPARE(grid.picturesPerRow(), 5);
        QCOMPARE(changed.count(), 2);
        QCOMPARE(changed.at(1).at(0).toInt(), 5);
    }

    void droppedFilesKeepTheirLetterCase()
    {
        ThumbnailGrid grid;
        setUp(grid, 2, 4, QSize(700, 500));
        QSignalSpy dropped(&grid, &ThumbnailGrid::filesDropped);
        const QString sunset = QStringLiteral("/tmp/Photos/Sunset.JPG");
        const QString beach = QStringLiteral("/tmp/B/Beach Day.Jpeg");
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(sunset), QUrl(QStringLiteral("https://example.com/a.jpg")),
                      QUrl::fromLocalFile(beach)});

        QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(grid.viewport(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(grid.viewport(), &drop);
        QVERIFY(drop.isAccepted());
        QCOMPARE(dropped.count(), 1);
        QCOMPARE(dropped.at(0).at(0).toStringList(), (QStringList{sunset, beach}));

        QMimeData web;
        web.setUrls({QUrl(QStringLiteral("https://example.com/a.jpg"))});
        QDragEnterEvent refused(QPoint(20, 20), Qt::CopyAction, &web, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(grid.viewport(), &refused);
        QVERIFY(!refused.isAccepted());
    }

    void paintsSlides()
    {
        ThumbnailGrid grid;
        setUp(grid, 10, 4, QSize(700, 500));
        grid.setSelection(GridSelection::of({1}));
        QImage blue(120, 90, QImage::Format_RGB32);
        blue.fill(QColor(0, 0, 255));
        grid.setPreview(kFirstId + 2, blue);

        const QImage shot = grid.viewport()->grab().toImage();
        const QPoint slide0 = grid.slideRect(0).topLeft();
        const QPoint slide1 = grid.slideRect(1).topLeft();
        const QPoint slide2 = grid.slideRect(2).topLeft();
        // Selected slide 1: a red outline 3 pixels wide centred on (7, 7) 126 x 126.
        for (int x : {6, 7, 8})
            QCOMPARE(rgbAt(shot, slide1 + QPoint(x, 70)), QRgb(0xFF0000));
        QCOMPARE(rgbAt(shot, slide1 + QPoint(70, 132)), QRgb(0xFF0000));
        QCOMPARE(rgbAt(shot, slide1 + QPoint(5, 70)), QRgb(0x808080));
        // Not loaded: an empty light grey 121 x 121 area at (9, 9).
        QCOMPARE(rgbAt(shot, slide1 + QPoint(9, 70)), QRgb(0xE0E0E0));
        QCOMPARE(rgbAt(shot, slide1 + QPoint(129, 129)), QRgb(0xE0E0E0));
        QCOMPARE(rgbAt(shot, slide1 + QPoint(130, 70)), QRgb(0x808080));
        // Unselected slide 0: white outline.
        QCOMPARE(rgbAt(shot, slide0 + QPoint(7, 70)), QRgb(0xFFFFFF));
        // Slide 2 with a 120 x 90 preview: area 121 x 91 at (9, 24), preview unscaled.
        QCOMPARE(rgbAt(shot, slide2 + QPoint(9, 24)), QRgb(0x0000FF));
        QCOMPARE(rgbAt(shot, slide2 + QPoint(128, 113)), QRgb(0x0000FF));
        QCOMPARE(rgbAt(shot, slide2 + QPoint(129, 50)), QRgb(0xE0E0E0));
        QCOMPARE(rgbAt(shot, slide2 + QPoint(50, 114)), QRgb(0xE0E0E0));
        QCOMPARE(rgbAt(shot, slide2 + QPoint(50, 20)), QRgb(0x808080));
        QVERIFY(grid.hasPreview(kFirstId + 2));

        // Previews of images that left the list are dropped.
        grid.setImages(idsOf(2), titlesOf(2));
        QVERIFY(!grid.hasPreview(kFirstId + 2));
    }

    void showsTheTitleOfASlideWithItsPreview()
    {
        ThumbnailGrid grid;
        setUp(grid, 4, 4, QSize(700, 300));
        QImage preview(120, 120, QImage::Format_RGB888);
        preview.fill(Qt::green);
        grid.setPreview(kFirstId + 2, preview);

        const QPoint pos = centreOf(grid, 2);
        QHelpEvent help(QEvent::ToolTip, pos, grid.viewport()->mapToGlobal(pos));
        QApplication::sendEvent(grid.viewport(), &help);
        QTRY_COMPARE(QToolTip::text(), QStringLiteral("title 2"));

        const QPoint empty = centreOf(grid, 1);   // no preview: no tooltip
        QHelpEvent none(QEvent::ToolTip, empty, grid.viewport()->mapToGlobal(empty));
        QApplication::sendEvent(grid.viewport(), &none);
        QTRY_VERIFY(!QToolTip::isVisible());
    }

    void takesTheFocusWhenThePointerMovesOverItAndKeepsItOnTab()
    {
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        auto *edit = new QLineEdit(&window);
        auto *grid = new ThumbnailGrid(&window);
        layout->addWidget(edit);
        layout->addWidget(grid);
        grid->setImages(idsOf(4), titlesOf(4));
        window.resize(700, 400);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        edit->setFocus();
        QCOMPARE(window.focusWidget(), edit);

        QMouseEvent move(QEvent::MouseMove, QPointF(30, 30), grid->viewport()->mapToGlobal(QPointF(30, 30)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(grid->viewport(), &move);
        QCOMPARE(window.focusWidget(), grid);

        // Tab is the next picture, not a move of the focus to the next control.
        QSignalSpy next(grid, &ThumbnailGrid::nextPictureRequested);
        QTest::keyClick(grid, Qt::Key_Tab);
        QCOMPARE(next.count(), 1);
        QCOMPARE(window.focusWidget(), grid);
    }
};

QTEST_MAIN(ThumbnailGridTest)
#include "thumbnailgrid_test.moc"
