// The search as the user drives it: one change of the search box, with
// 32,768 names, and the same with 1,000 names to show that its cost does not
// grow with the table; against a straightforward re-read-and-scan of the
// table in the same run. Also a double-click to details shown.
#include "app/fonts.h"
#include "app/form1.h"
#include "data/criteria.h"
#include "data/jet/jet.h"
#include "data/schema.h"
#include "tools/content/content.h"
#include "tools/jetwriter/jet_writer.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <benchmark/benchmark.h>
#include <filesystem>
#include <memory>

namespace {

// An application directory with winapi.mdb holding n functions in
// ascending name order, as the bundled database has them.
QString appDir(int n) {
    const std::string dir =
        (std::filesystem::temp_directory_path() / ("zarn-bench-search-" + std::to_string(n))).string();
    std::filesystem::create_directories(dir);
    using jetw::Cell;
    jetw::DatabaseDef db = content::referenceTables();
    jetw::TableDef& funclass = db.tables[0];
    jetw::TableDef& winfun = db.tables[1];
    for (int i = 0; i < n; ++i) {
        const std::string name = "Api" + std::to_string(100000 + i * 7);
        funclass.rows.push_back(
            {Cell{name}, Cell{"Declare Function " + name + " Lib \"user32\" (ByVal hwnd As Long) As Long"}});
        winfun.rows.push_back({Cell{name}, Cell{"Dim r As Long\r\nr = " + name + "(Me.hwnd)"}, Cell{},
                               Cell{"user32.dll"}, Cell{"Yes"}, Cell{"Yes"}, Cell{"说明文字。"},
                               Cell{"返回值。"}, Cell{}, Cell{"hwnd：窗口句柄"}});
    }
    jetw::writeDatabaseFile(db, dir + "/winapi.mdb");
    return QString::fromStdString(dir);
}

// Prefixes spread over the table, the way a user types them.
std::vector<std::string> prefixes(int n) {
    std::vector<std::string> p;
    for (int i = 0; i < 64; ++i)
        p.push_back("api" + std::to_string(100000 + (i * 509 % n) * 7).substr(0, 5));
    return p;
}

void BM_DataSearch(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const QString dir = appDir(n);
    data::DataControl ds;
    ds.setDatabaseName((dir + "/winapi.mdb").toStdString());
    ds.setRecordSource(data::schema::kFuncclass);
    ds.refresh();
    const auto ps = prefixes(n);
    std::size_t k = 0;
    for (auto _ : state) {
        ds.setRecordSource(data::schema::kFuncclass);
        ds.refresh();
        ds.recordset().findFirst("name like '" + ps[k++ % ps.size()] + "*'");
        benchmark::DoNotOptimize(ds.recordset().absolutePosition());
    }
}
BENCHMARK(BM_DataSearch)->Arg(1000)->Arg(32768);

// What the search would cost without our caching and index: read the file,
// decode the table, and scan it for the first name with the prefix.
void BM_RereadAndScan(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const std::string path = (appDir(n) + "/winapi.mdb").toStdString();
    const auto ps = prefixes(n);
    std::size_t k = 0;
    for (auto _ : state) {
        const auto table = jet::Database::open(path).readTable(data::schema::kFuncclass);
        const data::LikePattern pattern(ps[k++ % ps.size()] + "*");
        std::int32_t found = -1;
        for (std::size_t r = 0; r < table.rowCount() && found < 0; ++r)
            if (table.at(r, 0) && pattern.matches(data::foldCase(*table.at(r, 0))))
                found = static_cast<std::int32_t>(r);
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_RereadAndScan)->Arg(1000)->Arg(32768)->Unit(benchmark::kMicrosecond);

struct Window {
    std::unique_ptr<Form1> form;
    explicit Window(int n) {
        form = std::make_unique<Form1>(appDir(n), [](int, const QString& t) { qFatal("%s", qPrintable(t)); });
        form->Form_Load();
        form->show();
        QApplication::processEvents();
    }
};

// One change of the search box: from the handler's start to the list's new
// selected index, the list widget included.
void BM_SearchBoxChange(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    Window w(n);
    const auto ps = prefixes(n);
    std::size_t k = 0;
    for (auto _ : state) {
        state.PauseTiming();
        w.form->tab2txt1->blockSignals(true);
        w.form->tab2txt1->setText(QString::fromStdString(ps[k++ % ps.size()]));
        w.form->tab2txt1->blockSignals(false);
        state.ResumeTiming();
        w.form->tab2txt1_Change();
        benchmark::DoNotOptimize(w.form->tab2lst->listIndex());
    }
}
BENCHMARK(BM_SearchBoxChange)->Arg(1000)->Arg(32768);

// A double-click to the details shown: search, two finds, header, detail text.
void BM_DoubleClickToDetails(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    Window w(n);
    int row = 0;
    for (auto _ : state) {
        state.PauseTiming();
        w.form->tab2lst->setListIndex(row);
        row = (row + 4099) % n;
        state.ResumeTiming();
        w.form->tab2lst_DblClick();
        benchmark::DoNotOptimize(w.form->funtxt->text().size());
    }
}
BENCHMARK(BM_DoubleClickToDetails)->Arg(32768)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    installFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
