// Reading the two reference tables: our reader against libmdb on one file.
//
// The file holds a 40,000-row funclass and a 3,000-row winfun, as written by
// our writer. libmdb is driven the cheapest way that still returns every
// value whole (bound buffers large enough for the longest memo), without the
// extra row cracking that telling Null from "" would cost it.
#include "data/jet/jet.h"
#include "data/schema.h"
#include "tools/content/content.h"
#include "tools/jetwriter/jet_writer.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <glib.h>
#include <iconv.h>
#include <mdbtools.h>
#include <memory>
#include <string>
#include <vector>

namespace {

const std::string& fixturePath() {
    static const std::string path = [] {
        using jetw::Cell;
        jetw::DatabaseDef db = content::referenceTables();
        jetw::TableDef& funclass = db.tables[0];
        jetw::TableDef& winfun = db.tables[1];
        for (int i = 0; i < 40000; ++i) {
            const std::string name = "ApiFunction" + std::to_string(100000 + i);
            funclass.rows.push_back(
                {Cell{name}, Cell{"Declare Function " + name + " Lib \"user32\" Alias \"" + name +
                                  "A\" (ByVal hwnd As Long, ByVal lpString As String) As Long"}});
        }
        for (int i = 0; i < 3000; ++i) {
            const std::string name = "ApiFunction" + std::to_string(100000 + i);
            std::string example;
            for (int k = 0; k < i % 40; ++k)
                example += "Dim s As String: s = String$(256, 0) ' 示例代码第" + std::to_string(k) + "行\r\n";
            winfun.rows.push_back(
                {Cell{name}, i % 3 ? Cell{example} : Cell{}, Cell{name + "A"}, Cell{"user32.dll"},
                 Cell{"Yes"}, Cell{"Yes"}, Cell{"取得指定窗口的标题文字。如果窗口是控件，则取得控件的文本。"},
                 Cell{"返回复制到缓冲区的字符数。"}, Cell{i % 2 ? "调用前必须为缓冲区分配空间。" : ""},
                 Cell{"hwnd：窗口句柄\r\nlpString：缓冲区\r\ncch：缓冲区大小"}});
        }
        const std::string p = (std::filesystem::temp_directory_path() / "zarn-bench-read.mdb").string();
        jetw::writeDatabaseFile(db, p);
        return p;
    }();
    return path;
}

void BM_OurReader(benchmark::State& state) {
    const std::string& path = fixturePath();
    for (auto _ : state) {
        const auto db = jet::Database::open(path);
        const auto f = db.readTable(data::schema::kFuncclass);
        const auto w = db.readTable(data::schema::kWinfun);
        benchmark::DoNotOptimize(f.cells.data());
        benchmark::DoNotOptimize(w.cells.data());
    }
}
BENCHMARK(BM_OurReader)->Unit(benchmark::kMillisecond);

std::size_t libmdbReadTable(MdbHandle* mdb, const char* name) {
    MdbCatalogEntry* entry = mdb_get_catalogentry_by_name(mdb, name);
    MdbTableDef* table = mdb_read_table(entry);
    mdb_read_columns(table);
    mdb_rewind_table(table);
    const int n = table->num_cols;
    std::vector<std::unique_ptr<char[]>> buffers;
    std::vector<int> lengths(n);
    for (int i = 0; i < n; ++i) {
        buffers.emplace_back(new char[1 << 16]);
        mdb_bind_column(table, i + 1, buffers.back().get(), &lengths[i]);
    }
    std::vector<std::string> values;
    values.reserve(n * 45000);
    std::size_t rows = 0;
    while (mdb_fetch_row(table)) {
        for (int i = 0; i < n; ++i)
            values.emplace_back(buffers[i].get(), lengths[i]);
        ++rows;
    }
    mdb_free_tabledef(table);
    return rows;
}

void BM_Libmdb(benchmark::State& state) {
    const std::string& path = fixturePath();
    for (auto _ : state) {
        MdbHandle* mdb = mdb_open(path.c_str(), MDB_NOFLAGS);
        mdb_set_bind_size(mdb, 1 << 16);
        mdb_read_catalog(mdb, MDB_TABLE);
        const std::size_t a = libmdbReadTable(mdb, data::schema::kFuncclass);
        const std::size_t b = libmdbReadTable(mdb, data::schema::kWinfun);
        if (a != 40000 || b != 3000) state.SkipWithError("libmdb read a different number of rows");
        mdb_close(mdb);
    }
}
BENCHMARK(BM_Libmdb)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
