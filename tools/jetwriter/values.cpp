// Values: text in its stored encoding, and memo long values.
#include "tools/jetwriter/builder.h"

namespace jetw::build {

void Builder::encodeText(std::string_view utf8, int textSize, std::string& out) const {
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

std::string Builder::memoHeader(size_t length, uint8_t kind, uint32_t pointer) {
    std::string h;
    add32(h, static_cast<uint32_t>(length) | static_cast<uint32_t>(kind) << 24);
    add32(h, pointer);
    add32(h, 0);
    return h;
}

std::pair<uint32_t, size_t> Builder::placeLongValue(LongValues& lv, size_t length) {
    if (!fits(lv.open, length)) {
        startRowPage(lv.open, 0, true);
        lv.pages.push_back(lv.open.page);
    }
    const uint32_t pointer = pgRow(lv.open.page, lv.open.rows);
    return {pointer, reserveRow(lv.open, length)};
}

void Builder::storeMemo(LongValues& lv, const std::string& value, std::string& slot) {
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

void Builder::packUserTable(Table& t) {
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

void Builder::packCatalog() {
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

} // namespace jetw::build
