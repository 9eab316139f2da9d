#include "tests/support/fixtures.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <unistd.h>

namespace fixtures {

namespace {
struct TempDir {
    std::string path;
    TempDir() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "zarn-test-XXXXXX").string();
        if (!::mkdtemp(tmpl.data())) throw std::runtime_error("cannot create a temporary directory");
        path = tmpl;
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
};
} // namespace

const std::string& tempDir() {
    static TempDir dir;
    return dir.path;
}

std::string writeTemp(const jetw::DatabaseDef& db, const std::string& fileName, jetw::Version version) {
    const std::string path = tempDir() + "/" + fileName;
    jetw::writeDatabaseFile(db, path, version);
    return path;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error(path + ": cannot open");
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error(path + ": cannot write");
}

Image::Image(std::string bytes) : bytes_(std::move(bytes)) {
    if (bytes_.size() < 0x15) throw std::runtime_error("not a database image");
    jet3_ = bytes_[0x14] == 0;
    pageSize_ = jet3_ ? 2048 : 4096;
}

std::uint8_t* Image::page(std::uint32_t n) {
    return reinterpret_cast<std::uint8_t*>(bytes_.data()) + std::size_t{n} * pageSize_;
}

std::uint32_t Image::u32(std::size_t o) const {
    const auto* p = reinterpret_cast<const std::uint8_t*>(bytes_.data()) + o;
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
void Image::setU32(std::size_t o, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        bytes_[o + i] = static_cast<char>(v >> (8 * i));
}
std::uint16_t Image::u16(std::size_t o) const {
    const auto* p = reinterpret_cast<const std::uint8_t*>(bytes_.data()) + o;
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
void Image::setU16(std::size_t o, std::uint16_t v) {
    bytes_[o] = static_cast<char>(v);
    bytes_[o + 1] = static_cast<char>(v >> 8);
}

std::vector<std::uint32_t> Image::userTableDefPages() const {
    // Continuation pages are named by another definition page's next
    // pointer; what remains (besides the catalog on page 2) starts a table.
    std::vector<bool> continuation(pageCount(), false);
    for (std::uint32_t n = 1; n < pageCount(); ++n) {
        const std::size_t o = std::size_t{n} * pageSize_;
        if (static_cast<std::uint8_t>(bytes_[o]) == 0x02) {
            const std::uint32_t next = u32(o + 4);
            if (next < pageCount()) continuation[next] = true;
        }
    }
    std::vector<std::uint32_t> pages;
    for (std::uint32_t n = 3; n < pageCount(); ++n)
        if (static_cast<std::uint8_t>(bytes_[std::size_t{n} * pageSize_]) == 0x02 && !continuation[n])
            pages.push_back(n);
    return pages;
}

std::uint32_t Image::usedMapOf(std::uint32_t tdefPage) const {
    return u32(std::size_t{tdefPage} * pageSize_ + (jet3_ ? 35 : 55));
}

std::size_t Image::rowOffset(std::uint32_t pgRow, std::size_t* length) const {
    const std::size_t base = std::size_t{pgRow >> 8} * pageSize_;
    const std::uint32_t row = pgRow & 0xFF;
    const std::size_t table = base + (jet3_ ? 10 : 14);
    const std::uint32_t start = u16(table + 2 * row) & 0x1FFF;
    const std::uint32_t end = row == 0 ? pageSize_ : (u16(table + 2 * (row - 1)) & 0x1FFFu);
    if (length) *length = end - start;
    return base + start;
}

std::size_t Image::catalogRowContaining(const std::string& needle) const {
    for (std::uint32_t n = 3; n < pageCount(); ++n) {
        const std::size_t o = std::size_t{n} * pageSize_;
        if (static_cast<std::uint8_t>(bytes_[o]) != 0x01 || u32(o + 4) != 2) continue;
        const std::uint32_t count = u16(o + (jet3_ ? 8 : 12));
        for (std::uint32_t r = 0; r < count; ++r) {
            std::size_t len = 0;
            const std::size_t at = rowOffset(n << 8 | r, &len);
            if (std::string_view(bytes_).substr(at, len).find(needle) != std::string_view::npos) return at;
        }
    }
    return 0;
}

std::vector<std::uint32_t> Image::longValueRows() const {
    std::vector<std::uint32_t> rows;
    for (std::uint32_t n = 3; n < pageCount(); ++n) {
        const std::size_t o = std::size_t{n} * pageSize_;
        if (static_cast<std::uint8_t>(bytes_[o]) == 0x01 && bytes_.compare(o + 4, 4, "LVAL") == 0) {
            const std::uint32_t count = u16(o + (jet3_ ? 8 : 12));
            for (std::uint32_t r = 0; r < count; ++r)
                rows.push_back(n << 8 | r);
        }
    }
    return rows;
}

} // namespace fixtures
