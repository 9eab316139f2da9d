// Builds Jet3 / Jet4 database images that hold TEXT and MEMO columns.
//
// Page order: 0 header, 1 global usage map, 2 the catalog (MSysObjects) table
// definition, because readers look for it there; then the user table
// definitions, the pages that hold usage-map rows, the data and long-value
// pages, and last the bitmap pages of reference maps. Definitions and map rows
// get their pages before any row is packed, and a memo's long-value rows are
// placed before the row that points at them, so no pointer is patched later.
#include "tools/jetwriter/jet_writer.h"

#include "data/jet/jet.h"
#include "data/jet/text.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_set>
#include <utility>

namespace jetw {

namespace {

using std::size_t;
using std::uint16_t;
using std::uint32_t;
using std::uint8_t;

struct Layout {
    bool jet3;
    uint32_t page;
    uint32_t dataHeader;  // bytes before a data page's row offset table
    uint32_t rowCountAt;  // offset of a data page's row count
    uint32_t tdefHeader;  // bytes before the column descriptors
    uint32_t columnEntry; // bytes per column descriptor
    uint32_t maxRow;      // largest row Access allows
    uint32_t maxLvalRow;  // largest memo kept in one long-value row
    uint32_t chunk;       // data bytes in each row of a long-value chain
    uint32_t mapRow;      // usage-map row: Access's fixed inline size
    uint32_t rc4Length;   // masked part of the header page, from 0x18
    uint16_t codePage;
    uint32_t maxPages; // the format's file size limit (1 GB / 2 GB)
};

constexpr Layout kJet4{false, 4096, 14, 12, 63, 25, 4060, 4076, 4072, 69, 128, 1252, 0x80000000u / 4096};
constexpr Layout kJet3{true, 2048, 10, 8, 43, 18, 2012, 2032, 2028, 133, 126, 936, 0x40000000u / 2048};

constexpr uint32_t kMaxRowsPerPage = 255;
constexpr size_t kMaxInlineMemo = 64;
constexpr size_t kMemoLimit = size_t{1} << 24; // the memo length field has 24 bits
constexpr size_t kMaxColumns = 255;
constexpr size_t kMaxNameLength = 64; // Jet's limit for object and field names
constexpr int kMaxTextSize = 255;
constexpr uint32_t kFreeListMinimum = 200; // pages worth offering to a later insert
constexpr uint16_t kGeneralSortOrder = 0x0409;
constexpr double kCatalogDate = 45000.5;
constexpr uint32_t kTablesContainerId = 0x0F000001;
constexpr uint32_t kSystemFlag = 0x80000000u;
constexpr uint32_t kCatalogPage = 2;
constexpr uint8_t kMemoInline = 0x80;
constexpr uint8_t kMemoSingle = 0x40;
constexpr uint8_t kMemoChain = 0x00;

void put16(std::string& s, size_t at, uint32_t v) {
    s[at] = static_cast<char>(v & 0xFF);
    s[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}

void put32(std::string& s, size_t at, uint32_t v) {
    put16(s, at, v & 0xFFFF);
    put16(s, at + 2, v >> 16);
}

void add8(std::string& s, uint32_t v) {
    s.push_back(static_cast<char>(v & 0xFF));
}

void add16(std::string& s, uint32_t v) {
    add8(s, v);
    add8(s, v >> 8);
}

void add32(std::string& s, uint32_t v) {
    add16(s, v & 0xFFFF);
    add16(s, v >> 16);
}

uint16_t get16(const std::string& s, size_t at) {
    return static_cast<uint16_t>(static_cast<uint8_t>(s[at]) | (static_cast<uint8_t>(s[at + 1]) << 8));
}

std::string le32(uint32_t v) {
    std::string s;
    add32(s, v);
    return s;
}

std::string leDouble(double d) {
    std::uint64_t bits;
    std::memcpy(&bits, &d, sizeof bits);
    std::string s;
    add32(s, static_cast<uint32_t>(bits & 0xFFFFFFFFu));
    add32(s, static_cast<uint32_t>(bits >> 32));
    return s;
}

uint32_t pgRow(uint32_t page, uint32_t row) {
    return page << 8 | row;
}

void rc4(char* data, size_t length) {
    static constexpr std::array<uint8_t, 4> key{0xC7, 0xDA, 0x39, 0x6B};
    std::array<uint8_t, 256> s{};
    for (size_t i = 0; i < s.size(); ++i)
        s[i] = static_cast<uint8_t>(i);
    uint8_t j = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        j = static_cast<uint8_t>(j + s[i] + key[i % key.size()]);
        std::swap(s[i], s[j]);
    }
    uint8_t a = 0;
    uint8_t b = 0;
    for (size_t k = 0; k < length; ++k) {
        a = static_cast<uint8_t>(a + 1);
        b = static_cast<uint8_t>(b + s[a]);
        std::swap(s[a], s[b]);
        data[k] = static_cast<char>(static_cast<uint8_t>(data[k]) ^ s[static_cast<uint8_t>(s[a] + s[b])]);
    }
}

// Thrown by the value encoders; the caller adds which table, row and column.
struct Refused {
    std::string reason;
};

// Quotes a caller-supplied name for a message without passing on bytes that
// are not UTF-8.
std::string quoted(std::string_view name) {
    if (jet::text::isValidUtf8(name)) return "\"" + std::string(name) + "\"";
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string out = "\"";
    for (char c : name) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            out.push_back(c);
        } else {
            out += "\\x";
            out.push_back(hex[b >> 4]);
            out.push_back(hex[b & 0xF]);
        }
    }
    return out + "\"";
}

std::string foldAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

bool startsWithBom(std::string_view utf8) {
    return utf8.substr(0, 3) == "\xEF\xBB\xBF";
}

bool hasNonBmp(std::string_view utf8) {
    return std::any_of(utf8.begin(), utf8.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0xF0; });
}

std::u16string toUtf16(std::string_view utf8) {
    try {
        return jet::text::utf8ToUtf16(utf8);
    } catch (const std::invalid_argument& e) {
        throw Refused{std::string("text is not valid UTF-8 (") + e.what() + ")"};
    }
}

// Checks what every text in a Jet3 file must satisfy and returns it in the
// database code page.
std::string toCodePage(std::string_view utf8, uint16_t codePage) {
    if (!jet::text::isValidUtf8(utf8)) {
        toUtf16(utf8); // throws, naming the offending byte
        throw Refused{"text is not valid UTF-8"};
    }
    if (hasNonBmp(utf8))
        throw Refused{"text holds a character outside the Basic Multilingual Plane, which code page " +
                      std::to_string(codePage) + " cannot hold"};
    try {
        return jet::text::encodeCodePage(utf8, codePage);
    } catch (const std::invalid_argument& e) {
        throw Refused{e.what()};
    }
}

void appendUtf16le(std::string& out, const std::u16string& units) {
    const size_t at = out.size();
    out.resize(at + 2 * units.size());
    for (size_t i = 0; i < units.size(); ++i) {
        out[at + 2 * i] = static_cast<char>(units[i] & 0xFF);
        out[at + 2 * i + 1] = static_cast<char>(units[i] >> 8);
    }
}

struct Column {
    std::string label;  // UTF-8, for messages
    std::string stored; // the name as the table definition holds it
    uint8_t type = jet::Text;
    uint16_t number = 0;
    uint16_t varIndex = 0;
    uint16_t fixedOffset = 0;
    uint16_t length = 0; // bytes, as the descriptor holds it
    int textSize = 0;    // TEXT(n): the limit a value is checked against
    bool fixed = false;
    int longValue = -1; // index into Table::longValues for MEMO and OLE columns
};

// One page that rows are packed into from the end downwards.
struct RowPage {
    uint32_t page = 0;
    uint32_t rows = 0;
    uint32_t top = 0; // lowest byte in use by a row
};

// A usage-map row: what definitions point at, and where its bytes are.
struct MapRow {
    uint32_t pointer = 0;
    size_t at = 0;
};

struct LongValues {
    uint16_t column = 0;
    RowPage open;
    std::vector<uint32_t> pages;
    MapRow owned;
    MapRow free;
};

struct Table {
    std::string label;   // UTF-8
    const TableDef* def; // nullptr for the catalog
    std::vector<Column> columns;
    std::vector<size_t> varOrder; // column positions in var-index order
    uint16_t fixedSize = 0;
    std::vector<LongValues> longValues;
    std::vector<uint32_t> tdefPages;
    MapRow owned;
    MapRow free;
    RowPage open;
    std::vector<uint32_t> dataPages;
    uint32_t rowCount = 0;
};

struct Slot {
    bool present = false;
    std::string bytes;
};

class Builder {
public:
    Builder(const DatabaseDef& db, const Layout& f) : db_(db), f_(f) {}

    std::string build() {
        describeTables();
        allocate(); // header
        allocate(); // global usage map
        for (Table& t : tables_) {
            const uint32_t pages = tdefPageCount(tdefStream(t).size());
            for (uint32_t i = 0; i < pages; ++i)
                t.tdefPages.push_back(allocate());
        }
        placeMapRows();
        packCatalog();
        for (size_t i = 1; i < tables_.size(); ++i)
            packUserTable(tables_[i]);
        fillMaps();
        for (const Table& t : tables_)
            writeTdef(t);
        writeHeader();
        writeGlobalMap();
        return std::move(image_);
    }

private:
    const DatabaseDef& db_;
    const Layout& f_;
    std::vector<Table> tables_; // the catalog first, then the user tables
    std::string image_;
    uint32_t pageCount_ = 0;

    // Scratch buffers reused for every row.
    std::vector<Slot> slots_;
    std::string row_;
    std::string value_;

    uint32_t allocate() {
        if (pageCount_ >= f_.maxPages)
            throw WriteError("the database would exceed the format's size limit of " +
                             std::to_string(static_cast<std::uint64_t>(f_.maxPages) * f_.page) + " bytes");
        image_.resize(static_cast<size_t>(pageCount_ + 1) * f_.page);
        return pageCount_++;
    }

    size_t pageAt(uint32_t page) const { return static_cast<size_t>(page) * f_.page; }

    // ---- definitions ----

    std::string storedName(std::string_view utf8) const {
        if (f_.jet3) return toCodePage(utf8, f_.codePage);
        std::string out;
        appendUtf16le(out, toUtf16(utf8));
        return out;
    }

    // Names are also stored as catalog text and shown by every reader, so
    // they must pass the checks values do, plus Jet's own length limit.
    std::string checkedName(std::string_view utf8) const {
        if (utf8.empty()) throw Refused{"the name is empty"};
        if (startsWithBom(utf8)) throw Refused{"the name starts with U+FEFF"};
        const std::string stored = storedName(utf8);
        const size_t length = toUtf16(utf8).size();
        if (length > kMaxNameLength)
            throw Refused{"the name has " + std::to_string(length) + " characters; Jet allows at most " +
                          std::to_string(kMaxNameLength)};
        return stored;
    }

    void addColumn(Table& t, std::string label, std::string stored, uint8_t type, uint16_t length,
                   int textSize = 0) {
        Column c;
        c.label = std::move(label);
        c.stored = std::move(stored);
        c.type = type;
        c.number = static_cast<uint16_t>(t.columns.size());
        c.length = length;
        c.textSize = textSize;
        c.fixed = type == jet::Long || type == jet::Int || type == jet::DateTime;
        // Fixed columns carry the number of variable columns before them, as Access writes it.
        c.varIndex = static_cast<uint16_t>(t.varOrder.size());
        if (c.fixed) {
            c.fixedOffset = t.fixedSize;
            t.fixedSize = static_cast<uint16_t>(t.fixedSize + length);
        } else {
            t.varOrder.push_back(t.columns.size());
        }
        if (type == jet::Memo || type == jet::Ole) {
            c.longValue = static_cast<int>(t.longValues.size());
            t.longValues.push_back(LongValues{c.number, {}, {}, {}, {}});
        }
        t.columns.push_back(std::move(c));
    }

    void describeCatalog() {
        Table t;
        t.label = "MSysObjects";
        t.def = nullptr;
        const uint16_t text255 = f_.jet3 ? 255 : 510;
        const auto add = [&](const char* name, uint8_t type, uint16_t length) {
            addColumn(t, name, storedName(name), type, length, type == jet::Text ? kMaxTextSize : 0);
        };
        add("Id", jet::Long, 4);
        add("ParentId", jet::Long, 4);
        add("Name", jet::Text, text255);
        add("Type", jet::Int, 2);
        add("DateCreate", jet::DateTime, 8);
        add("DateUpdate", jet::DateTime, 8);
        add("Owner", jet::Binary, 255);
        add("Flags", jet::Long, 4);
        add("Database", jet::Memo, 0);
        add("Connect", jet::Memo, 0);
        add("ForeignName", jet::Text, text255);
        add("RmtInfoShort", jet::Binary, 255);
        add("RmtInfoLong", jet::Ole, 0);
        add("Lv", jet::Ole, 0);
        add("LvProp", jet::Ole, 0);
        add("LvModule", jet::Ole, 0);
        add("LvExtra", jet::Ole, 0);
        tables_.push_back(std::move(t));
    }

    void describeTables() {
        describeCatalog();
        std::unordered_set<std::string> tableNames{foldAscii("MSysObjects")};
        for (size_t ti = 0; ti < db_.tables.size(); ++ti) {
            const TableDef& def = db_.tables[ti];
            Table t;
            t.def = &def;
            t.label = "table " + quoted(def.name);
            try {
                checkedName(def.name);
            } catch (const Refused& r) {
                throw WriteError("table " + std::to_string(ti) + " " + quoted(def.name) + ": " + r.reason);
            }
            if (!tableNames.insert(foldAscii(def.name)).second)
                throw WriteError(t.label +
                                 (foldAscii(def.name) == "msysobjects"
                                      ? ": the name belongs to the system catalog"
                                      : ": another table has the same name (letter case is ignored)"));
            if (def.columns.empty()) throw WriteError(t.label + ": a table needs at least one column");
            if (def.columns.size() > kMaxColumns)
                throw WriteError(t.label + ": " + std::to_string(def.columns.size()) +
                                 " columns; a table holds at most " + std::to_string(kMaxColumns));
            std::unordered_set<std::string> columnNames;
            for (size_t ci = 0; ci < def.columns.size(); ++ci) {
                const ColumnDef& c = def.columns[ci];
                const std::string where = t.label + ", column " + std::to_string(ci) + " " + quoted(c.name);
                std::string stored;
                try {
                    stored = checkedName(c.name);
                } catch (const Refused& r) {
                    throw WriteError(where + ": " + r.reason);
                }
                if (!columnNames.insert(foldAscii(c.name)).second)
                    throw WriteError(where + ": another column of the table has the same name "
                                             "(letter case is ignored)");
                if (c.kind == ColumnKind::Memo) {
                    addColumn(t, c.name, std::move(stored), jet::Memo, 0);
                } else {
                    if (c.size < 1 || c.size > kMaxTextSize)
                        throw WriteError(where + ": TEXT(" + std::to_string(c.size) +
                                         ") is out of range; the size must be 1 to 255");
                    const auto length = static_cast<uint16_t>(f_.jet3 ? c.size : 2 * c.size);
                    addColumn(t, c.name, std::move(stored), jet::Text, length, c.size);
                }
            }
            tables_.push_back(std::move(t));
        }
    }

    std::string tdefStream(const Table& t) const {
        const bool catalog = t.def == nullptr;
        std::string s(f_.tdefHeader, '\0');
        s[0] = 0x02;
        s[1] = 0x01;
        const auto columns = static_cast<uint32_t>(t.columns.size());
        const auto vars = static_cast<uint32_t>(t.varOrder.size());
        const uint8_t tableType = catalog ? 0x53 : 0x4E;
        if (f_.jet3) {
            s[2] = 'V';
            s[3] = 'C';
            put32(s, 12, t.rowCount);
            s[20] = static_cast<char>(tableType);
            put16(s, 21, columns);
            put16(s, 23, vars);
            put16(s, 25, columns);
            put32(s, 35, t.owned.pointer);
            put32(s, 39, t.free.pointer);
        } else {
            put32(s, 12, 0x0659);
            put32(s, 16, t.rowCount);
            s[24] = 0x01;
            s[40] = static_cast<char>(tableType);
            put16(s, 41, columns);
            put16(s, 43, vars);
            put16(s, 45, columns);
            put32(s, 55, t.owned.pointer);
            put32(s, 59, t.free.pointer);
        }
        for (const Column& c : t.columns) {
            const size_t at = s.size();
            s.resize(at + f_.columnEntry);
            const bool text = c.type == jet::Text || c.type == jet::Memo;
            const uint8_t flags = c.fixed ? 0x03 : 0x02;
            s[at] = static_cast<char>(c.type);
            if (f_.jet3) {
                put16(s, at + 1, c.number);
                put16(s, at + 3, c.varIndex);
                put16(s, at + 5, c.number);
                put16(s, at + 7, 1);
                put16(s, at + 9, text ? kGeneralSortOrder : 0);
                put16(s, at + 11, text ? f_.codePage : 0);
                s[at + 13] = static_cast<char>(flags);
                put16(s, at + 14, c.fixedOffset);
                put16(s, at + 16, c.length);
            } else {
                put32(s, at + 1, 0x0659);
                put16(s, at + 5, c.number);
                put16(s, at + 7, c.varIndex);
                put16(s, at + 9, c.number);
                put16(s, at + 11, text ? kGeneralSortOrder : 0);
                s[at + 15] = static_cast<char>(flags);
                s[at + 16] = text ? 0x01 : 0x00; // compressed text allowed
                put16(s, at + 21, c.fixedOffset);
                put16(s, at + 23, c.length);
            }
        }
        for (const Column& c : t.columns) {
            if (f_.jet3)
                add8(s, static_cast<uint32_t>(c.stored.size()));
            else
                add16(s, static_cast<uint32_t>(c.stored.size()));
            s += c.stored;
        }
        for (const LongValues& lv : t.longValues) {
            add16(s, lv.column);
            add32(s, lv.owned.pointer);
            add32(s, lv.free.pointer);
        }
        add16(s, 0xFFFF);
        put32(s, 8, static_cast<uint32_t>(s.size()));
        return s;
    }

    uint32_t tdefPageCount(size_t bytes) const {
        if (bytes <= f_.page) return 1;
        const size_t rest = bytes - f_.page;
        const size_t perPage = f_.page - 8;
        return static_cast<uint32_t>(1 + (rest + perPage - 1) / perPage);
    }

    // Readers follow a definition across pages only at a page's end, so every
    // page but the last is filled completely.
    void writeTdef(const Table& t) {
        const std::string s = tdefStream(t);
        size_t from = 0;
        for (size_t i = 0; i < t.tdefPages.size(); ++i) {
            const size_t base = pageAt(t.tdefPages[i]);
            const size_t header = i == 0 ? 0 : 8;
            const size_t take = std::min(s.size() - from, f_.page - header);
            std::memcpy(&image_[base + header], s.data() + from, take);
            from += take;
            image_[base] = 0x02;
            image_[base + 1] = 0x01;
            const uint32_t next = i + 1 < t.tdefPages.size() ? t.tdefPages[i + 1] : 0;
            put32(image_, base + 4, next);
            if (f_.jet3) {
                image_[base + 2] = 'V';
                image_[base + 3] = 'C';
            } else {
                const size_t used = header + take;
                put16(image_, base + 2, used + 8 < f_.page ? static_cast<uint32_t>(f_.page - used - 8) : 0);
            }
        }
    }

    // ---- pages of rows ----

    void startRowPage(RowPage& p, uint32_t owner, bool longValues) {
        p.page = allocate();
        p.rows = 0;
        p.top = f_.page;
        const size_t base = pageAt(p.page);
        image_[base] = 0x01;
        image_[base + 1] = 0x01;
        if (longValues)
            std::memcpy(&image_[base + 4], "LVAL", 4);
        else
            put32(image_, base + 4, owner);
        put16(image_, base + 2, f_.page - f_.dataHeader);
    }

    bool fits(const RowPage& p, size_t length) const {
        return p.page != 0 && p.rows < kMaxRowsPerPage && p.top >= f_.dataHeader + 2 * (p.rows + 1) + length;
    }

    // Reserves a row on the page and returns its image offset.
    size_t reserveRow(RowPage& p, size_t length) {
        const size_t base = pageAt(p.page);
        p.top -= static_cast<uint32_t>(length);
        put16(image_, base + f_.dataHeader + 2 * p.rows, p.top);
        ++p.rows;
        put16(image_, base + f_.rowCountAt, p.rows);
        put16(image_, base + 2, p.top - f_.dataHeader - 2 * p.rows);
        return base + p.top;
    }

    uint32_t freeBytes(uint32_t page) const { return get16(image_, pageAt(page) + 2); }

    uint32_t rowsOn(uint32_t page) const { return get16(image_, pageAt(page) + f_.rowCountAt); }

    void placeMapRows() {
        RowPage p;
        const auto next = [&]() {
            if (!fits(p, f_.mapRow)) startRowPage(p, 0, false);
            MapRow m;
            m.pointer = pgRow(p.page, p.rows);
            m.at = reserveRow(p, f_.mapRow);
            return m;
        };
        for (Table& t : tables_) {
            t.owned = next();
            t.free = next();
            for (LongValues& lv : t.longValues) {
                lv.owned = next();
                lv.free = next();
            }
        }
    }

    // Rows come back in page order, so a table's pages must ascend to keep
    // the caller's row order; long-value pages taken in between do no harm.
    void placeRow(Table& t) {
        if (!fits(t.open, row_.size())) {
            startRowPage(t.open, t.tdefPages.front(), false);
            t.dataPages.push_back(t.open.page);
        }
        const size_t at = reserveRow(t.open, row_.size());
        std::memcpy(&image_[at], row_.data(), row_.size());
        ++t.rowCount;
    }

    // ---- rows ----

    void assembleRow(const Table& t, size_t rowIndex) {
        const size_t columns = t.columns.size();
        const size_t vars = t.varOrder.size();
        const size_t countBytes = f_.jet3 ? 1 : 2;

        // Jet3 offsets are single bytes; a table of jumps gives their high
        // part, and readers only cope with as many jump bytes as the row
        // needs, or one more. A long tail (many columns) can make the row
        // length call for more, so padding before the variable data moves
        // the offsets up until the counts agree.
        size_t padding = 0;
        size_t jumps = 0;
        if (f_.jet3 && vars > 0) {
            size_t varBytes = 0;
            for (size_t i : t.varOrder)
                varBytes += slots_[i].bytes.size();
            const size_t tail = 1 + vars + 1 + (columns + 7) / 8;
            for (;; ++padding) {
                const size_t eod = 1 + t.fixedSize + padding + varBytes;
                jumps = 0;
                while ((eod + tail + jumps - 1) / 256 != jumps)
                    ++jumps;
                if (jumps <= eod / 256 + 1) break;
            }
        }

        row_.clear();
        if (f_.jet3)
            add8(row_, static_cast<uint32_t>(columns));
        else
            add16(row_, static_cast<uint32_t>(columns));
        row_.append(t.fixedSize + padding, '\0');
        for (const Column& c : t.columns) {
            const Slot& s = slots_[c.number];
            if (c.fixed && s.present)
                std::memcpy(&row_[countBytes + c.fixedOffset], s.bytes.data(),
                            std::min<size_t>(s.bytes.size(), c.length));
        }
        std::array<uint32_t, kMaxColumns + 1> offsets{};
        for (size_t v = 0; v < vars; ++v) {
            offsets[v] = static_cast<uint32_t>(row_.size());
            row_ += slots_[t.varOrder[v]].bytes;
        }
        const auto eod = static_cast<uint32_t>(row_.size());
        offsets[vars] = eod;
        if (vars > 0) {
            if (f_.jet3) {
                for (size_t v = vars + 1; v-- > 0;)
                    add8(row_, offsets[v]);
                const size_t needed = eod / 256;
                if (jumps > needed) add8(row_, 0xFF); // the spare jump byte readers skip
                for (size_t k = needed; k >= 1; --k) {
                    size_t v = 0;
                    while (offsets[v] < 256 * k)
                        ++v;
                    add8(row_, static_cast<uint32_t>(v));
                }
                add8(row_, static_cast<uint32_t>(vars));
            } else {
                for (size_t v = vars + 1; v-- > 0;)
                    add16(row_, offsets[v]);
                add16(row_, static_cast<uint32_t>(vars));
            }
        }
        const size_t maskAt = row_.size();
        row_.append((columns + 7) / 8, '\0');
        for (const Column& c : t.columns) {
            if (slots_[c.number].present)
                row_[maskAt + c.number / 8] =
                    static_cast<char>(row_[maskAt + c.number / 8] | (1 << (c.number % 8)));
        }
        if (row_.size() > f_.maxRow)
            throw WriteError(t.label + ", row " + std::to_string(rowIndex) + ": the row takes " +
                             std::to_string(row_.size()) + " bytes, more than the " +
                             std::to_string(f_.maxRow) + " bytes a row can hold");
    }

    void resetSlots(const Table& t) {
        slots_.resize(t.columns.size());
        for (Slot& s : slots_) {
            s.present = false;
            s.bytes.clear();
        }
    }

    // ---- values ----

    // Jet4 text is UCS-2; short Latin-1 texts may be stored one byte per
    // character after an FF FE marker. A character whose low byte is 0 would
    // read as a mode switch, so only texts made entirely of U+0001..U+00FF
    // are compressed, and never a text of fewer than 3 characters: a bare
    // FF FE is read as U+FEFF by some readers.
    void encodeText(std::string_view utf8, int textSize, std::string& out) const {
        out.clear();
        if (f_.jet3) {
            if (startsWithBom(utf8)) throw Refused{"text starts with U+FEFF (a byte-order mark)"};
            out = toCodePage(utf8, f_.codePage);
            if (textSize > 0 && out.size() > static_cast<size_t>(textSize))
                throw Refused{"text takes " + std::to_string(out.size()) + " bytes in code page " +
                              std::to_string(f_.codePage) + ", more than TEXT(" + std::to_string(textSize) +
                              ") holds"};
            return;
        }
        const std::u16string units = toUtf16(utf8);
        if (!units.empty() && units.front() == 0xFEFF)
            throw Refused{"text starts with U+FEFF, which readers take for the mark of compressed text"};
        if (textSize > 0 && units.size() > static_cast<size_t>(textSize))
            throw Refused{"text has " + std::to_string(units.size()) + " characters, more than TEXT(" +
                          std::to_string(textSize) + ") holds"};
        const bool compress =
            units.size() >= 3 && units.size() <= 1024 &&
            std::all_of(units.begin(), units.end(), [](char16_t u) { return u >= 1 && u <= 0xFF; });
        if (compress) {
            out.reserve(units.size() + 2);
            out += "\xFF\xFE";
            for (char16_t u : units)
                out.push_back(static_cast<char>(u));
        } else {
            appendUtf16le(out, units);
        }
    }

    static std::string memoHeader(size_t length, uint8_t kind, uint32_t pointer) {
        std::string h;
        add32(h, static_cast<uint32_t>(length) | static_cast<uint32_t>(kind) << 24);
        add32(h, pointer);
        add32(h, 0);
        return h;
    }

    // Returns where the long-value row went (pg_row, image offset).
    std::pair<uint32_t, size_t> placeLongValue(LongValues& lv, size_t length) {
        if (!fits(lv.open, length)) {
            startRowPage(lv.open, 0, true);
            lv.pages.push_back(lv.open.page);
        }
        const uint32_t pointer = pgRow(lv.open.page, lv.open.rows);
        return {pointer, reserveRow(lv.open, length)};
    }

    // Turns an encoded memo into its slot in the row, writing long-value rows
    // as needed.
    void storeMemo(LongValues& lv, const std::string& value, std::string& slot) {
        if (value.size() >= kMemoLimit)
            throw Refused{"memo takes " + std::to_string(value.size()) + " bytes; a memo holds less than " +
                          std::to_string(kMemoLimit) + " bytes (16 MiB)"};
        if (value.size() <= kMaxInlineMemo) {
            slot = memoHeader(value.size(), kMemoInline, 0);
            slot += value;
            return;
        }
        if (value.size() <= f_.maxLvalRow) {
            const auto [pointer, at] = placeLongValue(lv, value.size());
            std::memcpy(&image_[at], value.data(), value.size());
            slot = memoHeader(value.size(), kMemoSingle, pointer);
            return;
        }
        const size_t chunks = (value.size() + f_.chunk - 1) / f_.chunk;
        std::vector<std::pair<uint32_t, size_t>> placed;
        placed.reserve(chunks);
        for (size_t k = 0; k < chunks; ++k) {
            const size_t data = std::min<size_t>(f_.chunk, value.size() - k * f_.chunk);
            placed.push_back(placeLongValue(lv, 4 + data));
        }
        for (size_t k = 0; k < chunks; ++k) {
            const size_t data = std::min<size_t>(f_.chunk, value.size() - k * f_.chunk);
            const uint32_t next = k + 1 < chunks ? placed[k + 1].first : 0;
            put32(image_, placed[k].second, next);
            std::memcpy(&image_[placed[k].second + 4], value.data() + k * f_.chunk, data);
        }
        slot = memoHeader(value.size(), kMemoChain, placed.front().first);
    }

    void packUserTable(Table& t) {
        const TableDef& def = *t.def;
        for (size_t r = 0; r < def.rows.size(); ++r) {
            const std::vector<Cell>& cells = def.rows[r];
            if (cells.size() != t.columns.size())
                throw WriteError(t.label + ", row " + std::to_string(r) + ": the row has " +
                                 std::to_string(cells.size()) + " cells, the table has " +
                                 std::to_string(t.columns.size()) + " columns");
            resetSlots(t);
            for (const Column& c : t.columns) {
                const Cell& cell = cells[c.number];
                if (!cell) continue;
                Slot& s = slots_[c.number];
                s.present = true;
                try {
                    if (c.type == jet::Memo) {
                        encodeText(*cell, 0, value_);
                        storeMemo(t.longValues[static_cast<size_t>(c.longValue)], value_, s.bytes);
                    } else {
                        encodeText(*cell, c.textSize, s.bytes);
                    }
                } catch (const Refused& refused) {
                    throw WriteError(t.label + ", row " + std::to_string(r) + ", column " + quoted(c.label) +
                                     ": " + refused.reason);
                }
            }
            assembleRow(t, r);
            placeRow(t);
        }
    }

    void packCatalog() {
        Table& catalog = tables_.front();
        const std::string date = leDouble(kCatalogDate);
        size_t rowIndex = 0;
        const auto add = [&](uint32_t id, uint32_t parent, const std::string& name, uint16_t type,
                             uint32_t flags) {
            resetSlots(catalog);
            const auto set = [&](size_t column, std::string bytes) {
                slots_[column].present = true;
                slots_[column].bytes = std::move(bytes);
            };
            std::string typeBytes;
            add16(typeBytes, type);
            set(0, le32(id));
            set(1, le32(parent));
            encodeText(name, kMaxTextSize, value_);
            set(2, value_);
            set(3, typeBytes);
            set(4, date);
            set(5, date);
            set(7, le32(flags));
            assembleRow(catalog, rowIndex);
            placeRow(catalog);
            ++rowIndex;
        };
        add(kTablesContainerId, 0x0F000000, "Tables", 3, kSystemFlag);
        add(kCatalogPage, kTablesContainerId, "MSysObjects", 1, kSystemFlag);
        for (size_t i = 1; i < tables_.size(); ++i)
            add(tables_[i].tdefPages.front(), kTablesContainerId, tables_[i].def->name, 1, 0);
    }

    // ---- usage maps ----

    // A map whose pages fit Access's fixed-size inline bitmap is written
    // inline; larger ones refer to bitmap pages, as Access does for big
    // tables.
    void writeMap(const MapRow& map, const std::vector<uint32_t>& pages) {
        const size_t at = map.at;
        const uint32_t inlineBits = (f_.mapRow - 5) * 8;
        std::memset(&image_[at], 0, f_.mapRow);
        if (pages.empty()) return;
        const uint32_t first = pages.front();
        const uint32_t last = pages.back();
        uint32_t start = 0;
        bool inlineMap = true;
        if (last >= inlineBits) {
            start = first / 8 * 8;
            inlineMap = last - start < inlineBits;
        }
        if (inlineMap) {
            put32(image_, at + 1, start);
            for (uint32_t p : pages) {
                const uint32_t bit = p - start;
                image_[at + 5 + bit / 8] = static_cast<char>(image_[at + 5 + bit / 8] | (1 << (bit % 8)));
            }
            return;
        }
        image_[at] = 0x01;
        const uint32_t perBitmap = (f_.page - 4) * 8;
        const uint32_t slots = (f_.mapRow - 1) / 4;
        if (last / perBitmap >= slots)
            throw WriteError("the database has too many pages for a usage map to list");
        uint32_t bitmapSlot = UINT32_MAX;
        size_t bitmapAt = 0;
        for (uint32_t p : pages) {
            if (p / perBitmap != bitmapSlot) {
                bitmapSlot = p / perBitmap;
                const uint32_t bitmapPage = allocate();
                bitmapAt = pageAt(bitmapPage);
                image_[bitmapAt] = 0x05;
                image_[bitmapAt + 1] = 0x01;
                put32(image_, at + 1 + 4 * bitmapSlot, bitmapPage);
            }
            const uint32_t bit = p % perBitmap;
            image_[bitmapAt + 4 + bit / 8] =
                static_cast<char>(image_[bitmapAt + 4 + bit / 8] | (1 << (bit % 8)));
        }
    }

    std::vector<uint32_t> withRoom(const std::vector<uint32_t>& pages) const {
        std::vector<uint32_t> out;
        for (uint32_t p : pages) {
            if (freeBytes(p) > kFreeListMinimum && rowsOn(p) < kMaxRowsPerPage) out.push_back(p);
        }
        return out;
    }

    void fillMaps() {
        for (const Table& t : tables_) {
            writeMap(t.owned, t.dataPages);
            writeMap(t.free, withRoom(t.dataPages));
            for (const LongValues& lv : t.longValues) {
                writeMap(lv.owned, lv.pages);
                writeMap(lv.free, withRoom(lv.pages));
            }
        }
    }

    // ---- pages 0 and 1 ----

    void writeHeader() {
        std::string& s = image_;
        s[1] = 0x01;
        std::memcpy(&s[4], "Standard Jet DB", 16);
        put32(s, 0x14, f_.jet3 ? 0 : 1);
        if (f_.jet3) {
            put16(s, 0x38, 1);
            put16(s, 0x3A, kGeneralSortOrder);
        } else {
            put32(s, 0x6E, kGeneralSortOrder);
        }
        put16(s, 0x3C, f_.codePage);
        rc4(&s[0x18], f_.rc4Length); // readers expect this part masked
    }

    void writeGlobalMap() {
        RowPage p{1, 0, f_.page};
        const size_t base = pageAt(1);
        image_[base] = 0x01;
        image_[base + 1] = 0x01;
        for (int i = 0; i < 2; ++i)
            reserveRow(p, f_.mapRow); // empty inline maps
    }
};

[[noreturn]] void failIo(const std::string& what, const std::string& path, int err) {
    throw WriteError("cannot " + what + " " + quoted(path) + ": " + std::strerror(err));
}

} // namespace

std::string buildDatabase(const DatabaseDef& db, Version version) {
    return Builder(db, version == Version::Jet3 ? kJet3 : kJet4).build();
}

void writeDatabaseFile(const DatabaseDef& db, const std::string& path, Version version) {
    const std::string image = buildDatabase(db, version);

    const size_t slash = path.find_last_of('/');
    const std::string dir = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    if (base.empty()) throw WriteError("cannot write " + quoted(path) + ": the path names a directory");

    // O_EXCL with a fresh name each try, rather than mkstemp, so the file
    // gets the usual permissions (0666 less the umask), not 0600.
    std::string temp;
    int fd = -1;
    for (unsigned attempt = 0; fd < 0; ++attempt) {
        temp = dir + "/." + base + "." + std::to_string(::getpid()) + "." + std::to_string(attempt) + ".tmp";
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && (errno != EEXIST || attempt >= 100))
            failIo("create a temporary file beside", path, errno);
    }

    const auto fail = [&](const std::string& what) {
        const int err = errno;
        if (fd >= 0) ::close(fd);
        ::unlink(temp.c_str());
        failIo(what, path, err);
    };

    size_t done = 0;
    while (done < image.size()) {
        const ssize_t n = ::write(fd, image.data() + done, image.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            fail("write");
        }
        done += static_cast<size_t>(n);
    }
    if (::fsync(fd) != 0) fail("flush");
    const int closed = ::close(fd);
    fd = -1;
    if (closed != 0) fail("write");
    if (::rename(temp.c_str(), path.c_str()) != 0) fail("replace");

    // Make the rename itself durable; failing here loses nothing already written.
    const int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
}

} // namespace jetw
