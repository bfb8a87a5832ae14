#include "platform/posix/read_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace ml {

namespace {

// The size only guides the allocation: a file that shrinks meanwhile gives fewer bytes.
bool ReadUpTo(int file, std::size_t limit, off_t size, std::vector<std::uint8_t>& bytes) {
    bytes.resize(std::min<std::uint64_t>(limit, static_cast<std::uint64_t>(size)));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = read(file, bytes.data() + done, bytes.size() - done);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return false;
        if (got == 0) break;
        done += static_cast<std::size_t>(got);
    }
    bytes.resize(done);
    return true;
}

}  // namespace

bool ReadFileStart(const std::string& file, std::size_t limit, std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    struct stat status {};
    if (stat(file.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return false;
    // Should the name be given to a pipe in between, opening it still does not wait,
    // and the second look turns it away.
    const int opened = open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (opened < 0) return false;
    const bool read =
        fstat(opened, &status) == 0 && S_ISREG(status.st_mode) && ReadUpTo(opened, limit, status.st_size, bytes);
    close(opened);
    if (!read) bytes.clear();
    return read;
}

}  // namespace ml
