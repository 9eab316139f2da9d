// Test fixtures: databases built with our writer at test time, and small
// byte-level edits that damage them in known ways.
#pragma once

#include "tools/jetwriter/jet_writer.h"

#include <cstdint>
#include <string>
#include <vector>

namespace fixtures {

// A fresh directory for this test process, removed at exit.
const std::string& tempDir();
// Builds the database and writes it to tempDir()/fileName; returns the path.
std::string writeTemp(const jetw::DatabaseDef& db, const std::string& fileName,
                      jetw::Version version = jetw::Version::Jet4);

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);

// A database image whose pages can be edited in place.
class Image {
public:
    explicit Image(std::string bytes);
    std::string& bytes() { return bytes_; }
    bool jet3() const { return jet3_; }
    std::uint32_t pageSize() const { return pageSize_; }
    std::uint32_t pageCount() const { return static_cast<std::uint32_t>(bytes_.size() / pageSize_); }
    std::uint8_t* page(std::uint32_t n);

    std::uint32_t u32(std::size_t offset) const;
    void setU32(std::size_t offset, std::uint32_t v);
    std::uint16_t u16(std::size_t offset) const;
    void setU16(std::size_t offset, std::uint16_t v);

    // First pages of the user tables' definitions, in page order.
    std::vector<std::uint32_t> userTableDefPages() const;
    // pg_row of a table's owned-pages usage map.
    std::uint32_t usedMapOf(std::uint32_t tdefPage) const;
    // Byte offset (in the file) and length of the row a pg_row names.
    std::size_t rowOffset(std::uint32_t pgRow, std::size_t* length = nullptr) const;
    // File offset of the catalog row whose bytes contain `needle` (the
    // table name as stored), or 0 when there is none.
    std::size_t catalogRowContaining(const std::string& needle) const;
    // Where a catalog row keeps the table's first definition page (Id).
    std::size_t catalogIdOffset(std::size_t rowOffset) const { return rowOffset + (jet3_ ? 1 : 2); }
    // pg_rows of every row on pages marked as long-value pages.
    std::vector<std::uint32_t> longValueRows() const;

private:
    std::string bytes_;
    bool jet3_;
    std::uint32_t pageSize_;
};

} // namespace fixtures
