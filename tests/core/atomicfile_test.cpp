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
