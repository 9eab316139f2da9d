// Pages of rows and the rows on them.
#include "tools/jetwriter/builder.h"

namespace jetw::build {

void Builder::startRowPage(RowPage& p, uint32_t owner, bool longValues) {
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

bool Builder::fits(const RowPage& p, size_t length) const {
    return p.page != 0 && p.rows < kMaxRowsPerPage && p.top >= f_.dataHeader + 2 * (p.rows + 1) + length;
}

size_t Builder::reserveRow(RowPage& p, size_t length) {
    const size_t base = pageAt(p.page);
    p.top -= static_cast<uint32_t>(length);
    put16(image_, base + f_.dataHeader + 2 * p.rows, p.top);
    ++p.rows;
    put16(image_, base + f_.rowCountAt, p.rows);
    put16(image_, base + 2, p.top - f_.dataHeader - 2 * p.rows);
    return base + p.top;
}

void Builder::placeMapRows() {
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

void Builder::placeRow(Table& t) {
    if (!fits(t.open, row_.size())) {
        startRowPage(t.open, t.tdefPages.front(), false);
        t.dataPages.push_back(t.open.page);
    }
    const size_t at = reserveRow(t.open, row_.size());
    std::memcpy(&image_[at], row_.data(), row_.size());
    ++t.rowCount;
}

void Builder::assembleRow(const Table& t, size_t rowIndex) {
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
                         std::to_string(row_.size()) + " bytes, more than the " + std::to_string(f_.maxRow) +
                         " bytes a row can hold");
}

void Builder::resetSlots(const Table& t) {
    slots_.resize(t.columns.size());
    for (Slot& s : slots_) {
        s.present = false;
        s.bytes.clear();
    }
}

} // namespace jetw::build
