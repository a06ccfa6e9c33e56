#pragma once
// The model and import dialogs in a fresh working folder: the window's fixture, with the
// operator's own angle folder moved into that folder too, so that no test reads or writes
// the real one.

#include "mainwindow_fixture.h"

#include "core/antennas/necmodel.h"
#include "gui/antennas/patterndialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMap>
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
    // The accelerator keys of the dialog's captions that more than one of them claims
    // (Alt and such a key only moves the focus between them, and clicks no button).
    static QStringList sharedMnemonics(const QWidget& d) {
        QMap<QChar, QStringList> owners;
        auto add = [&](const QString& text, const QString& owner) {
            const qsizetype at = text.indexOf(QLatin1Char('&'));
            if (at >= 0 && at + 1 < text.size())
                owners[text.at(at + 1).toLower()] << owner;
        };
        for (const QLabel* l : d.findChildren<QLabel*>())
            if (l->buddy() && !l->isHidden())
                add(l->text(), l->objectName());
        for (const QAbstractButton* b : d.findChildren<QAbstractButton*>())
            if (!b->isHidden())
                add(b->text(), b->objectName());
        for (const QGroupBox* g : d.findChildren<QGroupBox*>())
            add(g->title(), g->objectName());
        QStringList shared;
        for (auto i = owners.cbegin(); i != owners.cend(); ++i)
            if (i->size() > 1)
                shared << QString(i.key()) + QStringLiteral(": ") + i->join(QLatin1Char(' '));
        return shared;
    }
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
