// The thumbnail grid as a widget: input, signals and painting. Its arithmetic is gridgeometry_test's.

#include "gui/editor/thumbnailgrid.h"

#include <QUndoStack>

#include <QApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>
#include <QVBoxLayout>

using namespace lumarc;
using namespace lumarc::gui;

using Ints = QList<int>;

namespace {

void setUp(ThumbnailGrid &grid, ProjectDocument &document, int count, int perRow, QSize size = QSize(700, 500))
{
    Project project;
    for (int i = 0; i < count; ++i) {
        ImageItem item;
        item.path = QStringLiteral("/p/%1.jpg").arg(i);
        item.title = QString::number(i);
        project.images.append(item);
    }
    document.reset(project, QString());
    grid.resize(size);
    grid.setPicturesPerRow(perRow);
    grid.setDocument(&document);
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

} // namespace

class ThumbnailGridTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void pressesApplyTheClickRules()
    {
        const struct { Ints before; int index; Qt::KeyboardModifiers modifiers; Ints after; } rows[] = {
            {{}, 4, Qt::ShiftModifier, {4}},                            // nothing selected: any press selects
            {{3}, 5, Qt::ControlModifier, {3, 5}},                      // Ctrl adds
            {{3}, 3, Qt::ControlModifier, {}},                          // Ctrl on the only selected
            {{2, 3, 4}, 0, Qt::ShiftModifier, {0, 1, 2, 3, 4}},         // Shift before the first
            {{2, 3, 4}, 7, Qt::ShiftModifier, {2, 3, 4, 5, 6, 7}},      // Shift beyond the last
            {{1, 4}, 6, Qt::ShiftModifier, {1, 4, 5, 6}},               // Shift beyond the last keeps gaps
            {{1, 3}, 3, Qt::NoModifier, {1, 3}},                        // plain inside several
            {{1, 3}, 2, Qt::NoModifier, {2}},                           // plain outside several
        };
        for (const auto &row : rows) {
            ProjectDocument document;
            ThumbnailGrid grid;
            setUp(grid, document, 10, 4);
            grid.setSelection(GridSelection::of(row.before));
            QSignalSpy changed(&grid, &ThumbnailGrid::selectionChanged);

            QTest::mouseClick(grid.viewport(), Qt::LeftButton, row.modifiers, grid.slideRect(row.index).center());
            QCOMPARE(grid.selection().indexes(), row.after);
            QCOMPARE(changed.count(), row.before == row.after ? 0 : 1);
        }
    }

    void dragOntoTheLeftHalfOfSlide5RequestsTheMove()
    {
        ProjectDocument document;
        ThumbnailGrid grid;
        setUp(grid, document, 6, 4);
        grid.setSelection(GridSelection::of({1, 3}));
        QSignalSpy moved(&grid, &ThumbnailGrid::moveRequested);
        QWidget *viewport = grid.viewport();
        const QPoint leftHalfOf5 = grid.slideRect(5).topLeft() + QPoint(20, 70);

        QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, grid.slideRect(3).center());
        QTest::mouseMove(viewport, leftHalfOf5);
        QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, leftHalfOf5);
        QCOMPARE(moved.count(), 1);
        QCOMPARE(moved.at(0).at(0).value<Ints>(), (Ints{1, 3}));
        QCOMPARE(moved.at(0).at(1).toInt(), 5);

        // The window re-orders the document; the selection moves with its images, and back
        // again when the move is undone.
        document.reorder(orderAfterMove(GridSelection::of({1, 3}), 5, 6));
        QStringList titles;
        for (const ImageItem &item : document.images().items())
            titles.append(item.title);
        QCOMPARE(titles, (QStringList{"0", "2", "4", "1", "3", "5"}));
        QCOMPARE(grid.selection().indexes(), (Ints{3, 4}));
        document.history().undo();
        QCOMPARE(grid.selection().indexes(), (Ints{1, 3}));
    }

    void keysWheelAndRightButton()
    {
        ProjectDocument document;
        ThumbnailGrid grid;
        setUp(grid, document, 10, 4, QSize(700, 200));
        grid.setSelection(GridSelection::of({1, 2}));
        QSignalSpy previous(&grid, &ThumbnailGrid::previousPictureRequested);
        QSignalSpy next(&grid, &ThumbnailGrid::nextPictureRequested);
        QSignalSpy remove(&grid, &ThumbnailGrid::deleteRequested);
        QSignalSpy all(&grid, &ThumbnailGrid::selectAllToggleRequested);
        QSignalSpy menu(&grid, &ThumbnailGrid::contextMenuRequested);

        QTest::keyClick(&grid, Qt::Key_Tab);   // the next picture, not the next control
        QTest::keyClick(&grid, Qt::Key_Tab, Qt::ControlModifier);
        QTest::keyClick(&grid, Qt::Key_Delete);
        QTest::keyClick(&grid, Qt::Key_A, Qt::ControlModifier);
        QTest::mouseClick(grid.viewport(), Qt::RightButton, Qt::NoModifier, grid.slideRect(2).center());
        const Ints counts{int(next.count()), int(previous.count()), int(remove.count()), int(all.count()),
                          int(menu.count())};
        QCOMPARE(counts, (Ints{1, 1, 1, 1, 1}));
        QCOMPARE(grid.selection().indexes(), (Ints{1, 2}));   // the window does those

        // A notch towards the user moves the bar one slide down, but not past its maximum (about 220).
        QScrollBar *bar = grid.verticalScrollBar();
        sendWheel(grid, -120);
        QCOMPARE(bar->value(), 140);
        sendWheel(grid, -120);
        QCOMPARE(bar->value(), bar->maximum());

        // Down moves one row from the first selected image, and does nothing on the last row.
        QSignalSpy changed(&grid, &ThumbnailGrid::selectionChanged);
        for (const int expected : {5, 9, 9}) {
            QTest::keyClick(&grid, Qt::Key_Down);
            QCOMPARE(grid.selection().indexes(), Ints{expected});
        }
        QCOMPARE(changed.count(), 2);
    }

    void droppedFilesKeepTheirLetterCase()
    {
        ProjectDocument document;
        ThumbnailGrid grid;
        setUp(grid, document, 2, 4);
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
        QCOMPARE(dropped.count(), 1);
        QCOMPARE(dropped.at(0).at(0).toStringList(), (QStringList{sunset, beach}));
    }

    void paintsTheSlides()
    {
        ProjectDocument document;
        ThumbnailGrid grid;
        setUp(grid, document, 10, 4);
        grid.setSelection(GridSelection::of({1}));
        const QImage shot = grid.viewport()->grab().toImage();
        const auto rgbAt = [&](int slide, int x, int y) {
            return shot.pixel(grid.slideRect(slide).topLeft() + QPoint(x, y)) & 0xFFFFFF;
        };
        // Outline pixels 6 to 8: red on the selected slide, white otherwise.
        QCOMPARE(rgbAt(1, 6, 70), QRgb(0xFF0000));
        QCOMPARE(rgbAt(0, 7, 70), QRgb(0xFFFFFF));
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
