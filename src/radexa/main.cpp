// The desktop program: keeps the user's number separators, switches them for the run,
// shows the main window and puts the separators back at the end.

#include "core/support/atomicfile.h"
#include "core/support/numbersettings.h"
#include "gui/app/mainwindow.h"
#include "gui/support/systemnumbers.h"

#include <QApplication>
#include <QFont>
#include <QStyleFactory>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <new>

namespace {

const char* const kUsage =
    "Usage: radexa [--no-splash] [--help] [--version]\n"
    "Radexa calculates the safety distance of an amateur radio station.\n"
    "It reads Antennas.txt and AntUser.txt from the working folder.\n"
    "  --no-splash  start without the splash window\n"
    "  --help       show this text and exit\n"
    "  --version    show the version and exit\n"
    "  --quit-after-start  close again as soon as the window is shown (for measurements)\n";

int run(int argc, char** argv) {
    bool splash = true;
    bool quitAfterStart = false;
    // Answered before any window exists, so that they work without a display.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("radexa %s\n", RADEXA_VERSION);
            return 0;
        }
        if (std::strcmp(argv[i], "--no-splash") == 0) {
            splash = false;
            continue;
        }
        if (std::strcmp(argv[i], "--quit-after-start") == 0) {
            quitAfterStart = true;
            continue;
        }
        // Options Qt itself understands (-platform, -style, ...) are left to it.
        if (std::strncmp(argv[i], "--", 2) == 0) {
            std::fprintf(stderr, "radexa: unknown option '%s'\n%s", argv[i], kUsage);
            return 2;
        }
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Radexa"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSize(8);
    QApplication::setFont(font);

    // The program reads and writes numbers with the decimal comma while it runs; the
    // user's own separators come back when it ends. Nothing outside the process changes.
    const radexa::NumberSettings user = radexa::SystemNumberSettings();
    radexa::ScopedNumberSettings program(radexa::ProgramNumberSettings(user));

    radexa::TRadexaForm form(QApplication::applicationDirPath(), splash);
    if (form.catalogueMissing())
        return 1;
    form.show();
    if (quitAfterStart)
        QTimer::singleShot(0, &form, &QWidget::close);
    return app.exec();
}

} // namespace

int main(int argc, char** argv) {
    // A write beyond the file-size limit fails and is reported like any failed save,
    // instead of ending the program without a word and leaving the temporary file.
    radexa::IgnoreFileSizeSignal();
    try {
        return run(argc, argv);
    } catch (const std::bad_alloc&) {
        // The last resort: the readers report a lack of memory themselves.
        std::fputs("radexa: not enough memory\n", stderr);
        return 3;
    }
}
