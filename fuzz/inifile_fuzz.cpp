// The settings-file reader: any bytes are read; the text it writes reads back to the same
// text; a window position written into it reads back exactly, and the file's other lines stay.
// The input repeated past the read limit is read as whole lines within the limit only.

#include "fuzz_input.h"

#include "core/support/inifile.h"

using namespace radexa;

namespace {

void CheckTheLimit(std::string_view bytes) {
    if (bytes.empty())
        return;
    std::string big;
    while (big.size() <= kIniReadLimit)
        big += bytes;
    const std::string_view kept = IniTextWithin(big);
    FUZZ_CHECK(kept.size() <= kIniReadLimit);
    FUZZ_CHECK(kept == std::string_view(big).substr(0, kept.size()));
    FUZZ_CHECK(kept.empty() || kept.back() == '\r' || kept.back() == '\n');
    // No line end after the kept part within the limit.
    FUZZ_CHECK(big.substr(kept.size(), kIniReadLimit - kept.size()).find_first_of("\r\n") ==
               std::string::npos);
    (void)IniFile(kept).readInteger("Fensterpositionen", "Left", 100);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CheckTheLimit(fuzz::Bytes(data, size));
    IniFile ini(fuzz::Bytes(data, size));
    (void)ini.readInteger("Fensterpositionen", "Left", 100);
    (void)ini.readString("Fensterpositionen", "Top");

    const std::string text = ini.text();
    FUZZ_CHECK(IniFile(text).text() == text);

    ini.writeInteger("Fensterpositionen", "Left", -32000);
    ini.writeInteger("fensterpositionen", "TOP", 2147483647);
    FUZZ_CHECK(ini.readInteger("Fensterpositionen", "Left", 100) == -32000);
    FUZZ_CHECK(ini.readInteger("Fensterpositionen", "Top", 100) == 2147483647);
    const IniFile reread(ini.text());
    FUZZ_CHECK(reread.readInteger("FENSTERPOSITIONEN", "left", 100) == -32000);
    FUZZ_CHECK(reread.readInteger("Fensterpositionen", "Top", 100) == 2147483647);
    FUZZ_CHECK(reread.text() == ini.text());
    return 0;
}
