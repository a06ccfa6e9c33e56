#include "core/support/atomicfile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace radexa {
namespace {

namespace fs = std::filesystem;

class AtomicFile : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("radexa_atomic_" + std::to_string(::getpid()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string path(const std::string& name) const { return (m_dir / name).string(); }
    std::vector<std::string> entries() const {
        std::vector<std::string> out;
        for (const auto& e : fs::directory_iterator(m_dir))
            out.push_back(e.path().filename().string());
        std::sort(out.begin(), out.end());
        return out;
    }
    static std::string slurp(const std::string& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    fs::path m_dir;
};

TEST_F(AtomicFile, WritesNewAndReplacesOldFilesByteForByte) {
    const std::string target = path("station.txt");
    const std::string first("Band\xF6\r\n\0x\r\n", 10);
    ASSERT_TRUE(WriteFileAtomic(target, first).ok());
    EXPECT_EQ(slurp(target), first);

    ASSERT_TRUE(WriteFileAtomic(target, "short").ok());
    EXPECT_EQ(slurp(target), "short");
    ASSERT_TRUE(WriteFileAtomic(target, "").ok());
    EXPECT_EQ(slurp(target), "");
    EXPECT_EQ(entries(), std::vector<std::string>{"station.txt"}) << "no temporary file left";
}

TEST_F(AtomicFile, ReplacedFileKeepsItsPermissions) {
    const std::string target = path("kept.txt");
    ASSERT_TRUE(WriteFileAtomic(target, "a").ok());
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    ASSERT_TRUE(WriteFileAtomic(target, "b").ok());
    struct stat st {};
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST_F(AtomicFile, WritingThroughALinkReplacesTheLinkedFile) {
    const std::string real = path("real.txt");
    const std::string link = path("link.txt");
    ASSERT_TRUE(WriteFileAtomic(real, "old").ok());
    fs::create_symlink(real, link);
    ASSERT_TRUE(WriteFileAtomic(link, "new").ok());
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(slurp(real), "new");
}

TEST_F(AtomicFile, FailuresNameTheFileAndLeaveNothingBehind) {
    // A folder root cannot write into, a folder that does not exist, and a target that is
    // a folder (the rename fails after the temporary file was written).
    fs::create_directory(m_dir / "adir");
    const std::string cases[] = {"/proc/radexa_cannot_be_here.txt",
                                 path("no such folder/station.txt"), path("adir")};
    for (const auto& target : cases) {
        const auto r = WriteFileAtomic(target, "data");
        EXPECT_FALSE(r.ok()) << target;
        EXPECT_NE(r.error.find(target), std::string::npos) << r.error;
    }
    EXPECT_TRUE(fs::is_directory(m_dir / "adir"));
    EXPECT_EQ(entries(), std::vector<std::string>{"adir"});
    EXPECT_FALSE(WriteFileAtomic("", "data").ok());
}

TEST_F(AtomicFile, AWriteThatFailsHalfwayLeavesTheOldFileWhole) {
    const std::string target = path("old.txt");
    const std::string old = "the old station file\r\n";
    ASSERT_TRUE(WriteFileAtomic(target, old).ok());

    // Root ignores permissions, but not the file-size limit: writing fails after 8 bytes.
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 8;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const auto r = WriteFileAtomic(target, std::string(100, 'x'));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(r.ok());
    EXPECT_NE(r.error.find(target), std::string::npos) << r.error;
    EXPECT_EQ(slurp(target), old);
    EXPECT_EQ(entries(), std::vector<std::string>{"old.txt"});
}

TEST_F(AtomicFile, ReadingTellsMissingFromUnreadable) {
    const std::string file = path("x.txt");
    ASSERT_TRUE(WriteFileAtomic(file, std::string("a\r\nb\xE4", 5)).ok());
    const auto good = ReadWholeFile(file);
    EXPECT_EQ(good.status, FileReadStatus::Ok);
    EXPECT_EQ(good.bytes, std::string("a\r\nb\xE4", 5));

    const struct {
        std::string path;
        FileReadStatus status;
    } cases[] = {{path("missing.txt"), FileReadStatus::Missing},
                 {path("no folder/x.txt"), FileReadStatus::Missing},
                 {file + "/below-a-file", FileReadStatus::Missing},
                 {m_dir.string(), FileReadStatus::Unreadable}};
    for (const auto& c : cases) {
        const auto r = ReadWholeFile(c.path);
        EXPECT_EQ(r.status, c.status) << c.path;
        EXPECT_TRUE(r.bytes.empty());
        EXPECT_NE(r.error.find(c.path), std::string::npos) << r.error;
    }
}

} // namespace
} // namespace radexa
