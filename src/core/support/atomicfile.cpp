#include "core/support/atomicfile.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace radexa {

namespace {

std::string quoted(const std::string& path) {
    return "\"" + path + "\"";
}

std::string failure(const char* what, const std::string& path, int err) {
    return std::string(what) + " " + quoted(path) + ": " + std::strerror(err);
}

std::string refusal(const std::string& path, const std::string& reason) {
    return "Cannot write " + quoted(path) + ": " + reason;
}

std::string notRegular(const char* what, const std::string& path) {
    return std::string(what) + " " + quoted(path) + ": not a regular file";
}

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

std::string baseOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A link in a sticky, world-writable folder (/tmp) is followed only when the caller or the
// folder's owner made it: another user could otherwise point it at a file of the caller's.
bool mayFollowLink(const std::string& path, const struct stat& link) {
    struct stat folder {};
    if (::stat(folderOf(path).c_str(), &folder) != 0)
        return false;
    const bool shared = (folder.st_mode & S_ISVTX) && (folder.st_mode & S_IWOTH);
    return !shared || link.st_uid == ::geteuid() || link.st_uid == folder.st_uid;
}

// The link's target, so that the file it points to is replaced and the link stays; the
// path itself when it is no link or points nowhere.
std::string resolvedTarget(const std::string& path) {
    char* real = ::realpath(path.c_str(), nullptr);
    if (!real)
        return path;
    std::string out(real);
    std::free(real);
    return out;
}

bool mayWrite(const std::string& path, int mode, int& err) {
    if (::faccessat(AT_FDCWD, path.c_str(), mode, AT_EACCESS) == 0)
        return true;
    err = errno;
    return false;
}

// Why an existing target cannot be replaced through a rename; empty when it can.
std::string targetRefusal(const std::string& path, const std::string& target,
                          const struct stat& st) {
    if (S_ISDIR(st.st_mode))
        return failure("Cannot write", path, EISDIR);
    if (!S_ISREG(st.st_mode))
        return notRegular("Cannot write", path);
    // Root passes every permission test; a file without any write bit stays protected.
    if ((st.st_mode & 0222) == 0)
        return refusal(path, "the file is write-protected");
    int err = 0;
    if (!mayWrite(target, W_OK, err))
        return refusal(path, std::string("the file is write-protected: ") + std::strerror(err));
    if (st.st_nlink > 1)
        return refusal(path, "the file has " + std::to_string(st.st_nlink) +
                                 " hard links; saving puts a new file in its place, which "
                                 "would part it from its other names");
    return {};
}

mode_t currentUmask() {
    // Read without changing it: umask() can only be read by setting it.
    if (std::FILE* status = std::fopen("/proc/self/status", "re")) {
        char line[256];
        unsigned mask = 0;
        bool found = false;
        while (!found && std::fgets(line, sizeof line, status))
            found = std::sscanf(line, "Umask: %o", &mask) == 1;
        std::fclose(status);
        if (found)
            return static_cast<mode_t>(mask);
    }
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

// A name beside the target that no one else uses. It is never longer than the target's
// name or 64 bytes, whichever is more, so that a name at the file system's limit can be
// saved too.
std::string temporaryName(const std::string& folder, const std::string& base) {
    static std::atomic<unsigned> counter{0};
    const std::string suffix =
        ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    const std::size_t allowed = std::max<std::size_t>(base.size(), 64);
    std::string name = "." + base + suffix;
    if (name.size() > allowed)
        name = "." + base.substr(0, allowed - 1 - suffix.size()) + suffix;
    return folder + "/" + name;
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
    std::string target = path;
    struct stat link {};
    if (::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        if (!mayFollowLink(path, link))
            return {refusal(path, "a link in a shared folder (sticky and writable by all) "
                                  "made by another user is not followed")};
        target = resolvedTarget(path);
    }
    // Only a regular file is replaced: a rename over a device or a pipe (e.g. /dev/null
    // chosen in a save dialog) would put a plain file in its place.
    struct stat old {};
    const bool replacing = ::stat(target.c_str(), &old) == 0;
    if (replacing) {
        std::string refused = targetRefusal(path, target, old);
        if (!refused.empty())
            return {std::move(refused)};
    }
    const std::string folder = folderOf(target);
    int err = 0;
    if (!mayWrite(folder, W_OK | X_OK, err) && err != ENOENT)
        return {refusal(path, "the folder " + quoted(folder) +
                                  " cannot be written (saving needs a new file beside the old "
                                  "one): " +
                                  std::strerror(err))};

    // Owner-only from the start: the bytes are nobody else's business before the rename.
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = temporaryName(folder, baseOf(target));
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
        err = errno;
        if (fd < 0 && err != EEXIST)
            break;
    }
    if (fd < 0)
        return {failure("Cannot write", path, err)};

    bool good = writeAll(fd, bytes, err);
    if (good && ::fsync(fd) != 0) {
        err = errno;
        good = false;
    }
    // A replaced file keeps its permissions; a new one gets what the umask allows.
    const mode_t mode = replacing ? (old.st_mode & 0777) : (0666 & ~currentUmask());
    if (good && ::fchmod(fd, mode) != 0) {
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

void IgnoreFileSizeSignal() {
    std::signal(SIGXFSZ, SIG_IGN);
}

std::string SizeText(std::uint64_t bytes) {
    if (bytes >= (1u << 20) && bytes % (1u << 20) == 0)
        return std::to_string(bytes >> 20) + " MiB";
    if (bytes >= (1u << 10) && bytes % (1u << 10) == 0)
        return std::to_string(bytes >> 10) + " KiB";
    return std::to_string(bytes) + " bytes";
}

namespace {

enum class OverLimit { Refuse, Cut };

FileReadResult readFile(const std::string& path, std::uint64_t limit, OverLimit over) {
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
    auto tooLarge = [&] {
        ::close(fd);
        result.bytes = std::string();
        result.status = FileReadStatus::TooLarge;
        result.error =
            "Cannot read " + quoted(path) + ": the file is larger than " + SizeText(limit);
        return result;
    };
    const auto size = static_cast<std::uint64_t>(st.st_size);
    if (over == OverLimit::Refuse && size > limit)
        return tooLarge();
    try {
        std::string& bytes = result.bytes;
        // The size the file had, read straight into place; it may still have grown or
        // shrunk, so the rest is read through a buffer up to the end or the limit.
        bytes.resize(static_cast<std::size_t>(std::min(size, limit)));
        std::size_t got = 0;
        int err = 0;
        auto readSome = [&](char* into, std::size_t room) {
            ssize_t n = 0;
            do
                n = ::read(fd, into, room);
            while (n < 0 && errno == EINTR);
            err = n < 0 ? errno : 0;
            return n;
        };
        for (ssize_t n; got < bytes.size() && (n = readSome(&bytes[got], bytes.size() - got)) > 0;)
            got += static_cast<std::size_t>(n);
        bytes.resize(got);
        char buffer[65536];
        for (ssize_t n; err == 0 && (n = readSome(buffer, sizeof buffer)) > 0;) {
            const std::uint64_t room = limit - bytes.size();
            if (static_cast<std::uint64_t>(n) > room) {
                if (over == OverLimit::Refuse)
                    return tooLarge();
                bytes.append(buffer, static_cast<std::size_t>(room));
                break;
            }
            bytes.append(buffer, static_cast<std::size_t>(n));
        }
        if (err != 0) {
            ::close(fd);
            result.bytes = std::string();
            result.status = FileReadStatus::Unreadable;
            result.error = failure("Cannot read", path, err);
            return result;
        }
    } catch (const std::bad_alloc&) {
        ::close(fd);
        result.bytes = std::string();
        result.status = FileReadStatus::Unreadable;
        result.error = "Not enough memory to read " + quoted(path);
        return result;
    }
    ::close(fd);
    result.status = FileReadStatus::Ok;
    return result;
}

} // namespace

FileReadResult ReadWholeFile(const std::string& path, std::uint64_t sizeLimit) {
    return readFile(path, sizeLimit, OverLimit::Refuse);
}

FileReadResult ReadFileStart(const std::string& path, std::uint64_t maxBytes) {
    return readFile(path, maxBytes, OverLimit::Cut);
}

} // namespace radexa
