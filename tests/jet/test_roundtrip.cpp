// Writer -> reader round trips on the values that break Jet readers.
#include "data/jet/jet.h"
#include "tests/support/fixtures.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

using jetw::Cell;
using jetw::ColumnKind;
using jetw::Version;

namespace {

std::string repeatUtf8(const std::string& unit, std::size_t n) {
    std::string s;
    s.reserve(unit.size() * n);
    for (std::size_t i = 0; i < n; ++i)
        s += unit;
    return s;
}

const char* versionName(Version v) {
    return v == Version::Jet3 ? "Jet3" : "Jet4";
}

class RoundTrip : public ::testing::TestWithParam<Version> {
protected:
    jet::Database roundTrip(const jetw::DatabaseDef& def, const std::string& name) {
        const std::string path =
            fixtures::writeTemp(def, name + "-" + versionName(GetParam()) + ".mdb", GetParam());
        return jet::Database::open(path);
    }
    bool jet3() const { return GetParam() == Version::Jet3; }
};

TEST_P(RoundTrip, NullAndEmptyStayApartInTextAndMemo) {
    jetw::TableDef t{"t", {{"a", ColumnKind::Text, 50}, {"b", ColumnKind::Memo, 0}}, {}};
    t.rows = {{Cell{}, Cell{}}, {Cell{""}, Cell{""}}, {Cell{" "}, Cell{"\r\n"}}, {Cell{""}, Cell{}}};
    const auto table = roundTrip({{t}}, "nulls").readTable("t");
    ASSERT_EQ(table.rowCount(), 4u);
    EXPECT_FALSE(table.at(0, 0));
    EXPECT_FALSE(table.at(0, 1));
    EXPECT_EQ(table.at(1, 0), Cell{""});
    EXPECT_EQ(table.at(1, 1), Cell{""});
    EXPECT_EQ(table.at(2, 0), Cell{" "});
    EXPECT_EQ(table.at(2, 1), Cell{"\r\n"});
    EXPECT_EQ(table.at(3, 0), Cell{""});
    EXPECT_FALSE(table.at(3, 1));
}

TEST_P(RoundTrip, ChineseTextLineBreaksAndExactFit) {
    // 一 (U+4E00) and 最 (U+6700) have a zero low byte: the classic trap for
    // readers of the compressed form.
    const int n = 20;
    const std::string fullChinese = jet3() ? repeatUtf8("最", n / 2) : repeatUtf8("一", n);
    const std::string fullAscii(n, 'x');
    jetw::TableDef t{"函数表", {{"函数", ColumnKind::Text, n}, {"说明", ColumnKind::Memo, 0}}, {}};
    t.rows = {{Cell{"一最"}, Cell{"第一行\r\n第二行\r\n"}},
              {Cell{fullChinese}, Cell{"最后"}},
              {Cell{fullAscii}, Cell{"ab\r\ncd"}},
              {Cell{"Ab一"}, Cell{"一"}}};
    const auto db = roundTrip({{t}}, "chinese");
    ASSERT_EQ(db.tableNames(), std::vector<std::string>{"函数表"});
    const auto table = db.readTable("函数表");
    ASSERT_EQ(table.columns.size(), 2u);
    EXPECT_EQ(table.columns[0].name, "函数");
    EXPECT_EQ(table.columns[1].name, "说明");
    EXPECT_EQ(table.columns[0].type, jet::Text);
    EXPECT_EQ(table.columns[1].type, jet::Memo);
    ASSERT_EQ(table.rowCount(), t.rows.size());
    for (std::size_t r = 0; r < t.rows.size(); ++r)
        for (std::size_t c = 0; c < 2; ++c)
            EXPECT_EQ(table.at(r, c), t.rows[r][c]) << "row " << r << " column " << c;
}

TEST_P(RoundTrip, MemosAtEveryStorageBoundary) {
    // Lengths in characters around the inline, single long-value row and
    // chunk limits of both formats, for one-byte and two-byte characters.
    const std::vector<std::size_t> lengths = {1,    2,    3,    31,   32,   33,   63,   64,   65,   66,
                                              1016, 1024, 1025, 2028, 2029, 2032, 2033, 2036, 2037, 2038,
                                              2039, 2040, 4056, 4057, 4068, 4072, 4073, 4076, 8144, 8145};
    jetw::TableDef t{"memo", {{"ascii", ColumnKind::Memo, 0}, {"chinese", ColumnKind::Memo, 0}}, {}};
    for (std::size_t n : lengths) {
        std::string ascii;
        for (std::size_t i = 0; i < n; ++i)
            ascii.push_back(static_cast<char>('a' + i % 26));
        t.rows.push_back({Cell{ascii}, Cell{repeatUtf8(n % 2 ? "一" : "函", n)}});
    }
    const auto table = roundTrip({{t}}, "memo-boundaries").readTable("memo");
    ASSERT_EQ(table.rowCount(), lengths.size());
    for (std::size_t r = 0; r < lengths.size(); ++r) {
        EXPECT_EQ(table.at(r, 0), t.rows[r][0]) << "ascii memo of " << lengths[r];
        EXPECT_EQ(table.at(r, 1), t.rows[r][1]) << "chinese memo of " << lengths[r];
    }
}

TEST_P(RoundTrip, OneMegabyteMemo) {
    std::string big;
    for (int i = 0; big.size() < (1u << 20); ++i)
        big += i % 7 ? "示例代码 line\r\n" : "Private Declare Function 一最\r\n";
    jetw::TableDef t{"big", {{"k", ColumnKind::Text, 10}, {"v", ColumnKind::Memo, 0}}, {}};
    t.rows = {{Cell{"a"}, Cell{big}}, {Cell{"b"}, Cell{big.substr(0, 70000)}}, {Cell{"c"}, Cell{}}};
    const auto table = roundTrip({{t}}, "one-mb").readTable("big");
    ASSERT_EQ(table.rowCount(), 3u);
    EXPECT_EQ(table.at(0, 1), Cell{big});
    EXPECT_EQ(table.at(1, 1), Cell{big.substr(0, 70000)});
    EXPECT_FALSE(table.at(2, 1));
}

TEST_P(RoundTrip, FortyThousandRowsKeepTheirOrder) {
    jetw::TableDef t{
        "funclass", {{"name", ColumnKind::Text, 255}, {"declaration", ColumnKind::Text, 255}}, {}};
    for (int i = 0; i < 40000; ++i) {
        const std::string name = "Func" + std::to_string(40000 - i);
        t.rows.push_back(
            {Cell{name}, i % 1000 == 0 ? Cell{} : Cell{"Declare Function " + name + " Lib \"x\""}});
    }
    const auto table = roundTrip({{t}}, "rows40k").readTable("funclass");
    ASSERT_EQ(table.rowCount(), 40000u);
    for (std::size_t r = 0; r < 40000; ++r) {
        ASSERT_EQ(table.at(r, 0), t.rows[r][0]) << "row " << r;
        ASSERT_EQ(table.at(r, 1), t.rows[r][1]) << "row " << r;
    }
}

TEST_P(RoundTrip, TwoHundredColumnsSpanSeveralDefinitionPages) {
    jetw::TableDef t{"wide", {}, {}};
    for (int c = 0; c < 200; ++c)
        t.columns.push_back({"column_with_a_long_name_" + std::to_string(c),
                             c % 10 == 9 ? ColumnKind::Memo : ColumnKind::Text, 8});
    for (int r = 0; r < 3; ++r) {
        std::vector<Cell> row;
        for (int c = 0; c < 200; ++c)
            row.push_back((c + r) % 5 == 0 ? Cell{} : Cell{std::to_string(r) + "-" + std::to_string(c)});
        t.rows.push_back(row);
    }
    const auto table = roundTrip({{t}}, "wide").readTable("wide");
    ASSERT_EQ(table.columns.size(), 200u);
    EXPECT_EQ(table.columns[199].name, "column_with_a_long_name_199");
    ASSERT_EQ(table.rowCount(), 3u);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 200; ++c)
            EXPECT_EQ(table.at(r, c), t.rows[r][c]) << r << "," << c;
}

TEST_P(RoundTrip, CatalogListsTablesInOrderAndFindsThemWithoutCase) {
    jetw::DatabaseDef def;
    for (const char* name : {"winfun", "funclass", "Empty"})
        def.tables.push_back({name, {{"name", ColumnKind::Text, 10}}, {}});
    def.tables[0].rows = {{Cell{"x"}}};
    const auto db = roundTrip(def, "catalog");
    EXPECT_EQ(db.tableNames(), (std::vector<std::string>{"winfun", "funclass", "Empty"}));
    EXPECT_EQ(db.readTable("WINFUN").rowCount(), 1u);
    EXPECT_EQ(db.readTable("empty").rowCount(), 0u);
    EXPECT_EQ(db.format(), jet3() ? jet::Format::Jet3 : jet::Format::Jet4);
    try {
        db.readTable("missing");
        FAIL() << "a missing table was read";
    } catch (const jet::Error& e) {
        EXPECT_EQ(e.code(), jet::ErrorCode::TableNotFound);
        EXPECT_NE(std::string(e.what()).find("missing"), std::string::npos);
    }
}

TEST_P(RoundTrip, WriterRefusesWhatTheFormatCannotHold) {
    auto refuses = [&](const std::string& value, int size, ColumnKind kind = ColumnKind::Text) {
        jetw::TableDef t{"t", {{"c", kind, size}}, {{Cell{value}}}};
        EXPECT_THROW(jetw::buildDatabase({{t}}, GetParam()), jetw::WriteError) << value.substr(0, 20);
    };
    refuses(std::string(11, 'x'), 10);
    refuses(jet3() ? "一二三四五六" : "一二三四五六七八九十一", jet3() ? 11 : 10);
    refuses("\xEF\xBB\xBF"
            "abc",
            10);
    refuses("\xEF\xBB\xBF"
            "abc",
            0, ColumnKind::Memo);
    refuses("\xff\xfe", 10);
    if (jet3()) refuses("\xF0\x9F\x98\x80", 10);
    jetw::TableDef ragged{"t", {{"a", ColumnKind::Text, 10}, {"b", ColumnKind::Text, 10}}, {{Cell{"1"}}}};
    EXPECT_THROW(jetw::buildDatabase({{ragged}}, GetParam()), jetw::WriteError);
}

INSTANTIATE_TEST_SUITE_P(Formats, RoundTrip, ::testing::Values(Version::Jet4, Version::Jet3),
                         [](const auto& info) { return std::string(versionName(info.param)); });

TEST(RoundTripJet4, CharactersOutsideTheBmpSurvive) {
    const std::string emoji = "\xF0\x9F\x98\x80 \xF0\xA0\x80\x80"; // U+1F600, U+20000
    jetw::TableDef t{
        "t", {{"a", ColumnKind::Text, 20}, {"b", ColumnKind::Memo, 0}}, {{Cell{emoji}, Cell{emoji}}}};
    const auto table =
        jet::Database::open(fixtures::writeTemp({{t}}, "nonbmp.mdb", Version::Jet4)).readTable("t");
    EXPECT_EQ(table.at(0, 0), Cell{emoji});
    EXPECT_EQ(table.at(0, 1), Cell{emoji});
}

// A database opened from a file reads its pages as they are needed, and what
// it serves is the file as it was at open: changed in place (truncated,
// overwritten as cp does), replaced or removed afterwards, it still serves
// every table as written.
TEST(Snapshot, PagesAreReadAsNeededAndTheFileMayChangeUnderneath) {
    jetw::TableDef small{"small", {{"name", ColumnKind::Text, 50}}, {{Cell{"Beep"}}}};
    jetw::TableDef big{"big", {{"name", ColumnKind::Text, 50}, {"text", ColumnKind::Memo, 0}}, {}};
    for (int i = 0; i < 2000; ++i)
        big.rows.push_back(
            {Cell{std::string("F").append(std::to_string(i))}, Cell{repeatUtf8("说明", 100 + i % 50)}});
    const jetw::DatabaseDef def{{small, big}};
    const jetw::DatabaseDef other{
        {jetw::TableDef{"small", {{"name", ColumnKind::Text, 50}}, {{Cell{"Other"}}}}}};
    const auto changes = std::vector<std::pair<const char*, std::function<void(const std::string&)>>>{
        {"truncated in place", [](const std::string& p) { std::filesystem::resize_file(p, 100); }},
        {"overwritten in place",
         [&](const std::string& p) {
             std::ofstream(p, std::ios::binary | std::ios::trunc) << jetw::buildDatabase(other);
         }},
        {"replaced", [&](const std::string& p) { jetw::writeDatabaseFile(other, p); }},
        {"removed", [](const std::string& p) { std::filesystem::remove(p); }},
    };
    for (const auto& [what, change] : changes) {
        const std::string path = fixtures::writeTemp(def, std::string("snapshot-") + what + ".mdb");
        const auto pages = std::filesystem::file_size(path) / 4096;
        const auto db = jet::Database::open(path);
        EXPECT_EQ(*db.readTable("small").at(0, 0), "Beep") << what;
        EXPECT_LT(db.pagesRead(), pages / 4) << what << ": the big table is not read yet";
        change(path);
        const auto t = db.readTable("big");
        ASSERT_EQ(t.rowCount(), 2000u) << what;
        EXPECT_EQ(*t.at(1999, 1), repeatUtf8("说明", 100 + 1999 % 50)) << what;
        EXPECT_EQ(*db.readTable("small").at(0, 0), "Beep") << what;
    }
}

} // namespace
