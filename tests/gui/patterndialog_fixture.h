#pragma once
// The model and import dialogs in a fresh working folder: the window's fixture, with the
// operator's own angle folder moved into that folder too, so that no test reads or writes
// the real one.

#include "mainwindow_fixture.h"

#include "core/antennas/necmodel.h"
#include "gui/antennas/patterndialog.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QTimer>

#include <functional>

namespace radexa::testing {

#define REQUIRE_NEC2C()                                                                            \
    if (FindNec2c().empty())                                                                       \
    GTEST_SKIP() << "nec2c is not installed (apt install nec2c)"

class PatternDialogTest : public MainWindowTest {
protected:
    // Points the dialog at the test folder's files, as the main window does.
    void place(TPatternDialog& d) {
        d.UserFileName = path("AntUser.txt");
        d.AngleFolder = path("ang/");
    }
    static QString memo(const TPatternDialog& d) { return d.MemoResult->toPlainText(); }
    // The angle files of the program's folder.
    QStringList angleFiles() const { return QDir(path("ang")).entryList(QDir::Files, QDir::Name); }
    // Runs a menu item whose dialog `script` handles while it is open.
    template <typename Dialog>
    void withDialog(const std::function<void()>& menuItem,
                    const std::function<void(Dialog&)>& script) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            auto* d = qobject_cast<Dialog*>(modal);
            if (!d) {
                ADD_FAILURE() << "the menu item opened no such dialog";
                if (modal)
                    modal->close(); // never left blocking
                return;
            }
            seen = true;
            script(*d);
            if (d->isVisible())
                d->reject();
        });
        menuItem();
        EXPECT_TRUE(seen);
    }

    ScopedEnv userData{"XDG_DATA_HOME", QFile::encodeName(path("user-data"))};
};

} // namespace radexa::testing
