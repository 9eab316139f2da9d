// The file: opening it, the masked header, page decoding, rows on a page.
//
// A database is a snapshot: what it serves never changes, whatever happens
// to the file afterwards. Reading the whole file at open gives that, at the
// cost of holding all of it. Instead, open() takes a read lease on the file
// when the kernel grants one: the file is then read page by page as pages
// are needed, and before anyone may open the file for writing or truncate it,
// the kernel signals us and holds that opener back until we give the lease
// up; a thread of ours reads every page not read yet and then releases it.
// A file replaced by another (renamed over) needs nothing: the open
// descriptor keeps the old one. Without a lease (a file of another user, a
// file system without leases) the file is read whole at open, as before.
#include "data/jet/format.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <map>
#include <sys/stat.h>
#include <thread>
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

// Reads exactly n bytes at offset; false on an error or a short file.
bool preadAll(int fd, char* to, std::size_t n, std::size_t offset) {
    std::size_t got = 0;
    while (got < n) {
        const ssize_t r = ::pread(fd, to + got, n - got, static_cast<off_t>(offset + got));
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) return false;
        got += static_cast<std::size_t>(r);
    }
    return true;
}

// The databases holding a lease, by descriptor, and the thread that answers
// for them when the kernel says a lease is being broken. The signal handler
// only passes the descriptor on through a pipe, which is safe in a handler.
class LeaseKeeper {
public:
    static LeaseKeeper& instance() {
        static LeaseKeeper* keeper = new LeaseKeeper; // lives as long as the process
        return *keeper;
    }
    bool ready() const { return ready_; }
    int signal() const { return signal_; }
    void add(int fd, Database::Impl* db) {
        std::lock_guard lock(mutex_);
        leased_[fd] = db;
    }
    // Once this returns, the thread no longer touches db.
    void remove(const Database::Impl* db) {
        std::lock_guard lock(mutex_);
        std::erase_if(leased_, [db](const auto& entry) { return entry.second == db; });
    }

private:
    LeaseKeeper() {
        signal_ = SIGRTMIN + 4;
        if (::pipe2(pipe_, O_CLOEXEC) != 0) return;
        struct sigaction sa {};
        sa.sa_sigaction = &LeaseKeeper::onSignal;
        sa.sa_flags = SA_SIGINFO | SA_RESTART;
        sigemptyset(&sa.sa_mask);
        if (::sigaction(signal_, &sa, nullptr) != 0) return;
        std::thread([this] { run(); }).detach();
        ready_ = true;
    }
    static void onSignal(int, siginfo_t* info, void*) {
        const int saved = errno;
        const int fd = info->si_fd;
        [[maybe_unused]] const ssize_t w = ::write(instance().pipe_[1], &fd, sizeof fd);
        errno = saved;
    }
    void run() {
        for (;;) {
            int fd = -1;
            const ssize_t r = ::read(pipe_[0], &fd, sizeof fd);
            if (r < 0 && errno == EINTR) continue;
            if (r != sizeof fd) return;
            std::lock_guard lock(mutex_);
            if (const auto it = leased_.find(fd); it != leased_.end()) {
                it->second->loadAllAndRelease();
                leased_.erase(it);
            }
        }
    }

    std::mutex mutex_;
    std::map<int, Database::Impl*> leased_;
    int pipe_[2] = {-1, -1};
    int signal_ = 0;
    bool ready_ = false;
};

void decodePage(u8* page, std::size_t size, u32 dbKey, u32 n) {
    if (dbKey == 0 || n == 0) return;
    const u32 k = dbKey ^ n;
    const u8 key[4] = {static_cast<u8>(k), static_cast<u8>(k >> 8), static_cast<u8>(k >> 16),
                       static_cast<u8>(k >> 24)};
    rc4(key, 4, page, size);
}

} // namespace

void Database::Impl::loadPage(u32 n, const Ctx& ctx) const {
    std::lock_guard lock(pagesMutex);
    if (present[n].load(std::memory_order_relaxed)) return;
    char* at = const_cast<char*>(bytes.data()) + std::size_t{n} * layout.pageSize;
    // While we hold the lease nobody can have shortened the file.
    if (fd < 0 || !preadAll(fd, at, layout.pageSize, std::size_t{n} * layout.pageSize))
        ctx.fail("page " + std::to_string(n) + " could not be read from the file");
    decodePage(reinterpret_cast<u8*>(at), layout.pageSize, dbKey, n);
    ++pagesLoaded;
    present[n].store(true, std::memory_order_release);
}

bool Database::Impl::loadAllAndRelease() {
    std::lock_guard lock(pagesMutex);
    bool ok = fd >= 0;
    for (u32 n = 0; ok && n < numPages; ++n) {
        if (present[n].load(std::memory_order_relaxed)) continue;
        char* at = bytes.data() + std::size_t{n} * layout.pageSize;
        ok = preadAll(fd, at, layout.pageSize, std::size_t{n} * layout.pageSize);
        if (!ok) break;
        decodePage(reinterpret_cast<u8*>(at), layout.pageSize, dbKey, n);
        ++pagesLoaded;
        present[n].store(true, std::memory_order_release);
    }
    if (fd >= 0) {
        ::close(fd); // gives the lease up
        fd = -1;
    }
    return ok;
}

Database::Impl::~Impl() {
    if (!present) return;
    LeaseKeeper::instance().remove(this);
    std::lock_guard lock(pagesMutex);
    if (fd >= 0) ::close(fd);
}

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
    dbKey = rd32(hdr.data() + (0x3E - 0x18));

    if (bytes.size() < std::size_t{3} * layout.pageSize)
        ctx.fail("the file is truncated: " + std::to_string(bytes.size()) +
                 " bytes cannot hold the system catalog");
    numPages = static_cast<u32>(bytes.size() / layout.pageSize);
    bytes.truncate(std::size_t{numPages} * layout.pageSize); // a partial last page holds nothing usable

    if (present) {
        // Only the header is in memory; page 0 needs no decoding.
        present = std::make_unique<std::atomic<bool>[]>(numPages);
        present[0].store(true);
        pagesLoaded = 1;
    } else {
        for (u32 n = 1; n < numPages; ++n)
            decodePage(reinterpret_cast<u8*>(bytes.data()) + std::size_t{n} * layout.pageSize,
                       layout.pageSize, dbKey, n);
    }
    if (page(2, ctx)[0] != 0x02) {
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
    const auto size = static_cast<std::size_t>(st.st_size);
    // Untouched, the buffer takes address space but no memory.
    impl->bytes = ByteBuffer(size);
    LeaseKeeper& keeper = LeaseKeeper::instance();
    const bool leased = keeper.ready() && ::fcntl(fd, F_SETSIG, keeper.signal()) == 0 &&
                        ::fcntl(fd, F_SETLEASE, F_RDLCK) == 0;
    struct stat now {};
    // The file may have changed between stat and the lease.
    const bool same = ::fstat(fd, &now) == 0 && now.st_size == st.st_size;
    const std::size_t first = leased && same ? std::min<std::size_t>(size, 4096) : size;
    if (!preadAll(fd, impl->bytes.data(), first, 0)) {
        const int readError = errno;
        ::close(fd);
        throw Error(ErrorCode::CannotOpen, path + ": read error: " +
                                               (readError ? std::string(std::strerror(readError))
                                                          : "the file shrank while it was read"));
    }
    if (first < size) {
        impl->fd = fd;
        impl->present = std::make_unique<std::atomic<bool>[]>(1); // sized by parseHeader
        keeper.add(fd, impl.get());
    } else {
        ::close(fd);
    }
    impl->parseHeader();
    impl->readCatalog();
    return Database(std::move(impl));
}

std::size_t Database::pagesRead() const {
    if (!impl_->present) return impl_->numPages;
    std::lock_guard lock(impl_->pagesMutex);
    return impl_->pagesLoaded;
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
