// Times the desktop program's heavy paths through the window's own code, without a display:
//
//   lumarc_bench_desktop add FOLDER        adds every image of FOLDER the way the folder
//       route does; prints the wall time and the longest stall of the event loop
//   lumarc_bench_desktop build FOLDER OUT  adds, then makes the gallery into OUT from the
//       window; prints the build's wall time and the longest stall
//   lumarc_bench_desktop grid COUNT        a project of COUNT images with previews; prints
//       the time of a full repaint of the visible grid, of select all, of a drag of a block
//       and of scrolling from top to bottom, and the peak memory
//
// A stall is the longest gap between two ticks of a 10 ms timer (stallmeter.h): what a user
// would see as a frozen window.

#include "stallmeter.h"

#include "adding/imageadder.h"
#include "gui/app/mainwindow.h"
#include "gui/editor/gridgeometry.h"
#include "gui/editor/thumbnailgrid.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPainter>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cstdio>

using namespace lumarc;
using namespace lumarc::gui;

namespace {

long peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

std::unique_ptr<QSettings> scratchStore(const QTemporaryDir &dir)
{
    return std::make_unique<QSettings>(dir.filePath(QStringLiteral("store.ini")), QSettings::IniFormat);
}

bool waitFor(QSignalSpy &spy, int seconds) { return spy.count() > 0 || spy.wait(seconds * 1000); }

int addImages(MainWindow &window, const QString &folder)
{
    const QStringList files = readableImagesIn(folder);
    QSignalSpy finished(&window, &MainWindow::addingFinished);
    StallMeter stalls;
    QElapsedTimer clock;
    clock.start();
    window.addImages(files, MainWindow::AddRoute::Folder);
    if (!waitFor(finished, 600))
        return 1;
    std::printf("add: %d images in %.2f s, longest stall %lld ms\n", window.document().count(),
                double(clock.elapsed()) / 1000.0, stalls.longest());
    return 0;
}

int runGrid(int count)
{
    QTemporaryDir dir;
    MainWindow window(scratchStore(dir));
    window.resize(1280, 900);
    window.show();
    Project project;
    project.settings.setDefaults();
    for (int i = 0; i < count; ++i)
        project.images.append(newImageRecord(project, QStringLiteral("/pictures/IMG_%1.jpg").arg(i)));
    window.document().reset(project, QString());
    ThumbnailGrid &grid = window.grid();
    QList<ImageId> ids;
    for (int i = 0; i < count; ++i)
        ids.append(window.document().images().id(i));
    // Previews as the loader makes them: 120 x 80 RGB, one per image.
    QImage preview(120, 80, QImage::Format_RGB888);
    for (int i = 0; i < count; ++i) {
        preview.fill(QColor::fromHsv(i % 360, 160, 200));
        grid.setPreview(ids.at(i), preview.copy());
    }
    QCoreApplication::processEvents();

    QElapsedTimer clock;
    constexpr int kRepaints = 50;
    clock.start();
    for (int i = 0; i < kRepaints; ++i)
        grid.viewport()->repaint();
    const double repaint = double(clock.nsecsElapsed()) / 1e6 / kRepaints;

    clock.restart();
    GridSelection all;
    all.selectAll(count);
    grid.setSelection(all);  // the editor follows the selection
    grid.viewport()->repaint();
    const double selectAll = double(clock.nsecsElapsed()) / 1e6;

    // A block of 100 from the start moved to the end, as a drop there does: one undo step
    // that the grid follows.
    QList<int> block;
    for (int i = 0; i < 100; ++i)
        block.append(i);
    grid.setSelection(GridSelection::of(block));
    clock.restart();
    Q_EMIT grid.moveRequested(block, count);
    grid.viewport()->repaint();
    const double drag = double(clock.nsecsElapsed()) / 1e6;

    QScrollBar *bar = grid.verticalScrollBar();
    int steps = 0;
    clock.restart();
    for (int value = 0; value <= bar->maximum(); value += bar->singleStep(), ++steps) {
        bar->setValue(value);
        grid.viewport()->repaint();
    }
    const double scroll = double(clock.nsecsElapsed()) / 1e6;

    std::printf("grid: %d images; full repaint of the visible grid %.2f ms; select all %.1f ms; "
                "drag of 100 %.1f ms; scroll top to bottom %d steps in %.0f ms (%.2f ms a step); peak %ld MB\n",
                count, repaint, selectAll, drag, steps, scroll, scroll / std::max(steps, 1), peakMegabytes());
    return 0;
}

}  // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: %s add FOLDER | build FOLDER OUT | grid COUNT\n", argv[0]);
        return 2;
    }
    QTemporaryDir data;
    qputenv("LUMARC_DATA_FOLDER", data.path().toUtf8());
    const QString command = args.at(1);
    if (command == QLatin1String("grid"))
        return runGrid(args.at(2).toInt());

    MainWindow window(scratchStore(data));
    window.show();
    if (int failed = addImages(window, args.at(2)))
        return failed;
    if (command == QLatin1String("add"))
        return 0;
    if (command != QLatin1String("build") || args.size() < 4)
        return 2;

    GallerySettings settings = window.document().settings();
    settings.destinationFolder = args.at(3);
    window.document().setSettings(settings);
    QSignalSpy built(&window, &MainWindow::buildFinished);
    StallMeter stalls;
    QElapsedTimer clock;
    clock.start();
    window.makeGallery();
    if (!waitFor(built, 600))
        return 1;
    std::printf("build: %d images in %.2f s, longest stall %lld ms\n", window.document().count(),
                double(clock.elapsed()) / 1000.0, stalls.longest());
    return built.first().first().toBool() ? 0 : 1;
}
