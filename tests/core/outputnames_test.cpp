#include "model/imagelist.h"
#include "model/outputnames.h"

#include <gtest/gtest.h>

#include "testsupport.h"

using namespace lumarc;

namespace {

struct Entry {
    QString path;
    QString outputName;
};

ImageList listOf(const QList<Entry> &entries)
{
    ImageList list;
    for (const Entry &entry : entries) {
        ImageItem item;
        item.path = entry.path;
        item.outputName = entry.outputName;
        list.append(item);
    }
    return list;
}

QStringList namesOf(const ImageList &list)
{
    QStringList names;
    for (const ImageItem &item : list.items())
        names << item.outputName;
    return names;
}

QString withChar(char16_t c)
{
    return QStringLiteral("a") + QChar(c) + QStringLiteral("b");
}

} // namespace

TEST(OutputNames, OnlyNamesThatStayInTheirFolderAreSafe)
{
    const struct {
        QString name;
        bool safe;
    } cases[] = {
        {QStringLiteral("sea"), true},
        {QStringLiteral("Sun set.v2"), true},
        {QStringLiteral("..."), true},
        {QStringLiteral(".hidden"), true},
        {QStringLiteral("\u0141\u00F3d\u017A"), true},
        {withChar(u'~'), true},
        {QString(), false},
        {QStringLiteral("."), false},
        {QStringLiteral(".."), false},
        {QStringLiteral("../../x"), false},
        {QStringLiteral("a/b"), false},
        {QStringLiteral("a\\b"), false},
        {QStringLiteral("c:x"), false},
        {withChar(u'\x01'), false},
        {withChar(u'\0'), false},
        {withChar(u'\t'), false},
        {withChar(u'\x1f'), false},
        {withChar(u'\x7f'), false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(isSafeOutputName(c.name), c.safe) << c.name.toStdString();
}

TEST(OutputNames, RepairRebuildsUnsafeNamesAndNumbersRepeatsIgnoringCase)
{
    const struct {
        const char *name;
        QList<Entry> entries;
        QStringList expected;
    } cases[] = {
        // Which names are unsafe is the table above; any of them is rebuilt from the file name.
        {"empty", {{"/p/sea.jpg", ""}}, {"sea"}},
        {"dot dot", {{"/p/sea.jpg", ".."}}, {"sea"}},
        {"climbs out", {{"/p/Dune.jpg", "../../src/Dune"}}, {"Dune"}},
        {"backslash", {{"C:\\p\\sea.jpg", "a\\b"}}, {"sea"}},
        {"NUL inside", {{"/p/sea.jpg", withChar(u'\0')}}, {"sea"}},
        {"unusable base name", {{"/p/.jpg", ""}, {"/p/..jpg", "/"}, {QStringLiteral("/p/x") + QChar(1) + ".jpg", ""}},
         {"image", "image_1", "x_"}},
        {"same name", {{"/a/x.jpg", "x"}, {"/b/x.jpg", "x"}, {"/c/x.jpg", "x"}}, {"x", "x_1", "x_2"}},
        {"differs only by case", {{"/p/Sunset.jpg", "Sunset"}, {"/q/sunset.jpg", "sunset"}}, {"Sunset", "sunset_1"}},
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
        int changed = 0;
        for (qsizetype i = 0; i < before.size(); ++i)
            changed += before.at(i) != c.expected.at(i) ? 1 : 0;
        EXPECT_EQ(renamed, changed) << c.name;
        EXPECT_EQ(repairOutputNames(list), 0) << c.name;  // a repaired list stays as it is
        for (qsizetype i = 0; i < c.entries.size(); ++i)
            EXPECT_EQ(list.at(i).path, c.entries.at(i).path) << c.name;
    }
}

TEST(OutputNames, RepairNumbersManyRepeatsInListOrder)
{
    constexpr int kCount = 5000;
    QList<Entry> entries;
    for (int i = 0; i < kCount; ++i)
        entries.append({QStringLiteral("/%1/x.jpg").arg(i), i % 2 ? QStringLiteral("X") : QStringLiteral("x")});
    ImageList list = listOf(entries);
    EXPECT_EQ(repairOutputNames(list), kCount - 1);
    ASSERT_EQ(list.at(0).outputName, QStringLiteral("x"));
    for (int i = 1; i < kCount; ++i)
        ASSERT_EQ(list.at(i).outputName, entries.at(i).outputName + QStringLiteral("_%1").arg(i)) << i;
}

TEST(OutputNames, RepairedListHandsOutFreeNamesAfterwards)
{
    // The list's own index must know the new names, not the ones read from the file.
    ImageList list = listOf({{"/p/x.jpg", "../x"}, {"/q/x.jpg", "x"}});
    repairOutputNames(list);
    EXPECT_EQ(list.makeUniqueOutputName(QStringLiteral("x")), QStringLiteral("x_2"));
    EXPECT_EQ(list.makeUniqueOutputName(QStringLiteral("../x")), QStringLiteral(".._x"));
}
