// The catalog and the table definitions.
#include "tools/jetwriter/builder.h"

namespace jetw::build {

std::string Builder::storedName(std::string_view utf8) const {
    if (f_.jet3) return toCodePage(utf8, f_.codePage);
    std::string out;
    appendUtf16le(out, toUtf16(utf8));
    return out;
}

std::string Builder::checkedName(std::string_view utf8) const {
    if (utf8.empty()) throw Refused{"the name is empty"};
    if (startsWithBom(utf8)) throw Refused{"the name starts with U+FEFF"};
    const std::string stored = storedName(utf8);
    const size_t length = toUtf16(utf8).size();
    if (length > kMaxNameLength)
        throw Refused{"the name has " + std::to_string(length) + " characters; Jet allows at most " +
                      std::to_string(kMaxNameLength)};
    return stored;
}

void Builder::addColumn(Table& t, std::string label, std::string stored, uint8_t type, uint16_t length,
                        int textSize) {
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

void Builder::describeCatalog() {
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

void Builder::describeTables() {
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
            throw WriteError(t.label + (foldAscii(def.name) == "msysobjects"
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

std::string Builder::tdefStream(const Table& t) const {
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

uint32_t Builder::tdefPageCount(size_t bytes) const {
    if (bytes <= f_.page) return 1;
    const size_t rest = bytes - f_.page;
    const size_t perPage = f_.page - 8;
    return static_cast<uint32_t>(1 + (rest + perPage - 1) / perPage);
}

void Builder::writeTdef(const Table& t) {
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

} // namespace jetw::build
