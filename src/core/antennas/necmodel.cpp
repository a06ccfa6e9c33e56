#include "core/antennas/necmodel.h"

#include "core/support/atomicfile.h"
#include "core/support/plainnumber.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace radexa {

namespace {

constexpr double kSpeedOfLight = 299.792458; // metres times MHz
constexpr double kPi = 3.14159265358979323846;
constexpr double kDipoleLength = 0.48;   // wavelengths, a thin wire near resonance
constexpr double kVerticalLength = 0.24; // wavelengths
constexpr double kRadialLength = 0.25;   // wavelengths
constexpr double kSegmentsPerWavelength = 40;
constexpr double kRadialsAboveGround = 0.05; // metres, for radials "on the ground"
constexpr int kMaxRadials = 64;
constexpr double kMaxFrequency = 3000;
// Metres: higher than any mast; the cards' seven digits keep a tenth of a millimetre there
// (far above, a wire's ends would round together and nec2c would run without end).
constexpr double kMaxHeight = 1000;

const char* const kInstallHint = "install it with: apt install nec2c";

std::string num(double x) {
    // Seven significant digits are plenty for coordinates and keep the cards short.
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.7g", x);
    std::string text = buffer;
    // snprintf follows the C locale; the deck needs a point.
    for (char& c : text)
        if (c == ',')
            c = '.';
    return text;
}

double wavelength(double frequency) {
    if (!(frequency > 0) || frequency > kMaxFrequency)
        throw NecModelError("the frequency must lie above 0 and up to " +
                            PlainShortest(kMaxFrequency) + " MHz");
    return kSpeedOfLight / frequency;
}

// Segments for a wire: at most a 40th of a wavelength each, at least 5; odd when the wire
// is fed in its middle.
int segments(double length, double lambda, bool odd) {
    int n = std::max(5, static_cast<int>(std::ceil(length / lambda * kSegmentsPerWavelength)));
    if (odd && n % 2 == 0)
        ++n;
    return n;
}

void checkRadius(const NecModelOptions& o, double lambda) {
    if (!(o.wireRadius > 0) || o.wireRadius * 4 > lambda / kSegmentsPerWavelength)
        throw NecModelError("the wire radius must lie above 0 and below a quarter of a segment (" +
                            PlainFixed(lambda / kSegmentsPerWavelength / 4 * 1000, 1) + " mm)");
}

bool overGround(const NecModelOptions& o) {
    return o.ground != NecGround::FreeSpace;
}

void checkHeight(const char* what, double height, const NecModelOptions& o) {
    if (!std::isfinite(height) || (overGround(o) && !(height > o.wireRadius)))
        throw NecModelError(std::string(what) + " must lie above the ground (above 0 m)");
    if (std::abs(height) > kMaxHeight)
        throw NecModelError(std::string(what) + " must lie no higher than " +
                            PlainShortest(kMaxHeight) + " m");
}

std::string groundName(NecGround g) {
    switch (g) {
    case NecGround::FreeSpace:
        return "free space";
    case NecGround::Perfect:
        return "perfect ground";
    case NecGround::Average:
        return "average ground (er 13, 0.005 S/m)";
    case NecGround::Poor:
        break;
    }
    return "poor ground (er 5, 0.001 S/m)";
}

class DeckWriter {
public:
    DeckWriter(std::string_view comment) { m_text = "CM " + std::string(comment) + "\nCE\n"; }
    int wire(int segmentCount, double x1, double y1, double z1, double x2, double y2, double z2,
             double radius) {
        ++m_tag;
        m_text += "GW " + std::to_string(m_tag) + " " + std::to_string(segmentCount) + " " +
                  num(x1) + " " + num(y1) + " " + num(z1) + " " + num(x2) + " " + num(y2) + " " +
                  num(z2) + " " + num(radius) + "\n";
        return m_tag;
    }
    // Ground, frequency, source and the pattern cards; then the end.
    // The cut lies at the deck's azimuth; with the full sphere the import looks for the
    // plane of the largest gain itself.
    void finish(NecDeck& deck, const NecModelOptions& o, int sourceTag, int sourceSegment) {
        const double frequency = deck.frequency;
        const double azimuth = deck.azimuth.value_or(0.0);
        switch (o.ground) {
        case NecGround::FreeSpace:
            m_text += "GE 0\n";
            break;
        case NecGround::Perfect:
            m_text += "GE 1\nGN 1\n";
            break;
        case NecGround::Average:
            m_text += "GE 1\nGN 2 0 0 0 13 0.005\n";
            break;
        case NecGround::Poor:
            m_text += "GE 1\nGN 2 0 0 0 5 0.001\n";
            break;
        }
        m_text += "FR 0 1 0 0 " + num(frequency) + " 0\n";
        m_text +=
            "EX 0 " + std::to_string(sourceTag) + " " + std::to_string(sourceSegment) + " 0 1 0\n";
        // The cut: theta from the back horizon (negative: the side azimuth + 180) over the
        // zenith to the front horizon, in free space from nadir to nadir.
        if (overGround(o))
            m_text += "RP 0 181 1 1000 -90 " + num(azimuth) + " 1 0\n";
        else
            m_text += "RP 0 361 1 1000 -180 " + num(azimuth) + " 1 0\n";
        if (o.resolution == NecResolution::FullSphere)
            m_text += overGround(o) ? "RP 0 19 72 1000 0 0 5 5\n" : "RP 0 37 72 1000 0 0 5 5\n";
        m_text += "EN\n";
        deck.text = m_text;
        if (o.resolution == NecResolution::FullSphere)
            deck.azimuth.reset();
    }

private:
    std::string m_text;
    int m_tag = 0;
};

std::string metres(double x) {
    return PlainShortest(std::round(x * 100) / 100) + " m";
}

// ---- running nec2c -------------------------------------------------------------------------

bool executable(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

std::string readText(const std::filesystem::path& path) {
    const FileReadResult r = ReadWholeFile(path.string());
    return r.ok() ? r.bytes : std::string();
}

std::string lastLine(const std::string& text) {
    std::size_t end = text.find_last_not_of(" \t\r\n");
    if (end == std::string::npos)
        return {};
    std::size_t start = text.find_last_of("\r\n", end);
    start = start == std::string::npos ? 0 : start + 1;
    const std::size_t first = text.find_first_not_of(" \t", start);
    return text.substr(first, end - first + 1);
}

// The messages of a failed run: its standard error and the last line of its output.
std::string messages(const std::string& stderrText, const std::string& output) {
    std::string out;
    std::string err = stderrText;
    while (!err.empty() && (err.back() == '\n' || err.back() == '\r' || err.back() == ' '))
        err.pop_back();
    for (char& c : err)
        if (c == '\n' || c == '\r')
            c = ' ';
    if (!err.empty())
        out += ": " + err;
    const std::string last = lastLine(output);
    if (!last.empty())
        out += (out.empty() ? ": " : "; output ends with: ") + last;
    return out;
}

// A private temporary folder, removed with everything in it when this goes.
class TempFolder {
public:
    TempFolder() {
        std::error_code ec;
        std::string pattern =
            (std::filesystem::temp_directory_path(ec) / "radexa-nec-XXXXXX").string();
        if (ec)
            pattern = "/tmp/radexa-nec-XXXXXX";
        std::vector<char> buffer(pattern.begin(), pattern.end());
        buffer.push_back('\0');
        if (::mkdtemp(buffer.data()))
            m_path = buffer.data();
        else
            m_error = std::strerror(errno);
    }
    ~TempFolder() {
        if (!m_path.empty()) {
            std::error_code ec;
            std::filesystem::remove_all(m_path, ec);
        }
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return m_path; }
    const std::string& error() const { return m_error; }

private:
    std::filesystem::path m_path;
    std::string m_error;
};

} // namespace

NecDeck DipoleDeck(double frequency, double height, const NecModelOptions& o) {
    const double lambda = wavelength(frequency);
    checkRadius(o, lambda);
    checkHeight("the dipole", height, o);
    const double half = kDipoleLength * lambda / 2;
    const int n = segments(2 * half, lambda, true);
    NecDeck deck;
    deck.frequency = frequency;
    deck.azimuth = 90.0;
    deck.description = "Half-wave dipole, " + PlainShortest(frequency) + " MHz, " +
                       (overGround(o) ? metres(height) + " high, " : std::string()) +
                       groundName(o.ground);
    DeckWriter w(deck.description);
    const int tag = w.wire(n, -half, 0, height, half, 0, height, o.wireRadius);
    w.finish(deck, o, tag, (n + 1) / 2);
    return deck;
}

NecDeck InvertedVDeck(double frequency, double apexHeight, double apexAngle,
                      const NecModelOptions& o) {
    const double lambda = wavelength(frequency);
    checkRadius(o, lambda);
    checkHeight("the apex", apexHeight, o);
    if (!(apexAngle > 0 && apexAngle <= 180))
        throw NecModelError("the angle between the legs must lie above 0 and up to 180 degrees");
    // A short horizontal wire at the apex carries the source; the legs hang from its ends.
    const double centre = lambda / kSegmentsPerWavelength;
    const double leg = (kDipoleLength * lambda - centre) / 2;
    const double halfAngle = apexAngle / 2 * kPi / 180;
    const double dx = leg * std::sin(halfAngle), dz = leg * std::cos(halfAngle);
    const double lowest = apexHeight - dz;
    if (overGround(o) && !(lowest > o.wireRadius))
        throw NecModelError("the legs reach the ground: the apex must lie above " + metres(dz) +
                            " or the legs must open wider");
    const int n = segments(leg, lambda, false);
    NecDeck deck;
    deck.frequency = frequency;
    deck.azimuth = 90.0;
    deck.description = "Inverted V, " + PlainShortest(frequency) + " MHz, " +
                       PlainShortest(apexAngle) + " deg between the legs, " +
                       (overGround(o) ? "apex " + metres(apexHeight) + " high, " : std::string()) +
                       groundName(o.ground);
    DeckWriter w(deck.description);
    const double c = centre / 2;
    w.wire(n, -c - dx, 0, lowest, -c, 0, apexHeight, o.wireRadius);
    const int feed = w.wire(1, -c, 0, apexHeight, c, 0, apexHeight, o.wireRadius);
    w.wire(n, c, 0, apexHeight, c + dx, 0, lowest, o.wireRadius);
    w.finish(deck, o, feed, 1);
    return deck;
}

NecDeck VerticalDeck(double frequency, int radials, double baseHeight, bool onGround,
                     const NecModelOptions& o) {
    const double lambda = wavelength(frequency);
    checkRadius(o, lambda);
    if (radials < 1 || radials > kMaxRadials)
        throw NecModelError("the number of radials must lie between 1 and " +
                            std::to_string(kMaxRadials));
    if (onGround && !overGround(o))
        throw NecModelError("a vertical on the ground needs a ground: choose perfect, average "
                            "or poor ground, or an elevated vertical");
    const double base = onGround ? kRadialsAboveGround : baseHeight;
    if (!onGround)
        checkHeight("the base of the vertical", base, o);
    NecDeck deck;
    deck.frequency = frequency;
    deck.azimuth = 0.0;
    deck.description = "Quarter-wave vertical, " + PlainShortest(frequency) + " MHz, " +
                       std::to_string(radials) + (radials == 1 ? " radial, " : " radials, ") +
                       (onGround        ? std::string("on the ground, ")
                        : overGround(o) ? "base " + metres(base) + " high, "
                                        : std::string()) +
                       groundName(o.ground);
    if (onGround)
        deck.note = "NEC-2 cannot take radials that lie on the ground: they are modelled 5 cm "
                    "above it.";
    DeckWriter w(deck.description);
    const double height = kVerticalLength * lambda;
    const int radiator =
        w.wire(segments(height, lambda, false), 0, 0, base, 0, 0, base + height, o.wireRadius);
    const double r = kRadialLength * lambda;
    const int n = segments(r, lambda, false);
    for (int k = 0; k < radials; ++k) {
        const double a = 2 * kPi * k / radials;
        w.wire(n, 0, 0, base, r * std::cos(a), r * std::sin(a), base, o.wireRadius);
    }
    w.finish(deck, o, radiator, 1);
    return deck;
}

NecDeck OwnNecDeck(std::string_view text, double frequency, std::optional<double> azimuth) {
    NecDeck deck;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            deck.text += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            deck.text += text[i];
        }
    }
    if (!deck.text.empty() && deck.text.back() != '\n')
        deck.text += '\n';
    deck.frequency = frequency;
    deck.azimuth = azimuth;
    deck.description = "Own NEC deck";
    return deck;
}

std::string FindNec2c() {
    if (const char* path = std::getenv("PATH")) {
        std::string_view rest(path);
        while (true) {
            const auto colon = rest.find(':');
            const std::string folder(rest.substr(0, colon));
            if (!folder.empty()) {
                const std::string candidate = folder + "/nec2c";
                if (executable(candidate))
                    return candidate;
            }
            if (colon == std::string_view::npos)
                break;
            rest.remove_prefix(colon + 1);
        }
    }
    return executable("/usr/bin/nec2c") ? "/usr/bin/nec2c" : std::string();
}

NecRunResult RunNec2c(std::string_view deckText, const NecRunOptions& options) {
    NecRunResult result;
    const std::string program = options.program.empty() ? FindNec2c() : options.program;
    if (program.empty() || !executable(program)) {
        result.error = "nec2c was not found" +
                       (options.program.empty() ? std::string(" (neither in PATH nor /usr/bin)")
                                                : " at \"" + options.program + "\"") +
                       "; " + kInstallHint;
        return result;
    }
    TempFolder folder;
    if (folder.path().empty()) {
        result.error = "no temporary folder for nec2c: " + folder.error();
        return result;
    }
    const std::filesystem::path deckPath = folder.path() / "model.nec";
    const std::filesystem::path outPath = folder.path() / "model.out";
    const std::filesystem::path errPath = folder.path() / "stderr.txt";
    const FileWriteResult written = WriteFileAtomic(deckPath.string(), deckText);
    if (!written.ok()) {
        result.error = "the deck could not be written: " + written.error;
        return result;
    }

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addchdir_np(&actions, folder.path().c_str());
    std::string arg0 = program, i = "-i", in = "model.nec", o = "-o", out = "model.out";
    char* argv[] = {arg0.data(), i.data(), in.data(), o.data(), out.data(), nullptr};
    // The program ignores SIGXFSZ (IgnoreFileSizeSignal), which nec2c would inherit: its
    // writes beyond a file-size limit would then fail unseen and leave a cut-off output
    // behind an exit status of 0. With the default action the limit ends it, and says so.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGXFSZ);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, program.c_str(), &actions, &attributes, argv, environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        result.error = "nec2c could not be started: " + std::string(std::strerror(spawned));
        return result;
    }

    using Clock = std::chrono::steady_clock;
    const auto deadline =
        Clock::now() + std::chrono::duration_cast<Clock::duration>(
                           std::chrono::duration<double>(std::max(0.0, options.timeoutSeconds)));
    int status = 0;
    bool timedOut = false;
    bool stopped = false;
    auto pause = std::chrono::microseconds(200);
    while (true) {
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid)
            break;
        // Reaped already (the process ignores SIGCHLD): its output tells how it went.
        if (done < 0 && errno == ECHILD) {
            status = 0;
            break;
        }
        if (done < 0 && errno != EINTR) {
            result.error = "nec2c could not be awaited: " + std::string(std::strerror(errno));
            ::kill(pid, SIGKILL);
            return result;
        }
        stopped = options.stop && options.stop->load();
        if (stopped || Clock::now() >= deadline) {
            ::kill(pid, SIGKILL);
            while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
            timedOut = !stopped;
            break;
        }
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::microseconds(10000));
    }

    const std::string errText = readText(errPath);
    result.output = readText(outPath);
    if (stopped) {
        result.error = "the computation was stopped";
    } else if (timedOut) {
        result.error = "nec2c did not finish within " + PlainShortest(options.timeoutSeconds) +
                       " s and was stopped";
    } else if (WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) {
        result.error = "nec2c was stopped by the file-size limit (ulimit -f) before its output "
                       "was complete";
    } else if (WIFSIGNALED(status)) {
        result.error = "nec2c ended with signal " + std::to_string(WTERMSIG(status)) +
                       messages(errText, result.output);
    } else if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        result.error = "nec2c failed (exit status " + std::to_string(WEXITSTATUS(status)) + ")" +
                       messages(errText, result.output);
    } else if (result.output.empty()) {
        result.error = "nec2c wrote no output" + messages(errText, {});
    }
    if (!result.ok())
        result.output.clear();
    return result;
}

NecModelResult ComputeNecModel(const NecDeck& deck, const NecRunOptions& options) {
    NecModelResult result;
    result.note = deck.note;
    const NecRunResult run = RunNec2c(deck.text, options);
    if (!run.ok()) {
        result.error = run.error;
        return result;
    }
    PatternImportOptions import;
    if (deck.frequency > 0)
        import.frequency = deck.frequency;
    import.azimuth = deck.azimuth;
    try {
        result.pattern = ImportNecPattern(run.output, import);
    } catch (const PatternImportError& e) {
        result.error = "the output of nec2c cannot be used: " + std::string(e.what());
        return result;
    }
    StringArray notes;
    if (!deck.description.empty())
        notes.push_back(deck.description);
    if (!deck.note.empty())
        notes.push_back(deck.note);
    notes.insert(notes.end(), result.pattern.notes.begin(), result.pattern.notes.end());
    result.pattern.notes = std::move(notes);
    return result;
}

} // namespace radexa
