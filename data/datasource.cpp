#include "data/datasource.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <map>
#include <mutex>
#include <sys/resource.h>
#include <unordered_map>

namespace data {

namespace {

// Lookup structures for one column, built on the first find that needs them
// and kept as long as the file does not change.
struct ColumnIndex {
    std::vector<std::u32string> folded; // per record; empty for Null
    std::vector<bool> isNull;
    std::vector<std::int32_t> sorted;                // non-Null records ordered by folded value
    std::vector<std::vector<std::int32_t>> minTable; // sparse table: min position over sorted ranges
    std::unordered_map<std::u32string, std::int32_t> firstEqual;

    explicit ColumnIndex(const std::vector<jet::Value>& values) {
        const auto n = static_cast<std::int32_t>(values.size());
        folded.resize(n);
        isNull.resize(n);
        for (std::int32_t r = 0; r < n; ++r) {
            const jet::Value& v = values[static_cast<std::size_t>(r)];
            isNull[r] = !v.has_value();
            if (v) {
                folded[r] = foldCase(*v);
                firstEqual.try_emplace(folded[r], r);
                sorted.push_back(r);
            }
        }
        std::stable_sort(sorted.begin(), sorted.end(),
                         [&](std::int32_t a, std::int32_t b) { return folded[a] < folded[b]; });
        minTable.push_back(sorted);
        for (std::size_t width = 2; width <= sorted.size(); width *= 2) {
            const auto& prev = minTable.back();
            std::vector<std::int32_t> level(sorted.size() - width + 1);
            for (std::size_t i = 0; i < level.size(); ++i)
                level[i] = std::min(prev[i], prev[i + width / 2]);
            minTable.push_back(std::move(level));
        }
    }

    // Smallest record position among sorted[lo, hi), hi > lo.
    std::int32_t rangeMin(std::size_t lo, std::size_t hi) const {
        const int k = std::bit_width(hi - lo) - 1;
        const std::size_t width = std::size_t{1} << k;
        return std::min(minTable[k][lo], minTable[k][hi - width]);
    }

    // First record in table order whose value begins with the prefix.
    std::int32_t firstWithPrefix(std::u32string_view prefix) const {
        auto lo = std::lower_bound(sorted.begin(), sorted.end(), prefix,
                                   [&](std::int32_t r, std::u32string_view p) { return folded[r] < p; });
        auto hi = std::partition_point(lo, sorted.end(), [&](std::int32_t r) {
            return std::u32string_view(folded[r]).starts_with(prefix);
        });
        if (lo == hi) return -1;
        return rangeMin(static_cast<std::size_t>(lo - sorted.begin()),
                        static_cast<std::size_t>(hi - sorted.begin()));
    }
};

} // namespace

// A table held column by column, each column decoded on first use: the
// list needs only the names at start, the declarations and details wait for
// a selection.
struct TableData {
    std::string name;
    std::vector<jet::Column> columns;
    std::int32_t rows = 0;
    std::vector<std::vector<jet::Value>> values; // per column; empty until decoded
    std::vector<bool> decoded;
    std::shared_ptr<const jet::Database> db; // the snapshot the columns come from; null once all are in
    std::map<int, std::unique_ptr<ColumnIndex>> indexes;

    void ensureColumn(int column);
    const jet::Value& at(std::int32_t row, int column) {
        ensureColumn(column);
        return values[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)];
    }
    const ColumnIndex& index(int column) {
        ensureColumn(column);
        auto& slot = indexes[column];
        if (!slot) slot = std::make_unique<ColumnIndex>(values[static_cast<std::size_t>(column)]);
        return *slot;
    }
};

namespace {

DataError noCurrentRecord() {
    return DataError(err::NoCurrentRecord, "No current record.");
}

DataError fromJet(const jet::Error& e, const std::string& path) {
    switch (e.code()) {
    case jet::ErrorCode::FileNotFound:
        return DataError(err::FileNotFound, "Could not find file '" + path + "'.", e.what());
    case jet::ErrorCode::CannotOpen:
        return DataError(err::CannotOpenFile,
                         "Cannot open the file '" + path + "'. You may need permission to view its data.",
                         e.what());
    case jet::ErrorCode::TableNotFound:
        return DataError(err::TableNotFound, "Cannot find the input table or query.", e.what());
    default:
        return DataError(err::UnrecognizedFormat, "Unrecognized database format '" + path + "'.", e.what());
    }
}

} // namespace

void TableData::ensureColumn(int column) {
    const auto c = static_cast<std::size_t>(column);
    if (decoded[c]) return;
    std::vector<jet::Value> column_;
    try {
        column_ = db->readColumn(name, c);
    } catch (const jet::Error& e) {
        throw fromJet(e, db->path());
    } catch (const std::bad_alloc&) {
        throw DataError(err::OutOfMemory, "Out of memory.", "table '" + name + "'");
    }
    // The same snapshot walked again: the same records in the same order.
    if (column_.size() != static_cast<std::size_t>(rows))
        throw DataError(err::UnrecognizedFormat, "Unrecognized database format '" + db->path() + "'.",
                        "table '" + name + "' gave " + std::to_string(column_.size()) + " values for " +
                            std::to_string(rows) + " records");
    values[c] = std::move(column_);
    decoded[c] = true;
    if (std::all_of(decoded.begin(), decoded.end(), [](bool d) { return d; })) db.reset();
}

Recordset::Recordset(std::shared_ptr<TableData> table) : table_(std::move(table)) {
    state_ = table_ && table_->rows > 0 ? State::OnRecord : State::Eof;
    pos_ = 0;
}

Recordset Recordset::overTable(jet::Table table) {
    auto data = std::make_shared<TableData>();
    data->name = table.name;
    data->columns = table.columns;
    data->rows = static_cast<std::int32_t>(table.rowCount());
    data->values.resize(table.columns.size());
    for (std::size_t r = 0; r < table.rowCount(); ++r)
        for (std::size_t c = 0; c < table.columns.size(); ++c)
            data->values[c].push_back(std::move(table.cells[r * table.columns.size() + c]));
    data->decoded.assign(table.columns.size(), true);
    return Recordset(std::move(data));
}

bool Recordset::eof() const {
    return state_ == State::Eof;
}

std::int32_t Recordset::recordCount() const {
    return table_ ? table_->rows : 0;
}

int Recordset::fieldCount() const {
    return table_ ? static_cast<int>(table_->columns.size()) : 0;
}

void Recordset::moveNext() {
    if (state_ != State::OnRecord) throw noCurrentRecord();
    if (++pos_ >= recordCount()) state_ = State::Eof;
}

const jet::Value& Recordset::fieldValue(int position) const {
    if (position < 0 || position >= fieldCount())
        throw DataError(err::ItemNotFound, "Item not found in this collection.",
                        "the table has no field at position " + std::to_string(position));
    if (state_ != State::OnRecord) throw noCurrentRecord();
    return table_->at(pos_, position);
}

const jet::Value& Recordset::valueAt(std::int32_t record, int position) const {
    if (position < 0 || position >= fieldCount() || record < 0 || record >= recordCount())
        throw DataError(err::ItemNotFound, "Item not found in this collection.",
                        "no field " + std::to_string(position) + " of record " + std::to_string(record));
    return table_->at(record, position);
}

void Recordset::findFirst(std::string_view criteria) {
    const Criteria c = parseCriteria(criteria);
    if (!table_) throw noCurrentRecord();
    const int column = jet::columnIndex(table_->columns, c.column);
    if (column < 0) throw DataError(err::UnknownField, "Unknown field name '" + c.column + "'.");
    const ColumnIndex& idx = table_->index(column);
    std::int32_t found = -1;
    if (c.op == Criteria::Op::Equals) {
        const auto it = idx.firstEqual.find(foldCase(c.literal));
        if (it != idx.firstEqual.end()) found = it->second;
    } else {
        const LikePattern pattern(c.literal);
        if (const auto& prefix = pattern.plainPrefix()) {
            found = idx.firstWithPrefix(*prefix);
        } else {
            const auto n = static_cast<std::int32_t>(idx.folded.size());
            for (std::int32_t r = 0; r < n; ++r) {
                if (!idx.isNull[r] && pattern.matches(idx.folded[r])) {
                    found = r;
                    break;
                }
            }
        }
    }
    noMatch_ = found < 0;
    state_ = noMatch_ ? State::Undefined : State::OnRecord;
    pos_ = noMatch_ ? 0 : found;
}

struct DataControl::Cache {
    std::string path;
    std::shared_ptr<const jet::Database> db;                  // the snapshot
    std::map<std::string, std::shared_ptr<TableData>> tables; // by name as the catalog spells it
};

DataControl::DataControl() = default;
DataControl::~DataControl() = default;

void DataControl::openOnce() {
    if (cache_ && cache_->path == databaseName_) return;
    if (takesPrefetch_ && Prefetch::handOver(*this)) return;
    auto cache = std::make_unique<Cache>();
    cache->path = databaseName_;
    try {
        ++fileReads_;
        cache->db = std::make_shared<const jet::Database>(jet::Database::open(databaseName_));
    } catch (const jet::Error& e) {
        throw fromJet(e, databaseName_);
    } catch (const std::bad_alloc&) {
        throw DataError(err::OutOfMemory, "Out of memory.", databaseName_);
    }
    cache_ = std::move(cache);
}

void DataControl::refresh() {
    openOnce();
    auto& tables = cache_->tables;
    std::shared_ptr<TableData> data;
    if (auto it = tables.find(recordSource_); it != tables.end()) {
        data = it->second;
    } else {
        try {
            auto fresh = std::make_shared<TableData>();
            // Rows and columns now, the values of each column when first used.
            jet::TableShape shape = cache_->db->readShape(recordSource_);
            fresh->name = std::move(shape.name);
            fresh->columns = std::move(shape.columns);
            fresh->rows = static_cast<std::int32_t>(shape.rows);
            fresh->values.resize(fresh->columns.size());
            fresh->decoded.assign(fresh->columns.size(), false);
            fresh->db = cache_->db;
            data = fresh;
        } catch (const jet::Error& e) {
            if (e.code() == jet::ErrorCode::TableNotFound)
                throw DataError(err::TableNotFound,
                                "Cannot find the input table or query '" + recordSource_ +
                                    "'. Make sure it exists and that its name is spelled correctly.",
                                e.what());
            throw fromJet(e, databaseName_);
        } catch (const std::bad_alloc&) {
            throw DataError(err::OutOfMemory, "Out of memory.", "table '" + recordSource_ + "'");
        }
        tables.emplace(recordSource_, data);
    }
    recordset_ = Recordset(std::move(data));
}

namespace {
std::mutex prefetchMutex;
Prefetch* livePrefetch = nullptr;
} // namespace

Prefetch::Prefetch(std::string path, std::string table, std::vector<int> columns) {
    control_.takesPrefetch_ = false;
    control_.setDatabaseName(std::move(path));
    control_.setRecordSource(std::move(table));
    std::lock_guard lock(prefetchMutex);
    if (livePrefetch) {
        taken_ = true; // another one is under way: this one reads nothing
        return;
    }
    livePrefetch = this;
    thread_ = std::thread([this, columns = std::move(columns)] {
#ifdef __linux__
        // Linux gives each thread its own nice value: the reading takes what
        // the starting program and the display server leave idle.
        setpriority(PRIO_PROCESS, 0, 19);
#endif
        try {
            control_.refresh();
            for (int c : columns)
                if (control_.recordset().recordCount() > 0) control_.recordset().valueAt(0, c);
        } catch (...) {
            // Read again, and reported, by the data control that takes it.
        }
    });
}

Prefetch::~Prefetch() {
    std::lock_guard lock(prefetchMutex);
    if (livePrefetch == this) livePrefetch = nullptr;
    if (thread_.joinable()) thread_.join();
}

void Prefetch::wait() {
    std::lock_guard lock(prefetchMutex);
    if (thread_.joinable()) thread_.join();
}

bool Prefetch::handOver(DataControl& to) {
    std::lock_guard lock(prefetchMutex);
    Prefetch* p = livePrefetch;
    if (!p || p->taken_ || p->control_.databaseName() != to.databaseName()) return false;
    p->taken_ = true;
    if (p->thread_.joinable()) p->thread_.join();
    if (!p->control_.cache_) return false; // the file could not be opened there
    to.cache_ = std::move(p->control_.cache_);
    to.fileReads_ += p->control_.fileReads_;
    return true;
}

} // namespace data
