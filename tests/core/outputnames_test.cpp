#include "model/imagelist.h"
#include "model/outputnames.h"

#include <gtest/gtest.h>

#include "testsupport.h"

using namespace lumarc;

namespace {

struct Entry { QString path, outputName; };

ImageList listOf(const QList<Entry> &entries)
{
    ImageList list;
    ImageItem item;
    for (const Entry &entry : entries)
        item.path = entry.path, item.outputName = entry.outputName, list.append(item);
    return list;
}

QStringList namesOf(const ImageList &list)
{
    QStringList names;
    for (const ImageItem &item : list.items())
        names << item.outputName;
    return names;
}

QString withChar(char16_t c) { return QStringLiteral("a") + QChar(c) + QStringLiteral("b"); }

} // namespace

TEST(OutputNames, OnlyNamesThatStayInTheirFolderAreSafe)
{
    for (const QString &name : {QStringLiteral("sea"), QStringLiteral("Sun set.v2"), QStringLiteral("..."),
                                QStringLiteral(".hidden"), QStringLiteral("\u0141\u00F3d\u017A"), withChar(u'~')})
        EXPECT_TRUE(isSafeOutputName(name)) << name.toStdString();
    for (const QString &name : {QString(), QStringLiteral("."), QStringLiteral(".."), QStringLiteral("../../x"),
                                QStringLiteral("a/b"), QStringLiteral("a\\b"), QStringLiteral("c:x"), withChar(u'\x01'),
                                withChar(u'\0'), withChar(u'\t'), withChar(u'\x1f'), withChar(u'\x7f')})
        EXPECT_FALSE(isSafeOutputName(name)) << name.toStdString();
}

TEST(OutputNames, RepairRebuildsUnsafeNamesAndNumbersRepeatsIgnoringCase)
{
    const struct { const char *name; QList<Entry> entries; QStringList expected; } cases[] = {
        // Which names are unsafe is the table above; any of them is rebuilt from the file name.
        {"empty", {{"/p/sea.jpg", ""}}, {"sea"}},
        {"climbs out", {{"/p/Dune.jpg", "../../src/Dune"}}, {"Dune"}},
        {"NUL inside", {{"/p/sea.jpg", withChar(u'\0')}}, {"sea"}},
        {"unusable base name", {{"/p/.jpg", ""}, {"/p/..jpg", "/"}, {QStringLiteral("/p/x") + QChar(1) + ".jpg", ""}},
         {"image", "image_1", "x_"}},
        {"same name", {{"/a/x.jpg", "x"}, {"/b/x.jpg", "x"}, {"/c/x.jpg", "x"}}, {"x", "x_1", "x_2"}},
        {"differs only by case", {{"/p/Sunset.jpg", "Sunset"}, {"/q/sunset.jpg", "sunset"}}, {"Sunset", "sunset_1"}},
        {"repeats in any case share one count", {{"/a/x.jpg", "x"}, {"/b/x.jpg", "X"}, {"/c/x.jpg", "x"}},
         {"x", "X_1", "x_2"}},
        {"number already in use", {{"/p/a.jpg", "a"}, {"/q/a.jpg", "a"}, {"/r/a.jpg", "A_1"}}, {"a", "a_2", "A_1"}},
        // The later entry keeps the name it already has: built pages link to its files.
        {"rebuilt name meets a later one", {{"/p/x.jpg", "../x"}, {"/q/x.jpg", "x"}}, {"x_1", "x"}},
        {"safe and distinct", {{"/p/a.jpg", "a"}, {"/p/b.jpg", "b_1"}, {"/p/c.jpg", "\u0141\u00F3d\u017A"}},
         {"a", "b_1", "\u0141\u00F3d\u017A"}},
    };
    for (const auto &c : cases) {
        ImageList list = listOf(c.entries);
        const QStringList before = namesOf(list);
        const int renamed = repairOutputNames(list);
        EXPECT_EQ(namesOf(list), c.expected) << c.name;
        qsizetype changed = 0;
        for (qsizetype i = 0; i < before.size(); ++i)
            changed += before.at(i) != c.expected.at(i) && list.at(i).path == c.entries.at(i).path;
        EXPECT_EQ(renamed, changed) << c.name;
        EXPECT_EQ(repairOutputNames(list), 0) << c.name;  // a repaired list stays as it is
        // The list's own index knows the repaired names, not the ones read from the file.
        if (c.expected == QStringList{"x_1", "x"}) {
            EXPECT_EQ(list.makeUniqueOutputName(QStringLiteral("x")), QStringLiteral("x_2"));
        }
    }
}
