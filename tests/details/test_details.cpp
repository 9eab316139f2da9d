// What choosing a function reads, without a window: the declaration, the
// header values, the detail text and the example, over a database written
// at test time; and the layout of the detail text itself.
#include "data/search.h"
#include "details/detail_text.h"
#include "details/selection.h"
#include "tests/support/fixtures.h"
#include "tools/content/content.h"

#include <gtest/gtest.h>

using jetw::Cell;

namespace {

std::optional<QString> q(const char* s) {
    return QString::fromUtf8(s);
}

TEST(Selection, EachStepReadsItsTableAndLeavesTheCursorOnTheShownRecord) {
    jetw::DatabaseDef db = content::referenceTables();
    // funclass: name, declaration. winfun: 函数, example, alias, library,
    // win9x, winnt, description, return_value, remarks, parameters.
    db.tables[0].rows = {{Cell{"Beep"}, Cell{"Declare Function Beep Lib \"kernel32\" () As Long"}},
                         {Cell{"O'Brien"}, Cell{}},
                         {Cell{"NoRecord"}, Cell{"D"}}};
    db.tables[1].rows = {
        {Cell{"Beep"}, Cell{"Beep 440, 100"}, Cell{}, Cell{"kernel32.dll"}, Cell{"Yes"}, Cell{"yes"},
         Cell{"响一声。"}, Cell{}, Cell{}, Cell{}},
        {Cell{"O'Brien"}, Cell{""}, Cell{}, Cell{}, Cell{}, Cell{"Yes"}, Cell{}, Cell{}, Cell{}, Cell{}}};
    data::DataControl data1;
    data1.setDatabaseName(fixtures::writeTemp(db, "details.mdb"));

    EXPECT_EQ(details::findDeclaration(data1, "Beep"),
              q("Declare Function Beep Lib \"kernel32\" () As Long"));
    EXPECT_EQ(details::findDeclaration(data1, "O'Brien"), std::nullopt) << "a Null declaration";
    EXPECT_EQ(details::findDeclaration(data1, "Missing"), std::nullopt);

    const auto beep = details::findFunctionRecord(data1, "Beep");
    ASSERT_TRUE(beep);
    EXPECT_EQ(beep->library, "kernel32.dll");
    EXPECT_TRUE(beep->win9x);
    EXPECT_FALSE(beep->winnt) << "only Yes, spelt so, counts";
    EXPECT_EQ(details::findFunctionRecord(data1, "NoRecord"), std::nullopt);

    // A search moves the shared cursor; the shown function is found again.
    ASSERT_TRUE(details::findFunctionRecord(data1, "Beep"));
    EXPECT_EQ(data::findFirstFunction(data1, "O"), 1);
    EXPECT_EQ(data::findFirstFunction(data1, "O'"), std::nullopt) << "criteria the engine cannot parse";
    EXPECT_EQ(data::findFirstFunction(data1, "Z"), std::nullopt);
    ASSERT_TRUE(details::seekFunction(data1, "Beep"));
    EXPECT_EQ(details::currentExample(data1), q("Beep 440, 100"));
    EXPECT_EQ(details::currentDetailText(data1, "Public X"),
              "【VB声明】\r\n  Public X\r\n\r\n【说明】响一声。");
    ASSERT_TRUE(details::seekFunction(data1, "O'Brien"));
    EXPECT_EQ(details::currentExample(data1), std::nullopt) << "an empty example is none";
    EXPECT_FALSE(details::seekFunction(data1, "NoRecord"));
}

TEST(DetailText, SectionsUnderTheirHeadingsWithCrLf) {
    using details::composeDetailText;
    const struct {
        QString declaration;
        details::DetailSections sections;
        QString text;
    } cases[] = {
        // Alias Null, two-line description, return value, empty remarks, two-line parameters.
        {"S",
         {std::nullopt, q("D1\r\nD2"), q("R"), QString(), q("P1\r\nP2")},
         "【VB声明】\r\n  S\r\n\r\n【说明】D1\r\nD2\r\n\r\n【返回值】R\r\n\r\n【参数表】\r\nP1\r\nP2"},
        {"S", {q("A"), {}, {}, {}, {}}, "【VB声明】\r\n  S\r\n\r\n【别名】\r\n  A"},
        {QString(), {QString(), QString(), {}, QString(), {}}, "【VB声明】\r\n  "},
        {"S", {{}, {}, {}, {}, q("P")}, "【VB声明】\r\n  S\r\n\r\n【参数表】\r\nP"},
        {"S", {{}, {}, {}, q("\r\n"), {}}, "【VB声明】\r\n  S\r\n\r\n【备注】\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(composeDetailText(c.declaration, c.sections), c.text) << c.text.toStdString();
    EXPECT_EQ(details::scopedDeclaration(true, std::nullopt), "Public ");
    EXPECT_EQ(details::scopedDeclaration(false, q("D")), "Private D");
    EXPECT_EQ(details::flagValue(q("Yes")), 1);
    for (const auto& no : {q("yes"), q("YES"), q(" Yes"), std::optional<QString>()})
        EXPECT_EQ(details::flagValue(no), 0);
}

} // namespace
