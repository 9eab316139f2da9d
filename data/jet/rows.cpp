// Rows and values: cracking a row into its fields and formatting each as text.
#include "data/jet/format.h"

#include <array>
#include <cmath>

namespace jet {

namespace {

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

} // namespace

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

Table Database::readTable(std::string_view name) const {
    return readTable(name, {});
}

// Walks the rows of a table; for each row, sink(column, value) receives the
// decoded value of every column wanted(column) selects, in column order.
template <typename Wanted, typename Sink>
TableDef Database::Impl::decodeRows(std::string_view name, Wanted&& wanted, Sink&& sink) const {
    const CatalogEntry* e = findEntry(name);
    if (!e) throw Error(ErrorCode::TableNotFound, path + ": table '" + std::string(name) + "' not found");
    TableDef td = readTableDef(e->page, e->name);
    const Ctx ctx{this, e->name};
    const std::size_t ncols = td.columns.size();
    if (ncols == 0) return td;
    std::size_t lvalBudget = bytes.size();
    // A damaged definition can make every row of a page expand into a great
    // many values; what a table decodes to is bounded relative to the file.
    const std::size_t outputBudget = 32 * bytes.size() + (std::size_t{64} << 20);
    std::size_t output = 0;
    forEachRow(td, [&](const std::vector<RawField>& fields) {
        for (std::size_t i = 0; i < ncols; ++i) {
            if (!wanted(i)) {
                sink(i, Value());
                output += sizeof(Value);
                continue;
            }
            Value v = formatValue(td.columns[i], fields[i], ctx, lvalBudget);
            output += sizeof(Value) + (v ? v->size() : 0);
            sink(i, std::move(v));
        }
        if (output > outputBudget) ctx.fail("the table decodes to far more data than the file could hold");
    });
    return td;
}

Table Database::readTable(std::string_view name, const std::vector<bool>& columns) const {
    Table t;
    const auto wanted = [&](std::size_t i) { return columns.empty() || (i < columns.size() && columns[i]); };
    const TableDef td =
        impl_->decodeRows(name, wanted, [&](std::size_t, Value v) { t.cells.push_back(std::move(v)); });
    t.name = td.name;
    t.columns = td.columns;
    return t;
}

std::vector<Value> Database::readColumn(std::string_view name, std::size_t column) const {
    std::vector<Value> values;
    impl_->decodeRows(
        name, [&](std::size_t i) { return i == column; },
        [&](std::size_t i, Value v) {
            if (i == column) values.push_back(std::move(v));
        });
    return values;
}

TableShape Database::readShape(std::string_view name) const {
    const CatalogEntry* e = impl_->findEntry(name);
    if (!e)
        throw Error(ErrorCode::TableNotFound, impl_->path + ": table '" + std::string(name) + "' not found");
    const TableDef td = impl_->readTableDef(e->page, e->name);
    TableShape shape{td.name, td.columns, 0};
    // Counting needs no field of any row: a damaged row shows when its
    // column is read.
    if (!td.columns.empty())
        impl_->forEachRow<false>(td, [&](const std::vector<RawField>&) { ++shape.rows; });
    return shape;
}

} // namespace jet
