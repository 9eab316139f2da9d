#include "tests/oracle/libmdb_oracle.h"

// Debian's mdbtools.h opens extern "C" before it includes glib and iconv,
// which breaks glib's C++ templates; pulling them in first keeps them outside.
#include <glib.h>
#include <iconv.h>

#include <mdbtools.h>

#include <cstddef>
#include <cstring>
#include <memory>
#include <stdexcept>

namespace oracle {

namespace {

// libmdb cuts every converted value at its bind size without saying so, and
// allocates that much for every TEXT and MEMO value it converts, which makes
// a sanitizer build crawl when the size is many megabytes. 1 MiB is a hundred
// times the longest memo in our test files; a value that comes near it is
// reported instead of being compared cut.
constexpr std::size_t kBindSize = 1024 * 1024;
// iconv stops short of the end when the next character does not fit, so a
// cut value can be up to one UTF-8 sequence shorter than the buffer.
constexpr std::size_t kCutMargin = 4;

class Handle {
public:
    explicit Handle(const std::string& path) : mdb_(mdb_open(path.c_str(), MDB_NOFLAGS)) {
        if (!mdb_) throw std::runtime_error("libmdb cannot open " + path);
        // Before the catalog is read: the catalog's own bind buffers take
        // this size too.
        mdb_set_bind_size(mdb_, kBindSize);
        // Tables only, so that a form or query sharing a table's name can
        // never be opened in its place.
        if (!mdb_read_catalog(mdb_, MDB_TABLE)) {
            mdb_close(mdb_);
            throw std::runtime_error("libmdb cannot read the catalog of " + path);
        }
    }
    ~Handle() { mdb_close(mdb_); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    MdbHandle* get() const { return mdb_; }

private:
    MdbHandle* mdb_;
};

struct TableDefDeleter {
    void operator()(MdbTableDef* t) const { mdb_free_tabledef(t); }
};
using TableDefPtr = std::unique_ptr<MdbTableDef, TableDefDeleter>;

MdbColumn* columnAt(MdbTableDef* t, unsigned i) {
    return static_cast<MdbColumn*>(g_ptr_array_index(t->columns, i));
}

void appendHex(std::string& out, const unsigned char* data, std::size_t size) {
    static constexpr char digits[] = "0123456789abcdef";
    out.reserve(out.size() + 2 * size);
    for (std::size_t i = 0; i < size; ++i) {
        out.push_back(digits[data[i] >> 4]);
        out.push_back(digits[data[i] & 0x0F]);
    }
}

// The whole OLE object, hex-encoded. libmdb follows the long-value chain
// without any limit, so the walk stops once it has more than the header says.
std::string oleHex(MdbHandle* mdb, MdbColumn* col, const std::string& where) {
    unsigned char header[MDB_MEMO_OVERHEAD];
    std::memcpy(header, col->bind_ptr, sizeof header);
    const std::size_t declared = static_cast<std::size_t>(mdb_get_int32(header, 0)) & 0x00FFFFFF;
    const auto* chunk = static_cast<const unsigned char*>(col->bind_ptr);

    std::string out;
    std::size_t total = mdb_ole_read(mdb, col, header, kBindSize);
    appendHex(out, chunk, total);
    while (const std::size_t len = mdb_ole_read_next(mdb, col, header)) {
        total += len;
        if (total > declared)
            throw std::runtime_error(where + ": OLE chain is longer than its declared " +
                                     std::to_string(declared) + " bytes");
        appendHex(out, chunk, len);
    }
    return out;
}

} // namespace

std::vector<std::string> userTables(const std::string& path) {
    Handle h(path);
    MdbHandle* mdb = h.get();
    std::vector<std::string> names;
    for (unsigned i = 0; i < mdb->num_catalog; ++i) {
        const auto* entry = static_cast<const MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (entry->object_type == MDB_TABLE && !(static_cast<unsigned>(entry->flags) & 0x80000002u))
            names.emplace_back(entry->object_name);
    }
    return names;
}

jet::Table readTable(const std::string& path, const std::string& tableName, std::vector<bool>* movedRows) {
    Handle h(path);
    MdbHandle* mdb = h.get();
    const std::string where = path + ": table " + tableName;
    if (movedRows) movedRows->clear();

    MdbCatalogEntry* entry = mdb_get_catalogentry_by_name(mdb, tableName.c_str());
    if (!entry) throw std::runtime_error(where + " is not in libmdb's catalog");
    TableDefPtr t(mdb_read_table(entry));
    if (!t) throw std::runtime_error(where + ": libmdb cannot read its definition");
    if (!mdb_read_columns(t.get())) throw std::runtime_error(where + ": libmdb cannot read its columns");

    const unsigned numCols = t->num_cols;
    jet::Table result;
    result.name = t->name;
    result.columns.reserve(numCols);
    for (unsigned i = 0; i < numCols; ++i) {
        const MdbColumn* col = columnAt(t.get(), i);
        jet::Column c;
        c.name = col->name;
        c.type = static_cast<std::uint8_t>(col->col_type);
        c.number = static_cast<std::uint16_t>(col->col_num);
        result.columns.push_back(std::move(c));
    }
    if (numCols == 0) return result;

    // libmdb writes up to the bind size into every bound buffer. Allocated
    // without initialising, so only the pages actually written get touched.
    std::vector<std::unique_ptr<char[]>> buffers(numCols);
    std::vector<int> lengths(numCols, 0);
    for (unsigned i = 0; i < numCols; ++i) {
        buffers[i] = std::make_unique_for_overwrite<char[]>(kBindSize);
        buffers[i][0] = '\0';
        if (mdb_bind_column(t.get(), static_cast<int>(i + 1), buffers[i].get(), &lengths[i]) == -1)
            throw std::runtime_error(where + ": libmdb cannot bind column " + result.columns[i].name);
    }

    // The bound text is "" for Null and for empty text alike; the null mask,
    // read by cracking the same row again, tells them apart.
    std::vector<MdbField> fields(numCols);
    std::vector<jet::Value> row(numCols);
    mdb_rewind_table(t.get());
    while (mdb_fetch_row(t.get())) {
        const std::size_t rowIndex = result.rowCount();
        int start = 0;
        std::size_t len = 0;
        if (mdb_find_row(mdb, static_cast<int>(t->cur_row) - 1, &start, &len) != 0 ||
            mdb_crack_row(t.get(), start & 0x1FFF, len, fields.data()) < 0)
            throw std::runtime_error(where + ": libmdb cannot crack row " + std::to_string(rowIndex) +
                                     " again");
        // The slot of a moved row carries 0x8000; libmdb reads it as a plain row.
        if (movedRows) movedRows->push_back((start & 0x8000) != 0);

        for (unsigned f = 0; f < numCols; ++f) {
            const auto i = static_cast<unsigned>(fields[f].colnum);
            if (i >= numCols)
                throw std::runtime_error(where + ": libmdb returned a field for column " + std::to_string(i));
            MdbColumn* col = columnAt(t.get(), i);
            jet::Value& value = row[i];
            if (col->col_type == MDB_BOOL) {
                // The null bit holds a BOOL's value; a BOOL is never Null.
                value = std::string(buffers[i].get());
            } else if (fields[f].is_null) {
                value.reset();
            } else if (col->col_type == MDB_BINARY) {
                if (fields[f].siz < 0)
                    throw std::runtime_error(where + ": libmdb gives column " + col->name +
                                             " a negative length in row " + std::to_string(rowIndex));
                std::string hex;
                appendHex(hex, static_cast<const unsigned char*>(fields[f].value),
                          static_cast<std::size_t>(fields[f].siz));
                value = std::move(hex);
            } else if (col->col_type == MDB_OLE) {
                value = oleHex(mdb, col, where);
            } else {
                const std::size_t n = std::strlen(buffers[i].get());
                if (n + kCutMargin >= kBindSize)
                    throw std::runtime_error(where + ": row " + std::to_string(rowIndex) + " column " +
                                             col->name + " fills libmdb's bind buffer and may be cut");
                value = std::string(buffers[i].get(), n);
            }
        }
        for (auto& v : row)
            result.cells.push_back(std::move(v));
    }
    return result;
}

} // namespace oracle
