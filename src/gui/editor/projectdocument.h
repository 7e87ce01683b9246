#pragma once

// The one open project of the window, with its file path and its history. Every change
// goes through here as a step on the undo stack, and each step says what it changed, so
// that the grid, the item editor, the settings dialog and the caption follow the project
// instead of being told by whoever made the change. "Modified" is the stack's distance
// from the state last loaded or saved: undoing back to it clears the mark.
//
// Rows are the images' places in the list; ids follow an image while rows move (see
// ImageList). Previews are not kept here: the grid caches them by id.

#include "model/project.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QVariant>

#include <functional>

class QUndoStack;

namespace lumarc::gui {

class ProjectDocument : public QObject {
    Q_OBJECT
public:
    explicit ProjectDocument(QObject *parent = nullptr);
    ~ProjectDocument() override;

    const Project &project() const { return m_project; }
    const ImageList &images() const { return m_project.images; }
    int count() const { return m_project.images.count(); }
    const GallerySettings &settings() const { return m_project.settings; }
    QString path() const { return m_path; }
    bool isModified() const;
    QUndoStack &history() { return *m_history; }

    // A new project or a loaded file, with an empty history. `modified` when the project
    // already differs from its file (a load that repaired output names).
    void reset(Project project, const QString &path, bool modified = false);
    // The file the project was saved to: the current step becomes the saved state.
    void markSaved(const QString &path);

    // --- steps ------------------------------------------------------------------------
    // Each is one undo step named `step` (a caption of the command that made it); a call
    // that changes nothing adds no step.
    void setSettings(const GallerySettings &settings, const QString &step = {});
    // A new image's record made from its file. Consecutive appends within one add form a
    // single step (see beginAdding()).
    void appendImage(const QString &path);
    void beginAdding(const QString &step);
    void endAdding();
    // Applies `change` to the records at `rows`.
    void changeImages(const QList<int> &rows, const std::function<void(ImageItem &)> &change, const QString &step = {});
    void changeAllImages(const std::function<void(ImageItem &)> &change, const QString &step = {});
    // Typing in the item editor: one step per field edit. Edits of the same field of the
    // same image merge into the step until sealTyping().
    enum class Field { Title, Tooltip, Url, LinkText, SameWindow };
    void editField(int row, Field field, const QString &step, const QVariant &value);
    void sealTyping();
    void removeImages(const QList<int> &rows, const QString &step = {});
    void removeAll(const QString &step = {});
    // The drag re-order: the rows in their new order (every row once).
    void reorder(const QList<int> &newOrder, const QString &step = {});
    // Replaces the image list by an imported one (the settings stay).
    void replaceImages(const ImageList &images, const QString &step = {});

Q_SIGNALS:
    void projectReset();                               // a new or loaded project, or a new file's state
    void imagesAppended(int first, int count);         // rows first .. first + count - 1 are new
    void imagesRemoved(const QList<int> &rows);        // ascending rows, as they were before
    void imagesInserted(const QList<int> &rows);       // ascending rows, as they are now (undone removal)
    void imagesReordered(const QList<int> &newOrder);  // newOrder[i] is the old row now at i
    void imagesReplaced();                             // a different list altogether (import)
    void imagesChanged(const QList<int> &rows);        // texts of these rows changed
    void settingsChanged();
    void modifiedChanged(bool modified);
    void pathChanged(const QString &path);

private:
    friend class DocumentStep;
    ImageList &list() { return m_project.images; }
    void setSettingsNow(const GallerySettings &settings);

    Project m_project;
    QString m_path;
    QUndoStack *m_history;
    bool m_modifiedOnLoad = false;  // the loaded project differs from its file before any step
    int m_addSerial = 0;            // > 0 while an add runs: its appends merge into one step
    QString m_addStep;
    int m_typingSerial = 1;  // edits merge only within one serial
};

}  // namespace lumarc::gui
