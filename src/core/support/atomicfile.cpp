#include "core/support/atomicfile.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace radexa {

namespace {

std::string failure(const char* what, const std::string& path, int err) {
    return std::string(what) + " \"" + path + "\": " + std::strerror(err);
}

std::string notRegular(const char* what, const std::string& path) {
    return std::string(what) + " \"" + path + "\": not a regular file";
}

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

// A symbolic link is followed, so that the file it points to is replaced and the link
// itself stays.
std::string resolvedTarget(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return path;
    char* real = ::realpath(path.c_str(), nullptr);
    if (!real)
        return path;
    std::string out(real);
    std::free(real);
    return out;
}

bool writeAll(int fd, std::string_view bytes, int& err) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            err = errno;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

FileWriteResult WriteFileAtomic(const std::string& path, std::string_view bytes) {
    if (path.empty())
        return {failure("Cannot write", path, ENOENT)};
    const std::string target = resolvedTarget(path);
    // Only a regular file is replaced: a rename over a device or a pipe (e.g. /dev/null
    // chosen in a save dialog) would put a plain file in its place.
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode))
        return {S_ISDIR(existing.st_mode) ? failure("Cannot write", path, EISDIR)
                                          : notRegular("Cannot write", path)};
    const std::string folder = folderOf(target);
    const std::string base =
        target.substr(target.rfind('/') == std::string::npos ? 0 : target.rfind('/') + 1);

    // The temporary file: beside the target, a name no one else uses, created new.
    static std::atomic<unsigned> counter{0};
    std::string temp;
    int fd = -1;
    int err = 0;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = folder + "/." + base + ".tmp" + std::to_string(::getpid()) + "-" +
               std::to_string(counter++);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        err = errno;
        if (fd < 0 && err != EEXIST)
            break;
    }
    if (fd < 0)
        return {failure("Cannot write", path, err)};

    // A file that is replaced keeps its permissions.
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        ::fchmod(fd, old.st_mode & 07777);

    bool good = writeAll(fd, bytes, err);
    if (good && ::fsync(fd) != 0) {
        err = errno;
        good = false;
    }
    if (::close(fd) != 0 && good) {
        err = errno;
        good = false;
    }
    if (good && ::rename(temp.c_str(), target.c_str()) != 0) {
        err = errno;
        good = false;
    }
    if (!good) {
        ::unlink(temp.c_str());
        return {failure("Cannot write", path, err)};
    }
    // Make the rename itself durable; a failure here no longer endangers any data.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return {};
}

FileReadResult ReadWholeFile(const std::string& path) {
    FileReadResult result;
    // Not blocking on a pipe without a writer; only regular files are read (a device such
    // as /dev/zero never ends).
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        const int err = errno;
        result.status = (err == ENOENT || err == ENOTDIR) ? FileReadStatus::Missing
                                                          : FileReadStatus::Unreadable;
        result.error = failure(
            result.status == FileReadStatus::Missing ? "File not found" : "Cannot read", path, err);
        return result;
    }
    struct stat st {};
    const bool statted = ::fstat(fd, &st) == 0;
    const int statError = errno;
    if (!statted || !S_ISREG(st.st_mode)) {
        ::close(fd);
        result.status = FileReadStatus::Unreadable;
        if (!statted)
            result.error = failure("Cannot read", path, statError);
        else if (S_ISDIR(st.st_mode))
            result.error = failure("Cannot read", path, EISDIR);
        else
            result.error = notRegular("Cannot read", path);
        return result;
    }
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int err = errno;
            ::close(fd);
            result.bytes.clear();
            result.status = FileReadStatus::Unreadable;
            result.error = failure("Cannot read", path, err);
            return result;
        }
        result.bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    result.status = FileReadStatus::Ok;
    return result;
}

} // namespace radexa
