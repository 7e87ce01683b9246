#pragma once

// "Make web gallery" from the window: the build runs on workers with a copy of the
// project; the question before an earlier gallery's files go is asked here, and the end
// is told here: failures and warnings in one box, a stopped build's half-made gallery, and
// the first page opened in the browser.

#include "generator/gallerybuilder.h"

#include <QElapsedTimer>
#include <QObject>
#include <QStringList>

class QSettings;
class QWidget;

namespace lumarc::gui {

class BuildRunner;
class ProjectDocument;

class BuildFlow : public QObject {
    Q_OBJECT
public:
    BuildFlow(const ProjectDocument &document, QWidget *window);

    // The folder a relative destination folder lies in: the project file's folder, or the
    // data folder while the project has no file.
    QString relativeBase() const;
    void setDataFolder(const QString &folder) { m_dataFolder = folder; }
    // The per-user store that keeps the key naming projects in build records; without one
    // every build makes the whole gallery.
    void setStore(QSettings *store) { m_store = store; }

    // `protectedFiles` are read by the program and never written over by a build.
    void start(bool htmlOnly, const QStringList &protectedFiles);
    // Ends the build after the images in progress; `closing` leaves out every message but
    // the one about the half-made gallery.
    void stop(bool closing = false);
    bool isRunning() const;

Q_SIGNALS:
    void phaseStarted(const QString &title);
    void progressed(int done, int total, const QString &item);
    // After the build's messages.
    void finished(bool succeeded);

private:
    bool askEmptying(const QString &folder, const DestinationSurvey &survey);
    void ended(const BuildReport &report);

    const ProjectDocument &m_document;
    QWidget *m_window;
    BuildRunner *m_runner;
    QString m_dataFolder;
    QSettings *m_store = nullptr;
    QElapsedTimer m_timer;
    bool m_htmlOnly = false;
    int m_total = 0;
    bool m_closing = false;
};

}  // namespace lumarc::gui
