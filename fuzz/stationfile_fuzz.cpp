// The station-file reader: any bytes are read without failing; every line not restored is
// named once; a bounded number of lines is kept, none holding a line end; what was restored
// is written again by the builder and reads back the same.

#include "fuzz_input.h"

#include "core/app/stationfile.h"

using namespace radexa;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const StationFileReading reading = ParseStationFile(fuzz::Bytes(data, size));
    for (std::size_t i = 0; i < reading.problems.size(); ++i) {
        const int line = static_cast<int>(reading.problems[i].line);
        FUZZ_CHECK(line >= 1 && line <= kStationLineCount);
        FUZZ_CHECK(!reading.restored(reading.problems[i].line));
        for (std::size_t j = i + 1; j < reading.problems.size(); ++j)
            FUZZ_CHECK(reading.problems[i].line != reading.problems[j].line);
    }
    (void)StationProblemsWarning("Problems in", "fuzz.txt", reading);

    FUZZ_CHECK(reading.lines.size() <= kStationLinesRead);
    for (const std::string& line : reading.lines)
        FUZZ_CHECK(line.find_first_of("\r\n") == std::string::npos);
    if (reading.problems.empty()) {
        const std::string rebuilt = BuildStationFile(reading.record);
        const StationFileReading again = ParseStationFile(rebuilt);
        FUZZ_CHECK(again.problems.empty());
        FUZZ_CHECK(reading.record == again.record);
        FUZZ_CHECK(BuildStationFile(again.record) == rebuilt);
    }
    return 0;
}
