// The thumbnail grid as a widget: how presses, drags, keys, the wheel and dropped files
// reach the selection and the window's signals, and what it paints. The arithmetic behind
// them is gridgeometry_test's.

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

using Ints = QList<int>;

namespace {

constexpr ImageId kFirstId = 100;

void setImages(ThumbnailGrid &grid, int count)
{
    QList<ImageId> ids;
    QStringList titles;
    for (int i = 0; i < count; ++i) {
        ids.append(kFirstId + ImageId(i));
        titles.append(QStringLiteral("title %1").arg(i));
    }
    grid.setImages(ids, titles);
}

// A shown grid of `count` images at `perRow`, `size` pixels large (frame and bars included).
void setUp(ThumbnailGrid &grid, int count, int perRow, QSize size = QSize(700, 500))
{
    grid.resize(size);
    grid.setPicturesPerRow(perRow);
    setImages(grid, count);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
}

QPoint centreOf(const ThumbnailGrid &grid, int index)
{
    return grid.slideRect(index).center();
}

void sendWheel(ThumbnailGrid &grid, int angle)
{
    const QPointF pos(20, 20);
    QWheelEvent event(pos, grid.viewport()->mapToGlobal(pos), QPoint(), QPoint(0, angle), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid.viewport(), &event);
}

} // namespace

class ThumbnailGridTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void pressesApplyTheClickRules_data()
    {
        QTest::addColumn<Ints>("before");
        QTest::addColumn<int>("index");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<Ints>("after");
        QTest::newRow("Ctrl on the only selected unselects it")
            << Ints{3} << 3 << Qt::KeyboardModifiers(Qt::ControlModifier) << Ints{};
        QTest::newRow("Shift on 7 with 2 to 4 selects 2 to 7")
            << Ints{2, 3, 4} << 7 << Qt::KeyboardModifiers(Qt::ShiftModifier) << Ints{2, 3, 4, 5, 6, 7};
        QTest::newRow("plain inside several keeps them") << Ints{1, 3} << 3 << Qt::KeyboardModifiers() << Ints{1, 3};
        QTest::newRow("plain outside several") << Ints{1, 3} << 2 << Qt::KeyboardModifiers() << Ints{2};
    }
    void pressesApplyTheClickRules()
    {
        QFETCH(Ints, before);
        QFETCH(int, index);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(Ints, after);
        ThumbnailGrid grid;
        setUp(grid, 10, 4);
        grid.setSelection(GridSelection::of(before));
        // The window stores the editor's edits while the old selection still stands.
        Ints seenBeforeChange{-1};
        connect(&grid, &ThumbnailGrid::aboutToChangeSelection, &grid,
                [&] { seenBeforeChange = grid.selection().indexes(); });
        QSignalSpy changed(&grid, &ThumbnailGrid::selectionChanged);

        QTest::mouseClick(grid.viewport(), Qt::LeftButton, modifiers, centreOf(grid, index));
        QCOMPARE(grid.selection().indexes(), after);
        QCOMPARE(grid.currentIndex(), after.isEmpty() ? -1 : after.first());
        QCOMPARE(seenBeforeChange, before);
        QCOMPARE(changed.count(), before == after ? 0 : 1);
    }

    void dragOntoTheLeftHalfOfSlide5RequestsTheMove()
    {
        ThumbnailGrid grid;
        setUp(grid, 6, 4);
        grid.setSelection(GridSelection::of({1, 3}));
        QSignalSpy moved(&grid, &ThumbnailGrid::moveRequested);
        QWidget *viewport = grid.viewport();
        const QPoint start = centreOf(grid, 3);
        const QPoint leftHalfOf5 = grid.slideRect(5).topLeft() + QPoint(20, 70);

        // Released with Ctrl held, or without dragging: nothing moves.
        QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, start);
        QTest::mouseMove(viewport, leftHalfOf5);
        QTest::mouseRelease(viewport, Qt::LeftButton, Qt::ControlModifier, leftHalfOf5);
        QCOMPARE(viewport->cursor().shape(), Qt::ArrowCursor);
        QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, start);
        QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, start);
        QCOMPARE(moved.count(), 0);

        QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, start);
        QTest::mouseMove(viewport, start + QPoint(2, 2));
        QCOMPARE(viewport->cursor().shape(), Qt::ArrowCursor);   // not beyond 2 pixels yet
        QTest::mouseMove(viewport, start + QPoint(0, 3));
        QCOMPARE(viewport->cursor().shape(), Qt::SizeAllCursor);
        QTest::mouseMove(viewport, leftHalfOf5);
        QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, leftHalfOf5);
        QCOMPARE(viewport->cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(moved.count(), 1);
        QCOMPARE(moved.at(0).at(0).value<Ints>(), (Ints{1, 3}));
        QCOMPARE(moved.at(0).at(1).toInt(), 5);

        grid.moveImages({1, 3}, 5);
        QCOMPARE(grid.imageIds(), (QList<ImageId>{100, 102, 104, 101, 103, 105}));
        QCOMPARE(grid.selection().indexes(), (Ints{3, 4}));
    }

    void rightButtonKeepsTheSelectionAndAsksForTheMenu()
    {
        ThumbnailGrid grid;
        setUp(grid, 10, 4);
        grid.setSelection(GridSelection::of({5}));
        QSignalSpy menu(&grid, &ThumbnailGrid::contextMenuRequested);
        QTest::mouseClick(grid.viewport(), Qt::RightButton, Qt::NoModifier, centreOf(grid, 2));
        QCOMPARE(grid.selection().indexes(), Ints{5});
        QCOMPARE(menu.count(), 1);
        QCOMPARE(menu.at(0).at(0).toPoint(), grid.viewport()->mapToGlobal(centreOf(grid, 2)));

        setImages(grid, 0);   // no menu without images
        QTest::mouseClick(grid.viewport(), Qt::RightButton, Qt::NoModifier, QPoint(20, 20));
        QCOMPARE(menu.count(), 1);
    }

    void downOnTheLastRowDoesNothing()
    {
        ThumbnailGrid grid;
        setUp(grid, 10, 4, QSize(700, 200));
        grid.setSelection(GridSelection::of({5}));
        QSignalSpy changed(&grid, &ThumbnailGrid::selectionChanged);
        QSignalSpy about(&grid, &ThumbnailGrid::aboutToChangeSelection);

        QTest::keyClick(&grid, Qt::Key_Down);
        QCOMPARE(grid.selection().indexes(), Ints{9});
        QCOMPARE(changed.count(), 1);
        // Slide 9 (top 280) was below the viewport: scrolled to end at the bottom edge.
        QCOMPARE(grid.verticalScrollBar()->value(), 280 - grid.viewport()->height() + 140);

        QTest::keyClick(&grid, Qt::Key_Down);
        QCOMPARE(grid.selection().indexes(), Ints{9});
        QCOMPARE(changed.count(), 1);
        QCOMPARE(about.count(), 2);   // the editor's edits are stored either way
    }

    void windowKeysBecomeRequests()
    {
        ThumbnailGrid grid;
        setUp(grid, 10, 4);
        grid.setSelection(GridSelection::of({5}));
        QSignalSpy previous(&grid, &ThumbnailGrid::previousPictureRequested);
        QSignalSpy next(&grid, &ThumbnailGrid::nextPictureRequested);
        QSignalSpy remove(&grid, &ThumbnailGrid::deleteRequested);
        QSignalSpy all(&grid, &ThumbnailGrid::selectAllToggleRequested);

        QTest::keyClick(&grid, Qt::Key_Tab);   // the next picture, not the next control
        QTest::keyClick(&grid, Qt::Key_Tab, Qt::ControlModifier);
        QTest::keyClick(&grid, Qt::Key_Delete);
        QTest::keyClick(&grid, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(&grid, Qt::Key_A);   // not in the table
        QCOMPARE(next.count(), 1);
        QCOMPARE(previous.count(), 1);
        QCOMPARE(remove.count(), 1);
        QCOMPARE(all.count(), 1);
        QCOMPARE(grid.selection().indexes(), Ints{5});   // the window does those
    }

    void wheelNotchMovesTheBarOneSlideAndStopsAtTheMaximum()
    {
        ThumbnailGrid grid;
        setUp(grid, 40, 2, QSize(400, 300));
        QScrollBar *bar = grid.verticalScrollBar();
        QCOMPARE(bar->maximum(), 20 * 140 - grid.viewport()->height());

        sendWheel(grid, -120);
        QCOMPARE(bar->value(), 140);
        sendWheel(grid, -60);   // half a notch waits for the other half
        QCOMPARE(bar->value(), 140);
        sendWheel(grid, -60);
        QCOMPARE(bar->value(), 280);
        bar->setValue(bar->maximum());
        sendWheel(grid, -120);
        QCOMPARE(bar->value(), bar->maximum());

        // Only the horizontal bar shown: the wheel moves it.
        grid.setPicturesPerRow(10);
        setImages(grid, 5);
        QCOMPARE(bar->maximum(), 0);
        sendWheel(grid, -120);
        QCOMPARE(grid.horizontalScrollBar()->value(), 140);
    }

    void arrangingResetsScrollAndSelection()
    {
        ThumbnailGrid grid;
        setUp(grid, 40, 2, QSize(400, 300));
        grid.scrollToSlide(39);
        QCOMPARE(grid.visibleRange().last, 39);
        grid.setSelection(GridSelection::of({3}));
        setImages(grid, 40);
        QCOMPARE(grid.verticalScrollBar()->value(), 0);
        QVERIFY(grid.selection().isEmpty());
    }

    void fitsPicturesPerRowAndSaysSo()
    {
        ThumbnailGrid grid;
        QSignalSpy changed(&grid, &ThumbnailGrid::picturesPerRowChanged);
        grid.setPicturesPerRow(300);
        QCOMPARE(grid.picturesPerRow(), 228);
        grid.setPicturesPerRow(4);   // fits: no signal
        setImages(grid, 1000);
        QCOMPARE(grid.picturesPerRow(), 5);
        QCOMPARE(changed.count(), 2);
        QCOMPARE(changed.at(0).at(0).toInt(), 228);
        QCOMPARE(changed.at(1).at(0).toInt(), 5);
    }

    void droppedFilesKeepTheirLetterCase()
    {
        ThumbnailGrid grid;
        setUp(grid, 2, 4);
        QSignalSpy dropped(&grid, &ThumbnailGrid::filesDropped);
        const QString sunset = QStringLiteral("/tmp/Photos/Sunset.JPG");
        const QString beach = QStringLiteral("/tmp/B/Beach Day.Jpeg");
        const QUrl web(QStringLiteral("https://example.com/a.jpg"));
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(sunset), web, QUrl::fromLocalFile(beach)});
        QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(grid.viewport(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(grid.viewport(), &drop);
        QVERIFY(drop.isAccepted());
        QCOMPARE(dropped.count(), 1);
        QCOMPARE(dropped.at(0).at(0).toStringList(), (QStringList{sunset, beach}));

        QMimeData webOnly;
        webOnly.setUrls({web});
        QDragEnterEvent refused(QPoint(20, 20), Qt::CopyAction, &webOnly, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(grid.viewport(), &refused);
        QVERIFY(!refused.isAccepted());
    }

    void paintsSlides()
    {
        ThumbnailGrid grid;
        setUp(grid, 10, 4);
        grid.setSelection(GridSelection::of({1}));
        QImage blue(120, 90, QImage::Format_RGB32);
        blue.fill(QColor(0, 0, 255));
        grid.setPreview(kFirstId + 2, blue);

        const QImage shot = grid.viewport()->grab().toImage();
        const auto rgbAt = [&](int slide, int x, int y) {
            return shot.pixel(grid.slideRect(slide).topLeft() + QPoint(x, y)) & 0xFFFFFF;
        };
        // Selected slide 1: red outline, pixels 6 to 8, on the grey cell; not loaded: light grey.
        QCOMPARE(rgbAt(1, 6, 70), QRgb(0xFF0000));
        QCOMPARE(rgbAt(1, 8, 70), QRgb(0xFF0000));
        QCOMPARE(rgbAt(1, 5, 70), QRgb(0x808080));
        QCOMPARE(rgbAt(1, 9, 70), QRgb(0xE0E0E0));
        QCOMPARE(rgbAt(0, 7, 70), QRgb(0xFFFFFF));
        // A 120 x 90 preview: area 121 x 91 at (9, 24), the preview unscaled at its corner.
        QCOMPARE(rgbAt(2, 9, 24), QRgb(0x0000FF));
        QCOMPARE(rgbAt(2, 128, 113), QRgb(0x0000FF));
        QCOMPARE(rgbAt(2, 129, 50), QRgb(0xE0E0E0));
        QCOMPARE(rgbAt(2, 50, 20), QRgb(0x808080));

        setImages(grid, 2);   // previews of images that left the list are dropped
        QVERIFY(!grid.hasPreview(kFirstId + 2));
    }

    void showsTheTitleOnlyWithThePreview()
    {
        ThumbnailGrid grid;
        setUp(grid, 4, 4, QSize(700, 300));
        QImage preview(120, 120, QImage::Format_RGB888);
        preview.fill(Qt::green);
        grid.setPreview(kFirstId + 2, preview);
        const auto askAt = [&](QPoint pos) {
            QHelpEvent help(QEvent::ToolTip, pos, grid.viewport()->mapToGlobal(pos));
            QApplication::sendEvent(grid.viewport(), &help);
        };
        askAt(centreOf(grid, 2));
        QTRY_COMPARE(QToolTip::text(), QStringLiteral("title 2"));
        askAt(centreOf(grid, 1));
        QTRY_VERIFY(!QToolTip::isVisible());
    }

    void takesTheFocusWhenThePointerMovesOverIt()
    {
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        auto *edit = new QLineEdit(&window);
        auto *grid = new ThumbnailGrid(&window);
        layout->addWidget(edit);
        layout->addWidget(grid);
        setImages(*grid, 4);
        window.resize(700, 400);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        edit->setFocus();
        QMouseEvent move(QEvent::MouseMove, QPointF(30, 30), grid->viewport()->mapToGlobal(QPointF(30, 30)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(grid->viewport(), &move);
        QCOMPARE(window.focusWidget(), grid);
        // Tab is the next picture, not a move of the focus to the next control.
        QTest::keyClick(grid, Qt::Key_Tab);
        QCOMPARE(window.focusWidget(), grid);
    }
};

QTEST_MAIN(ThumbnailGridTest)
#include "thumbnailgrid_test.moc"
