// Builds Jet3 / Jet4 database images that hold TEXT and MEMO columns.
//
// Page order: 0 header, 1 global usage map, 2 the catalog (MSysObjects) table
// definition, because readers look for it there; then the user table
// definitions, the pages that hold usage-map rows, the data and long-value
// pages, and last the bitmap pages of reference maps. Definitions and map rows
// get their pages before any row is packed, and a memo's long-value rows are
// placed before the row that points at them, so no pointer is patched later.
#include "tools/jetwriter/jet_writer.h"

#include "tools/jetwriter/builder.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace jetw {

using namespace build;

std::string buildDatabase(const DatabaseDef& db, Version version) {
    return Builder(db, version == Version::Jet3 ? kJet3 : kJet4).build();
}

void writeDatabaseFile(const DatabaseDef& db, const std::string& path, Version version) {
    const std::string image = buildDatabase(db, version);

    const size_t slash = path.find_last_of('/');
    const std::string dir = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    if (base.empty()) throw WriteError("cannot write " + quoted(path) + ": the path names a directory");

    // O_EXCL with a fresh name each try, rather than mkstemp, so the file
    // gets the usual permissions (0666 less the umask), not 0600.
    std::string temp;
    int fd = -1;
    for (unsigned attempt = 0; fd < 0; ++attempt) {
        temp = dir + "/." + base + "." + std::to_string(::getpid()) + "." + std::to_string(attempt) + ".tmp";
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && (errno != EEXIST || attempt >= 100))
            failIo("create a temporary file beside", path, errno);
    }

    const auto fail = [&](const std::string& what) {
        const int err = errno;
        if (fd >= 0) ::close(fd);
        ::unlink(temp.c_str());
        failIo(what, path, err);
    };

    size_t done = 0;
    while (done < image.size()) {
        const ssize_t n = ::write(fd, image.data() + done, image.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            fail("write");
        }
        done += static_cast<size_t>(n);
    }
    if (::fsync(fd) != 0) fail("flush");
    const int closed = ::close(fd);
    fd = -1;
    if (closed != 0) fail("write");
    if (::rename(temp.c_str(), path.c_str()) != 0) fail("replace");

    // Make the rename itself durable; failing here loses nothing already written.
    const int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
}

} // namespace jetw
