// The command-line calculator's option reader: any arguments (the input split at NUL
// bytes) are read or refused with one bounded line, never a crash; what it reads is a
// consistent set of options.

#include "fuzz_input.h"

#include "cli/options.h"
#include "core/support/numbersettings.h"

#include <string>
#include <vector>

using namespace radexa;
using namespace radexa::cli;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const ScopedNumberSettings program(ProgramNumberSettings(NumberSettings{}));
    std::vector<std::string> args;
    std::string arg;
    for (const char c : fuzz::Bytes(data, size)) {
        if (c == '\0') {
            args.push_back(arg);
            arg.clear();
        } else {
            arg += c;
        }
    }
    if (!arg.empty())
        args.push_back(arg);
    try {
        const Options o = ParseOptions(args);
        if (o.help)
            return 0;
        FUZZ_CHECK(!(o.band && o.frequency && !o.patternMode()));
        FUZZ_CHECK(!(o.power && o.distance));
        FUZZ_CHECK(o.manufacturer.has_value() == o.antenna.has_value() || o.patternMode());
        FUZZ_CHECK(!(o.stationFile && !o.stationOptions.empty()));
        FUZZ_CHECK(!(o.importPattern && o.model));
    } catch (const CliError& e) {
        // One line on the terminal, of bounded length, whatever was given.
        const std::string line = MessageForTerminal(e.message);
        FUZZ_CHECK(line.find('\n') == std::string::npos);
        FUZZ_CHECK(line.size() < 4000);
        FUZZ_CHECK(e.status == kExitBadInput);
    }
    return 0;
}
