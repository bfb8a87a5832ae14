#include "platform/posix/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>

namespace ml {

namespace {

// As many links of links as the system itself follows before it gives up.
constexpr int kLinkHops = 40;

// The folder part of a path with its last slash; empty for a bare name.
std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Follows symbolic links to the name they finally lead to, which need not exist yet.
// False for a loop of links or a link that cannot be read.
bool FollowLinks(std::string& path) {
    for (int hop = 0; hop < kLinkHops; ++hop) {
        struct stat status {};
        if (lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return true;
        std::string target(PATH_MAX, '\0');
        const ssize_t length = readlink(path.c_str(), target.data(), target.size());
        if (length <= 0 || static_cast<std::size_t>(length) >= target.size()) return false;
        target.resize(static_cast<std::size_t>(length));
        path = target.front() == '/' ? target : FolderOf(path) + target;
    }
    return false;
}

// A new file gets the rights that creating it in place would have given it.
mode_t RightsOfNewFile() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

bool WriteAll(int file, FilePieces pieces) {
    for (const std::span<const std::uint8_t> piece : pieces) {
        const std::uint8_t* at = piece.data();
        std::size_t left = piece.size();
        while (left > 0) {
            const ssize_t written = write(file, at, left);
            if (written < 0 && errno == EINTR) continue;
            if (written <= 0) return false;
            at += written;
            left -= static_cast<std::size_t>(written);
        }
    }
    return true;
}

// The data reaches the disk before the new file takes the name, so that even a crash
// right after leaves the old content or the whole new one.
bool WriteDurably(int file, mode_t rights, FilePieces pieces) {
    return fchmod(file, rights) == 0 && WriteAll(file, pieces) && fsync(file) == 0;
}

}  // namespace

FileWrite ReplaceWholeFile(const std::string& file, FilePieces pieces) {
    std::string target = file;
    if (target.empty() || !FollowLinks(target)) return FileWrite::Failed;
    struct stat existing {};
    const bool exists = lstat(target.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode)) return FileWrite::NotPlainFile;
    std::string temporary = FolderOf(target) + ".morrowlark-XXXXXX";
    const int out = mkstemp(temporary.data());
    if (out < 0) return FileWrite::Failed;
    const bool written = WriteDurably(out, exists ? existing.st_mode & 07777 : RightsOfNewFile(), pieces);
    const bool closed = close(out) == 0;
    if (written && closed && std::rename(temporary.c_str(), target.c_str()) == 0) return FileWrite::Written;
    unlink(temporary.c_str());
    return FileWrite::Failed;
}

}  // namespace ml
