#pragma once
// Scaffolding for tests that read and write real files: a fresh folder for each test, small
// readers and writers, and a file-size limit that makes writes fail half-way.

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace radexa {

// Each test gets an empty folder of its own, removed again afterwards.
class TempFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir =
            std::filesystem::temp_directory_path() / ("radexa_" + std::to_string(::getpid()) + "_" +
                                                      info->test_suite_name() + "_" + info->name());
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    std::string path(const std::string& name) const { return (m_dir / name).string(); }
    // Writes the bytes to the file of that name in the folder and returns its path.
    std::string put(const std::string& name, const std::string& bytes) const {
        const std::string p = path(name);
        std::ofstream(p, std::ios::binary) << bytes;
        return p;
    }
    static std::string slurp(const std::string& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // The names in the folder, sorted.
    std::vector<std::string> entries() const {
        std::vector<std::string> out;
        for (const auto& e : std::filesystem::directory_iterator(m_dir))
            out.push_back(e.path().filename().string());
        std::sort(out.begin(), out.end());
        return out;
    }

    std::filesystem::path m_dir;
};

// While it lives, every write beyond a few bytes fails, for root too; SIGXFSZ is ignored.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &m_saved);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit small = m_saved;
        small.rlim_cur = bytes;
        m_active = ::setrlimit(RLIMIT_FSIZE, &small) == 0;
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool active() const { return m_active; }

private:
    struct rlimit m_saved {};
    void (*m_handler)(int) = SIG_DFL;
    bool m_active = false;
};

// Runs work in a child process (e.g. as another user, or under a memory limit) and returns
// the text it gave back, or "ended by signal N" / "exit status N" when the child did not
// come back normally.
inline std::string RunInChild(const std::function<std::string()>& work) {
    int ends[2];
    if (::pipe(ends) != 0)
        return "no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(ends[0]);
        const std::string out = work();
        (void)!::write(ends[1], out.data(), out.size());
        ::_exit(0);
    }
    ::close(ends[1]);
    std::string out;
    char buffer[4096];
    for (ssize_t n; (n = ::read(ends[0], buffer, sizeof buffer)) > 0;)
        out.append(buffer, static_cast<std::size_t>(n));
    ::close(ends[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFSIGNALED(status))
        return "ended by signal " + std::to_string(WTERMSIG(status));
    if (WEXITSTATUS(status) != 0)
        return "exit status " + std::to_string(WEXITSTATUS(status));
    return out;
}

// The address space the process uses now, in bytes.
inline std::size_t AddressSpaceInUse() {
    std::ifstream statm("/proc/self/statm");
    std::size_t pages = 0;
    statm >> pages;
    return pages * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
}

// Limits the address space of the (child) process to what it uses now and extra bytes more;
// false when it could not. AddressSanitizer reserves terabytes and cannot run so.
inline bool LimitAddressSpace(std::size_t extra) {
#if defined(__SANITIZE_ADDRESS__)
    (void)extra;
    return false;
#else
    struct rlimit limit {};
    limit.rlim_cur = limit.rlim_max = AddressSpaceInUse() + extra;
    return ::setrlimit(RLIMIT_AS, &limit) == 0;
#endif
}

inline bool AddressSpaceCanBeLimited() {
#if defined(__SANITIZE_ADDRESS__)
    return false;
#else
    return true;
#endif
}

} // namespace radexa
