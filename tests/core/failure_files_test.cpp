// Files that fail: special files in the place of a station or catalogue file, missing and
// unreadable catalogues, a huge catalogue of random bytes, and a user antenna file whose
// writing stops half-way. Nothing may crash, hang or leave half a file; the old file stays.

#include "core/antennas/catalogue.h"
#include "core/support/atomicfile.h"
#include "core/support/datafile.h"

#include "test_files.h"

#include <random>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace radexa {
namespace {

namespace fs = std::filesystem;

using FailingFiles = TempFolderTest;

TEST_F(FailingFiles, APipeOrADeviceIsNeitherReplacedNorRead) {
    // A save dialog can be pointed at /dev/full or /dev/null: the rename of the atomic write
    // would put a plain file where the device was (as root even in /dev).
    const std::string pipe = path("station.txt");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    std::vector<std::string> specials{pipe};
    const std::string full = path("full");
    if (::mknod(full.c_str(), S_IFCHR | 0666, ::makedev(1, 7)) == 0)
        specials.push_back(full);

    for (const std::string& special : specials) {
        const FileWriteResult written = WriteFileAtomic(special, "Band/Frequenz...\r\n");
        EXPECT_FALSE(written.ok()) << special;
        EXPECT_NE(written.error.find(special), std::string::npos) << written.error;
        struct stat st {};
        ASSERT_EQ(::lstat(special.c_str(), &st), 0);
        EXPECT_FALSE(S_ISREG(st.st_mode)) << special << " was replaced by a file";

        // Reading neither waits for a writer nor reads a device without end.
        const FileReadResult read = ReadWholeFile(special);
        EXPECT_EQ(read.status, FileReadStatus::Unreadable) << special;
        EXPECT_NE(read.error.find(special), std::string::npos) << read.error;
    }
    EXPECT_EQ(entries().size(), specials.size()) << "no temporary file left";
}

TEST_F(FailingFiles, AMissingOrUnreadableCatalogueCountsAsEmpty) {
    const std::string good = put("Antennas.txt", "[Example]\r\nMyAnt,Yagi,14.2,7.5,3,#\r\n");
    fs::create_directory(path("folder.txt"));

    const struct {
        std::string catalogue, user;
        int count;
    } cases[] = {
        {path("missing.txt"), "", 0},   {path("folder.txt"), path("folder.txt"), 0},
        {good, path("missing.txt"), 1}, {good, path("folder.txt"), 1},
        {path("folder.txt"), good, 1},
    };
    for (const auto& c : cases) {
        const TAntennen catalogue(c.catalogue, c.user);
        EXPECT_EQ(catalogue.Count(), c.count) << c.catalogue << " + " << c.user;
        EXPECT_EQ(static_cast<int>(catalogue.GetManufacturers().size()), c.count);
    }
    EXPECT_FALSE(fs::exists(path("missing.txt"))) << "reading creates no file";
}

TEST_F(FailingFiles, LoadingTheCatalogueSaysWhichFileCouldNotBeReadAndWhy) {
    const std::string good = put("Antennas.txt", "[Example]\r\nMyAnt,Yagi,14.2,7.5,3,#\r\n");
    const std::string user = put("AntUser.txt", "[Club]\r\nLoop,Magnetic loop,7.1,-3,1,#\r\n");
    fs::create_directory(path("folder.txt"));
    const std::string pipe = path("pipe.txt");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);

    const struct {
        std::string catalogue, user;
        bool catalogueRead;
        int count;
        std::vector<std::string> errors; // a piece of each message, in order
    } cases[] = {
        {good, user, true, 2, {}},
        {good, path("missing.txt"), true, 1, {}}, // no own antennas yet
        {good, "", true, 1, {}},
        {path("missing.txt"), user, false, 1, {path("missing.txt") + "\": No such file"}},
        {path("folder.txt"), user, false, 1, {path("folder.txt") + "\": Is a directory"}},
        {pipe, pipe, false, 0, {pipe + "\": not a regular file", pipe + "\": not a regular file"}},
        {good, path("folder.txt"), true, 1, {path("folder.txt")}},
    };
    for (const auto& c : cases) {
        const CatalogueLoad load = TAntennen::Load(c.catalogue, c.user);
        EXPECT_EQ(load.catalogueRead, c.catalogueRead) << c.catalogue << " + " << c.user;
        EXPECT_EQ(load.catalogue.Count(), c.count) << c.catalogue << " + " << c.user;
        ASSERT_EQ(load.errors.size(), c.errors.size()) << c.catalogue << " + " << c.user;
        for (std::size_t i = 0; i < c.errors.size(); ++i)
            EXPECT_NE(load.errors[i].find(c.errors[i]), std::string::npos) << load.errors[i];
    }
}

TEST_F(FailingFiles, AnEntryBeyondThePointLimitIsLeftOutWithItsFileAndLine) {
    auto entry = [](const std::string& name, std::size_t points) {
        std::string line = name + ",Yagi";
        for (std::size_t p = 0; p < points; ++p)
            line += ",14.2,7.5,3";
        return line + ",#\r\n";
    };
    put("Antennas.txt", "[Example]\r\n" + entry("Most", kMaxCataloguePoints) + entry("Small", 1));
    put("AntUser.txt",
        "[Club]\r\n\r\n" + entry("Too many", kMaxCataloguePoints + 1) + entry("Own", 2));
    const CatalogueLoad load = TAntennen::Load(path("Antennas.txt"), path("AntUser.txt"));
    EXPECT_EQ(load.catalogue.Names(), (StringArray{"Most", "Small", "Own"}));
    EXPECT_EQ(PointCount(load.catalogue.Data()[0]), static_cast<int>(kMaxCataloguePoints));
    ASSERT_EQ(load.errors.size(), 1u);
    EXPECT_EQ(load.errors[0], path("AntUser.txt") + ", line 3: the antenna \"Too many\" has 32769 "
                                                    "points, more than 32768; it is left out");
}

TEST_F(FailingFiles, BlankLinesCostNoMemoryAndALackOfMemoryIsReported) {
    if (!AddressSpaceCanBeLimited())
        GTEST_SKIP() << "AddressSanitizer cannot run under an address-space limit";
    // 20 MB of blank lines: once they reserved a record's room each (3.8 GB).
    const std::string file = path("Antennas.txt");
    {
        std::ofstream out(file, std::ios::binary);
        out << "[Example]\r\n" << std::string(20'000'000, '\n') << "Last,Yagi,14.2,7.5,3,#\r\n";
    }
    const std::string roomy = RunInChild([&] {
        if (!LimitAddressSpace(std::size_t{200} << 20))
            return std::string("no limit");
        const CatalogueLoad load = TAntennen::Load(file, "");
        return std::to_string(load.catalogue.Count()) + (load.ok() ? "" : " " + load.errors[0]);
    });
    EXPECT_EQ(roomy, "1");

    // Too little room for the file itself: reported, not an abort.
    const std::string tight = RunInChild([&] {
        if (!LimitAddressSpace(std::size_t{4} << 20))
            return std::string("no limit");
        const CatalogueLoad load = TAntennen::Load(file, "");
        return (load.catalogueRead ? "read " : "") + (load.ok() ? "" : load.errors[0]);
    });
    EXPECT_EQ(tight, "Not enough memory to read \"" + file + "\"");
}

TEST_F(FailingFiles, FiftyMegabytesOfRandomBytesAreReadAndTheLinesAfterThemCount) {
    const std::string file = path("Antennas.txt");
    {
        std::ofstream out(file, std::ios::binary);
        std::mt19937_64 random(20240601);
        std::vector<std::uint64_t> block(1 << 16);
        for (std::size_t written = 0; written < 50u << 20; written += block.size() * 8) {
            std::generate(block.begin(), block.end(), random);
            out.write(reinterpret_cast<const char*>(block.data()),
                      static_cast<std::streamsize>(block.size() * 8));
        }
        out << "\r\n[Tail]\r\nLast,Yagi,14.2,7.5,3,#\r\n";
    }
    ASSERT_GT(fs::file_size(file), 50u << 20);

    const TAntennen catalogue(file, "");
    ASSERT_GT(catalogue.Count(), 0);
    const std::size_t n = static_cast<std::size_t>(catalogue.Count());
    EXPECT_EQ(catalogue.Manufacturers().size(), n);
    EXPECT_EQ(catalogue.Types().size(), n);
    EXPECT_EQ(catalogue.Data().size(), n);
    const int last = catalogue.FindAntenna("Last", "Tail");
    ASSERT_EQ(last, catalogue.Count() - 1);
    const RData& data = catalogue.Data()[static_cast<std::size_t>(last)];
    ASSERT_EQ(PointCount(data), 1);
    EXPECT_DOUBLE_EQ(data.Frequencies[0], 14.2);
    EXPECT_DOUBLE_EQ(data.Gains[0], 7.5);
}

TEST_F(FailingFiles, AnOwnAntennaThatCannotBeWrittenCompletelyLeavesTheOldFile) {
    const std::string old = "[Club]\r\nLoop,Magnetic loop,7.1,-3,1,#\r\n";
    const std::string user = put("AntUser.txt", old);

    TDataFile file(user);
    ASSERT_TRUE(file.Load());
    file.AddSection("Club");
    file.AddLine("Club", "Yagi,3 el,14.2,7.5,3,#");
    std::string error;
    {
        FileSizeLimit limit(16);
        ASSERT_TRUE(limit.active());
        EXPECT_FALSE(file.Save(&error));
    }
    EXPECT_NE(error.find(user), std::string::npos) << error;
    EXPECT_EQ(slurp(user), old);
    EXPECT_EQ(entries().size(), 1u) << "no temporary file left";

    // The lines are kept: once the disk takes them, the same object writes them all.
    ASSERT_TRUE(file.Save(&error)) << error;
    EXPECT_EQ(slurp(user), old + "Yagi,3 el,14.2,7.5,3,#\r\n");
}

TEST_F(FailingFiles, AWorkingFolderThatWentAwayOrCannotBeWrittenRefusesTheSave) {
    const std::string folders[] = {path("gone"), "/proc/self"};
    fs::create_directory(path("gone"));
    fs::remove(path("gone"));
    for (const std::string& folder : folders) {
        TDataFile file(folder + "/AntUser.txt");
        ASSERT_TRUE(file.Load()); // a missing file is an empty one
        file.AddSection("Club");
        file.AddLine("Club", "Yagi,3 el,14.2,7.5,3,#");
        std::string error;
        EXPECT_FALSE(file.Save(&error)) << folder;
        EXPECT_NE(error.find(folder), std::string::npos) << error;
        EXPECT_EQ(file.Lines(), (StringArray{"[Club]", "Yagi,3 el,14.2,7.5,3,#"}));
    }
}

} // namespace
} // namespace radexa
