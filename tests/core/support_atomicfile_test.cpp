#include "core/support/atomicfile.h"

#include "test_files.h"

#include <sys/stat.h>

namespace radexa {
namespace {

namespace fs = std::filesystem;

using AtomicFile = TempFolderTest;

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
    FileWriteResult r;
    {
        FileSizeLimit limit(8);
        ASSERT_TRUE(limit.active());
        r = WriteFileAtomic(target, std::string(100, 'x'));
    }

    EXPECT_FALSE(r.ok());
    EXPECT_NE(r.error.find(target), std::string::npos) << r.error;
    EXPECT_EQ(slurp(target), old);
    EXPECT_EQ(entries(), std::vector<std::string>{"old.txt"});
}

// The error of a write made by an ordinary user (nobody) when the tests run as root, so
// that the permission checks meet someone they apply to; by the caller otherwise.
std::string WriteAsOrdinaryUser(const std::string& target) {
    if (::geteuid() != 0)
        return WriteFileAtomic(target, "new").error;
    return RunInChild([&] {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            return std::string("could not become nobody");
        return WriteFileAtomic(target, "new").error;
    });
}

TEST_F(AtomicFile, TargetsThatCannotBeReplacedSafelyAreRefusedWithTheReason) {
    ASSERT_EQ(::chmod(m_dir.c_str(), 0755), 0);
    const std::string protectedFile = put("protected.txt", "old");
    ASSERT_EQ(::chmod(protectedFile.c_str(), 0444), 0);
    const std::string linked = put("linked.txt", "old");
    fs::create_hard_link(linked, path("second name.txt"));
    const std::string othersFile = put("others.txt", "old"); // the test's own, 0644
    ASSERT_EQ(::chmod(othersFile.c_str(), 0644), 0);
    fs::create_directory(path("closed"));
    const std::string inClosedFolder = (m_dir / "closed" / "new.txt").string();
    ASSERT_EQ(::chmod(path("closed").c_str(), 0555), 0);

    const struct {
        std::string target;
        bool ordinaryUser;
        const char* reason;
    } cases[] = {
        {protectedFile, false, "write-protected"}, // also for root
        {linked, false, "2 hard links"},
        {othersFile, true, "write-protected: Permission denied"},
        {inClosedFolder, true, "folder"},
    };
    for (const auto& c : cases) {
        if (c.ordinaryUser && ::geteuid() != 0 && c.target == othersFile)
            continue; // the test's own file: the caller may write it
        const std::string error =
            c.ordinaryUser ? WriteAsOrdinaryUser(c.target) : WriteFileAtomic(c.target, "new").error;
        EXPECT_NE(error.find(c.target), std::string::npos) << error;
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    }
    for (const std::string& file : {protectedFile, linked, othersFile})
        EXPECT_EQ(slurp(file), "old") << file;
    EXPECT_FALSE(fs::exists(inClosedFolder));
    EXPECT_EQ(entries(), (std::vector<std::string>{"closed", "linked.txt", "others.txt",
                                                   "protected.txt", "second name.txt"}));
    ::chmod(path("closed").c_str(), 0755);
}

TEST_F(AtomicFile, ANewFileGetsWhatTheUmaskAllows) {
    const mode_t saved = ::umask(027);
    const bool written = WriteFileAtomic(path("new.txt"), "x").ok();
    ::umask(saved);
    ASSERT_TRUE(written);
    struct stat st {};
    ASSERT_EQ(::stat(path("new.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST_F(AtomicFile, ANameAtTheFileSystemLimitCanBeSaved) {
    for (const std::size_t length : {std::size_t{254}, std::size_t{255}, std::size_t{70}}) {
        const std::string target = path(std::string(length - 4, 'n') + ".txt");
        const auto r = WriteFileAtomic(target, "long name");
        ASSERT_TRUE(r.ok()) << length << ": " << r.error;
        EXPECT_EQ(slurp(target), "long name");
        ASSERT_TRUE(WriteFileAtomic(target, "again").ok()) << length;
        EXPECT_EQ(slurp(target), "again");
        fs::remove(target);
    }
    EXPECT_TRUE(entries().empty()) << "no temporary file left";
}

TEST_F(AtomicFile, ALinkInASharedFolderMadeBySomeoneElseIsNotFollowed) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "giving the link to another user needs root";
    // Like /tmp: sticky and writable by all, owned by the caller (root); the link is nobody's.
    fs::create_directory(path("shared"));
    ASSERT_EQ(::chmod(path("shared").c_str(), 01777), 0);
    const std::string victim = put("victim.txt", "precious");
    const std::string link = (m_dir / "shared" / "station.txt").string();
    fs::create_symlink(victim, link);
    ASSERT_EQ(::lchown(link.c_str(), 65534, 65534), 0);

    const auto refused = WriteFileAtomic(link, "planted");
    EXPECT_FALSE(refused.ok());
    EXPECT_NE(refused.error.find("not followed"), std::string::npos) << refused.error;
    EXPECT_EQ(slurp(victim), "precious");
    EXPECT_TRUE(fs::is_symlink(link));

    // The caller's own link there is followed as anywhere else.
    ASSERT_EQ(::lchown(link.c_str(), 0, 0), 0);
    ASSERT_TRUE(WriteFileAtomic(link, "own").ok());
    EXPECT_EQ(slurp(victim), "own");
    EXPECT_EQ(fs::directory_iterator(path("shared"))->path().filename(), "station.txt");
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

namespace radexa {
namespace {

using BoundedReading = TempFolderTest;

TEST_F(BoundedReading, AFileBeyondTheLimitIsRefusedOrCutAsAsked) {
    const std::string file = put("big.txt", std::string(1000, 'a') + "tail");
    const struct {
        std::uint64_t limit;
        FileReadStatus whole;
        std::size_t startBytes;
    } cases[] = {{1004, FileReadStatus::Ok, 1004},
                 {1003, FileReadStatus::TooLarge, 1003},
                 {0, FileReadStatus::TooLarge, 0},
                 {1 << 20, FileReadStatus::Ok, 1004}};
    for (const auto& c : cases) {
        const FileReadResult whole = ReadWholeFile(file, c.limit);
        EXPECT_EQ(whole.status, c.whole) << c.limit;
        if (!whole.ok()) {
            EXPECT_TRUE(whole.bytes.empty());
            EXPECT_NE(whole.error.find(file), std::string::npos) << whole.error;
            EXPECT_NE(whole.error.find("larger than " + SizeText(c.limit)), std::string::npos)
                << whole.error;
        }
        const FileReadResult start = ReadFileStart(file, c.limit);
        ASSERT_TRUE(start.ok()) << c.limit;
        EXPECT_EQ(start.bytes, slurp(file).substr(0, c.startBytes)) << c.limit;
    }
    EXPECT_EQ(SizeText(1 << 20), "1 MiB");
    EXPECT_EQ(SizeText(64 << 10), "64 KiB");
    EXPECT_EQ(SizeText(1000), "1000 bytes");
}

TEST_F(BoundedReading, FilesWithoutAStatedSizeAreReadToTheirEnd) {
    // /proc files report the size 0 and still have contents.
    const FileReadResult status = ReadWholeFile("/proc/self/status", 1 << 20);
    ASSERT_TRUE(status.ok()) << status.error;
    EXPECT_NE(status.bytes.find("Umask:"), std::string::npos);
    EXPECT_EQ(ReadFileStart("/proc/self/status", 5).bytes, "Name:");
}

} // namespace
} // namespace radexa
