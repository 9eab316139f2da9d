// The database as a whole: page allocation, the usage maps, the header page
// and the global usage map.
#include "tools/jetwriter/builder.h"

namespace jetw::build {

std::string Builder::build() {
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

uint32_t Builder::allocate() {
    if (pageCount_ >= f_.maxPages)
        throw WriteError("the database would exceed the format's size limit of " +
                         std::to_string(static_cast<std::uint64_t>(f_.maxPages) * f_.page) + " bytes");
    image_.resize(static_cast<size_t>(pageCount_ + 1) * f_.page);
    return pageCount_++;
}

void Builder::writeMap(const MapRow& map, const std::vector<uint32_t>& pages) {
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
        image_[bitmapAt + 4 + bit / 8] = static_cast<char>(image_[bitmapAt + 4 + bit / 8] | (1 << (bit % 8)));
    }
}

std::vector<uint32_t> Builder::withRoom(const std::vector<uint32_t>& pages) const {
    std::vector<uint32_t> out;
    for (uint32_t p : pages) {
        if (freeBytes(p) > kFreeListMinimum && rowsOn(p) < kMaxRowsPerPage) out.push_back(p);
    }
    return out;
}

void Builder::fillMaps() {
    for (const Table& t : tables_) {
        writeMap(t.owned, t.dataPages);
        writeMap(t.free, withRoom(t.dataPages));
        for (const LongValues& lv : t.longValues) {
            writeMap(lv.owned, lv.pages);
            writeMap(lv.free, withRoom(lv.pages));
        }
    }
}

void Builder::writeHeader() {
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

void Builder::writeGlobalMap() {
    RowPage p{1, 0, f_.page};
    const size_t base = pageAt(1);
    image_[base] = 0x01;
    image_[base + 1] = 0x01;
    for (int i = 0; i < 2; ++i)
        reserveRow(p, f_.mapRow); // empty inline maps
}

} // namespace jetw::build
