// Benchmark driver: "generate" writes the test pictures, "make" produces the gallery images
// of a folder through makeImages() with the default settings and prints the wall time.

#include "generator/imageproducer.h"
#include "imaging/imageengine.h"
#include "support/paths.h"
#include "syntheticimage.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTextStream>

#include <cstdio>

using namespace lumarc;

namespace {

int usage()
{
    std::fputs("usage: lumarc_bench generate FOLDER COUNT [WIDTH HEIGHT QUALITY NOISE]\n"
               "       lumarc_bench make FOLDER OUTPUT [-j WORKERS]\n",
               stderr);
    return 2;
}

int generate(const QStringList &args)
{
    if (args.size() < 2)
        return usage();
    const QString folder = args.at(0);
    const int count = args.at(1).toInt();
    test::SyntheticImage spec;
    spec.width = args.value(2, QStringLiteral("6000")).toInt();
    spec.height = args.value(3, QStringLiteral("4000")).toInt();
    spec.quality = args.value(4, QStringLiteral("92")).toInt();
    spec.noise = args.value(5, QStringLiteral("6")).toDouble();
    if (!QDir().mkpath(folder))
        return 1;
    for (int i = 0; i < count; ++i) {
        const QString path = paths::join(folder, QStringLiteral("IMG_%1.jpg").arg(1000 + i));
        if (QFileInfo::exists(path))
            continue;
        if (Status error = test::writeSyntheticImage(path, spec)) {
            std::fprintf(stderr, "lumarc_bench: %s\n", qPrintable(error->message()));
            return 1;
        }
    }
    return 0;
}

class QuietProgress final : public Progress {
public:
    void step(int, int, const QString &) override {}
    bool stopRequested() const override { return false; }
};

int make(const QStringList &args)
{
    if (args.size() < 2)
        return usage();
    int workers = 0;
    const int j = int(args.indexOf(QStringLiteral("-j")));
    if (j >= 0)
        workers = args.value(j + 1).toInt();

    Project project;
    project.settings.setDefaults();
    const QDir in(args.at(0));
    const QStringList names = in.entryList({QStringLiteral("*.jpg"), QStringLiteral("*.JPG")}, QDir::Files, QDir::Name);
    for (const QString &name : names) {
        ImageItem item;
        item.path = in.filePath(name);
        item.title = paths::baseName(name);
        item.outputName = project.images.makeUniqueOutputName(item.title);
        item.loaded = true;
        project.images.append(item);
    }
    imaging::initialise();
    QuietProgress progress;
    QElapsedTimer timer;
    timer.start();
    const ImageReport report = makeImages(project, *GalleryFolder::open(args.at(1)).value(), workers, progress);
    const qint64 ms = timer.elapsed();
    for (const Error &error : report.failures)
        std::fprintf(stderr, "lumarc_bench: %s\n", qPrintable(error.message()));
    std::printf("%d images in %lld ms\n", report.produced, static_cast<long long>(ms));
    return report.failures.isEmpty() ? 0 : 1;
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return usage();
    const QString command = args.takeFirst();
    if (command == QLatin1String("generate"))
        return generate(args);
    if (command == QLatin1String("make"))
        return make(args);
    return usage();
}
