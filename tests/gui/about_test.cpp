#include "fakes.h"

#include "gui/antennas/ownantennadialog.h"
#include "gui/app/about.h"
#include "gui/app/maintainer.h"
#include "gui/app/splash.h"
#include "gui/graphics/sideviewwindow.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QImageReader>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QUrlQuery>

#include <gtest/gtest.h>

#include <cstdlib>

namespace radexa {
namespace {

void mouse(QWidget* target, QEvent::Type type, QPointF at = {3, 3}) {
    QMouseEvent event(type, at, target->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

void click(QWidget* target) {
    mouse(target, QEvent::MouseButtonPress);
    mouse(target, QEvent::MouseButtonRelease);
}

QColor textColor(const QWidget* w) {
    return w->palette().color(QPalette::WindowText);
}

// ---- The program's icon ----------------------------------------------------------------

QImage iconImage(const QIcon& icon) {
    return icon.pixmap(QSize(32, 32)).toImage().convertToFormat(QImage::Format_ARGB32);
}

// (The diagram window has an icon of its own.)
TEST(ProgramIcon, IsThePackagedIconAndEveryWindowShowsIt) {
    // The window icon is the packaged picture made small: compared at 32 pixels.
    const QImage packaged = QImage(RADEXA_SOURCE_DIR "/packaging/icons/org.radexa.Radexa.png")
                                .scaled(32, 32, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                .convertToFormat(QImage::Format_ARGB32);
    ASSERT_FALSE(packaged.isNull());
    EXPECT_FALSE(programIcon().isNull());
    const QImage expected = iconImage(programIcon());
    long difference = 0; // summed over the pixels, in grey levels and alpha
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            difference += std::abs(qGray(expected.pixel(x, y)) - qGray(packaged.pixel(x, y))) +
                          std::abs(qAlpha(expected.pixel(x, y)) - qAlpha(packaged.pixel(x, y)));
    EXPECT_LT(difference / 1024, 24) << "the window icon is not the packaged picture";
    EXPECT_EQ(iconImage(QApplication::windowIcon()), expected) << "set on the application";

    SideViewData side;
    side.antennaHeight = 12;
    side.angles = {0, 90};
    side.distances = {10, 4};
    TAutorForm about;
    TFormrdSplash* splash = new TFormrdSplash;
    TFormEigeneAntenne own("English");
    TFormSeitenansicht sideView(side);
    const struct {
        const char* what;
        QWidget* window;
    } windows[] = {
        {"About", &about}, {"splash", splash}, {"own antenna", &own}, {"side view", &sideView}};
    for (const auto& w : windows)
        EXPECT_EQ(iconImage(w.window->windowIcon()), expected) << w.what;
    delete splash;
}

// ---- About window ----------------------------------------------------------------------

TEST(AboutWindow, ShowsProgramAndMaintainersInItsFixedLayout) {
    TAutorForm about;
    EXPECT_EQ(about.windowTitle(), "About");
    EXPECT_EQ(about.size(), QSize(513, 243));
    EXPECT_EQ(about.findChild<QGroupBox*>("GroupBox2")->title(), "Programm Info");
    EXPECT_EQ(about.findChild<QGroupBox*>("GroupBox1")->title(), "Author");
    EXPECT_EQ(about.findChild<RaisedTitleLabel*>("LMDGraphicLabel")->text(), "Radexa");
    EXPECT_EQ(
        about.findChild<QPlainTextEdit*>("Memo2")->toPlainText().split('\n'),
        QStringList({"Programm to perform RF-Expose ", "calculations on amateur radio ",
                     "stations.", "Exposure limits are based on the ",
                     "International Commision on ", "Non-Ionizing Radiation ", "Protection"}));
    const QString maintainers = about.findChild<QPlainTextEdit*>("Memo1")->toPlainText();
    EXPECT_EQ(maintainers.split('\n'), TAutorForm::maintainerLines());
    for (const char* detail : {maintainer::Name, maintainer::CallSign, maintainer::OtherCallSigns})
        EXPECT_TRUE(maintainers.contains(QString::fromUtf8(detail))) << detail;
    EXPECT_EQ(about.findChild<QPushButton*>("Button1")->text(), "eMail me!");
    EXPECT_EQ(about.findChild<QPushButton*>("InfoBut1")->text(), "&Close");
    const auto* portrait = about.findChild<QLabel*>("Image1");
    EXPECT_EQ(portrait->pixmap().size(), QSize(118, 153));
    EXPECT_EQ(portrait->size(), QSize(118, 153));

    // Nothing sticks out of its group or the window, and the groups do not overlap.
    for (const QWidget* child : about.findChildren<QWidget*>()) {
        const QWidget* parent = child->parentWidget();
        if (child->isWindow() || !parent || child->objectName().isEmpty())
            continue;
        EXPECT_TRUE(parent->rect().contains(child->geometry()))
            << child->objectName().toStdString();
    }
    EXPECT_FALSE(about.findChild<QGroupBox*>("GroupBox1")
                     ->geometry()
                     .intersects(about.findChild<QGroupBox*>("GroupBox2")->geometry()));
}

TEST(AboutWindow, CloseButtonCancels) {
    TAutorForm about;
    about.show();
    about.findChild<QPushButton*>("InfoBut1")->click();
    EXPECT_EQ(about.result(), QDialog::Rejected);
    EXPECT_FALSE(about.isVisible());
}

TEST(ReportingProblems, PlaceholderAddressesAreKnown) {
    for (const char* placeholder :
         {"", "  ", "radexa", "@example.org", "radexa@", "radexa@example.org", "a@EXAMPLE.COM",
          "a@lists.example.net", "a@host.invalid", "a@radexa.test", "a@x.example", "a@localhost"})
        EXPECT_TRUE(isPlaceholderAddress(placeholder)) << placeholder;
    for (const char* real : {"dl1abc@darc.de", " op@example.org.uk ", "a@myexample.org"})
        EXPECT_FALSE(isPlaceholderAddress(real)) << real;
}

TEST(ReportingProblems, ARealAddressGetsTheMailAndTheSplashNamesIt) {
    testing::FakeDialogs boxes;
    testing::FakeDesktop desktop;
    QWidget parent;
    reportProblem(&parent, "dl1abc@darc.de", "Radexa team");
    EXPECT_EQ(desktop.openedUrls, QStringList("mailto:dl1abc@darc.de?subject=Automail%20Radexa"
                                              "&body=Hello%20Radexa%20team%2C%0D%0A%0D%0A"));
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(problemReportLine("dl1abc@darc.de"), "Please send bug reports to dl1abc@darc.de");

    // Without a mail client nothing is reported.
    desktop.openResult = false;
    reportProblem(&parent, "dl1abc@darc.de", "Radexa team");
    EXPECT_EQ(desktop.openedUrls.size(), 2);
    EXPECT_TRUE(boxes.boxes.empty());
}

// A placeholder address cannot receive mail: no mail is started, and the operator is
// told where problems are reported.
TEST(ReportingProblems, APlaceholderPointsToTheReadme) {
    testing::FakeDialogs boxes;
    testing::FakeDesktop desktop;
    QWidget parent;
    reportProblem(&parent, "radexa@example.org", "Radexa team");
    EXPECT_TRUE(desktop.openedUrls.isEmpty());
    ASSERT_EQ(boxes.informations().size(), 1);
    EXPECT_TRUE(boxes.informations()[0].contains("\"Reporting problems\" of the README"));
    EXPECT_EQ(problemReportLine("radexa@example.org"),
              "Problems? See \"Reporting problems\" in the README.");
    // The section exists.
    QFile readme(RADEXA_SOURCE_DIR "/README.md");
    ASSERT_TRUE(readme.open(QIODevice::ReadOnly));
    EXPECT_TRUE(readme.readAll().contains("\n## Reporting problems\n"));
}

TEST(AboutWindow, MailButtonReportsToTheMaintainersOfThisBuild) {
    testing::FakeDialogs boxes;
    testing::FakeDesktop desktop;
    TAutorForm about;
    about.show();
    about.findChild<QPushButton*>("Button1")->click();
    const QString address = QString::fromUtf8(maintainer::EmailAddress);
    const bool placeholder = isPlaceholderAddress(address);
    EXPECT_EQ(desktop.openedUrls.size(), placeholder ? 0 : 1);
    EXPECT_EQ(boxes.informations().size(), placeholder ? 1 : 0);
    EXPECT_EQ(TAutorForm::maintainerLines().contains(address), !placeholder)
        << "the memo shows no address that cannot receive mail";
    EXPECT_TRUE(about.isVisible());
}

TEST(AboutWindow, LinkLeadsToTheCommission) {
    testing::FakeDesktop desktop;
    TAutorForm about;
    auto* link = about.findChild<TLMDWebURLLabel*>("LaLink");
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->text(), QString::fromUtf8(maintainer::CommissionCaption));
    click(link);
    EXPECT_EQ(desktop.openedUrls, QStringList(QString::fromUtf8(maintainer::CommissionUrl)));
}

TEST(Portrait, TheJpegDecodesTo118By153) {
    QImageReader reader(TAutorForm::portraitResource());
    EXPECT_EQ(reader.format(), "jpeg");
    const QImage picture = reader.read();
    ASSERT_FALSE(picture.isNull()) << reader.errorString().toStdString();
    EXPECT_EQ(picture.size(), QSize(118, 153));
    // A picture, not a blank: a dark sky at the top, many colours.
    QSet<QRgb> colours;
    for (int y = 0; y < picture.height(); y += 3)
        for (int x = 0; x < picture.width(); x += 3)
            colours.insert(picture.pixel(x, y));
    EXPECT_GT(colours.size(), 200);
    EXPECT_GT(picture.pixelColor(2, 2).blue(), picture.pixelColor(2, 2).red());
}

// ---- Mail ------------------------------------------------------------------------------

TEST(MailUrl, EncodesEveryPartAndLeavesOutEmptyAddressLists) {
    const QString url = mailtoUrl("a b@example.org", {"c@example.org", " ", "d@example.org"}, {},
                                  {QString::fromUtf8("Grüße & 73"), "x=1?", ""}, "Re: 50%");
    EXPECT_EQ(url, "mailto:a%20b@example.org?cc=c@example.org,d@example.org"
                   "&subject=Re%3A%2050%25"
                   "&body=Gr%C3%BC%C3%9Fe%20%26%2073%0D%0Ax%3D1%3F%0D%0A%0D%0A");
    // What a mail client reads back.
    const QUrlQuery query{QUrl(url)};
    EXPECT_EQ(query.queryItemValue("body", QUrl::FullyDecoded),
              QString::fromUtf8("Grüße & 73\r\nx=1?\r\n\r\n"));
    EXPECT_EQ(query.queryItemValue("subject", QUrl::FullyDecoded), "Re: 50%");
    EXPECT_FALSE(query.hasQueryItem("bcc"));

    EXPECT_EQ(mailtoUrl("x@example.org", {}, {"y@example.org"}, {}, "S"),
              "mailto:x@example.org?bcc=y@example.org&subject=S");
}

// ---- Link label ------------------------------------------------------------------------

TEST(LinkLabel, OpensJumpOrElseItsCaption) {
    const struct {
        const char* jump;
        const char* caption;
        const char* opened;
    } cases[] = {
        {"  https://www.icnirp.org/  ", "ICNIRP", "https://www.icnirp.org/"},
        {"", "radexa@example.org", "mailto:radexa@example.org"},
        {"   ", "mailto:radexa@example.org", "mailto:radexa@example.org"},
        {"", "https://example.org/a b", "https://example.org/a%20b"},
        {"", "www.icnirp.org", "http://www.icnirp.org"},
    };
    for (const auto& c : cases) {
        testing::FakeDesktop desktop;
        TLMDWebURLLabel link;
        link.resize(100, 20);
        link.setJump(c.jump);
        link.setText(c.caption);
        click(&link);
        EXPECT_EQ(desktop.openedUrls, QStringList(c.opened)) << c.caption;
        EXPECT_TRUE(link.isEnabled()) << c.caption;
    }
}

TEST(LinkLabel, LooksLikeALinkAndIsPurpleWhilePressed) {
    testing::FakeDesktop desktop;
    TLMDWebURLLabel link;
    link.resize(100, 20);
    link.setText("radexa@example.org");
    EXPECT_EQ(link.cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(link.font().underline());
    EXPECT_EQ(textColor(&link), QColor(0, 0, 255));
    mouse(&link, QEvent::MouseButtonPress);
    EXPECT_EQ(textColor(&link), QColor(128, 0, 128));
    EXPECT_TRUE(desktop.openedUrls.isEmpty());
    // Released outside: back to blue, nothing opened.
    mouse(&link, QEvent::MouseButtonRelease, {150, 40});
    EXPECT_EQ(textColor(&link), QColor(0, 0, 255));
    EXPECT_TRUE(desktop.openedUrls.isEmpty());
}

TEST(LinkLabel, DisablesItselfWhenTheDesktopCannotOpenTheTarget) {
    testing::FakeDesktop desktop;
    desktop.openResult = false;
    TLMDWebURLLabel link;
    link.resize(100, 20);
    link.setText("www.icnirp.org");
    click(&link);
    EXPECT_EQ(desktop.openedUrls.size(), 1);
    EXPECT_FALSE(link.isEnabled());

    TLMDWebURLLabel empty; // nothing to open at all
    empty.resize(100, 20);
    click(&empty);
    EXPECT_EQ(desktop.openedUrls.size(), 1);
    EXPECT_FALSE(empty.isEnabled());
}

// ---- Help ------------------------------------------------------------------------------

class InFolder {
public:
    explicit InFolder(const QString& folder) : m_old(QDir::currentPath()) {
        QDir::setCurrent(folder);
    }
    ~InFolder() { QDir::setCurrent(m_old); }

private:
    QString m_old;
};

TEST(Help, OpensTheManualOfTheWorkingFolderOnlyWhenItIsThere) {
    testing::FakeDialogs boxes;
    testing::FakeDesktop desktop;
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    InFolder in(folder.path());

    EXPECT_FALSE(openHelpDocument());
    EXPECT_TRUE(desktop.openedUrls.isEmpty());
    EXPECT_TRUE(boxes.boxes.empty());

    QDir(folder.path()).mkdir(HelpFileName); // a folder of that name is no manual
    EXPECT_FALSE(openHelpDocument());
    QDir(folder.path()).rmdir(HelpFileName);

    QFile manual(folder.filePath(HelpFileName));
    ASSERT_TRUE(manual.open(QIODevice::WriteOnly));
    manual.write("%PDF-1.4\n");
    manual.close();
    EXPECT_TRUE(openHelpDocument());
    EXPECT_EQ(desktop.openedUrls,
              QStringList(QUrl::fromLocalFile(folder.filePath(HelpFileName)).toString()));
}

TEST(HelpTool, WritesTheManualAsAPdfOfSeveralPages) {
    const QString tool = RADEXA_BINARY_DIR "/bin/radexa-helpdoc";
    ASSERT_TRUE(QFile::exists(tool)) << "build the radexa-helpdoc target";
    QTemporaryDir folder;
    const QString pdf = folder.filePath("manual.pdf");

    QProcess run;
    run.start(tool, {RADEXA_SOURCE_DIR "/docs/help/radexa_help.html", pdf});
    ASSERT_TRUE(run.waitForFinished(60000));
    EXPECT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    EXPECT_TRUE(bytes.trimmed().endsWith("%%EOF"));
    const auto pages = QString::fromLatin1(bytes).count(QRegularExpression("/Type\\s*/Page\\b"));
    EXPECT_GE(pages, 10);
    EXPECT_FALSE(QFile::exists(pdf + ".part"));

    // A manual that cannot be read gives no PDF and a failure.
    QProcess missing;
    missing.start(tool, {folder.filePath("none.html"), folder.filePath("none.pdf")});
    ASSERT_TRUE(missing.waitForFinished(60000));
    EXPECT_NE(missing.exitCode(), 0);
    EXPECT_FALSE(QFile::exists(folder.filePath("none.pdf")));
}

} // namespace
} // namespace radexa
