// The open project's document: what each step signals, that undo and redo give back
// exactly the records (and ids) before and after it, and that "modified" is the distance
// from the saved step.

#include "gui/editor/projectdocument.h"

#include <QSignalSpy>
#include <QTest>
#include <QUndoStack>

using namespace lumarc;
using namespace lumarc::gui;

namespace {

Project threeImages()
{
    Project project;
    for (const char *name : {"a", "b", "c"}) {
        ImageItem item;
        item.path = QStringLiteral("/p/%1.jpg").arg(QLatin1String(name));
        item.title = QLatin1String(name);
        item.outputName = QLatin1String(name);
        project.images.append(item);
    }
    return project;
}

// The records with their ids, and the settings, as one comparable value.
std::pair<QList<std::pair<ImageId, ImageItem>>, GallerySettings> snapshot(const ProjectDocument &document)
{
    QList<std::pair<ImageId, ImageItem>> records;
    for (int row = 0; row < document.count(); ++row)
        records.append({document.images().id(row), document.images().at(row)});
    return {records, document.settings()};
}

}  // namespace

class ProjectDocumentTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void eachStepSignalsWhatChangedAndUndoRedoRestoreItExactly()
    {
        using Step = std::function<void(ProjectDocument &)>;
        const struct {
            const char *name;
            Step step;
            const char *signal;        // the one change signal of the step
            const char *undoSignal;    // and of its undo
            QVariantList arguments;    // the step signal's arguments
        } rows[] = {
            {"edit", [](ProjectDocument &d) { d.changeImages({1}, [](ImageItem &i) { i.title = "B"; }, "t"); },
             SIGNAL(imagesChanged(QList<int>)), SIGNAL(imagesChanged(QList<int>)), {QVariant::fromValue(QList<int>{1})}},
            {"append", [](ProjectDocument &d) { d.appendImage("/p/d.jpg"); },
             SIGNAL(imagesAppended(int,int)), SIGNAL(imagesRemoved(QList<int>)), {3, 1}},
            {"remove", [](ProjectDocument &d) { d.removeImages({2, 0, 2}, "r"); },
             SIGNAL(imagesRemoved(QList<int>)), SIGNAL(imagesInserted(QList<int>)), {QVariant::fromValue(QList<int>{0, 2})}},
            {"reorder", [](ProjectDocument &d) { d.reorder({2, 0, 1}, "m"); },
             SIGNAL(imagesReordered(QList<int>)), SIGNAL(imagesReordered(QList<int>)), {QVariant::fromValue(QList<int>{2, 0, 1})}},
            {"import", [](ProjectDocument &d) { ImageList other; other.append(ImageItem{}); d.replaceImages(other, "i"); },
             SIGNAL(imagesReplaced()), SIGNAL(imagesReplaced()), {}},
            {"settings", [](ProjectDocument &d) { GallerySettings s = d.settings(); s.galleryTitle = "T"; d.setSettings(s, "s"); },
             SIGNAL(settingsChanged()), SIGNAL(settingsChanged()), {}},
        };
        for (const auto &row : rows) {
            ProjectDocument document;
            document.reset(threeImages(), QStringLiteral("/p/trip.zeb"));
            const auto before = snapshot(document);
            QSignalSpy changed(&document, row.signal);
            QSignalSpy modified(&document, &ProjectDocument::modifiedChanged);

            row.step(document);
            QVERIFY2(changed.count() == 1, row.name);
            QCOMPARE(changed.first(), row.arguments);
            QCOMPARE(modified.count(), 1);
            QVERIFY(document.isModified());
            const auto after = snapshot(document);
            QVERIFY2(!(after == before), row.name);

            QSignalSpy undone(&document, row.undoSignal);
            document.history().undo();
            QVERIFY2(undone.count() == 1, row.name);
            QVERIFY2(snapshot(document) == before, row.name);
            QVERIFY2(!document.isModified(), row.name);  // back at the loaded state
            document.history().redo();
            QVERIFY2(snapshot(document) == after, row.name);
        }
    }

    void aStepThatChangesNothingIsNoStep()
    {
        ProjectDocument document;
        document.reset(threeImages(), QString());
        document.changeImages({0}, [](ImageItem &) {}, "t");
        document.reorder({0, 1, 2}, "m");
        document.removeImages({}, "r");
        document.setSettings(document.settings(), "s");
        document.editField(1, ProjectDocument::Field::Title, "t", QStringLiteral("b"));
        QCOMPARE(document.history().count(), 0);
    }

    void typingMergesPerFieldUntilSealedAndAddsMergePerAdd()
    {
        ProjectDocument document;
        document.reset(threeImages(), QString());
        using Field = ProjectDocument::Field;
        for (const char *typed : {"x", "xy", "xyz"})
            document.editField(0, Field::Title, "Edit title", QString::fromLatin1(typed));
        document.editField(0, Field::Tooltip, "Edit tooltip", QStringLiteral("tip"));  // another field
        document.sealTyping();
        document.editField(0, Field::Tooltip, "Edit tooltip", QStringLiteral("tip2"));  // typed again later
        QCOMPARE(document.history().count(), 3);
        QCOMPARE(document.history().text(0), QStringLiteral("Edit title"));
        // Typing back to where the field started leaves no step.
        document.editField(1, Field::Title, "Edit title", QStringLiteral("bb"));
        document.editField(1, Field::Title, "Edit title", QStringLiteral("b"));
        QCOMPARE(document.history().count(), 3);

        document.beginAdding(QStringLiteral("Add images"));
        document.appendImage(QStringLiteral("/p/d.jpg"));
        document.appendImage(QStringLiteral("/p/e.jpg"));
        document.endAdding();
        document.appendImage(QStringLiteral("/p/f.jpg"));  // another add
        QCOMPARE(document.history().count(), 5);
        QCOMPARE(document.count(), 6);
        document.history().undo();
        document.history().undo();
        QCOMPARE(document.count(), 3);
        document.history().redo();  // back with the ids they had
        QCOMPARE(document.count(), 5);
        QCOMPARE(document.images().at(4).path, QStringLiteral("/p/e.jpg"));
        QCOMPARE(document.images().at(0).title, QStringLiteral("xyz"));
    }

    void modifiedFollowsTheSavedStepAndAResetClearsTheHistory()
    {
        ProjectDocument document;
        document.reset(threeImages(), QStringLiteral("/p/trip.zeb"));
        QSignalSpy modified(&document, &ProjectDocument::modifiedChanged);
        document.removeImages({0}, "r");
        document.markSaved(QStringLiteral("/p/trip.zeb"));
        QVERIFY(!document.isModified());
        document.history().undo();  // the saved file has two images: this differs
        QVERIFY(document.isModified());
        document.history().redo();
        QVERIFY(!document.isModified());
        QCOMPARE(modified.count(), 4);

        // A load that repaired names differs from its file with no step to undo.
        document.reset(threeImages(), QStringLiteral("/p/other.zeb"), true);
        QCOMPARE(document.history().count(), 0);
        QVERIFY(document.isModified());
        document.removeImages({0}, "r");
        document.history().undo();
        QVERIFY(document.isModified());
    }
};

QTEST_MAIN(ProjectDocumentTest)
#include "projectdocument_test.moc"
