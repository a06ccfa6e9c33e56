// Readers at their limits: angle files of 32 767 lines, and station files with odd line
// ends, missing lines and lines that end early, read from disk as the window reads them.

#include "core/antennas/angledata.h"
#include "core/app/stationfile.h"
#include "core/support/atomicfile.h"

#include "test_files.h"

#include <sys/stat.h>

namespace radexa {
namespace {

namespace fs = std::filesystem;

using FailingReaders = TempFolderTest;

// An angle file of exactly 32 767 lines: four key and section lines, then one attenuation
// per line. The last line can be replaced.
std::string LongAngleFile(int step, const std::string& lastLine = "0.5") {
    std::string text = "[Polarisation],v\r\n[Bereich],360\r\n[Schrittweite]," +
                       std::to_string(step) + "\r\n[MHz],v,0,0\r\n";
    for (int line = 5; line < 32767; ++line)
        text += std::to_string(line % 40) + "\r\n";
    return text + lastLine + "\r\n";
}

TEST_F(FailingReaders, AngleFilesOf32767LinesAreReadToTheLastAngle) {
    const TWinkAnt w = ReadAngleFile(put("Example Long.ang", LongAngleFile(1)), 14.0);
    EXPECT_EQ(w.Title, "Example Long");
    ASSERT_EQ(w.VertAngles.size(), 32763u);
    EXPECT_EQ(w.VertAngles.back(), 32762);
    EXPECT_DOUBLE_EQ(w.VertAttenuations.back(), 0.5);
    EXPECT_TRUE(w.HorAngles.empty());
}

TEST_F(FailingReaders, AngleFilesAtAndBeyondTheirLimitsNameTheLineAndWhy) {
    std::string manyAngles = "[Polarisation],v\r\n[Bereich],360\r\n[Schrittweite],1\r\n"
                             "[MHz],v,0,0\r\n0";
    for (std::size_t k = 1; k <= kMaxAngles; ++k)
        manyAngles += ",0";
    const struct {
        std::string text;
        int line;
        std::string reason; // a piece of it
    } cases[] = {
        // A step of 2 takes the angle past 32 767 at the 16 385th value, on line 4 + 16 385.
        {LongAngleFile(2), 16389, "beyond 32767 degrees"},
        // A fault on the last line is named by its number beyond the 16-bit range's half.
        {LongAngleFile(1, "1,,2"), 32767, "two commas"},
        {LongAngleFile(1, "x"), 32767, "not a number"},
        {LongAngleFile(1) + "0.5\r\n", 32768,
         "the file has more than 32767 lines; an angle file holds at most that many"},
        {manyAngles + "\r\n", 5, "the section of line 4 has more than 32768 angles"},
        {std::string(kAngleFileSizeLimit + 1, '\n'), 0, "larger than 16 MiB"},
    };
    for (const auto& c : cases) {
        try {
            (void)ReadAngleFile(put("Example Long.ang", c.text), 14.0);
            ADD_FAILURE() << "accepted, fault expected on line " << c.line;
        } catch (const AngleDataError& e) {
            EXPECT_EQ(e.Line(), c.line) << e.what();
            EXPECT_EQ(e.Title(), "Example Long");
            EXPECT_NE(e.Reason().find(c.reason), std::string::npos) << e.what();
        }
    }
}

TEST_F(FailingReaders, AngleFilesAreFoundByTheUtf8FormOfTheirNamesFirst) {
    const std::string maker = "M\xFCller", name = "Y\xE4gi";
    const std::string utf8 = (m_dir / "M\xC3\xBCller Y\xC3\xA4gi.ang").string();
    const std::string raw = (m_dir / "M\xFCller Y\xE4gi.ang").string();
    EXPECT_EQ(FindAngleFile(m_dir.string(), maker, name), "");
    put("M\xFCller Y\xE4gi.ang", "raw");
    EXPECT_EQ(FindAngleFile(m_dir.string(), maker, name), raw);
    put("M\xC3\xBCller Y\xC3\xA4gi.ang", "utf8");
    EXPECT_EQ(FindAngleFile(m_dir.string(), maker, name), utf8);
    EXPECT_EQ(FindAngleFile(m_dir.string(), "..", "/etc/passwd"), "");
}

TEST_F(FailingReaders, AnAngleFileThatIsThereButCannotBeReadIsFoundAndExplained) {
    // A pipe is neither waited on nor passed over in silence.
    const std::string pipe = path("Example Pipe.ang");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    ASSERT_EQ(FindAngleFile(m_dir.string(), "Example", "Pipe"), pipe);
    try {
        (void)ReadAngleFile(pipe, 14.0);
        ADD_FAILURE() << "a pipe was read";
    } catch (const AngleDataError& e) {
        EXPECT_NE(e.Reason().find("not a regular file"), std::string::npos) << e.what();
    }
    if (::geteuid() != 0)
        return;
    // A file its reader may not read (here: nobody).
    ASSERT_EQ(::chmod(m_dir.c_str(), 0755), 0);
    const std::string secret = put("Example Secret.ang", LongAngleFile(1));
    ASSERT_EQ(::chmod(secret.c_str(), 0600), 0);
    const std::string seen = RunInChild([&] {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            return std::string("could not become nobody");
        const std::string found = FindAngleFile(m_dir.string(), "Example", "Secret");
        try {
            (void)ReadAngleFile(found, 14.0);
            return found + ": read";
        } catch (const AngleDataError& e) {
            return found + ": " + e.Reason();
        }
    });
    EXPECT_EQ(seen, secret + ": Cannot read \"" + secret + "\": Permission denied");
}

TEST_F(FailingReaders, AMissingOrUnreadableAngleFileIsReportedWithItsTitle) {
    fs::create_directory(m_dir / "Example Folder.ang");
    const std::string files[] = {(m_dir / "Example Missing.ang").string(),
                                 (m_dir / "Example Folder.ang").string()};
    for (const std::string& file : files) {
        try {
            (void)ReadAngleFile(file, 14.0);
            ADD_FAILURE() << "read: " << file;
        } catch (const AngleDataError& e) {
            EXPECT_EQ(e.Title(), AngleFileTitle(file)) << e.what();
        }
    }
}

const std::string kLines[kStationLineCount] = {
    "Band/Frequenz...........>20m",   "Antenne.................>Dipole;Example",
    "H\xF6he [m]................>12", "Leistung [W]............>100",
    "Betriebsart.............>SSB",   "TXRX-Intervall..........>TX3 RX3",
    "FCC/BNetzA..............>FCC",   "KabelTyp................>RG213",
    "Kabell\xE4nge.[m]..........>10", "sonst. D\xE4mpfungen.[dB]..>0",
};

std::string StationFileWith(const std::string& lineEnd, int lines = kStationLineCount) {
    std::string text;
    for (int i = 0; i < lines; ++i)
        text += kLines[i] + lineEnd;
    return text;
}

TEST_F(FailingReaders, StationFilesReadTheSameWhateverTheirLineEnds) {
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"CR LF", StationFileWith("\r\n")},
        {"LF", StationFileWith("\n")},
        {"CR", StationFileWith("\r")},
        {"CR CR LF", StationFileWith("\r\r\n")},
        {"no end on the last line",
         StationFileWith("\r\n").substr(0, StationFileWith("\r\n").size() - 2)},
        {"mixed", kLines[0] + "\n" + kLines[1] + "\r\n" + kLines[2] + "\r\r\n" +
                      StationFileWith("\r\n").substr(StationFileWith("\r\n").find("Leistung"))},
        {"lone CRs among LFs",
         kLines[0] + "\r" + kLines[1] + "\n" + kLines[2] + "\r" +
             StationFileWith("\n").substr(StationFileWith("\n").find("Leistung"))},
    };
    for (const auto& c : cases) {
        const FileReadResult file = ReadStationFile(put("MYCALL.txt", c.bytes));
        ASSERT_TRUE(file.ok());
        const StationFileReading reading = ParseStationFile(file.bytes);
        EXPECT_TRUE(reading.problems.empty()) << c.name;
        EXPECT_EQ(reading.record.band, "20m") << c.name;
        EXPECT_EQ(reading.record.antennaName, "Dipole") << c.name;
        EXPECT_EQ(reading.record.manufacturer, "Example") << c.name;
        EXPECT_EQ(reading.record.power, "100") << c.name;
        EXPECT_EQ(reading.record.cable, "RG213") << c.name;
        EXPECT_EQ(reading.record.otherAttenuations, "0") << c.name;
        EXPECT_EQ(BuildStationFile(reading.record), StationFileWith("\r\n")) << c.name;
    }
}

TEST_F(FailingReaders, AStationFileBeyondOneMebibyteIsRefusedUnread) {
    const std::string ten = StationFileWith("\r\n");
    const std::string atLimit = ten + std::string(kStationFileSizeLimit - ten.size(), '\n');
    const FileReadResult fits = ReadStationFile(put("fits.txt", atLimit));
    ASSERT_TRUE(fits.ok()) << fits.error;
    EXPECT_TRUE(ParseStationFile(fits.bytes).problems.empty());

    const std::string big = put("big.txt", atLimit + "\n");
    const FileReadResult refused = ReadStationFile(big);
    EXPECT_EQ(refused.status, FileReadStatus::TooLarge);
    EXPECT_TRUE(refused.bytes.empty());
    EXPECT_NE(refused.error.find("\"" + big + "\" is not a station file"), std::string::npos)
        << refused.error;
    EXPECT_NE(refused.error.find("1 MiB"), std::string::npos) << refused.error;

    fs::create_directory(path("folder.txt"));
    EXPECT_EQ(ReadStationFile(path("folder.txt")).status, FileReadStatus::Unreadable);
    EXPECT_EQ(ReadStationFile(path("missing.txt")).status, FileReadStatus::Missing);
}

TEST_F(FailingReaders, AStationFileThatEndsEarlyNamesEveryMissingLine) {
    for (int lines = 0; lines < kStationLineCount; ++lines) {
        const FileReadResult file =
            ReadWholeFile(put("MYCALL.txt", StationFileWith("\r\n", lines)));
        ASSERT_TRUE(file.ok());
        const StationFileReading reading = ParseStationFile(file.bytes);
        ASSERT_EQ(static_cast<int>(reading.problems.size()), kStationLineCount - lines);
        for (const StationFileProblem& p : reading.problems) {
            EXPECT_EQ(p.kind, StationProblemKind::Missing);
            EXPECT_GT(static_cast<int>(p.line), lines);
        }
        const std::string warning = StationProblemsWarning("Not restored:", "MYCALL.txt", reading);
        EXPECT_NE(warning.find(kLines[kStationLineCount - 1].substr(0, 25)), std::string::npos)
            << warning;
    }
}

} // namespace
} // namespace radexa
