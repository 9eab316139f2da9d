// What the parts of the Jet reader share: the page layouts of Jet3 and
// Jet4/ACE, the file image and the reader's state (Database::Impl). Not part
// of the reader's interface.
#pragma once

#include "data/jet/jet.h"
#include "data/jet/text.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace jet {

namespace format {

using u8 = std::uint8_t;
using u16 = std::uint16_t;
using u32 = std::uint32_t;

inline u16 rd16(const u8* p) {
    return static_cast<u16>(p[0] | (p[1] << 8));
}
inline u32 rd24(const u8* p) {
    return p[0] | (p[1] << 8) | (static_cast<u32>(p[2]) << 16);
}
inline u32 rd32(const u8* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<u32>(p[3]) << 24);
}
inline std::uint64_t rd64(const u8* p) {
    return rd32(p) | (static_cast<std::uint64_t>(rd32(p + 4)) << 32);
}

inline constexpr std::size_t kMaxFileSize = std::size_t{2} << 30; // Jet and ACE stop at 2 GiB
inline constexpr u32 kMaxMemoLength = 0xFFFFFF;
inline constexpr int kMaxOverflowHops = 4;

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

inline constexpr Layout kJet3{true, 2048, 8, 10, 12, 23, 25, 31, 35, 43, 8, 18, 1, 4};
inline constexpr Layout kJet4{false, 4096, 12, 14, 16, 43, 45, 51, 55, 63, 12, 25, 2, 4};

// The file image. Not a std::string: filling megabytes with zeros before
// reading over them showed up in every profile. Aligned to the memory page,
// so that a database page read into it lands in one memory page, not two:
// a file read page by page costs no more memory than the pages it read.
class ByteBuffer {
public:
    ByteBuffer() = default;
    explicit ByteBuffer(std::size_t n) : data_(new (kAlign) char[n]), size_(n) {}
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
    static constexpr std::align_val_t kAlign{4096};
    struct Free {
        void operator()(char* p) const { ::operator delete[](p, kAlign); }
    };
    std::unique_ptr<char[], Free> data_;
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

inline bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

template <typename T> inline void appendNumber(std::string& out, T v) {
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr);
}

// Bytes of a fixed-size column of this type; 0 for variable-size types.
inline std::size_t fixedSizeOf(u8 type) {
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

} // namespace format

// The reader's own code names these unqualified.
using namespace format;

struct Database::Impl {
    std::string path;
    // The file image, pages decoded. Read whole when the database is opened,
    // or, when the file is leased (see file.cpp), filled page by page as the
    // pages are first needed; pages never touched take no memory.
    ByteBuffer bytes;
    int fd = -1; // the leased file while pages are read lazily, else -1
    u32 dbKey = 0;
    mutable std::mutex pagesMutex;
    mutable std::unique_ptr<std::atomic<bool>[]> present; // lazily read pages in bytes
    mutable u32 pagesLoaded = 0;
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
        if (present && !present[n].load(std::memory_order_acquire)) loadPage(n, ctx);
        return reinterpret_cast<const u8*>(bytes.data()) + std::size_t{n} * layout.pageSize;
    }
    // Reads page n from the leased file into bytes.
    void loadPage(u32 n, const Ctx& ctx) const;
    // Reads every page not read yet and gives the lease back: someone is
    // about to change the file. Returns false when a read failed.
    bool loadAllAndRelease();
    ~Impl();

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

    // Crack false: the rows are only counted, fn gets no fields.
    template <bool Crack = true, typename RowFn> void forEachRow(const TableDef& td, RowFn&& fn) const;
    void crackRow(const TableDef& td, const u8* row, std::size_t len, std::vector<RawField>& out,
                  const Ctx& ctx) const;

    void appendLong(std::string& out, const RawField& f, bool asText, const Ctx& ctx,
                    std::size_t& lvalBudget) const;
    Value formatValue(const Column& col, const RawField& f, const Ctx& ctx, std::size_t& lvalBudget) const;

    const CatalogEntry* findEntry(std::string_view name) const;
    template <typename Wanted, typename Sink>
    TableDef decodeRows(std::string_view name, Wanted&& wanted, Sink&& sink) const;
};

// Calls fn with the cracked fields of every live row of the table, in page
// order, following overflow pointers.
template <bool Crack, typename RowFn> void Database::Impl::forEachRow(const TableDef& td, RowFn&& fn) const {
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
            if constexpr (Crack) crackRow(td, row.data, row.size, fields, ctx);
            fn(fields);
        }
    }
}

} // namespace jet
