// The data source as the window uses it: one cursor, Refresh, finds, errors
// with the numbers Jet users know, and a file that is read once per run.
#include "data/datasource.h"
#include "tests/support/fixtures.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

using jetw::Cell;
using jetw::ColumnKind;

namespace {

jetw::DatabaseDef referenceDb(const std::vector<std::string>& names) {
    jetw::TableDef funclass{
        "funclass", {{"name", ColumnKind::Text, 255}, {"declaration", ColumnKind::Text, 255}}, {}};
    jetw::TableDef winfun{
        "winfun",
        {{"函数", ColumnKind::Text, 255}, {"example", ColumnKind::Memo, 0}, {"alias", ColumnKind::Text, 255}},
        {}};
    for (const auto& n : names) {
        funclass.rows.push_back({Cell{n}, Cell{"Declare Function " + n + " Lib \"user32\" () As Long"}});
        winfun.rows.push_back({Cell{n}, Cell{"' example of " + n}, Cell{}});
    }
    return {{funclass, winfun}};
}

int errorNumber(const std::function<void()>& f) {
    try {
        f();
    } catch (const data::DataError& e) {
        return e.number();
    }
    return 0;
}

class DataSource : public ::testing::Test {
protected:
    void SetUp() override {
        path = fixtures::writeTemp(
            referenceDb({"SendMessage", "GetWindowText", "getwindow", "Beep", "GetTickCount"}),
            "ds-" + std::to_string(counter++) + ".mdb");
        ds.setDatabaseName(path);
    }
    static inline int counter = 0;
    std::string path;
    data::DataControl ds;
};

TEST_F(DataSource, RefreshStandsOnTheFirstRecordAndWalksToEof) {
    ds.setRecordSource("funclass");
    ds.refresh();
    auto& rs = ds.recordset();
    std::vector<std::string> names;
    while (!rs.eof()) {
        names.push_back(*rs.fieldValue(0));
        rs.moveNext();
    }
    EXPECT_EQ(names, (std::vector<std::string>{"SendMessage", "GetWindowText", "getwindow", "Beep",
                                               "GetTickCount"}));
    EXPECT_EQ(rs.absolutePosition(), -1);
    EXPECT_EQ(errorNumber([&] { rs.fieldValue(0); }), 3021);
    EXPECT_EQ(errorNumber([&] { rs.moveNext(); }), 3021);
    ds.refresh(); // a new record set on the first record again
    EXPECT_EQ(ds.recordset().absolutePosition(), 0);
}

TEST_F(DataSource, FindFirstTakesTheFirstMatchInTableOrder) {
    ds.setRecordSource("funclass");
    ds.refresh();
    auto& rs = ds.recordset();
    struct Case {
        const char* criteria;
        int position; // -1: no match
    } cases[] = {
        {"name like 'get*'", 1}, // GetWindowText comes before getwindow and GetTickCount
        {"name like 'GETW*'", 1},
        {"name like 'getwindow*'", 1}, // the higher item whose longer name begins
                                       // with the text
        {"name like 'GetT*'", 4},
        {"name like '*'", 0},
        {"name like '*Message*'", 0},
        {"name like 'G?tT*'", 4},
        {"name like 'x*'", -1},
        {"name='getwindow'", 2},
        {"name='GETWINDOW'", 2},
        {"name='GetWindo'", -1},
        {"name like '[!s]*'", 1},
    };
    for (const auto& c : cases) {
        rs.findFirst(c.criteria);
        EXPECT_EQ(rs.noMatch(), c.position < 0) << c.criteria;
        EXPECT_EQ(rs.absolutePosition(), c.position) << c.criteria;
        if (c.position >= 0)
            EXPECT_TRUE(rs.fieldValue(1)->find("Declare Function") == 0);
        else
            EXPECT_EQ(errorNumber([&] { rs.fieldValue(0); }), 3021) << "no current record after a miss";
    }
}

TEST_F(DataSource, WinfunByItsChineseColumnAndNulls) {
    ds.setRecordSource("winfun");
    ds.refresh();
    auto& rs = ds.recordset();
    rs.findFirst("函数='Beep'");
    ASSERT_FALSE(rs.noMatch());
    EXPECT_EQ(rs.absolutePosition(), 3);
    EXPECT_EQ(*rs.fieldValue(1), "' example of Beep");
    EXPECT_FALSE(rs.fieldValue(2).has_value()); // Null stays Null
    EXPECT_EQ(errorNumber([&] { rs.fieldValue(3); }), 3265);
    EXPECT_EQ(errorNumber([&] { rs.fieldValue(-1); }), 3265);
    rs.findFirst("函数='NoSuchFunction'");
    EXPECT_TRUE(rs.noMatch());
}

// Each column is decoded when first used; in any order of use, every value
// is the one a whole read of the table gives, and the cursor stays put.
TEST_F(DataSource, ColumnsDecodedOnFirstUseAgreeWithAWholeRead) {
    const jet::Table whole = jet::Database::open(path).readTable("winfun");
    ds.setRecordSource("winfun");
    ds.refresh();
    auto& rs = ds.recordset();
    rs.moveNext();
    for (const int column : {2, 0, 1, 0})
        for (std::int32_t r = 0; r < rs.recordCount(); ++r)
            EXPECT_EQ(rs.valueAt(r, column),
                      whole.at(static_cast<std::size_t>(r), static_cast<std::size_t>(column)))
                << "record " << r << ", column " << column;
    EXPECT_EQ(rs.absolutePosition(), 1);
    for (const auto& [record, column] :
         std::vector<std::pair<std::int32_t, int>>{{-1, 0}, {5, 0}, {0, 3}, {0, -1}})
        EXPECT_EQ(errorNumber([&] { rs.valueAt(record, column); }), 3265) << record << ", " << column;
}

TEST_F(DataSource, ErrorsCarryTheirNumbers) {
    ds.setRecordSource("nosuchtable");
    EXPECT_EQ(errorNumber([&] { ds.refresh(); }), 3078);
    ds.setRecordSource("funclass");
    ds.refresh();
    EXPECT_EQ(errorNumber([&] { ds.recordset().findFirst("name like 'O'Brien*'"); }), 3077);
    EXPECT_EQ(errorNumber([&] { ds.recordset().findFirst("name like '[abc*'"); }), 3077);
    EXPECT_EQ(errorNumber([&] { ds.recordset().findFirst("nosuch='x'"); }), 3070);

    data::DataControl missing;
    missing.setDatabaseName(fixtures::tempDir() + "/missing/winapi.mdb");
    missing.setRecordSource("funclass");
    EXPECT_EQ(errorNumber([&] { missing.refresh(); }), 3024);

    const std::string text = fixtures::tempDir() + "/not-a-database.mdb";
    fixtures::writeFile(text, "This is a text file, not a database.\r\n");
    data::DataControl notJet;
    notJet.setDatabaseName(text);
    notJet.setRecordSource("funclass");
    try {
        notJet.refresh();
        FAIL();
    } catch (const data::DataError& e) {
        EXPECT_EQ(e.number(), 3343);
        EXPECT_NE(std::string(e.what()).find("not-a-database.mdb"), std::string::npos);
    }
}

// The file is read once; a file replaced, cut short or removed while the
// window runs changes nothing it serves, tables not read yet included.
TEST_F(DataSource, TheFileIsReadOnceAndServedForTheWholeRun) {
    ds.setRecordSource("funclass");
    for (int i = 0; i < 50; ++i)
        ds.refresh();
    EXPECT_EQ(ds.fileReads(), 1);
    const auto first = *ds.recordset().fieldValue(0);
    const auto count = ds.recordset().recordCount();

    jetw::writeDatabaseFile(referenceDb({"MessageBox"}), path);
    ds.setRecordSource("winfun"); // not read before the file changed
    ds.refresh();
    EXPECT_EQ(ds.recordset().recordCount(), count);
    EXPECT_EQ(*ds.recordset().fieldValue(0), first);

    std::filesystem::resize_file(path, 100);
    ds.setRecordSource("funclass");
    ds.refresh();
    EXPECT_EQ(*ds.recordset().fieldValue(0), first);

    std::filesystem::remove(path);
    ds.refresh();
    EXPECT_EQ(*ds.recordset().fieldValue(0), first);
    EXPECT_EQ(ds.fileReads(), 1);
}

TEST(DataSourceEmpty, AnEmptyTableIsAtEofAtOnceAndNeverMatches) {
    data::DataControl ds;
    ds.setDatabaseName(fixtures::writeTemp(referenceDb({}), "empty.mdb"));
    ds.setRecordSource("funclass");
    ds.refresh();
    EXPECT_TRUE(ds.recordset().eof());
    ds.recordset().findFirst("name like '*'");
    EXPECT_TRUE(ds.recordset().noMatch());
}

TEST(DataSourceLarge, TheIndexAgreesWithAPlainScanOnShuffledNames) {
    std::mt19937 rng(7);
    std::vector<std::string> names;
    const char* stems[] = {"Get", "get", "Set", "Create", "GetWindow", "Reg", "reg", "Sh"};
    for (int i = 0; i < 3000; ++i)
        names.push_back(std::string(stems[rng() % 8]) + std::to_string(rng() % 500));
    data::DataControl ds;
    ds.setDatabaseName(fixtures::writeTemp(referenceDb(names), "shuffled.mdb"));
    ds.setRecordSource("funclass");
    ds.refresh();
    auto folded = [](std::string s) {
        for (char& c : s)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return s;
    };
    for (const char* prefix :
         {"", "g", "GET", "getw", "get1", "getwindow49", "s", "sh4", "reg", "cr", "x", "Get99"}) {
        int expected = -1;
        for (std::size_t i = 0; i < names.size() && expected < 0; ++i)
            if (folded(names[i]).rfind(folded(prefix), 0) == 0) expected = static_cast<int>(i);
        ds.recordset().findFirst(std::string("name like '") + prefix + "*'");
        EXPECT_EQ(ds.recordset().absolutePosition(), expected) << prefix;
        EXPECT_EQ(ds.recordset().noMatch(), expected < 0) << prefix;
    }
}

TEST(DataSourceLarge, PositionsBeyondSixteenBits) {
    std::vector<std::string> names;
    // append, not "literal" + string: GCC 12 at -O3 warns falsely about the latter.
    for (int i = 0; i < 40000; ++i)
        names.push_back(std::string("F").append(std::to_string(100000 + i)));
    data::DataControl ds;
    ds.setDatabaseName(fixtures::writeTemp(referenceDb(names), "large.mdb"));
    ds.setRecordSource("funclass");
    ds.refresh();
    ds.recordset().findFirst("name like 'F139999*'");
    EXPECT_EQ(ds.recordset().absolutePosition(), 39999);
    ds.recordset().findFirst("name like '*9999'"); // a scan, not the index
    EXPECT_EQ(ds.recordset().absolutePosition(), 9999 - 0);
    ds.recordset().findFirst("name='f133000'");
    EXPECT_EQ(ds.recordset().absolutePosition(), 33000);
}

} // namespace

// A program reads its list's table while its window system starts: the first
// control that opens that file serves what the prefetch read, even if the
// file changed in between; anything else reads the file itself, with the
// errors it always gave.
TEST(DataSourcePrefetch, TheFirstControlOnThePathServesWhatWasRead) {
    const std::string dir = fixtures::tempDir();
    const std::string path = fixtures::writeTemp(referenceDb({"SendMessage", "Beep"}), "prefetch.mdb");
    const std::string missing = dir + "/prefetch-missing.mdb";
    const auto replace = [&](const std::vector<std::string>& names) {
        const std::string next = fixtures::writeTemp(referenceDb(names), "prefetch-next.mdb");
        std::filesystem::rename(next, path);
    };
    const auto firstName = [](const std::string& file, const char* table) {
        data::DataControl c;
        c.setDatabaseName(file);
        c.setRecordSource(table);
        c.refresh();
        return *c.recordset().fieldValue(0) + "/" + std::to_string(c.recordset().recordCount());
    };
    struct Case {
        std::string prefetched;   // the path the prefetch reads
        std::string opened;       // the path the control opens, after the file was replaced
        std::string firstControl; // what it serves, or the error number
        std::string secondControl;
    } cases[] = {
        {path, path, "SendMessage/2", "MessageBox/1"}, // the snapshot, once
        {missing, path, "MessageBox/1", "MessageBox/1"},
        {path, missing, "3024", "3024"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.prefetched + " then " + c.opened);
        replace({"SendMessage", "Beep"});
        data::Prefetch prefetch(c.prefetched, "funclass", {0});
        prefetch.wait();
        replace({"MessageBox"});
        const auto serve = [&] {
            try {
                return firstName(c.opened, "funclass");
            } catch (const data::DataError& e) {
                return std::to_string(e.number());
            }
        };
        EXPECT_EQ(serve(), c.firstControl);
        EXPECT_EQ(serve(), c.secondControl);
    }
    // Tables the prefetch did not read come from its snapshot too.
    replace({"SendMessage", "Beep"});
    data::Prefetch prefetch(path, "funclass", {0});
    prefetch.wait();
    replace({"MessageBox"});
    data::DataControl c;
    c.setDatabaseName(path);
    c.setRecordSource("winfun");
    c.refresh();
    EXPECT_EQ(*c.recordset().fieldValue(0), "SendMessage");
    EXPECT_EQ(c.fileReads(), 1);
}
