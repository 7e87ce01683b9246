// Times the link verifier dialog on many web links against a local server whose every
// answer is held back, so that the wall time shows how well checks overlap:
//
//   lumarc_bench_verify [LINKS [DELAY_MS]]      default: 200 links, 1000 ms per answer
//
// Prints the wall time from the Verify button to the end of the run, the ideal
// LINKS / kConcurrency x DELAY, their ratio, and the longest stall of the dialog's event
// loop (the longest gap between ticks of a 10 ms timer: how long the window could not
// repaint). The connectivity probe goes to a second server that answers at once, so that
// only the link checks are timed.

#include "stallmeter.h"

#include "gui/editor/projectdocument.h"
#include "gui/verify/verifylinksdialog.h"
#include "model/urlcollection.h"
#include "support/httptestserver.h"
#include "verify/linkchecker.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>

#include <cstdio>

using namespace lumarc;
using lumarc::verify::LinkChecker;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const int links = args.size() > 1 ? args.at(1).toInt() : 200;
    const int delayMs = args.size() > 2 ? args.at(2).toInt() : 1000;
    if (links < 1 || delayMs < 0) {
        std::fprintf(stderr, "usage: lumarc_bench_verify [LINKS [DELAY_MS]]\n");
        return 2;
    }

    // Qt opens at most six connections to one host, fewer than the checker's checks in
    // flight: the links are spread over the loopback hosts 127.0.0.1 to 127.0.0.4, so that
    // the checker and not Qt's per-host limit sets the pace.
    constexpr int kHosts = 4;
    test::ThreadedHttpTestServer server(test::loopbackAddresses(kHosts));
    test::ThreadedHttpTestServer probe;
    if (!server.isListening() || !probe.isListening()) {
        std::fprintf(stderr, "lumarc_bench_verify: cannot listen on 127.0.0.1 to 127.0.0.%d\n", kHosts);
        return 1;
    }
    server.server().setDelay(delayMs);
    qputenv("LUMARC_PROBE_URL", probe.server().url(QStringLiteral("/probe")).toUtf8());

    Project project;
    project.settings.setDefaults();
    for (int i = 0; i < links; ++i) {
        const QString host = QStringLiteral("127.0.0.%1").arg(1 + i % kHosts);
        ImageItem image;
        image.url = server.server().url(QStringLiteral("/ok.html?n=%1").arg(i), host);
        project.images.append(image);
    }
    gui::ProjectDocument document;
    document.reset(project, QString());
    UrlCollection urls;
    gui::VerifyLinksDialog dialog(document, urls);
    dialog.show();

    QEventLoop loop;
    QObject::connect(&dialog, &gui::VerifyLinksDialog::verifyingFinished, &loop, &QEventLoop::quit);
    QElapsedTimer clock;
    clock.start();
    const StallMeter stalls;
    dialog.startVerifying();
    loop.exec();
    const double seconds = double(clock.elapsed()) / 1000.0;

    int valid = 0;
    for (int row = 0; row < links; ++row)
        valid += dialog.status(row) == verify::LinkStatus::Validated ? 1 : 0;
    const double ideal = double(links) / LinkChecker::kConcurrency * delayMs / 1000.0;
    std::printf("verify: %d links, %d ms per answer, %d at a time: %.2f s, %d valid "
                "(ideal %.2f s, %.2fx; at most %d requests open at once; longest stall %lld ms)\n",
                links, delayMs, LinkChecker::kConcurrency, seconds, valid, ideal, ideal > 0 ? seconds / ideal : 0.0,
                server.server().maxOpenRequests(), stalls.longest());
    return valid == links ? 0 : 1;
}
