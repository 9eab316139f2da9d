// The file: reading it whole, the masked header, page decoding, rows on a page.
#include "data/jet/format.h"

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace jet {

namespace {

// RC4 keystream XOR; used for the masked header region and for databases
// whose pages are encoded with a database key.
void rc4(const u8* key, std::size_t keyLen, u8* data, std::size_t len) {
    std::array<u8, 256> s;
    for (int i = 0; i < 256; ++i)
        s[i] = static_cast<u8>(i);
    u8 j = 0;
    for (int i = 0; i < 256; ++i) {
        j = static_cast<u8>(j + s[i] + key[i % keyLen]);
        std::swap(s[i], s[j]);
    }
    u8 a = 0, b = 0;
    for (std::size_t k = 0; k < len; ++k) {
        a = static_cast<u8>(a + 1);
        b = static_cast<u8>(b + s[a]);
        std::swap(s[a], s[b]);
        data[k] ^= s[static_cast<u8>(s[a] + s[b])];
    }
}

constexpr u8 kHeaderKey[4] = {0xC7, 0xDA, 0x39, 0x6B};

} // namespace

void Database::Impl::parseHeader() {
    const Ctx ctx{this, {}};
    if (bytes.empty()) throw Error(ErrorCode::NotJet, path + ": the file is empty, not a Jet database");
    if (bytes.size() < 0x18 + 128 || bytes[0] != 0 ||
        (!bytes.holdsAt(4, "Standard Jet DB") && !bytes.holdsAt(4, "Standard ACE DB"))) {
        if (bytes.holdsAt(4, "MSISAM Database"))
            throw Error(ErrorCode::NotJet, path + ": an MSISAM database, not a Jet database");
        throw Error(ErrorCode::NotJet, path + ": not a Jet database (no Jet file header)");
    }
    const u8 version = static_cast<u8>(bytes[0x14]);
    if (version == 0) {
        layout = kJet3;
        format = Format::Jet3;
    } else if (version == 1) {
        layout = kJet4;
        format = Format::Jet4;
    } else if (version <= 6) {
        layout = kJet4;
        format = Format::Ace;
    } else {
        throw Error(ErrorCode::NotJet, path + ": unknown Jet version byte " + std::to_string(version));
    }
    std::array<u8, 128> hdr;
    const std::size_t masked = layout.jet3 ? 126 : 128;
    std::memcpy(hdr.data(), bytes.data() + 0x18, masked);
    rc4(kHeaderKey, 4, hdr.data(), masked);
    codePage = rd16(hdr.data() + (0x3C - 0x18));
    const u32 dbKey = rd32(hdr.data() + (0x3E - 0x18));

    if (bytes.size() < std::size_t{3} * layout.pageSize)
        ctx.fail("the file is truncated: " + std::to_string(bytes.size()) +
                 " bytes cannot hold the system catalog");
    numPages = static_cast<u32>(bytes.size() / layout.pageSize);
    bytes.truncate(std::size_t{numPages} * layout.pageSize); // a partial last page holds nothing usable

    if (dbKey != 0) {
        for (u32 n = 1; n < numPages; ++n) {
            const u32 k = dbKey ^ n;
            const u8 key[4] = {static_cast<u8>(k), static_cast<u8>(k >> 8), static_cast<u8>(k >> 16),
                               static_cast<u8>(k >> 24)};
            rc4(key, 4, reinterpret_cast<u8*>(bytes.data()) + std::size_t{n} * layout.pageSize,
                layout.pageSize);
        }
    }
    if (static_cast<u8>(bytes[2 * std::size_t{layout.pageSize}]) != 0x02) {
        if (dbKey != 0 || format == Format::Ace)
            throw Error(ErrorCode::Encrypted, path + ": encrypted database not supported");
        ctx.fail("page 2 is not the system catalog's table definition");
    }
    if (layout.jet3) decoder = std::make_unique<text::CodePageDecoder>(codePage);
}

Database::Impl::RowRef Database::Impl::locateRow(u32 pg, u32 row, const Ctx& ctx, u16* flagsOut) const {
    const u8* p = page(pg, ctx);
    if (p[0] != 0x01) ctx.fail("page " + std::to_string(pg) + " is not a data page");
    const u32 count = rd16(p + layout.dataRowCount);
    const u32 maxRows = (layout.pageSize - layout.dataRowTable) / 2;
    if (count > maxRows)
        ctx.fail("data page " + std::to_string(pg) + " claims " + std::to_string(count) + " rows");
    if (row >= count)
        ctx.fail("row " + std::to_string(row) + " of page " + std::to_string(pg) + " does not exist");
    const u16 raw = rd16(p + layout.dataRowTable + 2 * row);
    const u32 start = raw & 0x1FFF;
    const u32 end = row == 0 ? layout.pageSize : (rd16(p + layout.dataRowTable + 2 * (row - 1)) & 0x1FFFu);
    if (flagsOut) *flagsOut = raw & 0xE000;
    if (start < layout.dataRowTable + 2 * count || end > layout.pageSize || start >= end)
        ctx.fail("row " + std::to_string(row) + " of page " + std::to_string(pg) + " has invalid bounds " +
                 std::to_string(start) + ".." + std::to_string(end));
    return {p + start, end - start};
}

Database::Database(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
Database::Database(Database&&) noexcept = default;
Database& Database::operator=(Database&&) noexcept = default;
Database::~Database() = default;

Database Database::open(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            throw Error(ErrorCode::FileNotFound, path + ": file not found");
        throw Error(ErrorCode::CannotOpen, path + ": cannot open: " + std::strerror(errno));
    }
    if (S_ISDIR(st.st_mode))
        throw Error(ErrorCode::CannotOpen, path + ": is a directory, not a database file");
    if (static_cast<std::uint64_t>(st.st_size) > kMaxFileSize)
        throw Error(ErrorCode::NotJet, path + ": larger than any Jet database can be");
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw Error(ErrorCode::CannotOpen, path + ": cannot open: " + std::strerror(errno));
    auto impl = std::make_unique<Impl>();
    impl->path = path;
    impl->bytes = ByteBuffer(static_cast<std::size_t>(st.st_size));
    std::size_t got = 0;
    int readError = 0;
    while (got < impl->bytes.size()) {
        const ssize_t r = ::read(fd, impl->bytes.data() + got, impl->bytes.size() - got);
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) {
            readError = r < 0 ? errno : 0;
            break;
        }
        got += static_cast<std::size_t>(r);
    }
    ::close(fd);
    if (got != impl->bytes.size())
        throw Error(ErrorCode::CannotOpen, path + ": read error: " +
                                               (readError ? std::string(std::strerror(readError))
                                                          : "the file shrank while it was read"));
    impl->parseHeader();
    impl->readCatalog();
    return Database(std::move(impl));
}

Database Database::fromBytes(std::string bytes, std::string displayName) {
    auto impl = std::make_unique<Impl>();
    impl->path = std::move(displayName);
    if (bytes.size() > kMaxFileSize)
        throw Error(ErrorCode::NotJet, impl->path + ": larger than any Jet database can be");
    impl->bytes = ByteBuffer(std::string_view(bytes));
    impl->parseHeader();
    impl->readCatalog();
    return Database(std::move(impl));
}

Format Database::format() const {
    return impl_->format;
}
int Database::codePage() const {
    return impl_->codePage;
}
const std::string& Database::path() const {
    return impl_->path;
}

} // namespace jet
