// radexa-cli: the command-line calculator. It plays its options on the same station model
// as the main window, for batch evaluation of many configurations. Bad input gives one
// line on stderr, exit status 2 and nothing on stdout; output that cannot be written gives
// one line on stderr and exit status 1.

#include "cli/evaluation.h"
#include "cli/options.h"
#include "cli/output.h"
#include "cli/patterns.h"
#include "cli/report.h"
#include "core/support/atomicfile.h"
#include "core/support/numbersettings.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include <unistd.h>

using namespace radexa;
using namespace radexa::cli;

namespace {

// The folder of the program, with a trailing '/': its ang/ holds the angle data.
std::string programFolder() {
    char buf[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0)
        return "./";
    std::string path(buf, static_cast<std::size_t>(n));
    return path.substr(0, path.rfind('/') + 1);
}

void printError(const std::string& message) {
    const std::string line = "radexa-cli: " + MessageForTerminal(message) + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
}

// Writes the whole output; false (with errno) when it could not.
bool writeOut(const std::string& out) {
    errno = 0;
    if (std::fwrite(out.data(), 1, out.size(), stdout) != out.size())
        return false;
    return std::fflush(stdout) == 0;
}

int run(int argc, char** argv) {
    // Numbers are read as the program reads them: decimal comma, and the point always.
    ScopedNumberSettings program(ProgramNumberSettings(CurrentNumberSettings()));
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);
    const Options o = ParseOptions(args);
    std::string out;
    if (o.help) {
        out = Usage();
    } else if (o.version) {
        out = std::string("radexa-cli ") + RADEXA_VERSION + "\n";
    } else if (o.patternMode()) {
        out = MakeAngleData(o, programFolder());
    } else {
        const Evaluation e = Evaluate(o, programFolder());
        out = o.json ? JsonOutput(e) : TextOutput(e);
        WriteReports(o, e.rows.front(), programFolder());
    }
    if (!writeOut(out)) {
        const int err = errno;
        throw CliError{std::string("cannot write the output: ") +
                           (err ? std::strerror(err) : "write failed"),
                       kExitFailed};
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    // Under a file-size limit a write that goes beyond it fails instead of ending the
    // program without a word.
    IgnoreFileSizeSignal();
    try {
        return run(argc, argv);
    } catch (const CliError& e) {
        printError(e.message);
        return e.status;
    } catch (const std::bad_alloc&) {
        printError("not enough memory");
        return kExitFailed;
    }
}
