// The catalog and the table definitions: MSysObjects, columns, owned pages.
#include "data/jet/format.h"

namespace jet {

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

int columnIndex(const std::vector<Column>& columns, std::string_view name) {
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (equalsNoCase(columns[i].name, name)) return static_cast<int>(i);
    return -1;
}

int Table::columnIndex(std::string_view name) const {
    return jet::columnIndex(columns, name);
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

std::vector<std::string> Database::tableNames() const {
    std::vector<std::string> names;
    for (const CatalogEntry& e : impl_->catalog)
        if (e.user()) names.push_back(e.name);
    return names;
}

bool Database::hasTable(std::string_view name) const {
    return impl_->findEntry(name) != nullptr;
}

} // namespace jet
