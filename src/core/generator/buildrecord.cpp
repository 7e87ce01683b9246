#include "generator/buildrecord.h"

#include "generator/imageproducer.h"
#include "model/outputnames.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMessageAuthenticationCode>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QSettings>

#include <algorithm>

namespace lumarc {
namespace {

// Raised whenever the way a photo or thumbnail is made changes, so that no file made the old
// way is kept.
constexpr int kRecipeVersion = 1;
constexpr int kRecordVersion = 1;
constexpr int kKeyBytes = 32;
constexpr qsizetype kMaxNameLength = 255;
constexpr qsizetype kMaxStampLength = 100;

const QString kVersionField = QStringLiteral("lumarc-build");
const QString kProjectField = QStringLiteral("project");
const QString kOutputsField = QStringLiteral("outputs");
const QString kRecipeField = QStringLiteral("recipe");
const QString kSourceField = QStringLiteral("source");
const QString kSourceHashField = QStringLiteral("sourceHash");
const QString kHashField = QStringLiteral("hash");
const QString kStampField = QStringLiteral("stamp");
const QString kKeySetting = QStringLiteral("build/recordKey");

QByteArray sha256(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

bool isHash(const QString &text)
{
    static const QRegularExpression hex(QStringLiteral("^[0-9a-f]{64}$"));
    return hex.match(text).hasMatch();
}

bool isStamp(const QString &text)
{
    static const QRegularExpression stamp(QStringLiteral("^[0-9]{1,20}(\\.-?[0-9]{1,20}){4}$"));
    return text.size() <= kMaxStampLength && stamp.match(text).hasMatch();
}

// Only the photos and thumbnails a build writes: "photos/<name>.jpg" or "thumbs/<name>.jpg",
// the name a plain one.
bool isRecordableName(const QString &name)
{
    if (name.size() > kMaxNameLength || !name.endsWith(QLatin1String(".jpg")))
        return false;
    const QStringList parts = name.split(QLatin1Char('/'));
    if (parts.size() != 2
        || (parts.first() != QLatin1String(kPhotosFolderName) && parts.first() != QLatin1String(kThumbsFolderName)))
        return false;
    const QString file = parts.last();
    return file.size() > 4 && isSafeOutputName(file.chopped(4)) && !file.contains(QLatin1Char('\\'));
}

QByteArray recipe(const char *kind, std::initializer_list<QString> values)
{
    QByteArray text = QByteArray(kind) + '\n' + QByteArray::number(kRecipeVersion);
    for (const QString &value : values)
        text += '\n' + value.trimmed().toUtf8();
    return sha256(text);
}

// The SHA-256 of a source's bytes, empty when it cannot be read.
QByteArray sourceHash(const QString &path)
{
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        return {};
    return hash.result().toHex();
}

}  // namespace

QByteArray stampText(const fileops::Stamp &stamp)
{
    return QByteArray::number(stamp.size) + '.' + QByteArray::number(stamp.modified) + '.'
           + QByteArray::number(stamp.changed) + '.' + QByteArray::number(stamp.id.device) + '.'
           + QByteArray::number(stamp.id.inode);
}

QByteArray serialiseBuildRecord(const BuildRecord &record)
{
    QJsonObject outputs;
    for (auto it = record.outputs.cbegin(); it != record.outputs.cend(); ++it) {
        const RecordedOutput &output = it.value();
        outputs.insert(it.key(), QJsonObject{{kRecipeField, QString::fromLatin1(output.recipe)},
                                             {kSourceField, QString::fromLatin1(output.source)},
                                             {kSourceHashField, QString::fromLatin1(output.sourceHash)},
                                             {kHashField, QString::fromLatin1(output.hash)},
                                             {kStampField, QString::fromLatin1(output.stamp)}});
    }
    const QJsonObject root{{kVersionField, kRecordVersion},
                           {kProjectField, QString::fromLatin1(record.project)},
                           {kOutputsField, outputs}};
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

std::optional<BuildRecord> parseBuildRecord(const QByteArray &bytes)
{
    if (bytes.size() > kMaxRecordBytes)
        return std::nullopt;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject root = document.object();
    if (root.size() != 3 || root.value(kVersionField) != QJsonValue(kRecordVersion)
        || !isHash(root.value(kProjectField).toString()) || !root.value(kOutputsField).isObject())
        return std::nullopt;
    const QJsonObject outputs = root.value(kOutputsField).toObject();
    if (outputs.size() > kMaxRecordedOutputs)
        return std::nullopt;
    BuildRecord record;
    record.project = root.value(kProjectField).toString().toLatin1();
    for (auto it = outputs.constBegin(); it != outputs.constEnd(); ++it) {
        if (!isRecordableName(it.key()) || !it.value().isObject())
            return std::nullopt;
        const QJsonObject fields = it.value().toObject();
        const QString recipeText = fields.value(kRecipeField).toString();
        const QString source = fields.value(kSourceField).toString();
        const QString sourceHashText = fields.value(kSourceHashField).toString();
        const QString hash = fields.value(kHashField).toString();
        const QString stamp = fields.value(kStampField).toString();
        if (fields.size() != 5 || !isHash(recipeText) || !isStamp(source)
            || !(sourceHashText.isEmpty() || isHash(sourceHashText)) || !isHash(hash) || !isStamp(stamp))
            return std::nullopt;
        record.outputs.insert(it.key(), RecordedOutput{recipeText.toLatin1(), source.toLatin1(),
                                                       sourceHashText.toLatin1(), hash.toLatin1(), stamp.toLatin1()});
    }
    return record;
}

QByteArray projectKey(QSettings &store, const QString &projectFile, const QStringList &sources)
{
    QByteArray key = QByteArray::fromHex(store.value(kKeySetting).toString().toLatin1());
    if (key.size() != kKeyBytes) {
        key.resize(kKeyBytes);
        QRandomGenerator::system()->fillRange(reinterpret_cast<quint32 *>(key.data()), kKeyBytes / 4);
        store.setValue(kKeySetting, QString::fromLatin1(key.toHex()));
        store.sync();
    }
    QByteArray message;
    if (!projectFile.isEmpty()) {
        message = QByteArray("project", 8) + QFileInfo(projectFile).absoluteFilePath().toUtf8();
    } else {
        QStringList sorted = sources;
        sorted.sort();
        message = QByteArray("sources", 8) + sorted.join(QChar(0)).toUtf8();
    }
    return QMessageAuthenticationCode::hash(message, key, QCryptographicHash::Sha256).toHex();
}

QByteArray thumbRecipe(const GallerySettings &settings)
{
    return recipe("thumb", {settings.thumbWidth, settings.thumbHeight, QString::number(settings.keepAspectRatio),
                            QString::number(kThumbQuality), QString::number(kSharpenAmount)});
}

QByteArray photoRecipe(const GallerySettings &settings)
{
    return recipe("photo", {settings.photoWidth, settings.photoHeight, QString::number(settings.keepAspectRatio),
                            settings.jpegQuality, QString::number(kSharpenAmount)});
}

BuildPlan planBuild(const Project &project, const BuildRecord *record, const GalleryFolder &folder)
{
    BuildPlan plan;
    const ImageList &images = project.images;
    plan.make.assign(std::size_t(images.count()), quint8(kMakeThumb | kMakePhoto));
    const struct {
        quint8 target;
        const char *folder;
        QByteArray recipe;
    } kinds[] = {{kMakeThumb, kThumbsFolderName, thumbRecipe(project.settings)},
                 {kMakePhoto, kPhotosFolderName, photoRecipe(project.settings)}};

    // Whether a listed output still holds what the record says; its stamp as it is now.
    const auto unchanged = [&](const QString &name, const RecordedOutput &recorded, QByteArray *stampNow) {
        const std::optional<fileops::Stamp> found = folder.stamp(name);
        if (!found)
            return false;
        *stampNow = stampText(*found);
        if (*stampNow == recorded.stamp)
            return true;
        const Result<QByteArray> bytes = folder.read(name, found->size + 1);
        return bytes && sha256(bytes.value()) == recorded.hash;
    };

    QSet<QString> current;
    for (int i = 0; i < images.count(); ++i) {
        const ImageItem &item = images.at(i);
        if (!isSafeOutputName(item.outputName))
            continue;  // made, that is refused, by the image production
        const std::optional<fileops::Stamp> source = fileops::stamp(item.path);
        const QByteArray sourceStamp = source ? stampText(*source) : QByteArray();
        std::optional<QByteArray> contentHash;  // computed at most once per source
        quint8 make = 0;
        for (const auto &kind : kinds) {
            const QString name =
                QLatin1String(kind.folder) + QLatin1Char('/') + item.outputName + QLatin1String(".jpg");
            current.insert(name);
            const auto found =
                record ? record->outputs.constFind(name) : QHash<QString, RecordedOutput>::const_iterator();
            RecordedOutput next{kind.recipe, sourceStamp, QByteArray(), QByteArray(), QByteArray()};
            if (!record || found == record->outputs.cend() || !source) {
                plan.madeOutputs.insert(name, next);
                make |= kind.target;
                continue;
            }
            const RecordedOutput &recorded = found.value();
            bool sameSource = recorded.source == sourceStamp;
            if (sameSource) {
                next.sourceHash = recorded.sourceHash;
            } else {
                if (!contentHash)
                    contentHash = sourceHash(item.path);
                next.sourceHash = *contentHash;
                sameSource = !recorded.sourceHash.isEmpty() && *contentHash == recorded.sourceHash;
            }
            QByteArray stampNow;
            if (sameSource && recorded.recipe == kind.recipe && unchanged(name, recorded, &stampNow)) {
                next.hash = recorded.hash;
                next.stamp = stampNow;
                plan.keptOutputs.insert(name, next);
            } else {
                plan.madeOutputs.insert(name, next);
                make |= kind.target;
            }
        }
        plan.make[std::size_t(i)] = make;
        if (make == 0)
            ++plan.kept;
    }

    if (record) {
        QSet<QString> goneImages;
        for (auto it = record->outputs.cbegin(); it != record->outputs.cend(); ++it) {
            if (current.contains(it.key()) || !folder.stamp(it.key()))
                continue;
            QByteArray stampNow;
            if (unchanged(it.key(), it.value(), &stampNow)) {
                plan.remove.append(it.key());
                goneImages.insert(it.key().section(QLatin1Char('/'), 1));
            } else {
                plan.changedByHand.append(it.key());
            }
        }
        plan.remove.sort();
        plan.changedByHand.sort();
        plan.removedImages = int(goneImages.size());
    }
    return plan;
}

}  // namespace lumarc
