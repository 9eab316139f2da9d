// Damaged input: every case must end in a jet::Error or a result, never a
// crash or a hang. The test command runs these under ASan and UBSan too.
#include "data/jet/jet.h"
#include "tests/support/fixtures.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

using jetw::Cell;
using jetw::ColumnKind;
using jetw::Version;

namespace {

// Opens the image and reads every table; reports whether it all worked and
// fails the test on any exception other than jet::Error.
bool readsCleanly(const std::string& bytes, std::string* error = nullptr) {
    try {
        const auto db = jet::Database::fromBytes(bytes, "damaged.mdb");
        for (const auto& name : db.tableNames())
            (void)db.readTable(name);
        return true;
    } catch (const jet::Error& e) {
        if (error) *error = e.what();
        return false;
    } catch (const std::exception& e) {
        ADD_FAILURE() << "unexpected exception type: " << e.what();
        return false;
    }
}

jetw::DatabaseDef sampleDef() {
    jetw::TableDef funclass{
        "funclass", {{"name", ColumnKind::Text, 255}, {"declaration", ColumnKind::Text, 255}}, {}};
    jetw::TableDef winfun{"winfun", {{"函数", ColumnKind::Text, 255}, {"example", ColumnKind::Memo, 0}}, {}};
    for (int i = 0; i < 300; ++i) {
        const std::string name = "Function" + std::to_string(i);
        funclass.rows.push_back(
            {Cell{name}, Cell{"Declare Function " + name + " Lib \"user32\" () As Long"}});
        std::string example;
        for (int k = 0; k < i % 7; ++k)
            example += "示例 " + std::string(i % 400, 'e') + "\r\n";
        winfun.rows.push_back({Cell{name}, i % 5 ? Cell{example} : Cell{}});
    }
    return {{funclass, winfun}};
}

std::string sampleBytes(Version v) {
    static const std::string jet4 = jetw::buildDatabase(sampleDef(), Version::Jet4);
    static const std::string jet3 = jetw::buildDatabase(sampleDef(), Version::Jet3);
    return v == Version::Jet3 ? jet3 : jet4;
}

std::string memoChainBytes(Version v) {
    jetw::TableDef t{"t", {{"k", ColumnKind::Text, 10}, {"memo", ColumnKind::Memo, 0}}, {}};
    t.rows = {{Cell{"a"}, Cell{std::string(20000, 'm') + "一"}}};
    return jetw::buildDatabase({{t}}, v);
}

class Damage : public ::testing::TestWithParam<Version> {};

TEST_P(Damage, IntactSampleReads) {
    EXPECT_TRUE(readsCleanly(sampleBytes(GetParam())));
}

TEST_P(Damage, TruncationAtEveryPageBoundary) {
    const std::string bytes = sampleBytes(GetParam());
    const std::size_t pageSize = GetParam() == Version::Jet3 ? 2048 : 4096;
    for (std::size_t cut = 0; cut < bytes.size(); cut += pageSize) {
        std::string error;
        EXPECT_FALSE(readsCleanly(bytes.substr(0, cut), &error)) << "cut at " << cut;
        EXPECT_FALSE(error.empty());
        (void)readsCleanly(bytes.substr(0, cut + pageSize / 2)); // mid-page: error or result
    }
}

TEST_P(Damage, SeededRandomByteFlips) {
    const std::string original = sampleBytes(GetParam());
    std::mt19937 rng(20261207u + static_cast<unsigned>(GetParam()));
    std::uniform_int_distribution<std::size_t> pos(0, original.size() - 1);
    std::uniform_int_distribution<int> byte(0, 255), count(1, 8);
    // Flips aimed at the structural pages hit more interesting code than
    // flips spread over row data.
    std::uniform_int_distribution<std::size_t> early(0, std::min<std::size_t>(original.size() - 1, 6 * 4096));
    for (int round = 0; round < 3000; ++round) {
        std::string bytes = original;
        const int n = count(rng);
        for (int k = 0; k < n; ++k)
            bytes[round % 2 ? pos(rng) : early(rng)] = static_cast<char>(byte(rng));
        (void)readsCleanly(bytes);
    }
}

TEST_P(Damage, SelfLoopingMemoChainIsAnError) {
    fixtures::Image img(memoChainBytes(GetParam()));
    const auto rows = img.longValueRows();
    ASSERT_GE(rows.size(), 2u);
    // Each chunk starts with the pg_row of the next; point one at itself.
    img.setU32(img.rowOffset(rows[0]), rows[0]);
    std::string error;
    EXPECT_FALSE(readsCleanly(img.bytes(), &error));
    EXPECT_NE(error.find("table 't'"), std::string::npos) << error;
}

TEST_P(Damage, MemoChainCutShortIsAnError) {
    fixtures::Image img(memoChainBytes(GetParam()));
    const auto rows = img.longValueRows();
    ASSERT_GE(rows.size(), 2u);
    for (auto r : rows)
        if (img.u32(img.rowOffset(r)) != 0) img.setU32(img.rowOffset(r), 0);
    std::string error;
    EXPECT_FALSE(readsCleanly(img.bytes(), &error));
    EXPECT_NE(error.find("memo"), std::string::npos) << error;
}

TEST_P(Damage, EmptyUsageMap) {
    // All bits clear: the table simply has no rows.
    fixtures::Image img(sampleBytes(GetParam()));
    const auto tdefs = img.userTableDefPages();
    ASSERT_EQ(tdefs.size(), 2u);
    std::size_t len = 0;
    const std::size_t at = img.rowOffset(img.usedMapOf(tdefs[0]), &len);
    ASSERT_GT(len, 5u);
    for (std::size_t i = at + 5; i < at + len; ++i)
        img.bytes()[i] = 0;
    const auto db = jet::Database::fromBytes(img.bytes());
    EXPECT_EQ(db.readTable("funclass").rowCount(), 0u);
    EXPECT_EQ(db.readTable("winfun").rowCount(), 300u);

    // A map row of no bytes at all is an error that names the table.
    fixtures::Image zero(sampleBytes(GetParam()));
    const std::uint32_t map = zero.usedMapOf(zero.userTableDefPages()[0]);
    const std::size_t rowTable = std::size_t{map >> 8} * zero.pageSize() + (zero.jet3() ? 10 : 14);
    const std::uint32_t row = map & 0xFF;
    const std::uint16_t end = row == 0
                                  ? static_cast<std::uint16_t>(zero.pageSize())
                                  : static_cast<std::uint16_t>(zero.u16(rowTable + 2 * (row - 1)) & 0x1FFF);
    zero.setU16(rowTable + 2 * row, end);
    std::string error;
    EXPECT_FALSE(readsCleanly(zero.bytes(), &error));
    EXPECT_NE(error.find("funclass"), std::string::npos) << error;
}

TEST_P(Damage, LoopingTableDefinitionChainIsAnError) {
    jetw::TableDef wide{"wide", {}, {}};
    for (int c = 0; c < 200; ++c)
        wide.columns.push_back({"a_rather_long_column_name_" + std::to_string(c), ColumnKind::Text, 10});
    fixtures::Image img(jetw::buildDatabase({{wide}}, GetParam()));
    const auto tdefs = img.userTableDefPages();
    ASSERT_EQ(tdefs.size(), 1u);
    std::uint32_t last = tdefs[0];
    while (img.u32(std::size_t{last} * img.pageSize() + 4) != 0)
        last = img.u32(std::size_t{last} * img.pageSize() + 4);
    ASSERT_NE(last, tdefs[0]) << "the definition should span several pages";
    img.setU32(std::size_t{last} * img.pageSize() + 4, tdefs[0]);
    std::string error;
    EXPECT_FALSE(readsCleanly(img.bytes(), &error));
    EXPECT_NE(error.find("loop"), std::string::npos) << error;
}

TEST_P(Damage, CatalogPointingOutsideTheTables) {
    // The catalog names each table's first definition page; page 0 (the
    // header), a page past the end and a data page must all be refused.
    const std::string stored = GetParam() == Version::Jet3 ? "winfun" : std::string("\xFF\xFEwinfun", 8);
    for (std::uint32_t bad : {0u, 0x00FFFFFEu, 1u}) {
        fixtures::Image img(sampleBytes(GetParam()));
        const std::size_t row = img.catalogRowContaining(stored);
        ASSERT_NE(row, 0u);
        img.setU32(img.catalogIdOffset(row), bad);
        const auto db = jet::Database::fromBytes(img.bytes(), "bad-catalog.mdb");
        EXPECT_EQ(db.readTable("funclass").rowCount(), 300u);
        try {
            db.readTable("winfun");
            ADD_FAILURE() << "read a table at page " << bad;
        } catch (const jet::Error& e) {
            EXPECT_EQ(e.code(), jet::ErrorCode::Corrupt);
            EXPECT_NE(std::string(e.what()).find("winfun"), std::string::npos) << e.what();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, Damage, ::testing::Values(Version::Jet4, Version::Jet3),
                         [](const auto& info) {
                             return std::string(info.param == Version::Jet3 ? "Jet3" : "Jet4");
                         });

TEST(DamagedFiles, DefinitionsAndLengthsThatContradictTheRows) {
    using jetw::Cell;
    jetw::TableDef t{
        "t", {{"a", ColumnKind::Text, 20}, {"b", ColumnKind::Memo, 0}}, {{Cell{"x"}, Cell{"hello world"}}}};
    const std::string original = jetw::buildDatabase({{t}}, Version::Jet4);
    auto expectCorrupt = [](const std::string& bytes, const char* what) {
        try {
            (void)jet::Database::fromBytes(bytes, "t.mdb").readTable("t");
            ADD_FAILURE() << "no error for " << what;
        } catch (const jet::Error& e) {
            EXPECT_EQ(e.code(), jet::ErrorCode::Corrupt) << what;
            EXPECT_NE(std::string(e.what()).find("table 't'"), std::string::npos) << e.what();
        }
    };
    // An inline memo whose stored length disagrees with its field.
    {
        std::string bytes = original;
        const std::size_t at = bytes.find(std::string("\xFF\xFEhello world"));
        ASSERT_NE(at, std::string::npos);
        bytes[at - 12] = 5;
        expectCorrupt(bytes, "an inline memo length");
    }
    // Two columns reading the same variable-length slot.
    {
        fixtures::Image img(original);
        const std::size_t desc = std::size_t{img.userTableDefPages()[0]} * img.pageSize() + 63;
        img.setU16(desc + 25 + 7, img.u16(desc + 7));
        expectCorrupt(img.bytes(), "a shared slot");
    }
}

TEST(DamagedFiles, AnAbsurdRowCountIsOnlyAHint) {
    // A row count of 2^32-1 in a wide table of a large file once made the
    // reader reserve gigabytes before it looked at a single row.
    jetw::TableDef wide{"wide", {}, {}};
    // append, not "literal" + string: GCC 12 at -O3 warns falsely about the latter.
    for (int c = 0; c < 255; ++c)
        wide.columns.push_back({std::string("c").append(std::to_string(c)), ColumnKind::Text, 1});
    wide.rows.assign(2, std::vector<jetw::Cell>(255, jetw::Cell{"x"}));
    fixtures::Image img(jetw::buildDatabase({{wide}}, Version::Jet4));
    img.setU32(std::size_t{img.userTableDefPages()[0]} * img.pageSize() + 16, 0xFFFFFFFFu);
    img.bytes().resize(64u << 20, '\0');
    const auto table = jet::Database::fromBytes(img.bytes()).readTable("wide");
    EXPECT_EQ(table.rowCount(), 2u);
}

TEST(DamagedFiles, NonDatabasesAreRefusedWithTheRightCode) {
    auto codeOf = [](const std::string& bytes) {
        try {
            jet::Database::fromBytes(bytes, "x.mdb");
        } catch (const jet::Error& e) {
            return e.code();
        }
        return jet::ErrorCode::TableNotFound; // stands for "no error"
    };
    EXPECT_EQ(codeOf(""), jet::ErrorCode::NotJet);
    EXPECT_EQ(codeOf("Declare Function GetTickCount Lib \"kernel32\" () As Long\r\n"),
              jet::ErrorCode::NotJet);
    EXPECT_EQ(codeOf(std::string(8192, '\0')), jet::ErrorCode::NotJet);
    std::string header = sampleBytes(Version::Jet4).substr(0, 4096);
    EXPECT_EQ(codeOf(header), jet::ErrorCode::Corrupt);
    std::string future = sampleBytes(Version::Jet4);
    future[0x14] = 42;
    EXPECT_EQ(codeOf(future), jet::ErrorCode::NotJet);
}

TEST(DamagedFiles, OpenReportsMissingFilesAndDirectories) {
    try {
        jet::Database::open(fixtures::tempDir() + "/nope/winapi.mdb");
        FAIL();
    } catch (const jet::Error& e) {
        EXPECT_EQ(e.code(), jet::ErrorCode::FileNotFound);
        EXPECT_NE(std::string(e.what()).find("winapi.mdb"), std::string::npos);
    }
    try {
        jet::Database::open(fixtures::tempDir());
        FAIL();
    } catch (const jet::Error& e) {
        EXPECT_EQ(e.code(), jet::ErrorCode::CannotOpen);
    }
}

TEST(DamagedFiles, PageKeyEncodingIsUndone) {
    // A database "encoded" with a key: pages 1.. are RC4-masked with the key
    // XOR the page number. Build one from a plain file and read it back.
    const std::string plain = sampleBytes(Version::Jet4);
    fixtures::Image img(plain);
    auto rc4 = [](const unsigned char* key, unsigned char* data, std::size_t len) {
        unsigned char s[256];
        for (int i = 0; i < 256; ++i)
            s[i] = static_cast<unsigned char>(i);
        unsigned char j = 0;
        for (int i = 0; i < 256; ++i) {
            j = static_cast<unsigned char>(j + s[i] + key[i % 4]);
            std::swap(s[i], s[j]);
        }
        unsigned char a = 0, b = 0;
        for (std::size_t k = 0; k < len; ++k) {
            a = static_cast<unsigned char>(a + 1);
            b = static_cast<unsigned char>(b + s[a]);
            std::swap(s[a], s[b]);
            data[k] ^= s[static_cast<unsigned char>(s[a] + s[b])];
        }
    };
    const unsigned char headerKey[4] = {0xC7, 0xDA, 0x39, 0x6B};
    auto* bytes = reinterpret_cast<unsigned char*>(img.bytes().data());
    rc4(headerKey, bytes + 0x18, 128);
    const std::uint32_t dbKey = 0x12345678;
    for (int i = 0; i < 4; ++i)
        bytes[0x3E + i] = static_cast<unsigned char>(dbKey >> (8 * i));
    rc4(headerKey, bytes + 0x18, 128);
    for (std::uint32_t n = 1; n < img.pageCount(); ++n) {
        const std::uint32_t k = dbKey ^ n;
        const unsigned char key[4] = {static_cast<unsigned char>(k), static_cast<unsigned char>(k >> 8),
                                      static_cast<unsigned char>(k >> 16),
                                      static_cast<unsigned char>(k >> 24)};
        rc4(key, img.page(n), img.pageSize());
    }
    const auto encoded = jet::Database::fromBytes(img.bytes());
    const auto original = jet::Database::fromBytes(plain);
    EXPECT_EQ(encoded.readTable("winfun").cells, original.readTable("winfun").cells);
    // The same through a file.
    const std::string path = fixtures::tempDir() + "/encoded.mdb";
    fixtures::writeFile(path, img.bytes());
    EXPECT_EQ(jet::Database::open(path).readTable("winfun").cells, original.readTable("winfun").cells);

    // The same key over pages that were never encoded cannot be decoded:
    // that is a database we cannot read, and the error says so.
    fixtures::Image wrong(plain);
    std::memcpy(wrong.bytes().data(), img.bytes().data(), 4096);
    try {
        jet::Database::fromBytes(wrong.bytes());
        FAIL();
    } catch (const jet::Error& e) {
        EXPECT_EQ(e.code(), jet::ErrorCode::Encrypted);
        EXPECT_NE(std::string(e.what()).find("encrypted database not supported"), std::string::npos);
    }
}

} // namespace
