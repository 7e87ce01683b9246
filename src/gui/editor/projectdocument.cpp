#include "gui/editor/projectdocument.h"

#include "adding/imageadder.h"

#include <QSet>
#include <QUndoStack>

#include <algorithm>
#include <numeric>

namespace lumarc::gui {

// The base of every step: it reaches the document's list and signals. A step is made
// after its change was worked out and applies it in redo(), which the stack calls when the
// step is pushed and again after each undo.
class DocumentStep : public QUndoCommand {
public:
    DocumentStep(ProjectDocument &document, const QString &name) : QUndoCommand(name), m_document(document) {}

protected:
    ImageList &list() { return m_document.list(); }
    ProjectDocument &document() { return m_document; }
    void setSettings(const GallerySettings &settings) { m_document.setSettingsNow(settings); }

private:
    ProjectDocument &m_document;
};

namespace {

enum StepKind { AppendKind = 1, EditKind = 2 };

// One changed record per row, before and after.
struct RowChange {
    int row;
    ImageItem before;
    ImageItem after;
};

class ChangeRowsStep : public DocumentStep {
public:
    ChangeRowsStep(ProjectDocument &document, const QString &name, QList<RowChange> changes)
        : DocumentStep(document, name), m_changes(std::move(changes))
    {
    }
    void redo() override { apply(false); }
    void undo() override { apply(true); }

protected:
    void apply(bool back)
    {
        QList<int> rows;
        for (const RowChange &change : std::as_const(m_changes)) {
            list().replace(change.row, back ? change.before : change.after);
            rows.append(change.row);
        }
        Q_EMIT document().imagesChanged(rows);
    }
    QList<RowChange> m_changes;
};

// Typing into one field of one image: consecutive edits of that field merge.
class EditFieldStep : public ChangeRowsStep {
public:
    EditFieldStep(ProjectDocument &document, const QString &name, RowChange change, int field, int serial)
        : ChangeRowsStep(document, name, {std::move(change)}), m_field(field), m_serial(serial)
    {
    }
    int id() const override { return EditKind; }
    bool mergeWith(const QUndoCommand *other) override
    {
        const auto *next = static_cast<const EditFieldStep *>(other);
        if (next->m_field != m_field || next->m_serial != m_serial
            || next->m_changes.first().row != m_changes.first().row)
            return false;
        m_changes.first().after = next->m_changes.first().after;
        setObsolete(m_changes.first().after == m_changes.first().before);
        return true;
    }

private:
    int m_field;
    int m_serial;
};

// Records appended at the end; the appends of one add merge into one step.
class AppendStep : public DocumentStep {
public:
    AppendStep(ProjectDocument &document, const QString &name, int first, QList<ImageItem> items, QList<ImageId> ids,
               int serial)
        : DocumentStep(document, name), m_first(first), m_items(std::move(items)), m_ids(std::move(ids)),
          m_serial(serial)
    {
    }
    int id() const override { return m_serial > 0 ? AppendKind : -1; }
    bool mergeWith(const QUndoCommand *other) override
    {
        const auto *next = static_cast<const AppendStep *>(other);
        if (next->m_serial != m_serial || next->m_first != m_first + m_items.size())
            return false;
        m_items += next->m_items;
        m_ids += next->m_ids;
        return true;
    }
    void redo() override
    {
        // The first time the records are in already: appending made them.
        if (list().count() == m_first) {
            for (qsizetype i = 0; i < m_items.size(); ++i)
                list().restore(m_items.at(i), m_ids.at(i));
        }
        Q_EMIT document().imagesAppended(m_first, int(m_items.size()));
    }
    void undo() override
    {
        list().truncate(m_first);
        QList<int> rows(m_items.size());
        std::iota(rows.begin(), rows.end(), m_first);
        Q_EMIT document().imagesRemoved(rows);
    }

private:
    int m_first;
    QList<ImageItem> m_items;
    QList<ImageId> m_ids;
    int m_serial;
};

class RemoveStep : public DocumentStep {
public:
    RemoveStep(ProjectDocument &document, const QString &name, QList<int> rows)
        : DocumentStep(document, name), m_rows(std::move(rows))
    {
    }
    void redo() override
    {
        m_before = list();
        const QSet<int> removed(m_rows.begin(), m_rows.end());
        QList<int> kept;
        for (int row = 0; row < list().count(); ++row) {
            if (!removed.contains(row))
                kept.append(row);
        }
        list().rearrange(kept);
        Q_EMIT document().imagesRemoved(m_rows);
    }
    void undo() override
    {
        list() = m_before;
        m_before = ImageList();
        Q_EMIT document().imagesInserted(m_rows);
    }

private:
    QList<int> m_rows;  // ascending
    ImageList m_before;
};

class ReorderStep : public DocumentStep {
public:
    ReorderStep(ProjectDocument &document, const QString &name, QList<int> newOrder)
        : DocumentStep(document, name), m_order(std::move(newOrder))
    {
    }
    void redo() override { apply(m_order); }
    void undo() override
    {
        QList<int> inverse(m_order.size());
        for (qsizetype i = 0; i < m_order.size(); ++i)
            inverse[m_order.at(i)] = int(i);
        apply(inverse);
    }

private:
    void apply(const QList<int> &order)
    {
        list().rearrange(order);
        Q_EMIT document().imagesReordered(order);
    }
    QList<int> m_order;
};

class ReplaceListStep : public DocumentStep {
public:
    ReplaceListStep(ProjectDocument &document, const QString &name, ImageList images)
        : DocumentStep(document, name), m_other(std::move(images))
    {
    }
    void redo() override { swap(); }
    void undo() override { swap(); }

private:
    void swap()
    {
        std::swap(list(), m_other);
        Q_EMIT document().imagesReplaced();
    }
    ImageList m_other;
};

}  // namespace

class SettingsStep : public DocumentStep {
public:
    SettingsStep(ProjectDocument &document, const QString &name, GallerySettings before, GallerySettings after)
        : DocumentStep(document, name), m_before(std::move(before)), m_after(std::move(after))
    {
    }
    void redo() override { setSettings(m_after); }
    void undo() override { setSettings(m_before); }

private:
    GallerySettings m_before;
    GallerySettings m_after;
};

ProjectDocument::ProjectDocument(QObject *parent) : QObject(parent), m_history(new QUndoStack(this))
{
    connect(m_history, &QUndoStack::cleanChanged, this, [this] { Q_EMIT modifiedChanged(isModified()); });
}

// The stack empties itself when it goes, and says so: no view that is going too may hear it.
ProjectDocument::~ProjectDocument() { m_history->blockSignals(true); }

bool ProjectDocument::isModified() const { return !m_history->isClean(); }

void ProjectDocument::reset(Project project, const QString &path, bool modified)
{
    const bool wasModified = isModified();
    m_history->clear();
    if (modified)
        m_history->resetClean();  // no step leads back to the file's state
    m_project = std::move(project);
    m_addSerial = 0;
    const bool pathChange = m_path != path;
    m_path = path;
    Q_EMIT projectReset();
    Q_EMIT settingsChanged();
    if (pathChange)
        Q_EMIT pathChanged(m_path);
    if (wasModified != isModified())
        Q_EMIT modifiedChanged(isModified());
}

void ProjectDocument::markSaved(const QString &path)
{
    if (m_path != path) {
        m_path = path;
        Q_EMIT pathChanged(m_path);
    }
    sealTyping();
    m_history->setClean();
}

void ProjectDocument::setSettings(const GallerySettings &settings, const QString &step)
{
    if (m_project.settings == settings)
        return;
    m_history->push(new SettingsStep(*this, step, m_project.settings, settings));
}

void ProjectDocument::setSettingsNow(const GallerySettings &settings)
{
    m_project.settings = settings;
    Q_EMIT settingsChanged();
}

void ProjectDocument::beginAdding(const QString &step)
{
    static int serial = 0;
    m_addSerial = ++serial;
    m_addStep = step;
}

void ProjectDocument::endAdding() { m_addSerial = 0; }

void ProjectDocument::appendImage(const QString &path)
{
    const int first = count();
    appendNewImage(m_project, path);
    if (count() == first)
        return;
    m_history->push(new AppendStep(*this, m_addSerial > 0 ? m_addStep : QString(), first, {images().at(first)},
                                   {images().id(first)}, m_addSerial));
}

void ProjectDocument::changeImages(const QList<int> &rows, const std::function<void(ImageItem &)> &change,
                                   const QString &step)
{
    QList<RowChange> changes;
    for (int row : rows) {
        ImageItem item = images().at(row);
        change(item);
        if (item != images().at(row))
            changes.append(RowChange{row, images().at(row), item});
    }
    if (!changes.isEmpty())
        m_history->push(new ChangeRowsStep(*this, step, changes));
}

void ProjectDocument::changeAllImages(const std::function<void(ImageItem &)> &change, const QString &step)
{
    QList<int> all(count());
    std::iota(all.begin(), all.end(), 0);
    changeImages(all, change, step);
}

void ProjectDocument::editField(int row, Field field, const QString &step, const QVariant &value)
{
    if (row < 0 || row >= count())
        return;
    ImageItem item = images().at(row);
    switch (field) {
    case Field::Title:
        item.title = value.toString();
        break;
    case Field::Tooltip:
        item.tooltip = value.toString();
        break;
    case Field::Url:
        item.url = value.toString();
        break;
    case Field::LinkText:
        item.linkText = value.toString();
        break;
    case Field::SameWindow:
        item.openSameWindow = value.toBool();
        break;
    }
    if (item == images().at(row))
        return;
    m_history->push(new EditFieldStep(*this, step, RowChange{row, images().at(row), item}, int(field), m_typingSerial));
}

void ProjectDocument::sealTyping() { ++m_typingSerial; }

void ProjectDocument::removeImages(const QList<int> &rows, const QString &step)
{
    QList<int> sorted;
    for (int row : rows) {
        if (row >= 0 && row < count())
            sorted.append(row);
    }
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    if (!sorted.isEmpty())
        m_history->push(new RemoveStep(*this, step, sorted));
}

void ProjectDocument::removeAll(const QString &step)
{
    QList<int> all(count());
    std::iota(all.begin(), all.end(), 0);
    removeImages(all, step);
}

void ProjectDocument::reorder(const QList<int> &newOrder, const QString &step)
{
    // A drop onto the dragged slides' own place leaves the order as it was: no change.
    bool same = true;
    for (qsizetype i = 0; same && i < newOrder.size(); ++i)
        same = newOrder.at(i) == i;
    if (!same)
        m_history->push(new ReorderStep(*this, step, newOrder));
}

void ProjectDocument::replaceImages(const ImageList &images, const QString &step)
{
    if (!(images == m_project.images))
        m_history->push(new ReplaceListStep(*this, step, images));
}

}  // namespace lumarc::gui
