// What the parts of the Jet writer share: the page layouts, the limits and
// the Builder that lays a database out page by page. Not part of the
// writer's interface.
#pragma once

#include "tools/jetwriter/jet_writer.h"

#include "data/jet/jet.h"
#include "data/jet/text.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

namespace jetw::build {

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

inline constexpr Layout kJet4{
    false, 4096, 14, 12, 63, 25, 4060, 4076, 4072, 69, 128, 1252, 0x80000000u / 4096};
inline constexpr Layout kJet3{true, 2048, 10, 8, 43, 18, 2012, 2032, 2028, 133, 126, 936, 0x40000000u / 2048};

inline constexpr uint32_t kMaxRowsPerPage = 255;
inline constexpr size_t kMaxInlineMemo = 64;
inline constexpr size_t kMemoLimit = size_t{1} << 24; // the memo length field has 24 bits
inline constexpr size_t kMaxColumns = 255;
inline constexpr size_t kMaxNameLength = 64; // Jet's limit for object and field names
inline constexpr int kMaxTextSize = 255;
inline constexpr uint32_t kFreeListMinimum = 200; // pages worth offering to a later insert
inline constexpr uint16_t kGeneralSortOrder = 0x0409;
inline constexpr double kCatalogDate = 45000.5;
inline constexpr uint32_t kTablesContainerId = 0x0F000001;
inline constexpr uint32_t kSystemFlag = 0x80000000u;
inline constexpr uint32_t kCatalogPage = 2;
inline constexpr uint8_t kMemoInline = 0x80;
inline constexpr uint8_t kMemoSingle = 0x40;
inline constexpr uint8_t kMemoChain = 0x00;

inline void put16(std::string& s, size_t at, uint32_t v) {
    s[at] = static_cast<char>(v & 0xFF);
    s[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}

inline void put32(std::string& s, size_t at, uint32_t v) {
    put16(s, at, v & 0xFFFF);
    put16(s, at + 2, v >> 16);
}

inline void add8(std::string& s, uint32_t v) {
    s.push_back(static_cast<char>(v & 0xFF));
}

inline void add16(std::string& s, uint32_t v) {
    add8(s, v);
    add8(s, v >> 8);
}

inline void add32(std::string& s, uint32_t v) {
    add16(s, v & 0xFFFF);
    add16(s, v >> 16);
}

inline uint16_t get16(const std::string& s, size_t at) {
    return static_cast<uint16_t>(static_cast<uint8_t>(s[at]) | (static_cast<uint8_t>(s[at + 1]) << 8));
}

inline std::string le32(uint32_t v) {
    std::string s;
    add32(s, v);
    return s;
}

inline std::string leDouble(double d) {
    std::uint64_t bits;
    std::memcpy(&bits, &d, sizeof bits);
    std::string s;
    add32(s, static_cast<uint32_t>(bits & 0xFFFFFFFFu));
    add32(s, static_cast<uint32_t>(bits >> 32));
    return s;
}

inline uint32_t pgRow(uint32_t page, uint32_t row) {
    return page << 8 | row;
}

inline void rc4(char* data, size_t length) {
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
inline std::string quoted(std::string_view name) {
    // Appended rather than "\"" + std::string(name): GCC 12 at -O3 takes the
    // latter for an overlapping copy (-Wrestrict).
    if (jet::text::isValidUtf8(name)) return std::string(1, '"').append(name).append(1, '"');
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

inline std::string foldAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

inline bool startsWithBom(std::string_view utf8) {
    return utf8.substr(0, 3) == "\xEF\xBB\xBF";
}

inline bool hasNonBmp(std::string_view utf8) {
    return std::any_of(utf8.begin(), utf8.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0xF0; });
}

inline std::u16string toUtf16(std::string_view utf8) {
    try {
        return jet::text::utf8ToUtf16(utf8);
    } catch (const std::invalid_argument& e) {
        throw Refused{std::string("text is not valid UTF-8 (") + e.what() + ")"};
    }
}

// Checks what every text in a Jet3 file must satisfy and returns it in the
// database code page.
inline std::string toCodePage(std::string_view utf8, uint16_t codePage) {
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

inline void appendUtf16le(std::string& out, const std::u16string& units) {
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

    std::string build();

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

    uint32_t allocate();

    size_t pageAt(uint32_t page) const { return static_cast<size_t>(page) * f_.page; }

    // ---- definitions ----

    std::string storedName(std::string_view utf8) const;

    // Names are also stored as catalog text and shown by every reader, so
    // they must pass the checks values do, plus Jet's own length limit.
    std::string checkedName(std::string_view utf8) const;

    void addColumn(Table& t, std::string label, std::string stored, uint8_t type, uint16_t length,
                   int textSize = 0);

    void describeCatalog();

    void describeTables();

    std::string tdefStream(const Table& t) const;

    uint32_t tdefPageCount(size_t bytes) const;

    // Readers follow a definition across pages only at a page's end, so every
    // page but the last is filled completely.
    void writeTdef(const Table& t);

    // ---- pages of rows ----

    void startRowPage(RowPage& p, uint32_t owner, bool longValues);

    bool fits(const RowPage& p, size_t length) const;

    // Reserves a row on the page and returns its image offset.
    size_t reserveRow(RowPage& p, size_t length);

    uint32_t freeBytes(uint32_t page) const { return get16(image_, pageAt(page) + 2); }

    uint32_t rowsOn(uint32_t page) const { return get16(image_, pageAt(page) + f_.rowCountAt); }

    void placeMapRows();

    // Rows come back in page order, so a table's pages must ascend to keep
    // the caller's row order; long-value pages taken in between do no harm.
    void placeRow(Table& t);

    // ---- rows ----

    void assembleRow(const Table& t, size_t rowIndex);

    void resetSlots(const Table& t);

    // ---- values ----

    // Jet4 text is UCS-2; short Latin-1 texts may be stored one byte per
    // character after an FF FE marker. A character whose low byte is 0 would
    // read as a mode switch, so only texts made entirely of U+0001..U+00FF
    // are compressed, and never a text of fewer than 3 characters: a bare
    // FF FE is read as U+FEFF by some readers.
    void encodeText(std::string_view utf8, int textSize, std::string& out) const;

    static std::string memoHeader(size_t length, uint8_t kind, uint32_t pointer);

    // Returns where the long-value row went (pg_row, image offset).
    std::pair<uint32_t, size_t> placeLongValue(LongValues& lv, size_t length);

    // Turns an encoded memo into its slot in the row, writing long-value rows
    // as needed.
    void storeMemo(LongValues& lv, const std::string& value, std::string& slot);

    void packUserTable(Table& t);

    void packCatalog();

    // ---- usage maps ----

    // A map whose pages fit Access's fixed-size inline bitmap is written
    // inline; larger ones refer to bitmap pages, as Access does for big
    // tables.
    void writeMap(const MapRow& map, const std::vector<uint32_t>& pages);

    std::vector<uint32_t> withRoom(const std::vector<uint32_t>& pages) const;

    void fillMaps();

    // ---- pages 0 and 1 ----

    void writeHeader();

    void writeGlobalMap();
};

[[noreturn]] inline void failIo(const std::string& what, const std::string& path, int err) {
    throw WriteError("cannot " + what + " " + quoted(path) + ": " + std::strerror(err));
}

} // namespace jetw::build
