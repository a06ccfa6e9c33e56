// TDataFile, the sectioned file behind "AntUser.txt": any bytes split into lines that
// survive saving (CR LF) and splitting again; the section lookups agree with each other; a
// line added to a section lands in it.
// The lines are put in as Load() would put them (SplitLines over the whole file), so that a
// run costs no file system round trip; Load itself is covered by the core tests.

#include "fuzz_input.h"

#include "core/support/datafile.h"

using namespace radexa;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::Bytes(data, size);
    TDataFile file("unused.txt");
    file.Lines() = SplitLines(bytes);

    std::string saved;
    for (const std::string& line : file.Lines()) {
        FUZZ_CHECK(line.find_first_of("\r\n") == std::string::npos);
        saved += line;
        saved += "\r\n";
    }
    FUZZ_CHECK(SplitLines(saved) == file.Lines());

    const StringArray sections = file.SectionNames();
    for (const std::string& name : sections) {
        FUZZ_CHECK(file.SectionExists(name));
        const int index = file.IndexOfSection(name);
        FUZZ_CHECK(index >= 0 && index < static_cast<int>(file.Lines().size()));
        const int last = file.LastLineOfSection(name);
        FUZZ_CHECK(last == -1 || (last > index && last < static_cast<int>(file.Lines().size())));
        (void)file.NextSectionName(name);
    }

    // A category named by the operator: the input's first line, if it makes a valid name.
    std::string category = file.Lines().empty() ? std::string("Own") : file.Lines().front();
    if (category.find_first_of("\r\n") != std::string::npos || category.empty())
        category = "Own";
    const std::string record = "MyAnt,Yagi,14.2,7.5,3,#";
    file.AddSection(category);
    FUZZ_CHECK(file.SectionExists(category));
    const std::size_t before = file.Lines().size();
    file.AddLine(category, record);
    FUZZ_CHECK(file.Lines().size() == before + 1);
    const int last = file.LastLineOfSection(category);
    FUZZ_CHECK(last >= 0 && file.Lines()[static_cast<std::size_t>(last)] == record);
    return 0;
}
