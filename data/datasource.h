// The data source of the window: one cursor over one table of the reference
// database at a time, with the record-set operations the window relies on
// (Refresh, EOF, MoveNext, Fields(i).Value, FindFirst, NoMatch,
// AbsolutePosition).
//
// Refresh gives a new record set on the first record, as it always has, but
// the file is only read again when its size or modification time changed:
// the search re-points the cursor on every keystroke.
#pragma once

#include "data/criteria.h"
#include "data/data_error.h"
#include "data/jet/jet.h"

#include <cstdint>
#include <memory>
#include <string>
#include <sys/types.h>
#include <thread>
#include <vector>

namespace data {

struct TableData; // a decoded table and its lookup indexes, shared

class Recordset {
public:
    Recordset() = default;
    explicit Recordset(std::shared_ptr<TableData> table);
    // A record set over a table held in memory rather than read from a file.
    static Recordset overTable(jet::Table table);

    bool eof() const;
    void moveNext(); // DataError 3021 when already past the last record
    // Fields(i).Value of the current record. DataError 3021 without a current
    // record, 3265 for a position the table does not have.
    const jet::Value& fieldValue(int position) const;
    // A field of any record, by record and field position, without moving
    // the cursor. DataError 3265 for a field or record that is not there.
    const jet::Value& valueAt(std::int32_t record, int position) const;
    int fieldCount() const;
    std::int32_t recordCount() const;

    // Makes the first record (in table order) that satisfies the criteria
    // current, or sets NoMatch and leaves no current record. DataError 3077
    // for malformed criteria, 3070 for an unknown column.
    void findFirst(std::string_view criteria);
    bool noMatch() const { return noMatch_; }
    // Leaves the record set as a find without a match would.
    void markNoMatch() {
        noMatch_ = true;
        state_ = State::Undefined;
    }
    // 0-based position of the current record, -1 when there is none.
    std::int32_t absolutePosition() const { return state_ == State::OnRecord ? pos_ : -1; }
    bool hasCurrentRecord() const { return state_ == State::OnRecord; }

private:
    enum class State { OnRecord, Eof, Undefined };
    std::shared_ptr<TableData> table_;
    State state_ = State::Eof;
    std::int32_t pos_ = 0;
    bool noMatch_ = false;
};

class DataControl {
public:
    DataControl();
    ~DataControl();
    DataControl(const DataControl&) = delete;
    DataControl& operator=(const DataControl&) = delete;

    void setDatabaseName(std::string path) { databaseName_ = std::move(path); }
    const std::string& databaseName() const { return databaseName_; }
    void setRecordSource(std::string table) { recordSource_ = std::move(table); }
    const std::string& recordSource() const { return recordSource_; }

    // Reads the database file on first use and builds a new record set over
    // the record source. The file is read once: later refreshes serve that
    // snapshot, whatever happens to the file, so the names a window listed
    // stay the names it finds. DataError 3024, 3051, 3343 for the file, 3078
    // for a missing table.
    void refresh();
    Recordset& recordset() { return recordset_; }
    const Recordset& recordset() const { return recordset_; }

    // How many times the file was actually read; lets tests see the cache.
    int fileReads() const { return fileReads_; }

private:
    friend class Prefetch;
    void openOnce();

    std::string databaseName_;
    std::string recordSource_;
    Recordset recordset_;

    struct Cache;
    std::unique_ptr<Cache> cache_;
    int fileReads_ = 0;
    bool takesPrefetch_ = true; // false for a prefetch's own control
};

// Reads a table of a database file on another thread, from construction on:
// the catalog, the table's rows and the given columns, as the first refresh
// and the first look at those columns would. The first data control that
// opens the same path takes that snapshot, waiting for the thread if it has
// not finished, instead of opening the file itself; so a program can read its
// data while its window system starts. Whatever failed on the thread is left
// undone and happens again, with its error, where it always happened. One
// prefetch at a time; the destructor waits for the thread.
class Prefetch {
public:
    Prefetch(std::string path, std::string table, std::vector<int> columns);
    ~Prefetch();
    Prefetch(const Prefetch&) = delete;
    Prefetch& operator=(const Prefetch&) = delete;
    // Returns once the thread has done its reading.
    void wait();

private:
    friend class DataControl;
    // Gives the prefetched snapshot to a data control opening its path, once.
    static bool handOver(DataControl& to);

    DataControl control_;
    std::thread thread_;
    bool taken_ = false;
};

} // namespace data
