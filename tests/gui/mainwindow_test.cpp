// The main window as a user drives it: start-up and shutdown state, opening projects,
// adding real images, typing and undo, closing with unsaved changes, a
// build with the browser replaced, and a live language switch.

#include "generator/pagewriter.h"
#include "gui/app/languagedialog.h"
#include "gui/app/mainwindow.h"
#include "gui/dialogs/settingsdialog.h"
#include "gui/editor/itemeditor.h"
#include "gui/editor/thumbnailgrid.h"
#include "i18n/strings.h"
#include "syntheticimage.h"
#include "storage/editlock.h"
#include "storage/projectfile.h"
#include "storage/settingsfile.h"

#include <QAction>
#include <QCheckBox>
#include <QDesktopServices>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUndoStack>

#include "testsupport.h"
#include "widgettest.h"

using namespace lumarc;
using namespace lumarc::gui;
using lumarc::test::BoxAnswerer;
using lumarc::test::boxTextsOf;
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
        QDir().mkpath(QFileInfo(at(name)).path());
        return test::writeSyntheticImage(at(name), {.width = width, .height = height}) ? QString() : at(name);
    }
    QString project(const QString &name, const QStringList &images, const QString &destination = {}) const
    {
        Project p;
        p.settings.setDefaults();
        p.settings.destinationFolder = destination.isEmpty() ? at("out") : destination;
        for (const QString &path : images)
            p.images.append(newImageRecord(p, path));
        QDir().mkpath(QFileInfo(at(name)).path());
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
        // Its name, markup and all, is shown as written.
        QVERIFY(writeAll(at("<b>bad</b>.zeb"), QByteArray("ZEB105\0\0\0\0", 10)));
        lumarc::test::whenShown<QMessageBox>([](QMessageBox *box) { QCOMPARE(box->textFormat(), Qt::PlainText); });
        BoxAnswerer ok(QMessageBox::Ok);
        QVERIFY(!window.loadProject(at("<b>bad</b>.zeb"), true));
        QCOMPARE(ok.texts, QStringList{at("<b>bad</b>.zeb") + "\n\nInvalid ZEB file!\nThe file is not in the expected format, or it is damaged."});
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

    void typingIsOneStepPerFieldAndUndoGoesBackToTheSavedState()
    {
        const QString trip = project("edit.zeb", {image("e/a.jpg"), image("e/b.jpg"), image("e/c.jpg")});
        MainWindow window(store());
        QVERIFY(window.loadProject(trip, false));
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        const MenuActions &menu = window.actions();
        QVERIFY(!menu.undo->isEnabled());
        window.grid().setSelection(GridSelection::of({0}));
        auto *title = window.editor().findChildren<QLineEdit *>().at(1);
        QCOMPARE(title->text(), QStringLiteral("a"));
        title->selectAll();
        QTest::keyClicks(title, QStringLiteral("Typed"));
        // Applied as typed, one step for the whole field edit, named in the menu.
        QCOMPARE(window.document().images().at(0).title, QStringLiteral("Typed"));
        QCOMPARE(window.document().history().count(), 1);
        QCOMPARE(menu.undo->text().remove('&'), QStringLiteral("Undo Edit title"));
        QVERIFY(window.windowTitle().endsWith(" *"));

        // Select all, Delete: gone, and back with one undo; then the typing is undone too
        // and the unsaved mark goes with it.
        menu.selectAll->trigger();
        QTest::keyClick(&window.grid(), Qt::Key_Delete);
        QCOMPARE(window.document().count(), 0);
        QVERIFY(menu.undo->isEnabled());
        menu.undo->trigger();
        QCOMPARE(window.document().count(), 3);
        QCOMPARE(window.grid().selection().indexes(), (QList<int>{0, 1, 2}));
        menu.undo->trigger();
        QCOMPARE(window.document().images().at(0).title, QStringLiteral("a"));
        QVERIFY(!window.document().isModified());
        QVERIFY(!window.windowTitle().endsWith(" *"));
        menu.redo->trigger();
        QCOMPARE(window.document().images().at(0).title, QStringLiteral("Typed"));

        // A bulk edit after a save: undone, the project differs from its file again.
        QVERIFY(window.saveProject(false));
        QVERIFY(!window.document().isModified());
        window.grid().setSelection(GridSelection::of({1, 2}));
        BoxAnswerer yes(QMessageBox::Yes);
        menu.clearTitles->trigger();
        QCOMPARE(window.document().images().at(2).title, QString());
        QVERIFY(window.document().isModified());
        window.activateWindow();  // back from the question
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.grid().setFocus();
        QTest::keySequence(&window.grid(), QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(window.document().images().at(2).title, QStringLiteral("c"));
        QVERIFY(!window.document().isModified());
        menu.undo->trigger();  // before the save: modified again
        QVERIFY(window.document().isModified());

        // Switching editing off makes the fields read-only; opening a project clears the history.
        auto *editing = window.editor().findChild<QCheckBox *>();
        editing->click();
        QVERIFY(!title->isEnabled());
        BoxAnswerer discard(QMessageBox::Discard);
        QVERIFY(window.loadProject(trip, false));
        QCOMPARE(window.document().history().count(), 0);
        QVERIFY(!menu.undo->isEnabled());
    }

    void closingAsksOnlyWhenThereAreUnsavedChanges()
    {
        const QString trip = project("close.zeb", {image("c/a.jpg")});
        {
            MainWindow window(store());
            QVERIFY(window.loadProject(trip, false));
            // Unchanged since loaded: no question.
            QVERIFY(boxTextsOf([&] { QVERIFY(window.close()); }, QMessageBox::Cancel).isEmpty());
        }
        MainWindow window(store());
        QVERIFY(window.loadProject(trip, false));
        window.document().changeImages({0}, [](ImageItem &item) { item.title = QStringLiteral("new"); });
        QCOMPARE(boxTextsOf([&] { QVERIFY(!window.close()); }, QMessageBox::Cancel).size(), 1);
        BoxAnswerer save(QMessageBox::Save);
        QVERIFY(window.close());
        Result<Project> saved = loadProject(trip);
        QVERIFY(saved.ok());
        QCOMPARE(saved.value().images.at(0).title, QStringLiteral("new"));
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

    // Another program's change, a held lock, a failed or cancelled save at Exit, a name
    // without extension: none of them loses the file's or the window's work.
    void savesKeepWhatAnotherProgramWroteAndExitKeepsTheWindowWhenASaveFails()
    {
        const QString trip = project("keep.zeb", {image("k/a.jpg")});
        MainWindow window(store());
        window.show();
        QVERIFY(window.loadProject(trip, true));
        QAction *recentEntry = nullptr;
        for (QAction *action : window.menuBar()->actions().first()->menu()->actions())
            if (!recentEntry && action->isVisible() && action->text().contains(QStringLiteral("keep.zeb")))
                recentEntry = action;
        QVERIFY(recentEntry && recentEntry->isChecked());

        // The command line adds an image meanwhile: the window notices and offers to load it,
        // and a later save asks first; Cancel keeps the other program's file.
        {
            BoxAnswerer no(QMessageBox::No);
            project("keep.zeb", {image("k/a.jpg"), image("k/b.jpg")});
            QTRY_COMPARE_WITH_TIMEOUT(no.texts.size(), 1, 10000);
            QVERIFY(no.texts.first().contains(QStringLiteral("Load the changed file?")));
        }
        window.document().changeImages({0}, [](ImageItem &item) { item.title = QStringLiteral("mine"); });
        const auto refusedSave = [&] {
            return boxTextsOf([&] { QVERIFY(!window.saveProject(false)); }, QMessageBox::Cancel).value(0);
        };
        QVERIFY(refusedSave().contains(QStringLiteral("changed by another program")));
        QCOMPARE(loadProject(trip).value().images.count(), 2);
        lumarc::test::whenShown<QMessageBox>([](QMessageBox *box) {
            for (QAbstractButton *button : box->buttons())
                if (button->text() == QStringLiteral("Overwrite"))
                    return button->click();
            QFAIL("no Overwrite button");
        });
        QVERIFY(window.saveProject(false));
        QCOMPARE(loadProject(trip).value().images.at(0).title, QStringLiteral("mine"));

        // Another program holds the lock: no wait, and the box names the file in its text.
        {
            auto held = fileops::FileLock::acquire(editLockPath(trip), 0);
            QVERIFY(held);
            QVERIFY(refusedSave().startsWith(trip + "\n\n"));
        }

        // A save that fails at Exit keeps the window and its edits.
        window.document().changeImages({0}, [](ImageItem &item) { item.title = QStringLiteral("unsaved"); });
        QVERIFY(QDir().mkpath(editLockPath(trip)));  // the lock cannot be made
        QCOMPARE(boxTextsOf([&] { window.actions().exit->trigger(); }, QMessageBox::Ok).size(), 1);
        QVERIFY(window.isVisible() && window.document().isModified());
        QVERIFY(QDir().rmdir(editLockPath(trip)));

        // Save As without an extension gives a project the Open dialog and the command line know.
        lumarc::test::whenShown<QFileDialog>([&](QFileDialog *dialog) {
            dialog->selectFile(at("renamed"));
            QMetaObject::invokeMethod(dialog, "accept");
        });
        QVERIFY(window.saveProject(true));
        QCOMPARE(window.document().path(), at("renamed.zeb"));
        QVERIFY(QFile::exists(at("renamed.zeb")));

        // An untitled project whose save dialog is cancelled at Exit stays open.
        window.newProject();
        window.document().appendImage(image("k/c.jpg"));
        lumarc::test::whenShown<QFileDialog>([](QFileDialog *dialog) { dialog->reject(); });
        window.actions().exit->trigger();
        QVERIFY(window.isVisible() && window.document().count() == 1);
        BoxAnswerer discard(QMessageBox::Discard);
        QVERIFY(window.close());
    }

    // A stopped build says what state the gallery is in; closing while adding asks, and
    // stops; a relative destination lies beside the project, wherever the program started.
    void stopsAndClosesSayWhatHappenedAndRelativeDestinationsFollowTheProject()
    {
        QStringList photos;
        for (int i = 0; i < 8; ++i)
            photos.append(image(QStringLiteral("s/%1.jpg").arg(i), 1200, 800));
        const QString relative = project("proj/rel.zeb", photos, QStringLiteral("web"));

        MainWindow window(store());
        window.show();
        QVERIFY(window.loadProject(relative, false));
        QSignalSpy built(&window, &MainWindow::buildFinished);
        {
            BoxAnswerer ok(QMessageBox::Ok);
            window.makeGallery();
            window.findChild<QPushButton *>(QStringLiteral("cmdStop"))->click();
            QVERIFY(built.wait(60000));
            QCOMPARE(ok.texts.size(), 1);
            QVERIFY2(ok.texts.first().contains(QStringLiteral("no pages were written")), qPrintable(ok.texts.first()));
        }
        QVERIFY(QDir(at("proj/web/photos")).exists());
        QVERIFY(!QFile::exists(at("proj/web/index.html")));

        PageCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
        const auto build = [&](QMessageBox::StandardButton answer) {
            return boxTextsOf([&] { window.makeGallery(); QVERIFY(built.wait(60000)); }, answer);
        };
        build(QMessageBox::Yes);
        QVERIFY(built.last().first().toBool());
        // Its own gallery again: updated in place without a question, and the end told.
        QVERIFY(build(QMessageBox::No).isEmpty());
        QVERIFY2(window.statusBar()->currentMessage().startsWith(QStringLiteral("8 images: 0 made, 8 unchanged, 0 removed, ")),
                 qPrintable(window.statusBar()->currentMessage()));
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QCOMPARE(catcher.opened.first(), QUrl::fromLocalFile(at("proj/web/index.html")));
        QVERIFY(built.last().first().toBool());
        QVERIFY(window.windowTitle().startsWith(QStringLiteral("Lumarc  v.1.1.0.")));  // no progress text left
        window.settingsDialog().setRelativeBase(window.relativeBase());
        QVERIFY(window.settingsDialog().findChild<QLineEdit *>(QStringLiteral("destination_folder"))->toolTip().endsWith(at("proj/web")));

        // A source that went away is counted in the status bar and marked on its slide.
        QVERIFY(QFile::remove(photos.last()));
        QVERIFY(window.loadProject(relative, false));
        const QLabel *status = window.statusBar()->findChild<QLabel *>();
        QTRY_VERIFY_WITH_TIMEOUT(status->text().contains(QStringLiteral("1 source files missing")), 20000);
        QVERIFY(status->text().startsWith(QStringLiteral("8 images, 0 selected")));
        QVERIFY(window.grid().isMissing(window.document().images().id(7)));

        // Closing while images are added: asked, and on yes the adding stops and the window closes.
        window.newProject();
        window.addImages(photos.mid(0, 7), MainWindow::AddRoute::Dialog);
        QVERIFY(window.isAdding());
        QTimer answer;
        connect(&answer, &QTimer::timeout, [&] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
                box->button(box->button(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Discard)->click();
        });
        answer.start(20);
        window.close();
        QTRY_VERIFY_WITH_TIMEOUT(!window.isVisible() && !window.isAdding(), 20000);
    }

    // Menus and their entries get distinct Alt letters in each language; F6 walks the panes.
    void aLanguageSwitchRenamesTheOpenWindowAtOnceWithItsKeys()
    {
        MainWindow window(store());
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        switchLanguage(i18n::kGerman);
        QCOMPARE(window.menuBar()->actions().first()->text(), QStringLiteral("&Datei"));
        switchLanguage(i18n::kEnglish);
        QStringList bar;
        for (QAction *action : window.menuBar()->actions())
            bar.append(action->text());
        QCOMPARE(bar, QStringList({"&File", "&Images", "&Links", "&Settings...", "L&anguage...", "A&bout"}));
        QCOMPARE(window.actions().exit->shortcut(), QKeySequence(QKeySequence::Quit));

        window.grid().setFocus();
        QTest::keyClick(&window, Qt::Key_F6);
        QVERIFY(window.editor().isAncestorOf(QApplication::focusWidget()) || !window.editor().isEnabled());
        QTest::keyClick(&window, Qt::Key_F6);
        QTest::keyClick(&window, Qt::Key_F6);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(&window.grid()));
        QVERIFY(window.minimumWidth() <= 1366 && window.width() <= 1366 && window.height() <= 768);
    }
};

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
