// The main window as a user drives it: start-up and shutdown state, opening projects,
// adding real images, the item editor's commit rules, closing with unsaved changes, a
// build with the browser replaced, and a live language switch.

#include "generator/pagewriter.h"
#include "gui/app/languagedialog.h"
#include "gui/app/mainwindow.h"
#include "gui/editor/itemeditor.h"
#include "gui/editor/thumbnailgrid.h"
#include "i18n/strings.h"
#include "imaging/syntheticimage.h"
#include "storage/projectfile.h"
#include "storage/settingsfile.h"

#include <QAction>
#include <QCheckBox>
#include <QDesktopServices>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "testsupport.h"
#include "widgettest.h"

using namespace lumarc;
using namespace lumarc::gui;
using lumarc::test::BoxAnswerer;
using lumarc::test::writeAll;

namespace {

// Receives the pages the window opens instead of a browser.
class PageCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public Q_SLOTS:
    void open(const QUrl &url) { opened.append(url); }
};

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_tmp;

    QString at(const QString &name) const { return m_tmp.filePath(name); }
    std::unique_ptr<QSettings> store() const { return std::make_unique<QSettings>(at("store.ini"), QSettings::IniFormat); }
    QString image(const QString &name, int width = 300, int height = 200) const
    {
        imaging::SyntheticImage spec;
        spec.width = width;
        spec.height = height;
        QDir().mkpath(QFileInfo(at(name)).path());
        return imaging::writeSyntheticImage(at(name), spec) ? QString() : at(name);
    }
    QString project(const QString &name, const QStringList &images) const
    {
        Project p;
        p.settings.setDefaults();
        p.settings.destinationFolder = at("out");
        for (const QString &path : images)
            p.images.append(newImageRecord(p, path));
        return saveProject(p, at(name)) ? QString() : at(name);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_tmp.isValid());
        qputenv("LUMARC_DATA_FOLDER", at("data").toUtf8());
    }

    void init()
    {
        QFile::remove(at("store.ini"));
        QDir(at("data")).removeRecursively();
        QDir().mkpath(at("data"));
        i18n::setLanguage(i18n::kEnglish);
    }

    void startupRestoresAndShutdownWritesTheUserState()
    {
        {
            auto s = store();
            s->setValue(QStringLiteral("settings/picinrow"), QStringLiteral("0"));
            s->setValue(QStringLiteral("settings/source_folder"), at("pics"));
        }
        QVERIFY(writeAll(at("data/urls.txt"), "http://a.example/\r\nhttp://b.example/\r\n"));
        GallerySettings look;
        look.setDefaults();
        look.galleryTitle = QStringLiteral("From default.zem");
        QVERIFY(!writeSettingsFile(look, at("data/default.zem")));

        MainWindow window(store());
        QCOMPARE(window.picturesPerRow(), 4);  // a stored 0 gives 4
        QCOMPARE(window.sourceFolder(), at("pics"));
        QCOMPARE(window.knownUrls().urls(), QStringList({"http://a.example/", "http://b.example/"}));
        QCOMPARE(window.document().settings().galleryTitle, QStringLiteral("From default.zem"));

        const QString trip = project("trip.zeb", {image("pics/a.jpg")});
        QVERIFY(window.loadProject(trip, true));
        // A slide dropped onto its own place (a jittery click) changes nothing.
        Q_EMIT window.grid().moveRequested({0}, 1);
        QVERIFY(!window.document().isModified());
        GallerySettings changed = window.document().settings();
        changed.columns = 7;
        window.document().setSettings(changed);
        BoxAnswerer discard(QMessageBox::Discard);
        QVERIFY(window.close());

        const Result<GallerySettings> written = readSettingsFile(at("data/default.zem"));
        QVERIFY(written.ok());
        QCOMPARE(written.value().columns, 7);
        auto s = store();
        QCOMPARE(s->value(QStringLiteral("settings/picinrow")).toString(), QStringLiteral("4"));
        QCOMPARE(s->value(QStringLiteral("settings/source_folder")).toString(), at("pics"));
        QCOMPARE(s->value(QStringLiteral("mru_projects/Count")).toInt(), 1);
        QCOMPARE(s->value(QStringLiteral("mru_projects/File1")).toString(), trip);
    }

    void commandLineLoadsAQuotedProjectOfAnyCaseAndIgnoresOtherFiles()
    {
        const QString upper = project("My Trip.ZEB", {image("x/one.jpg")});
        MainWindow window(store());
        window.openFromCommandLine(QStringLiteral("\"") + image("x/two.jpg") + QStringLiteral("\""));
        QCOMPARE(window.document().count(), 0);
        window.openFromCommandLine(QStringLiteral("\"") + upper + QStringLiteral("\""));
        QCOMPARE(window.document().path(), upper);
        QCOMPARE(window.document().count(), 1);
        QVERIFY(window.windowTitle().startsWith(QStringLiteral("Lumarc  v.1.1.0.  ( My Trip.ZEB )")));

        // A damaged file: the message names no other file, and the open project stays.
        QVERIFY(writeAll(at("bad.zeb"), QByteArray("ZEB105\0\0\0\0", 10)));
        BoxAnswerer ok(QMessageBox::Ok);
        QVERIFY(!window.loadProject(at("bad.zeb"), true));
        QCOMPARE(ok.texts, QStringList{"Invalid ZEB file!"});
        QCOMPARE(window.document().path(), upper);
        QCOMPARE(window.document().count(), 1);
    }

    void addingKeepsTheRouteOrderRefusesDuplicatesAndKeepsTheLetterCase()
    {
        const QString first = image("In/Sunset.JPG", 800, 200);
        const QString second = image("In/beach.png", 50, 60);
        MainWindow window(store());
        BoxAnswerer ok(QMessageBox::Ok);
        QSignalSpy finished(&window, &MainWindow::addingFinished);
        window.addImages({first, second, first, at("In/notes.txt")}, MainWindow::AddRoute::Drop);
        QVERIFY(finished.count() == 1 || finished.wait(20000));
        QCOMPARE(finished.first().first().toInt(), 2);
        QCOMPARE(window.document().count(), 2);
        QCOMPARE(window.document().images().at(0).path, first);  // the case as dropped
        QCOMPARE(window.document().images().at(0).title, QStringLiteral("Sunset"));
        QCOMPARE(window.document().images().at(1).path, second);
        QCOMPARE(ok.texts, QStringList({"Image path:'Sunset' already exist!\r\nImage ignored!", "Added 2 new images."}));
        QVERIFY(window.grid().hasPreview(window.document().images().id(0)));

        // A drop that adds nothing says so.
        finished.clear();
        window.addImages({first}, MainWindow::AddRoute::Drop);
        QVERIFY(finished.count() == 1 || finished.wait(20000));
        QCOMPARE(ok.texts.last(), QStringLiteral("No images added to the project!"));
    }

    void theEditorStoresItsFieldsWhenTheSelectionMovesOnAndDiscardsThemWhenEditingIsSwitchedOff()
    {
        const QString trip = project("edit.zeb", {image("e/a.jpg"), image("e/b.jpg")});
        MainWindow window(store());
        QVERIFY(window.loadProject(trip, false));
        window.grid().setSelection(GridSelection::of({0}));
        window.showItemInEditor();
        auto *title = window.editor().findChildren<QLineEdit *>().at(1);
        QCOMPARE(title->text(), QStringLiteral("a"));
        title->setText(QStringLiteral("Typed"));
        window.action(QStringLiteral("mnuSelectAll"))->trigger();  // any command commits first
        QCOMPARE(window.document().images().at(0).title, QStringLiteral("Typed"));
        QVERIFY(window.document().isModified());

        window.grid().setSelection(GridSelection::of({1}));
        window.showItemInEditor();
        title->setText(QStringLiteral("Dropped"));
        auto *editing = window.editor().findChild<QCheckBox *>();
        editing->click();  // off: the fields show the record again
        QCOMPARE(title->text(), QStringLiteral("b"));
        QVERIFY(!title->isEnabled());
        window.commitEditor();
        QCOMPARE(window.document().images().at(1).title, QStringLiteral("b"));
    }

    void closingAsksOnlyWhenThereAreUnsavedChanges()
    {
        const QString trip = project("close.zeb", {image("c/a.jpg")});
        {
            MainWindow window(store());
            QVERIFY(window.loadProject(trip, false));
            BoxAnswerer none(QMessageBox::Cancel);
            QVERIFY(window.close());  // unchanged since loaded: no question
            QVERIFY(none.texts.isEmpty());
        }
        MainWindow window(store());
        QVERIFY(window.loadProject(trip, false));
        window.document().changeImages({0}, [](ImageItem &item) { item.title = QStringLiteral("new"); });
        {
            BoxAnswerer cancel(QMessageBox::Cancel);
            QVERIFY(!window.close());
            QCOMPARE(cancel.texts.size(), 1);
        }
        BoxAnswerer save(QMessageBox::Save);
        QVERIFY(window.close());
        Result<Project> saved = loadProject(trip);
        QVERIFY(saved.ok());
        QCOMPARE(saved.value().images.at(0).title, QStringLiteral("new"));
    }

    void aBuildFromTheWindowOpensItsFirstPage()
    {
        const QString trip = project("build.zeb", {image("b/a.jpg"), image("b/b.jpg")});
        PageCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
        MainWindow window(store());
        QVERIFY(window.loadProject(trip, false));
        QSignalSpy built(&window, &MainWindow::buildFinished);
        window.makeGallery();
        QVERIFY(built.wait(60000));
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QVERIFY(built.first().first().toBool());
        QCOMPARE(catcher.opened, QList<QUrl>{QUrl::fromLocalFile(at("out/index.html"))});
        QVERIFY(QFile::exists(at("out/photos/a.jpg")));
        QVERIFY(window.windowTitle().startsWith(QStringLiteral("Lumarc  v.1.1.0.")));
    }

    void closingWhileTheBuildAsksStopsTheBuildInsteadOfHanging()
    {
        const QString trip = project("busy.zeb", {image("busy/unbuilt.jpg")});
        QVERIFY(writeAll(at("out/index.html"), kGeneratorLine));  // an earlier gallery: the build asks first
        MainWindow window(store());
        window.show();
        QVERIFY(window.loadProject(trip, false));
        bool closedWhileAsked = false;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (box && !closedWhileAsked) {
                closedWhileAsked = true;
                window.close();
            } else if (box && window.isHidden()) {
                box->button(QMessageBox::No)->click();
            }
        });
        poll.start(20);
        window.makeGallery();
        QTRY_VERIFY_WITH_TIMEOUT(window.isHidden() && !window.isBuilding(), 20000);
        QVERIFY(closedWhileAsked);
        QVERIFY(!QFile::exists(at("out/photos/unbuilt.jpg")));  // the refused build wrote nothing
    }

    void aLanguageSwitchRenamesTheOpenWindowAtOnce()
    {
        MainWindow window(store());
        switchLanguage(i18n::kGerman);
        QCOMPARE(window.menuBar()->actions().first()->text(), QStringLiteral("Datei"));
        switchLanguage(i18n::kEnglish);
        QCOMPARE(window.menuBar()->actions().first()->text(), QStringLiteral("File"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
