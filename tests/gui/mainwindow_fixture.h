#pragma once
// A main window started in a fresh working folder of its own, with a small catalogue,
// one angle-data file, and the program's number settings; every box goes to the fakes.

#include "fakes.h"

#include "core/support/numbersettings.h"
#include "gui/app/mainwindow.h"
#include "gui/support/editalign.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace radexa::testing {

inline void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    f.write(bytes);
}

inline QByteArray readFile(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return f.readAll();
}

// Sets or removes an environment variable for the lifetime of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, std::optional<QByteArray> value)
        : m_name(name),
          m_old(qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt) {
        set(value);
    }
    ~ScopedEnv() { set(m_old); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    void set(const std::optional<QByteArray>& v) {
        if (v)
            qputenv(m_name, *v);
        else
            qunsetenv(m_name);
    }
    const char* m_name;
    std::optional<QByteArray> m_old;
};

class MainWindowTest : public ::testing::Test {
protected:
    // A catalogue with a 2 m / 70 cm Yagi that has angle data, a 20 m dipole and a
    // manufacturer in lower case (sorting ignores letter case).
    static QByteArray catalogue() {
        return "[Example]\r\n"
               "MyAnt,Yagi,144,7.456,4,432,11,9,#\r\n"
               "Dipole,Dipole,14.0,2.15,1,#\r\n"
               "[alpha]\r\n"
               "GP,Vertical,145,2.5,1,#\r\n";
    }
    static QByteArray angleData() {
        return "[Polarisation],vh\r\n[Bereich],90\r\n[Schrittweite],30\r\n"
               "[MHz],v,144,0\r\n0,3,10,20\r\n"
               "[MHz],h,0,0\r\n0,1\r\n";
    }

    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_oldCwd = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        QDir(m_dir.path()).mkpath("ang");
        writeFile(path("Antennas.txt"), catalogue());
        writeFile(path("ang/Example MyAnt.ang"), angleData());
    }
    void TearDown() override {
        form.reset();
        QDir::setCurrent(m_oldCwd);
    }

    void start() { form = std::make_unique<TRadexaForm>(m_dir.path(), false); }
    QString path(const QString& name) const { return QDir(m_dir.path()).filePath(name); }

    TEditAlign* field(const char* name) const {
        auto* e = form->findChild<TEditAlign*>(QString::fromLatin1(name));
        EXPECT_NE(e, nullptr) << name;
        return e;
    }
    QString text(const char* name) const { return field(name)->text(); }

    // Clicks a manufacturer, then one of its antennas, as the operator does.
    void pickAntenna(int manufacturerRow, int nameRow) {
        form->LBHersteller->setCurrentRow(manufacturerRow);
        form->LBHerstellerClick();
        form->LBTypen->setCurrentRow(nameRow);
        form->LBTypenClick();
    }
    void takeAntenna(int manufacturerRow, int nameRow) {
        pickAntenna(manufacturerRow, nameRow);
        form->ButTakeAntClick();
    }
    void takeMyAnt() { takeAntenna(1, 0); } // Example / MyAnt: 144 and 432 MHz, angle data

    ScopedNumberSettings numbers{ProgramNumberSettings(NumberSettings{})};
    FakeDialogs boxes;
    FakeDesktop desktop;
    std::unique_ptr<TRadexaForm> form;

private:
    QTemporaryDir m_dir;
    QString m_oldCwd;
};

} // namespace radexa::testing
