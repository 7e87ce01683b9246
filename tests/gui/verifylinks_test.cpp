// The link verifier dialog against a local HTTP server: the statuses its rows show, the base
// box, Stop and a second run, editing page links back into the project, and how the main
// window opens it.

#include "gui/app/mainwindow.h"
#include "gui/editor/projectdocument.h"
#include "gui/verify/verifylinksdialog.h"
#include "i18n/strings.h"
#include "model/urlcollection.h"
#include "storage/projectfile.h"

#include "support/httptestserver.h"
#include "testsupport.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

using namespace lumarc;
using namespace lumarc::gui;
using verify::LinkStatus;

class VerifyLinksTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_tmp;
    test::HttpTestServer m_server;

    QString at(const QString &name) const { return m_tmp.filePath(name); }

    static ImageItem image(const QString &path, const QString &url = {})
    {
        ImageItem item;
        item.path = path;
        item.url = url;
        item.outputName = QStringLiteral("x");
        return item;
    }

    // A document whose rows are, in order: 0 an existing image, 1 its web link (200),
    // 2 a missing image, 3 its web link (404), 4 an image whose link is a relative page,
    // 5 that page link, 6 the parent link (a redirect to another page), 7 the page background.
    void fill(ProjectDocument &document) const
    {
        Project project;
        project.settings.setDefaults();
        project.settings.parentPageUrl = m_server.url("/moved.html");
        project.settings.pageBackgroundImage = at("Site/missing-bg.jpg");
        project.images.append(image(at("Site/a.jpg"), m_server.url("/ok.html")));
        project.images.append(image(at("Site/gone.jpg"), m_server.url("/missing.html")));
        project.images.append(image(at("Site/a.jpg"), QStringLiteral("../Pages/Trip.html")));
        document.reset(project, QString());
    }

    static QString statusOf(const VerifyLinksDialog &dialog, int row) { return dialog.list()->topLevelItem(row)->text(2); }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_tmp.isValid());
        QVERIFY(m_server.listen());
        qputenv("LUMARC_PROBE_URL", m_server.url("/ok.html").toUtf8());
        qputenv("LUMARC_DATA_FOLDER", at("data").toUtf8());
        QVERIFY(test::writeAll(at("Site/a.jpg"), "jpeg"));
        QVERIFY(test::writeAll(at("Site/Pages/Trip.html"), "<html></html>"));
        i18n::setLanguage(i18n::kEnglish);
    }

    void aRunKeepsTheWindowOpenAndClosedToEditsAStopLeavesRowsNotVerifiedAndARerunShowsEachStatus()
    {
        ProjectDocument document;
        fill(document);
        UrlCollection urls;
        VerifyLinksDialog dialog(document, urls);
        QTreeWidget *list = dialog.list();
        QCOMPARE(list->topLevelItemCount(), 8);
        QCOMPARE(list->topLevelItem(0)->text(0), QStringLiteral("image"));
        QCOMPARE(list->topLevelItem(1)->text(0), QStringLiteral("url"));
        QCOMPARE(statusOf(dialog, 1), QStringLiteral("Not verified"));

        // A Windows base is stored with "/"; the link keeps the letter case of the folders.
        dialog.baseBox()->setText(QDir::toNativeSeparators(at("Site/Album")).replace('/', '\\'));
        QSignalSpy finished(&dialog, &VerifyLinksDialog::verifyingFinished);
        dialog.show();
        m_server.setDelay(2000);
        dialog.startVerifying();
        QVERIFY(dialog.isBusy());
        QVERIFY(!dialog.verifyButton()->isEnabled() && !dialog.closeButton()->isEnabled());
        QVERIFY(!dialog.stopButton()->isHidden());
        QVERIFY(!dialog.close() && dialog.isVisible());  // closing is refused while checks are running
        QCOMPARE(document.settings().linkBase, at("Site/Album"));
        QCOMPARE(dialog.baseBox()->text(), at("Site/Album"));

        QTRY_VERIFY_WITH_TIMEOUT(m_server.requestCount() > 0, 5000);
        QTest::qWait(300);  // the probe answered late; the links are in flight now or soon
        dialog.stopButton()->click();
        QCOMPARE(finished.size(), 1);
        QVERIFY(finished.first().first().toBool());
        QCOMPARE(statusOf(dialog, 1), QStringLiteral("Not verified"));
        QCOMPARE(statusOf(dialog, 2), QStringLiteral("Image not found"));  // local rows are done at once

        m_server.setDelay(0);
        dialog.verifyButton()->click();
        QVERIFY(finished.wait(10000));
        QCOMPARE(finished.last().first().toBool(), false);
        const QStringList expected = {"Validated",     "Validated", "Image not found", "URL not found",
                                      "Validated",     "Validated", "URL not found",   "Image not found"};
        for (int row = 0; row < expected.size(); ++row)
            QCOMPARE(statusOf(dialog, row), expected.at(row));
        QVERIFY(dialog.stopButton()->isHidden() && dialog.closeButton()->isEnabled());
    }

    void onlyPageLinksAreEditedAndTheEditGoesIntoTheProjectAtOnce()
    {
        ProjectDocument document;
        fill(document);
        GallerySettings settings = document.settings();
        settings.parentPageUrl = QStringLiteral("http://example.com/home.html");
        document.setSettings(settings);
        document.changeImages({0}, [](ImageItem &item) { item.url = QStringLiteral("http://example.com/photo.jpg"); });
        UrlCollection urls;
        VerifyLinksDialog dialog(document, urls);
        int asked = 0;
        dialog.askUrl = [&asked](QWidget *, QString &text, UrlCollection &) {
            ++asked;
            text = QStringLiteral("http://example.com/new%1.html").arg(asked);
            return true;
        };
        const auto editRow = [&dialog](int row) {
            dialog.list()->setCurrentItem(dialog.list()->topLevelItem(row));
            dialog.editButton()->click();
        };

        editRow(0);  // an image file
        editRow(1);  // a link that is no page
        QCOMPARE(asked, 0);

        editRow(5);  // the third image's page link
        QCOMPARE(asked, 1);
        QCOMPARE(document.images().at(2).url, QStringLiteral("http://example.com/new1.html"));
        QCOMPARE(dialog.list()->topLevelItem(5)->text(1), QStringLiteral("http://example.com/new1.html"));
        QCOMPARE(statusOf(dialog, 5), QStringLiteral("Not verified"));

        editRow(6);  // the parent link
        QCOMPARE(document.settings().parentPageUrl, QStringLiteral("http://example.com/new2.html"));
        QCOMPARE(document.images().at(2).url, QStringLiteral("http://example.com/new1.html"));
        QVERIFY(urls.urls().contains(QStringLiteral("http://example.com/new2.html")));
    }

    void theWindowOpensItOnlyWithImagesAndKeepsTheBaseItWasClosedWith()
    {
        QDir().mkpath(at("data"));
        MainWindow window(std::make_unique<QSettings>(at("store.ini"), QSettings::IniFormat));
        QAction *verifyAction = window.actions().verifyLinks;
        QVERIFY(!verifyAction->isEnabled());

        Project project;
        project.settings.setDefaults();
        project.images.append(image(at("Site/a.jpg"), QStringLiteral("page.html")));
        QVERIFY(!saveProject(project, at("trip.zeb")));
        QVERIFY(window.loadProject(at("trip.zeb"), false));
        QVERIFY(verifyAction->isEnabled());

        int opened = 0;
        window.setVerifierHook([&opened](VerifyLinksDialog &dialog) {
            ++opened;
            QTimer::singleShot(0, &dialog, [&dialog] {
                dialog.baseBox()->setText(QStringLiteral("http://example.com/album"));
                dialog.close();
            });
        });
        verifyAction->trigger();
        QCOMPARE(opened, 1);
        QCOMPARE(window.document().settings().linkBase, QStringLiteral("http://example.com/album"));
    }
};

QTEST_MAIN(VerifyLinksTest)
#include "verifylinks_test.moc"
