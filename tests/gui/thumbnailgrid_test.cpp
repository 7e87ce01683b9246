// The thumbnail grid as a widget: input, signals and painting. Its arithmetic is gridgeometry_test's.

#include "gui/editor/thumbnailgrid.h"

#include <QApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
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

void setUp(ThumbnailGrid &grid, int count, int perRow, QSize size = QSize(700, 500))
{
    grid.resize(size);
    grid.setPicturesPerRow(perRow);
    setImages(grid, count);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
}

void sendWheel(ThumbnailGrid &grid, int angle)
{
    const QPointF pos(20, 20);
    QWheelEvent event(pos, grid.viewport()->mapToGlobal(pos), QPoint(), QPoint(0, angle), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid.viewport(), &event);
}

bool dragEnterAccepted(ThumbnailGrid &grid, QMimeData &mime)
{
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(grid.viewport(), &enter);
    return enter.isAccepted();
}

} // namespace

class ThumbnailGridTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void pressesApplyTheClickRulesAndSayWhenBeforeTheChange()
    {
        const struct { Ints before; int index; Qt::KeyboardModifiers modifiers; Ints after; } rows[] = {
            {{3}, 3, Qt::ControlModifier, {}},                          // Ctrl on the only selected
            {{2, 3, 4}, 7, Qt::ShiftModifier, {2, 3, 4, 5, 6, 7}},      // Shift beyond the last
            {{1, 3}, 3, Qt::NoModifier, {1, 3}},                        // plain inside several
            {{1, 3}, 2, Qt::NoModifier, {2}},                           // plain outside several
        };
        for (const auto &row : rows) {
            ThumbnailGrid grid;
            setUp(grid, 10, 4);
            grid.setSelection(GridSelection::of(row.before));
            Ints seenBeforeChange{-1};
            connect(&grid, &ThumbnailGrid::aboutToChangeSelection, &grid,
                    [&] { seenBeforeChange = grid.selection().indexes(); });
            QSignalSpy changed(&grid, &ThumbnailGrid::selectionChanged);

            QTest::mouseClick(grid.viewport(), Qt::LeftButton, row.modifiers, grid.slideRect(row.index).center());
            QCOMPARE(grid.selection().indexes(), row.after);
            QCOMPARE(grid.currentIndex(), row.after.isEmpty() ? -1 : row.after.first());
            QCOMPARE(seenBeforeChange, row.before);
            QCOMPARE(changed.count(), row.before == row.after ? 0 : 1);
        }
    }

    void dragOntoTheLeftHalfOfSlide5RequestsTheMove()
    {
        ThumbnailGrid grid;
        setUp(grid, 6, 4);
        grid.setSelection(GridSelection::of({1, 3}));
        QSignalSpy moved(&grid, &ThumbnailGrid::moveRequested);
        QWidget *viewport = grid.viewport();
        const QPoint leftHalfOf5 = grid.slideRect(5).topLeft() + QPoint(20, 70);

        for (const Qt::KeyboardModifier releaseWith : {Qt::ControlModifier, Qt::NoModifier}) {
            QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, grid.slideRect(3).center());
            QTest::mouseMove(viewport, leftHalfOf5);
            QCOMPARE(viewport->cursor().shape(), Qt::SizeAllCursor);
            QTest::mouseRelease(viewport, Qt::LeftButton, releaseWith, leftHalfOf5);
            QCOMPARE(viewport->cursor().shape(), Qt::ArrowCursor);
        }
        QCOMPARE(moved.count(), 1);   // not on the release with Ctrl held
        QCOMPARE(moved.at(0).at(0).value<Ints>(), (Ints{1, 3}));
        QCOMPARE(moved.at(0).at(1).toInt(), 5);

        grid.moveImages({1, 3}, 5);
        QCOMPARE(grid.imageIds(), (QList<ImageId>{100, 102, 104, 101, 103, 105}));
        QCOMPARE(grid.selection().indexes(), (Ints{3, 4}));
    }

    void keysAndRightButtonMoveTheSelectionOrBecomeRequests()
    {
        ThumbnailGrid grid;
        setUp(grid, 10, 4, QSize(700, 200));
        grid.setSelection(GridSelection::of({5}));
        QSignalSpy previous(&grid, &ThumbnailGrid::previousPictureRequested);
        QSignalSpy next(&grid, &ThumbnailGrid::nextPictureRequested);
        QSignalSpy remove(&grid, &ThumbnailGrid::deleteRequested);
        QSignalSpy all(&grid, &ThumbnailGrid::selectAllToggleRequested);
        QSignalSpy changed(&grid, &ThumbnailGrid::selectionChanged);
        QSignalSpy menu(&grid, &ThumbnailGrid::contextMenuRequested);

        QTest::keyClick(&grid, Qt::Key_Tab);   // the next picture, not the next control
        QTest::keyClick(&grid, Qt::Key_Tab, Qt::ControlModifier);
        QTest::keyClick(&grid, Qt::Key_Delete);
        QTest::keyClick(&grid, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(&grid, Qt::Key_A);   // not a grid key
        QTest::mouseClick(grid.viewport(), Qt::RightButton, Qt::NoModifier, grid.slideRect(2).center());
        QCOMPARE((Ints{int(next.count()), int(previous.count()), int(remove.count()), int(all.count())}),
                 (Ints{1, 1, 1, 1}));
        QCOMPARE(grid.selection().indexes(), Ints{5});   // the window does those
        QCOMPARE(menu.count(), 1);
        QCOMPARE(menu.at(0).at(0).toPoint(), grid.viewport()->mapToGlobal(grid.slideRect(2).center()));

        QSignalSpy about(&grid, &ThumbnailGrid::aboutToChangeSelection);
        QTest::keyClick(&grid, Qt::Key_Down);
        QCOMPARE(grid.selection().indexes(), Ints{9});
        // Slide 9 (top 280) was below the viewport: it ends at the bottom edge.
        QCOMPARE(grid.verticalScrollBar()->value(), 280 - grid.viewport()->height() + 140);
        QTest::keyClick(&grid, Qt::Key_Down);   // on the last row
        QCOMPARE(grid.selection().indexes(), Ints{9});
        QCOMPARE(changed.count(), 1);
        QCOMPARE(about.count(), 2);   // the editor's edits are stored either way

        setImages(grid, 0);   // no menu without images
        QTest::mouseClick(grid.viewport(), Qt::RightButton, Qt::NoModifier, QPoint(20, 20));
        QCOMPARE(menu.count(), 1);
    }

    void wheelNotchMovesTheBarOneSlideAndStopsAtTheMaximum()
    {
        ThumbnailGrid grid;
        setUp(grid, 40, 2, QSize(400, 300));
        QScrollBar *bar = grid.verticalScrollBar();
        sendWheel(grid, -120);
        QCOMPARE(bar->value(), 140);
        sendWheel(grid, -60);   // half a notch waits for the other half
        QCOMPARE(bar->value(), 140);
        sendWheel(grid, -60);
        QCOMPARE(bar->value(), 280);
        bar->setValue(bar->maximum());
        sendWheel(grid, -120);
        QCOMPARE(bar->value(), bar->maximum());

        // Arranging again empties the selection and scrolls back to the top.
        grid.setSelection(GridSelection::of({3}));
        setImages(grid, 40);
        QCOMPARE(bar->value(), 0);
        QVERIFY(grid.selection().isEmpty());

        // Only the horizontal bar shown: the wheel moves it.
        grid.setPicturesPerRow(10);
        setImages(grid, 5);
        sendWheel(grid, -120);
        QCOMPARE(grid.horizontalScrollBar()->value(), 140);
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
        QVERIFY(dragEnterAccepted(grid, mime));
        QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(grid.viewport(), &drop);
        QCOMPARE(dropped.count(), 1);
        QCOMPARE(dropped.at(0).at(0).toStringList(), (QStringList{sunset, beach}));

        QMimeData webOnly;
        webOnly.setUrls({web});
        QVERIFY(!dragEnterAccepted(grid, webOnly));
    }

    void paintsSlidesAndTitlesThePaintedOnes()
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
        // Outline pixels 6 to 8: red on the selected slide, white otherwise.
        QCOMPARE(rgbAt(1, 6, 70), QRgb(0xFF0000));
        QCOMPARE(rgbAt(0, 7, 70), QRgb(0xFFFFFF));
        // A 120 x 90 preview: area 121 x 91 at (9, 24), the preview unscaled at its corner.
        QCOMPARE(rgbAt(2, 9, 24), QRgb(0x0000FF));
        QCOMPARE(rgbAt(2, 128, 113), QRgb(0x0000FF));
        QCOMPARE(rgbAt(2, 129, 50), QRgb(0xE0E0E0));

        // Only a slide with its preview has a tooltip.
        const auto askAt = [&](int slide) {
            const QPoint pos = grid.slideRect(slide).center();
            QHelpEvent help(QEvent::ToolTip, pos, grid.viewport()->mapToGlobal(pos));
            QApplication::sendEvent(grid.viewport(), &help);
        };
        askAt(2);
        QTRY_COMPARE(QToolTip::text(), QStringLiteral("title 2"));
        askAt(1);
        QTRY_VERIFY(!QToolTip::isVisible());

        setImages(grid, 2);   // previews of images that left the list are dropped
        QVERIFY(!grid.hasPreview(kFirstId + 2));
    }

    void takesTheFocusWhenThePointerMovesOverItButNotFromATextField()
    {
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        auto *button = new QPushButton;
        auto *edit = new QLineEdit;
        auto *grid = new ThumbnailGrid;
        for (QWidget *widget : std::initializer_list<QWidget *>{button, edit, grid})
            layout->addWidget(widget);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        button->setFocus();
        QTest::mouseMove(grid->viewport(), QPoint(30, 30));
        QCOMPARE(window.focusWidget(), grid);
        // Delete typed in the field must not reach the grid.
        edit->setFocus();
        QTest::mouseMove(grid->viewport(), QPoint(40, 40));
        QCOMPARE(window.focusWidget(), edit);
    }
};

QTEST_MAIN(ThumbnailGridTest)
#include "thumbnailgrid_test.moc"
