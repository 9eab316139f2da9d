// Cross-checks our Jet reader against libmdb on database files written by
// Access: the same user tables, and in every table the same columns, rows and
// Nulls, with TEXT and MEMO values equal.
//
// Where libmdb cannot give the right answer, the comparison allows for it
// here, explicitly, instead of leaving tables out:
//  * libmdb converts Jet4/ACE text as UCS-2, so a character outside the BMP
//    (a surrogate pair in the file) comes back as "??".
//  * Where iconv rejects a byte (Jet3) or a lone surrogate (Jet4), libmdb
//    writes '?' and we write U+FFFD, one for each. In the cp936 Northwind
//    copy, "Folk och fä HB" is stored as ... 66 E4 20 48 42: E4 20 is no GBK
//    pair, so libmdb gives "Folk och f? HB".
//  * libmdb does not follow the pointer a moved row leaves behind. In
//    overflowTestV2000.mdb, page 27 slot 2 (flags 0x4000) holds only
//    00 1C 00 00, a pointer to page 28 slot 0 (flags 0x8000), where row 3
//    now lies; slot 4 points the same way to page 31 slot 0 (row 5). libmdb
//    skips the pointers and returns rows 3 and 5 last, after the rows of page
//    27. Rows that the oracle reports as moved may therefore match any of our
//    rows; all other rows must come in the same order.

#include "data/jet/jet.h"
#include "tests/oracle/libmdb_oracle.h"
#include "tests/support/fixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

fs::path corpusDir() {
    if (const char* env = std::getenv("JET_CORPUS_DIR"); env && *env) return fs::path(env);
    return fs::path(ZARN_SOURCE_DIR) / ".." / "shared" / "jet-corpus";
}

std::string lowerAscii(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// File names in the corpus, sorted. An empty name stands for "no corpus", so
// that the suite still yields one case, which skips and says why.
std::vector<std::string> corpusFiles() {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(corpusDir(), ec), end; !ec && it != end; it.increment(ec)) {
        const std::string ext = lowerAscii(it->path().extension().string());
        if ((ext == ".mdb" || ext == ".accdb") && it->is_regular_file(ec))
            names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end());
    if (names.empty()) names.emplace_back();
    return names;
}

std::string caseName(const testing::TestParamInfo<std::string>& info) {
    if (info.param.empty()) return "NoCorpus";
    std::string name;
    for (char c : info.param)
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

bool isText(std::uint8_t type) {
    return type == jet::Text || type == jet::Memo;
}

// Equal, except where libmdb cannot say what we say (see the top of the file).
bool sameText(std::string_view ours, std::string_view theirs) {
    static constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < ours.size()) {
        const auto lead = static_cast<unsigned char>(ours[i]);
        if (lead >= 0xF0 && i + 4 <= ours.size() && theirs.substr(j, 2) == "??") {
            i += 4;
            j += 2;
        } else if (ours.substr(i, 3) == kReplacement && j < theirs.size() && theirs[j] == '?') {
            i += 3;
            j += 1;
        } else if (j < theirs.size() && ours[i] == theirs[j]) {
            ++i;
            ++j;
        } else {
            return false;
        }
    }
    return j == theirs.size();
}

// A value for a failure message: quoted, control bytes escaped, and long
// values cut to a window that starts shortly before byte `from`.
std::string show(const jet::Value& v, std::size_t from = 0) {
    if (!v) return "Null";
    const std::string& s = *v;
    std::size_t begin = from > 40 ? from - 40 : 0;
    while (begin > 0 && (static_cast<unsigned char>(s[begin]) & 0xC0) == 0x80)
        --begin;
    std::size_t end = std::min(s.size(), begin + 160);
    while (end < s.size() && (static_cast<unsigned char>(s[end]) & 0xC0) == 0x80)
        ++end;
    std::ostringstream out;
    if (begin > 0) out << "...";
    out << '"';
    for (std::size_t k = begin; k < end; ++k) {
        const auto c = static_cast<unsigned char>(s[k]);
        if (c < 0x20 || c == 0x7F) {
            static constexpr char digits[] = "0123456789abcdef";
            out << "\\x" << digits[c >> 4] << digits[c & 0x0F];
        } else {
            out << s[k];
        }
    }
    out << '"';
    if (end < s.size()) out << "...";
    out << " (" << s.size() << " bytes)";
    return out.str();
}

std::string describeColumns(const jet::Table& t) {
    std::ostringstream out;
    for (const auto& c : t.columns)
        out << "\n  #" << c.number << ' ' << c.name << " type 0x" << std::hex << int(c.type) << std::dec;
    return out.str();
}

// Index of the first column where the rows differ, or -1.
int firstDifference(const jet::Table& ours, std::size_t ourRow, const jet::Table& theirs,
                    std::size_t theirRow) {
    for (std::size_t c = 0; c < theirs.columns.size(); ++c) {
        const jet::Value& a = ours.at(ourRow, c);
        const jet::Value& b = theirs.at(theirRow, c);
        if (a.has_value() != b.has_value()) return static_cast<int>(c);
        if (a && isText(theirs.columns[c].type) && !sameText(*a, *b)) return static_cast<int>(c);
    }
    return -1;
}

void expectSameTable(const jet::Table& ours, const jet::Table& theirs, const std::vector<bool>& moved) {
    ASSERT_EQ(describeColumns(ours), describeColumns(theirs)) << "columns differ";
    ASSERT_EQ(ours.rowCount(), theirs.rowCount()) << "row counts differ";

    std::vector<std::size_t> inPlace;
    std::vector<std::size_t> movedRows;
    for (std::size_t r = 0; r < theirs.rowCount(); ++r)
        (moved.at(r) ? movedRows : inPlace).push_back(r);
    std::vector<bool> movedUsed(movedRows.size(), false);

    std::size_t next = 0;
    for (std::size_t r = 0; r < ours.rowCount(); ++r) {
        if (next < inPlace.size() && firstDifference(ours, r, theirs, inPlace[next]) < 0) {
            ++next;
            continue;
        }
        bool matched = false;
        for (std::size_t m = 0; m < movedRows.size() && !matched; ++m) {
            if (!movedUsed[m] && firstDifference(ours, r, theirs, movedRows[m]) < 0)
                movedUsed[m] = matched = true;
        }
        if (matched) continue;

        // Show the row libmdb has in this place; once those are used up, the
        // first moved row nothing has matched yet.
        std::size_t theirRow = 0;
        if (next < inPlace.size()) {
            theirRow = inPlace[next];
        } else {
            const auto unused = std::find(movedUsed.begin(), movedUsed.end(), false);
            ASSERT_NE(unused, movedUsed.end()) << "our row " << r << " has no libmdb row left to match";
            theirRow = movedRows[static_cast<std::size_t>(unused - movedUsed.begin())];
        }
        const int c = firstDifference(ours, r, theirs, theirRow);
        const jet::Value& a = ours.at(r, static_cast<std::size_t>(c));
        const jet::Value& b = theirs.at(theirRow, static_cast<std::size_t>(c));
        std::size_t at = 0;
        if (a && b)
            at = static_cast<std::size_t>(std::mismatch(a->begin(), a->end(), b->begin(), b->end()).first -
                                          a->begin());
        ADD_FAILURE() << "first difference: our row " << r << ", libmdb row " << theirRow << ", column "
                      << theirs.columns[static_cast<std::size_t>(c)].name << "\n  ours:   " << show(a, at)
                      << "\n  libmdb: " << show(b, at)
                      << (movedRows.empty()
                              ? ""
                              : "\n  (libmdb returned some rows out of place; see the top of the file)");
        return;
    }
}

class JetCorpus : public testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        if (GetParam().empty())
            GTEST_SKIP() << "no *.mdb or *.accdb files in " << corpusDir()
                         << "; set JET_CORPUS_DIR to the folder of real Access files to run the cross-check";
        path_ = (corpusDir() / GetParam()).string();
    }
    std::string path_;
};

TEST_P(JetCorpus, TableNamesMatchLibmdb) {
    auto ours = jet::Database::open(path_).tableNames();
    auto theirs = oracle::userTables(path_);
    // The catalog is a table too, and Northwind's has moved rows (27 of
    // them): libmdb lists those tables where the rows now lie, we list them
    // where the catalog's pointers put them. So the order may differ; the set
    // of names may not.
    std::sort(ours.begin(), ours.end());
    std::sort(theirs.begin(), theirs.end());
    EXPECT_EQ(ours, theirs);
}

TEST_P(JetCorpus, TablesMatchLibmdb) {
    const jet::Database db = jet::Database::open(path_);
    for (const std::string& name : oracle::userTables(path_)) {
        SCOPED_TRACE("table " + name);
        std::vector<bool> moved;
        const jet::Table theirs = oracle::readTable(path_, name, &moved);
        try {
            const jet::Table ours = db.readTable(name);
            expectSameTable(ours, theirs, moved);
        } catch (const std::exception& e) {
            ADD_FAILURE() << "our reader threw: " << e.what();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Corpus, JetCorpus, testing::ValuesIn(corpusFiles()), caseName);

// A Jet3 file is decoded with the code page in its header: this copy says 936
// and holds the GBK bytes of 函数测试 as the city of customer WILMK.
TEST(JetCorpusCodePage, Cp936HeaderDecodesGbkText) {
    const fs::path path = corpusDir() / "nwind-gbk-cp936.mdb";
    if (!fs::is_regular_file(path))
        GTEST_SKIP() << path << " not found; set JET_CORPUS_DIR to the folder of real Access files";

    const jet::Database db = jet::Database::open(path.string());
    EXPECT_EQ(db.format(), jet::Format::Jet3);
    EXPECT_EQ(db.codePage(), 936);
    const jet::Table customers = db.readTable("Customers");
    const int id = customers.columnIndex("CustomerID");
    const int city = customers.columnIndex("City");
    ASSERT_GE(id, 0);
    ASSERT_GE(city, 0);

    int found = 0;
    for (std::size_t r = 0; r < customers.rowCount(); ++r) {
        if (customers.at(r, static_cast<std::size_t>(id)) == "WILMK") {
            ++found;
            EXPECT_EQ(customers.at(r, static_cast<std::size_t>(city)), "函数测试");
        }
    }
    EXPECT_EQ(found, 1);
}

} // namespace

// Files our writer makes must read the same through libmdb as through our
// reader, so that the bundled database is readable by other tools too.
namespace {

jetw::DatabaseDef writerSample() {
    using jetw::Cell;
    using jetw::ColumnKind;
    jetw::TableDef funclass{
        "funclass", {{"name", ColumnKind::Text, 255}, {"declaration", ColumnKind::Text, 255}}, {}};
    for (int i = 0; i < 5000; ++i)
        funclass.rows.push_back(
            {Cell{"Fn" + std::to_string(i)}, i % 9 ? Cell{"Declare Sub Fn" + std::to_string(i)} : Cell{}});
    jetw::TableDef winfun{
        "winfun",
        {{"函数", ColumnKind::Text, 100}, {"example", ColumnKind::Memo, 0}, {"remarks", ColumnKind::Memo, 0}},
        {}};
    const std::vector<std::size_t> lengths = {0,    1,    32,   33,   64,   65,   1024, 1025, 2028, 2032,
                                              2033, 2038, 2039, 4056, 4057, 4072, 4073, 8144, 8145, 70000};
    for (std::size_t i = 0; i < lengths.size(); ++i) {
        std::string ascii, chinese;
        for (std::size_t k = 0; k < lengths[i]; ++k) {
            ascii.push_back(static_cast<char>('A' + k % 26));
            chinese += k % 3 == 0 ? "一" : k % 3 == 1 ? "最" : "\r\n";
        }
        winfun.rows.push_back(
            {Cell{"函数" + std::to_string(i)}, Cell{ascii}, i % 4 == 3 ? Cell{} : Cell{chinese}});
    }
    winfun.rows.push_back({Cell{""}, Cell{""}, Cell{}});
    return {{funclass, winfun}};
}

class WriterFiles : public testing::TestWithParam<jetw::Version> {};

TEST_P(WriterFiles, ReadTheSameThroughLibmdb) {
    const std::string path = fixtures::writeTemp(
        writerSample(), GetParam() == jetw::Version::Jet3 ? "oracle-jet3.mdb" : "oracle-jet4.mdb",
        GetParam());
    const jet::Database db = jet::Database::open(path);
    EXPECT_EQ(db.tableNames(), oracle::userTables(path));
    for (const std::string& name : db.tableNames()) {
        SCOPED_TRACE("table " + name);
        std::vector<bool> moved;
        const jet::Table theirs = oracle::readTable(path, name, &moved);
        EXPECT_EQ(std::count(moved.begin(), moved.end(), true), 0) << "our writer never moves rows";
        expectSameTable(db.readTable(name), theirs, moved);
    }
}

INSTANTIATE_TEST_SUITE_P(Writer, WriterFiles, testing::Values(jetw::Version::Jet4, jetw::Version::Jet3),
                         [](const auto& info) {
                             return std::string(info.param == jetw::Version::Jet3 ? "Jet3" : "Jet4");
                         });

} // namespace
