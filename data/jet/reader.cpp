#include "data/jet/jet.h"
#include "data/jet/text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_set>

namespace jet {

namespace {

using u8 = std::uint8_t;
using u16 = std::uint16_t;
using u32 = std::uint32_t;

u16 rd16(const u8* p) {
    return static_cast<u16>(p[0] | (p[1] << 8));
}
u32 rd24(const u8* p) {
    return p[0] | (p[1] << 8) | (static_cast<u32>(p[2]) << 16);
}
u32 rd32(const u8* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<u32>(p[3]) << 24);
}
std::uint64_t rd64(const u8* p) {
    return rd32(p) | (static_cast<std::uint64_t>(rd32(p + 4)) << 32);
}

// RC4 keystream XOR; used for the masked header region and for databases
// whose pages are encoded with a database key.
void rc4(const u8* key, std::size_t keyLen, u8* data, std::size_t len) {
    std::array<u8, 256> s;
    for (int i = 0; i < 256; ++i)
        s[i] = static_cast<u8>(i);
    u8 j = 0;
    for (int i = 0; i < 256; ++i) {
        j = static_cast<u8>(j + s[i] + key[i % keyLen]);
        std::swap(s[i], s[j]);
    }
    u8 a = 0, b = 0;
    for (std::size_t k = 0; k < len; ++k) {
        a = static_cast<u8>(a + 1);
        b = static_cast<u8>(b + s[a]);
        std::swap(s[a], s[b]);
        data[k] ^= s[static_cast<u8>(s[a] + s[b])];
    }
}

constexpr u8 kHeaderKey[4] = {0xC7, 0xDA, 0x39, 0x6B};
constexpr std::size_t kMaxFileSize = std::size_t{2} << 30; // Jet and ACE stop at 2 GiB
constexpr u32 kMaxMemoLength = 0xFFFFFF;
constexpr int kMaxOverflowHops = 4;

// Layout constants that differ between Jet3 and Jet4/ACE.
struct Layout {
    bool jet3;
    u32 pageSize;
    u32 dataRowCount;  // data page: row count
    u32 dataRowTable;  // data page: first row offset
    u32 tdRowCount;    // tdef: number of rows
    u32 tdNumVarCols;  // tdef: number of variable columns
    u32 tdNumCols;     // tdef: number of columns
    u32 tdRealIndexes; // tdef: real index count
    u32 tdUsedMap;     // tdef: pg_row of the owned-pages map
    u32 tdHeaderSize;  // tdef: where the per-index blocks start
    u32 realIndexSize; // size of one real-index block before the columns
    u32 colDescSize;   // one column descriptor
    u32 colCountSize;  // bytes of the column count at a row's start
    u32 memoChunkHeader;
};

constexpr Layout kJet3{true, 2048, 8, 10, 12, 23, 25, 31, 35, 43, 8, 18, 1, 4};
constexpr Layout kJet4{false, 4096, 12, 14, 16, 43, 45, 51, 55, 63, 12, 25, 2, 4};

// The file image. Not a std::string: filling megabytes with zeros before
// reading over them showed up in every profile.
class ByteBuffer {
public:
    ByteBuffer() = default;
    explicit ByteBuffer(std::size_t n) : data_(new char[n]), size_(n) {}
    explicit ByteBuffer(std::string_view s) : ByteBuffer(s.size()) {
        std::memcpy(data_.get(), s.data(), s.size());
    }
    char* data() { return data_.get(); }
    const char* data() const { return data_.get(); }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    char operator[](std::size_t i) const { return data_[i]; }
    void truncate(std::size_t n) { size_ = std::min(size_, n); }
    bool holdsAt(std::size_t pos, std::string_view s) const {
        return pos + s.size() <= size_ && std::string_view(data_.get() + pos, s.size()) == s;
    }

private:
    std::unique_ptr<char[]> data_;
    std::size_t size_ = 0;
};

struct CatalogEntry {
    std::string name;
    u32 page = 0;
    int type = 0;
    u32 flags = 0;
    bool user() const { return type == 1 && (flags & 0x80000002u) == 0; }
};

struct TableDef {
    std::string name;
    u32 firstPage = 0;
    u32 usedMap = 0;
    u16 numVarCols = 0;
    u32 rowCountHint = 0;
    std::vector<Column> columns;
};

// One field of one row, as located in the page: raw bytes plus presence.
struct RawField {
    bool present = false; // the null-mask bit (for BOOL: the value itself)
    const u8* data = nullptr;
    std::size_t size = 0;
    bool located = false; // false when the row predates the column
};

bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

template <typename T> void appendNumber(std::string& out, T v) {
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr);
}

void appendPadded(std::string& out, long long v, int width) {
    char buf[32];
    auto r = std::to_chars(buf, buf + sizeof buf, v < 0 ? -v : v);
    if (v < 0) out.push_back('-');
    for (int n = static_cast<int>(r.ptr - buf); n < width; ++n)
        out.push_back('0');
    out.append(buf, r.ptr);
}

// Days since 1970-01-01 to a civil date (proleptic Gregorian).
void civilFromDays(long long z, long long& y, unsigned& m, unsigned& d) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    y = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y += (m <= 2);
}

// Jet dates count days from 1899-12-30; the fraction is the time of day and
// keeps its sign-independent meaning for dates before the epoch.
void appendDate(std::string& out, double v) {
    if (!std::isfinite(v) || v < -657434.0 || v >= 2958466.0) {
        appendNumber(out, v);
        return;
    }
    long long day = static_cast<long long>(std::trunc(v));
    long long secs = std::llround(std::fabs(v - static_cast<double>(day)) * 86400.0);
    if (secs >= 86400) {
        ++day;
        secs -= 86400;
    }
    long long y;
    unsigned m, d;
    civilFromDays(day - 25569, y, m, d);
    appendPadded(out, y, 4);
    out.push_back('-');
    appendPadded(out, m, 2);
    out.push_back('-');
    appendPadded(out, d, 2);
    out.push_back('T');
    appendPadded(out, secs / 3600, 2);
    out.push_back(':');
    appendPadded(out, secs / 60 % 60, 2);
    out.push_back(':');
    appendPadded(out, secs % 60, 2);
}

void appendHex(std::string& out, u32 v, int digits) {
    static const char* hex = "0123456789ABCDEF";
    for (int i = digits - 1; i >= 0; --i)
        out.push_back(hex[(v >> (4 * i)) & 0xF]);
}

void appendGuid(std::string& out, const u8* p) {
    out.push_back('{');
    appendHex(out, rd32(p), 8);
    out.push_back('-');
    appendHex(out, rd16(p + 4), 4);
    out.push_back('-');
    appendHex(out, rd16(p + 6), 4);
    out.push_back('-');
    for (int i = 8; i < 16; ++i) {
        if (i == 10) out.push_back('-');
        appendHex(out, p[i], 2);
    }
    out.push_back('}');
}

void appendMoney(std::string& out, std::int64_t v) {
    std::uint64_t a = v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
    if (v < 0) out.push_back('-');
    appendNumber(out, a / 10000);
    out.push_back('.');
    appendPadded(out, static_cast<long long>(a % 10000), 4);
}

// NUMERIC: a sign byte, then a 128-bit magnitude stored as four 32-bit
// little-endian words, most significant word first.
void appendNumeric(std::string& out, const u8* p, int scale) {
    std::array<u32, 4> w{rd32(p + 1), rd32(p + 5), rd32(p + 9), rd32(p + 13)};
    std::string digits;
    bool zero = false;
    while (!zero) {
        std::uint64_t rem = 0;
        zero = true;
        for (u32& word : w) {
            const std::uint64_t cur = (rem << 32) | word;
            word = static_cast<u32>(cur / 10);
            rem = cur % 10;
            zero = zero && word == 0;
        }
        digits.push_back(static_cast<char>('0' + rem));
    }
    if (scale > 38) scale = 38;
    while (static_cast<int>(digits.size()) <= scale)
        digits.push_back('0');
    std::reverse(digits.begin(), digits.end());
    const bool allZero = digits.find_first_not_of('0') == std::string::npos;
    if (p[0] != 0 && !allZero) out.push_back('-');
    const std::size_t intLen = digits.size() - static_cast<std::size_t>(scale);
    out.append(digits, 0, intLen);
    if (scale > 0) {
        out.push_back('.');
        out.append(digits, intLen, std::string::npos);
    }
}

std::size_t fixedSizeOf(u8 type) {
    switch (type) {
    case Byte:
        return 1;
    case Int:
        return 2;
    case Long:
    case Float:
    case Complex:
        return 4;
    case Money:
    case Double:
    case DateTime:
    case BigInt:
        return 8;
    case Guid:
        return 16;
    case Numeric:
        return 17;
    default:
        return 0;
    }
}

} // namespace

std::string_view typeName(std::uint8_t type) {
    switch (type) {
    case Bool:
        return "bool";
    case Byte:
        return "byte";
    case Int:
        return "int";
    case Long:
        return "long";
    case Money:
        return "money";
    case Float:
        return "float";
    case Double:
        return "double";
    case DateTime:
        return "datetime";
    case Binary:
        return "binary";
    case Text:
        return "text";
    case Ole:
        return "ole";
    case Memo:
        return "memo";
    case Guid:
        return "guid";
    case Numeric:
        return "numeric";
    case Complex:
        return "complex";
    case BigInt:
        return "bigint";
    default:
        return "unknown";
    }
}

int Table::columnIndex(std::string_view name) const {
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (equalsNoCase(columns[i].name, name)) return static_cast<int>(i);
    return -1;
}

struct Database::Impl {
    std::string path;
    ByteBuffer bytes; // the whole file, pages decoded
    Layout layout{};
    Format format = Format::Jet4;
    int codePage = 0;
    u32 numPages = 0;
    std::unique_ptr<text::CodePageDecoder> decoder; // Jet3 only
    std::vector<CatalogEntry> catalog;

    // Error context: which table a failure belongs to.
    struct Ctx {
        const Impl* db;
        std::string_view table;
        [[noreturn]] void fail(const std::string& what) const {
            std::string msg = db->path;
            if (!table.empty()) {
                msg += ": table '";
                msg += table;
                msg += '\'';
            }
            msg += ": ";
            msg += what;
            throw Error(ErrorCode::Corrupt, msg);
        }
    };

    const u8* page(u32 n, const Ctx& ctx) const {
        if (n >= numPages)
            ctx.fail("page " + std::to_string(n) + " lies beyond the end of the file (" +
                     std::to_string(numPages) + " pages)");
        return reinterpret_cast<const u8*>(bytes.data()) + std::size_t{n} * layout.pageSize;
    }

    void appendText(std::string& out, const u8* p, std::size_t n) const {
        if (layout.jet3)
            decoder->append(out, p, n);
        else
            text::appendJet4Text(out, p, n);
    }

    void parseHeader();
    void readCatalog();

    struct RowRef {
        const u8* data;
        std::size_t size;
    };
    // The bytes of row `row` on data page `pg` (any row flags ignored).
    RowRef locateRow(u32 pg, u32 row, const Ctx& ctx, u16* flagsOut = nullptr) const;
    RowRef locatePgRow(u32 pgRow, const Ctx& ctx) const { return locateRow(pgRow >> 8, pgRow & 0xFF, ctx); }

    TableDef readTableDef(u32 firstPage, std::string_view name) const;
    std::vector<u32> ownedPages(const TableDef& td, const Ctx& ctx) const;

    template <typename RowFn> void forEachRow(const TableDef& td, RowFn&& fn) const;
    void crackRow(const TableDef& td, const u8* row, std::size_t len, std::vector<RawField>& out,
                  const Ctx& ctx) const;

    void appendLong(std::string& out, const RawField& f, bool asText, const Ctx& ctx,
                    std::size_t& lvalBudget) const;
    Value formatValue(const Column& col, const RawField& f, const Ctx& ctx, std::size_t& lvalBudget) const;

    const CatalogEntry* findEntry(std::string_view name) const;
};

void Database::Impl::parseHeader() {
    const Ctx ctx{this, {}};
    if (bytes.empty()) throw Error(ErrorCode::NotJet, path + ": the file is empty, not a Jet database");
    if (bytes.size() < 0x18 + 128 || bytes[0] != 0 ||
        (!bytes.holdsAt(4, "Standard Jet DB") && !bytes.holdsAt(4, "Standard ACE DB"))) {
        if (bytes.holdsAt(4, "MSISAM Database"))
            throw Error(ErrorCode::NotJet, path + ": an MSISAM database, not a Jet database");
        throw Error(ErrorCode::NotJet, path + ": not a Jet database (no Jet file header)");
    }
    const u8 version = static_cast<u8>(bytes[0x14]);
    if (version == 0) {
        layout = kJet3;
        format = Format::Jet3;
    } else if (version == 1) {
        layout = kJet4;
        format = Format::Jet4;
    } else if (version <= 6) {
        layout = kJet4;
        format = Format::Ace;
    } else {
        throw Error(ErrorCode::NotJet, path + ": unknown Jet version byte " + std::to_string(version));
    }
    std::array<u8, 128> hdr;
    const std::size_t masked = layout.jet3 ? 126 : 128;
    std::memcpy(hdr.data(), bytes.data() + 0x18, masked);
    rc4(kHeaderKey, 4, hdr.data(), masked);
    codePage = rd16(hdr.data() + (0x3C - 0x18));
    const u32 dbKey = rd32(hdr.data() + (0x3E - 0x18));

    if (bytes.size() < std::size_t{3} * layout.pageSize)
        ctx.fail("the file is truncated: " + std::to_string(bytes.size()) +
                 " bytes cannot hold the system catalog");
    numPages = static_cast<u32>(bytes.size() / layout.pageSize);
    bytes.truncate(std::size_t{numPages} * layout.pageSize); // a partial last page holds nothing usable

    if (dbKey != 0) {
        for (u32 n = 1; n < numPages; ++n) {
            const u32 k = dbKey ^ n;
            const u8 key[4] = {static_cast<u8>(k), static_cast<u8>(k >> 8), static_cast<u8>(k >> 16),
                               static_cast<u8>(k >> 24)};
            rc4(key, 4, reinterpret_cast<u8*>(bytes.data()) + std::size_t{n} * layout.pageSize,
                layout.pageSize);
        }
    }
    if (static_cast<u8>(bytes[2 * std::size_t{layout.pageSize}]) != 0x02) {
        if (dbKey != 0 || format == Format::Ace)
            throw Error(ErrorCode::Encrypted, path + ": encrypted database not supported");
        ctx.fail("page 2 is not the system catalog's table definition");
    }
    if (layout.jet3) decoder = std::make_unique<text::CodePageDecoder>(codePage);
}

Database::Impl::RowRef Database::Impl::locateRow(u32 pg, u32 row, const Ctx& ctx, u16* flagsOut) const {
    const u8* p = page(pg, ctx);
    if (p[0] != 0x01) ctx.fail("page " + std::to_string(pg) + " is not a data page");
    const u32 count = rd16(p + layout.dataRowCount);
    const u32 maxRows = (layout.pageSize - layout.dataRowTable) / 2;
    if (count > maxRows)
        ctx.fail("data page " + std::to_string(pg) + " claims " + std::to_string(count) + " rows");
    if (row >= count)
        ctx.fail("row " + std::to_string(row) + " of page " + std::to_string(pg) + " does not exist");
    const u16 raw = rd16(p + layout.dataRowTable + 2 * row);
    const u32 start = raw & 0x1FFF;
    const u32 end = row == 0 ? layout.pageSize : (rd16(p + layout.dataRowTable + 2 * (row - 1)) & 0x1FFFu);
    if (flagsOut) *flagsOut = raw & 0xE000;
    if (start < layout.dataRowTable + 2 * count || end > layout.pageSize || start >= end)
        ctx.fail("row " + std::to_string(row) + " of page " + std::to_string(pg) + " has invalid bounds " +
                 std::to_string(start) + ".." + std::to_string(end));
    return {p + start, end - start};
}

TableDef Database::Impl::readTableDef(u32 firstPage, std::string_view name) const {
    const Ctx ctx{this, name};
    const Layout& L = layout;
    // The definition is one stream: the whole first page, then bytes 8.. of
    // each continuation page.
    if (firstPage == 0) ctx.fail("the catalog places the table definition on the header page");
    std::string def;
    std::unordered_set<u32> seen;
    for (u32 pg = firstPage; pg != 0;) {
        if (!seen.insert(pg).second)
            ctx.fail("the table definition pages loop back to page " + std::to_string(pg));
        const u8* p = page(pg, ctx);
        if (p[0] != 0x02) ctx.fail("page " + std::to_string(pg) + " is not a table definition page");
        if (pg == firstPage)
            def.append(reinterpret_cast<const char*>(p), L.pageSize);
        else
            def.append(reinterpret_cast<const char*>(p) + 8, L.pageSize - 8);
        pg = rd32(p + 4);
    }
    const u8* d = reinterpret_cast<const u8*>(def.data());
    const std::size_t n = def.size();

    TableDef td;
    td.name = std::string(name);
    td.firstPage = firstPage;
    td.numVarCols = rd16(d + L.tdNumVarCols);
    td.rowCountHint = rd32(d + L.tdRowCount);
    const u32 numCols = rd16(d + L.tdNumCols);
    const u32 realIdx = rd32(d + L.tdRealIndexes);
    td.usedMap = rd32(d + L.tdUsedMap);
    if (realIdx > 1000) ctx.fail("the table definition claims " + std::to_string(realIdx) + " indexes");
    std::size_t pos = L.tdHeaderSize + std::size_t{realIdx} * L.realIndexSize;
    if (pos + std::size_t{numCols} * L.colDescSize > n)
        ctx.fail("the table definition is too short for its " + std::to_string(numCols) + " columns");
    td.columns.resize(numCols);
    for (Column& c : td.columns) {
        const u8* cd = d + pos;
        c.type = cd[0];
        if (L.jet3) {
            c.number = rd16(cd + 1);
            c.varIndex = rd16(cd + 3);
            c.flags = cd[13];
            c.fixedOffset = rd16(cd + 14);
            c.length = rd16(cd + 16);
        } else {
            c.number = rd16(cd + 5);
            c.varIndex = rd16(cd + 7);
            c.precision = cd[11];
            c.scale = cd[12];
            c.flags = cd[15];
            c.fixedOffset = rd16(cd + 21);
            c.length = rd16(cd + 23);
        }
        pos += L.colDescSize;
    }
    for (Column& c : td.columns) {
        std::size_t len;
        if (L.jet3) {
            if (pos + 1 > n) ctx.fail("the column names run past the end of the table definition");
            len = d[pos];
            pos += 1;
        } else {
            if (pos + 2 > n) ctx.fail("the column names run past the end of the table definition");
            len = rd16(d + pos);
            pos += 2;
        }
        if (pos + len > n) ctx.fail("the column names run past the end of the table definition");
        appendText(c.name, d + pos, len);
        pos += len;
    }
    std::stable_sort(td.columns.begin(), td.columns.end(),
                     [](const Column& a, const Column& b) { return a.number < b.number; });
    for (std::size_t i = 1; i < td.columns.size(); ++i)
        if (td.columns[i].number == td.columns[i - 1].number)
            ctx.fail("two columns share the column number " + std::to_string(td.columns[i].number));
    std::vector<bool> varSlotTaken;
    for (const Column& c : td.columns) {
        if (!c.isFixed() && c.type != Bool && c.varIndex < 0xFFFF) {
            // Two live columns reading one slot would duplicate its data.
            if (varSlotTaken.size() <= c.varIndex) varSlotTaken.resize(c.varIndex + 1u, false);
            if (varSlotTaken[c.varIndex])
                ctx.fail("two columns share the variable-column slot " + std::to_string(c.varIndex));
            varSlotTaken[c.varIndex] = true;
        }
        if (c.isFixed() || c.type == Bool) {
            const std::size_t need = c.type == Bool ? 0 : std::max<std::size_t>(fixedSizeOf(c.type), 1);
            if (c.type != Bool && c.length < need)
                ctx.fail("column '" + c.name + "' is shorter than its type needs");
        } else if (c.varIndex >= 0xFFFF) {
            ctx.fail("column '" + c.name + "' has an invalid variable-column index");
        }
    }
    return td;
}

std::vector<u32> Database::Impl::ownedPages(const TableDef& td, const Ctx& ctx) const {
    const RowRef map = locatePgRow(td.usedMap, ctx);
    if (map.size < 1) ctx.fail("the usage map is empty");
    std::vector<bool> bits(numPages, false);
    auto mark = [&](std::uint64_t pg) {
        if (pg >= numPages)
            ctx.fail("the usage map lists page " + std::to_string(pg) + " beyond the end of the file");
        bits[pg] = true;
    };
    if (map.data[0] == 0x00) {
        if (map.size < 5) ctx.fail("the inline usage map is too short");
        const std::uint64_t start = rd32(map.data + 1);
        for (std::size_t i = 5; i < map.size; ++i) {
            const u8 b = map.data[i];
            if (b == 0) continue;
            for (int bit = 0; bit < 8; ++bit)
                if (b & (1u << bit)) mark(start + (i - 5) * 8 + static_cast<unsigned>(bit));
        }
    } else if (map.data[0] == 0x01) {
        const std::uint64_t perPage = std::uint64_t{layout.pageSize - 4} * 8;
        const std::size_t slots = (map.size - 1) / 4;
        for (std::size_t k = 0; k < slots; ++k) {
            const u32 mp = rd32(map.data + 1 + 4 * k);
            if (mp == 0) continue;
            const u8* p = page(mp, ctx);
            if (p[0] != 0x05)
                ctx.fail("usage bitmap page " + std::to_string(mp) + " has the wrong page type");
            for (std::size_t i = 4; i < layout.pageSize; ++i) {
                const u8 b = p[i];
                if (b == 0) continue;
                for (int bit = 0; bit < 8; ++bit)
                    if (b & (1u << bit)) mark(k * perPage + (i - 4) * 8 + static_cast<unsigned>(bit));
            }
        }
    } else {
        ctx.fail("unknown usage map type " + std::to_string(map.data[0]));
    }
    std::vector<u32> pages;
    for (u32 pg = 1; pg < numPages; ++pg)
        if (bits[pg]) pages.push_back(pg);
    return pages;
}

void Database::Impl::crackRow(const TableDef& td, const u8* row, std::size_t len, std::vector<RawField>& out,
                              const Ctx& ctx) const {
    const Layout& L = layout;
    const auto bad = [&](const char* what) { ctx.fail(std::string("a row is damaged: ") + what); };
    if (len < L.colCountSize + 1) bad("too short");
    const std::size_t rowCols = L.jet3 ? row[0] : rd16(row);
    const std::size_t maskSize = (rowCols + 7) / 8;
    if (maskSize + L.colCountSize > len) bad("the null mask does not fit");
    const u8* mask = row + len - maskSize;

    std::size_t rowVarCols = 0;
    static thread_local std::vector<std::size_t> offsets;
    offsets.clear();
    std::size_t varEnd = len - maskSize; // lowest address used by the offset table
    if (td.numVarCols > 0) {
        if (L.jet3) {
            if (len < maskSize + 2) bad("no room for the variable-column count");
            rowVarCols = row[len - maskSize - 1];
            const long long lastByte = static_cast<long long>(len) - 1;
            long long numJumps = (lastByte) / 256;
            const long long colPtr = lastByte - static_cast<long long>(maskSize) - numJumps - 1;
            if (colPtr - static_cast<long long>(rowVarCols) < static_cast<long long>(L.colCountSize))
                bad("the variable-column offsets do not fit");
            if ((colPtr - static_cast<long long>(rowVarCols)) / 256 < numJumps) --numJumps;
            long long jumpsUsed = 0;
            for (std::size_t i = 0; i <= rowVarCols; ++i) {
                while (jumpsUsed < numJumps &&
                       i == row[lastByte - static_cast<long long>(maskSize) - jumpsUsed - 1])
                    ++jumpsUsed;
                offsets.push_back(row[colPtr - static_cast<long long>(i)] + 256 * jumpsUsed);
            }
            varEnd = static_cast<std::size_t>(colPtr - static_cast<long long>(rowVarCols));
        } else {
            if (len < maskSize + 4) bad("no room for the variable-column count");
            rowVarCols = rd16(row + len - maskSize - 2);
            const std::size_t tableBytes = 2 * (rowVarCols + 1);
            if (len < maskSize + 2 + tableBytes + L.colCountSize)
                bad("the variable-column offsets do not fit");
            for (std::size_t i = 0; i <= rowVarCols; ++i)
                offsets.push_back(rd16(row + len - maskSize - 4 - 2 * i));
            varEnd = len - maskSize - 2 - tableBytes;
        }
        for (std::size_t i = 0; i <= rowVarCols; ++i) {
            if (offsets[i] < L.colCountSize || offsets[i] > varEnd || (i > 0 && offsets[i] < offsets[i - 1]))
                bad("the variable-column offsets are out of order");
        }
    }
    if (rowVarCols > rowCols) bad("more variable columns than columns");
    const std::size_t rowFixedCols = rowCols - rowVarCols;
    std::size_t fixedFound = 0;

    out.assign(td.columns.size(), RawField{});
    for (std::size_t i = 0; i < td.columns.size(); ++i) {
        const Column& c = td.columns[i];
        RawField& f = out[i];
        const std::size_t byte = c.number / 8;
        const bool bitSet = byte < maskSize && (mask[byte] & (1u << (c.number % 8)));
        if (c.type == Bool) {
            f.present = bitSet;
            f.located = c.number < rowCols;
            if (c.isFixed() && fixedFound < rowFixedCols) ++fixedFound;
            continue;
        }
        if (c.isFixed()) {
            if (fixedFound < rowFixedCols) {
                ++fixedFound;
                const std::size_t start = L.colCountSize + c.fixedOffset;
                if (start + c.length > varEnd) bad("a fixed column lies outside the row");
                f.data = row + start;
                f.size = c.length;
                f.located = true;
                f.present = bitSet;
            }
        } else if (c.varIndex < rowVarCols) {
            f.data = row + offsets[c.varIndex];
            f.size = offsets[c.varIndex + 1] - offsets[c.varIndex];
            f.located = true;
            f.present = bitSet;
        }
    }
}

template <typename RowFn> void Database::Impl::forEachRow(const TableDef& td, RowFn&& fn) const {
    const Ctx ctx{this, td.name};
    std::vector<RawField> fields;
    std::unordered_set<u32> overflowTargets;
    for (u32 pg : ownedPages(td, ctx)) {
        const u8* p = page(pg, ctx);
        // Pages that are not this table's data pages are stale bits in the
        // map; the owner field is authoritative.
        if (p[0] != 0x01 || rd32(p + 4) != td.firstPage) continue;
        const u32 count = rd16(p + layout.dataRowCount);
        if (count > (layout.pageSize - layout.dataRowTable) / 2)
            ctx.fail("data page " + std::to_string(pg) + " claims " + std::to_string(count) + " rows");
        for (u32 r = 0; r < count; ++r) {
            const u16 raw = rd16(p + layout.dataRowTable + 2 * r);
            // 0x8000 marks rows that are deleted or that are the moved body
            // of an overflow row (reached through its pointer below).
            if (raw & 0x8000) continue;
            RowRef row = locateRow(pg, r, ctx);
            u16 flags = raw & 0x4000;
            for (int hop = 0; flags & 0x4000; ++hop) {
                if (hop == kMaxOverflowHops)
                    ctx.fail("overflow rows chain too deep at page " + std::to_string(pg));
                if (row.size < 4) ctx.fail("an overflow row pointer is too short");
                const u32 target = (rd24(row.data + 1) << 8) | row.data[0];
                if (!overflowTargets.insert(target).second)
                    ctx.fail("two rows point to the same overflow row");
                row = locateRow(target >> 8, target & 0xFF, ctx, &flags);
                flags &= 0x4000;
            }
            crackRow(td, row.data, row.size, fields, ctx);
            fn(fields);
        }
    }
}

void Database::Impl::appendLong(std::string& out, const RawField& f, bool asText, const Ctx& ctx,
                                std::size_t& lvalBudget) const {
    if (f.size == 0) return; // an empty slot reads as empty text
    if (f.size < 12) ctx.fail("a memo field header is cut short");
    const u32 memoLen = rd24(f.data);
    const u8 kind = f.data[3];
    const u32 ptr = rd32(f.data + 4);
    std::string raw;
    std::string_view inlineData;
    if (kind == 0x80) {
        if (memoLen != f.size - 12)
            ctx.fail("an inline memo's length (" + std::to_string(memoLen) + ") disagrees with its field (" +
                     std::to_string(f.size - 12) + " bytes)");
        inlineData = std::string_view(reinterpret_cast<const char*>(f.data) + 12, f.size - 12);
    } else if (kind == 0x40) {
        const RowRef r = locatePgRow(ptr, ctx);
        if (r.size < memoLen) ctx.fail("a memo value is longer than its long-value row");
        if (memoLen > lvalBudget) ctx.fail("memo values reference more data than the file holds");
        lvalBudget -= memoLen;
        inlineData = std::string_view(reinterpret_cast<const char*>(r.data), memoLen);
    } else if (kind == 0x00) {
        if (memoLen > kMaxMemoLength || memoLen > lvalBudget)
            ctx.fail("memo values reference more data than the file holds");
        lvalBudget -= memoLen;
        raw.reserve(memoLen);
        std::unordered_set<u32> seen;
        u32 next = ptr;
        while (raw.size() < memoLen) {
            if (next == 0)
                ctx.fail("a memo chain ends before its length of " + std::to_string(memoLen) + " bytes");
            if (!seen.insert(next).second) ctx.fail("a memo chain loops back on itself");
            const RowRef r = locatePgRow(next, ctx);
            if (r.size < layout.memoChunkHeader) ctx.fail("a memo chain row is too short");
            next = rd32(r.data);
            const std::size_t take = std::min<std::size_t>(r.size - 4, memoLen - raw.size());
            raw.append(reinterpret_cast<const char*>(r.data) + 4, take);
        }
        inlineData = raw;
    } else {
        ctx.fail("unknown memo storage kind " + std::to_string(kind));
    }
    const auto* p = reinterpret_cast<const u8*>(inlineData.data());
    if (asText) {
        appendText(out, p, inlineData.size());
    } else {
        out += "<binary ";
        appendNumber(out, memoLen);
        out += " bytes>";
    }
}

Value Database::Impl::formatValue(const Column& c, const RawField& f, const Ctx& ctx,
                                  std::size_t& lvalBudget) const {
    if (c.type == Bool) return std::string(f.present ? "true" : "false");
    if (!f.located || !f.present) return std::nullopt;
    std::string out;
    const u8* p = f.data;
    switch (c.type) {
    case Text:
        appendText(out, p, f.size);
        break;
    case Memo:
        appendLong(out, f, true, ctx, lvalBudget);
        break;
    case Ole:
        appendLong(out, f, false, ctx, lvalBudget);
        break;
    case Binary:
        out += "<binary ";
        appendNumber(out, f.size);
        out += " bytes>";
        break;
    default: {
        const std::size_t need = fixedSizeOf(c.type);
        if (need == 0) {
            out += "<type ";
            appendNumber(out, static_cast<int>(c.type));
            out += '>';
            break;
        }
        if (f.size < need)
            ctx.fail("column '" + c.name + "' holds " + std::to_string(f.size) + " bytes, its type needs " +
                     std::to_string(need));
        switch (c.type) {
        case Byte:
            appendNumber(out, static_cast<unsigned>(p[0]));
            break;
        case Int:
            appendNumber(out, static_cast<std::int16_t>(rd16(p)));
            break;
        case Long:
        case Complex:
            appendNumber(out, static_cast<std::int32_t>(rd32(p)));
            break;
        case BigInt:
            appendNumber(out, static_cast<std::int64_t>(rd64(p)));
            break;
        case Money:
            appendMoney(out, static_cast<std::int64_t>(rd64(p)));
            break;
        case Float: {
            float v;
            const u32 bits = rd32(p);
            std::memcpy(&v, &bits, 4);
            appendNumber(out, v);
            break;
        }
        case Double:
        case DateTime: {
            double v;
            const std::uint64_t bits = rd64(p);
            std::memcpy(&v, &bits, 8);
            if (c.type == Double)
                appendNumber(out, v);
            else
                appendDate(out, v);
            break;
        }
        case Guid:
            appendGuid(out, p);
            break;
        case Numeric:
            appendNumeric(out, p, c.scale);
            break;
        default:
            break;
        }
    }
    }
    return out;
}

void Database::Impl::readCatalog() {
    const TableDef td = readTableDef(2, "MSysObjects");
    const Ctx ctx{this, "MSysObjects"};
    int idCol = -1, nameCol = -1, typeCol = -1, flagsCol = -1;
    for (std::size_t i = 0; i < td.columns.size(); ++i) {
        const std::string& n = td.columns[i].name;
        if (equalsNoCase(n, "Id"))
            idCol = static_cast<int>(i);
        else if (equalsNoCase(n, "Name"))
            nameCol = static_cast<int>(i);
        else if (equalsNoCase(n, "Type"))
            typeCol = static_cast<int>(i);
        else if (equalsNoCase(n, "Flags"))
            flagsCol = static_cast<int>(i);
    }
    if (idCol < 0 || nameCol < 0 || typeCol < 0 || flagsCol < 0)
        ctx.fail("the system catalog lacks one of the columns Id, Name, Type, Flags");
    auto intOf = [&](const RawField& f, std::size_t size) -> std::int64_t {
        if (!f.located || !f.present || f.size < size) return 0;
        return size == 2 ? static_cast<std::int16_t>(rd16(f.data)) : static_cast<std::int64_t>(rd32(f.data));
    };
    forEachRow(td, [&](const std::vector<RawField>& fields) {
        const RawField& nameF = fields[nameCol];
        if (!nameF.located || !nameF.present) return;
        CatalogEntry e;
        appendText(e.name, nameF.data, nameF.size);
        e.page = static_cast<u32>(intOf(fields[idCol], 4)) & 0x00FFFFFF;
        e.type = static_cast<int>(intOf(fields[typeCol], 2) & 0x7F);
        e.flags = static_cast<u32>(intOf(fields[flagsCol], 4));
        catalog.push_back(std::move(e));
    });
}

const CatalogEntry* Database::Impl::findEntry(std::string_view name) const {
    for (const CatalogEntry& e : catalog)
        if (e.type == 1 && e.name == name) return &e;
    for (const CatalogEntry& e : catalog)
        if (e.type == 1 && equalsNoCase(e.name, name)) return &e;
    return nullptr;
}

Database::Database(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
Database::Database(Database&&) noexcept = default;
Database& Database::operator=(Database&&) noexcept = default;
Database::~Database() = default;

Database Database::open(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            throw Error(ErrorCode::FileNotFound, path + ": file not found");
        throw Error(ErrorCode::CannotOpen, path + ": cannot open: " + std::strerror(errno));
    }
    if (S_ISDIR(st.st_mode))
        throw Error(ErrorCode::CannotOpen, path + ": is a directory, not a database file");
    if (static_cast<std::uint64_t>(st.st_size) > kMaxFileSize)
        throw Error(ErrorCode::NotJet, path + ": larger than any Jet database can be");
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw Error(ErrorCode::CannotOpen, path + ": cannot open: " + std::strerror(errno));
    auto impl = std::make_unique<Impl>();
    impl->path = path;
    impl->bytes = ByteBuffer(static_cast<std::size_t>(st.st_size));
    std::size_t got = 0;
    int readError = 0;
    while (got < impl->bytes.size()) {
        const ssize_t r = ::read(fd, impl->bytes.data() + got, impl->bytes.size() - got);
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) {
            readError = r < 0 ? errno : 0;
            break;
        }
        got += static_cast<std::size_t>(r);
    }
    ::close(fd);
    if (got != impl->bytes.size())
        throw Error(ErrorCode::CannotOpen, path + ": read error: " +
                                               (readError ? std::string(std::strerror(readError))
                                                          : "the file shrank while it was read"));
    impl->parseHeader();
    impl->readCatalog();
    return Database(std::move(impl));
}

Database Database::fromBytes(std::string bytes, std::string displayName) {
    auto impl = std::make_unique<Impl>();
    impl->path = std::move(displayName);
    if (bytes.size() > kMaxFileSize)
        throw Error(ErrorCode::NotJet, impl->path + ": larger than any Jet database can be");
    impl->bytes = ByteBuffer(std::string_view(bytes));
    impl->parseHeader();
    impl->readCatalog();
    return Database(std::move(impl));
}

Format Database::format() const {
    return impl_->format;
}
int Database::codePage() const {
    return impl_->codePage;
}
const std::string& Database::path() const {
    return impl_->path;
}

std::vector<std::string> Database::tableNames() const {
    std::vector<std::string> names;
    for (const CatalogEntry& e : impl_->catalog)
        if (e.user()) names.push_back(e.name);
    return names;
}

bool Database::hasTable(std::string_view name) const {
    return impl_->findEntry(name) != nullptr;
}

Table Database::readTable(std::string_view name) const {
    const CatalogEntry* e = impl_->findEntry(name);
    if (!e)
        throw Error(ErrorCode::TableNotFound, impl_->path + ": table '" + std::string(name) + "' not found");
    const TableDef td = impl_->readTableDef(e->page, e->name);
    const Impl::Ctx ctx{impl_.get(), e->name};
    Table t;
    t.name = e->name;
    t.columns = td.columns;
    const std::size_t ncols = td.columns.size();
    std::size_t lvalBudget = impl_->bytes.size();
    if (ncols == 0) return t;
    // The stored row count is only a hint (deleted rows, damage), so the
    // reservation is capped by the file's size, not by what it claims.
    t.cells.reserve(std::min<std::size_t>(std::size_t{td.rowCountHint} * ncols, impl_->bytes.size() / 16));
    // A damaged definition can make every row of a page expand into a great
    // many values; what a table decodes to is bounded relative to the file.
    const std::size_t outputBudget = 32 * impl_->bytes.size() + (std::size_t{64} << 20);
    std::size_t output = 0;
    impl_->forEachRow(td, [&](const std::vector<RawField>& fields) {
        for (std::size_t i = 0; i < ncols; ++i) {
            t.cells.push_back(impl_->formatValue(td.columns[i], fields[i], ctx, lvalBudget));
            output += sizeof(Value) + (t.cells.back() ? t.cells.back()->size() : 0);
        }
        if (output > outputBudget) ctx.fail("the table decodes to far more data than the file could hold");
    });
    return t;
}

} // namespace jet
