// The compliance report as a file: the PDF read back with poppler's tools holds the
// numbers exactly as the window shows them, in each language's labels; pictures only with
// angle data; a refused station says so; the JSON twin matches radexa-cli --json.

#include "mainwindow_fixture.h"

#include "core/app/report.h"
#include "core/support/cp1252.h"
#include "report/app/reportpdf.h"
#include "json/reportjson.h"

#include <QComboBox>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>

#include <nlohmann/json.hpp>

namespace radexa::testing {
namespace {

const QString kBin = QStringLiteral(RADEXA_BINARY_DIR "/bin/");

// The program's output; the test fails when it does not end with status 0.
QString run(const QString& program, const QStringList& arguments, QString* errors = nullptr) {
    QProcess p;
    p.start(program, arguments);
    EXPECT_TRUE(p.waitForFinished(60000)) << program.toStdString();
    EXPECT_EQ(p.exitCode(), 0) << program.toStdString() << ": "
                               << p.readAllStandardError().toStdString();
    if (errors)
        *errors = QString::fromUtf8(p.readAllStandardError());
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The caption the window puts on a control in the language (on one line).
QString caption(Language language, std::string_view target) {
    for (const LanguageText& t : LanguageTexts(language))
        if (t.kind == TextTargetKind::Caption && t.target == target)
            return QString::fromStdString(Cp1252ToUtf8(t.text)).simplified();
    ADD_FAILURE() << target;
    return {};
}

ReportRequest requestIn(Language language) {
    ReportRequest r;
    r.language = language;
    r.call = "DL/G4ABC/P";
    r.place = "M\xFC"
              "nchen";
    r.time = {2025, 5, 24, 14, 3};
    return r;
}

class ReportFileTest : public MainWindowTest {
protected:
    // The report of the window's station in its language, written and read back.
    struct ReadBack {
        QString text; // all pages, as laid out
        int pages = 0;
        QString info; // pdfinfo
        qint64 bytes = 0;
    };
    ReadBack readBack(const StationReport& report, PaperSize paper = PaperSize::A4) {
        const QString pdf = path("report.pdf");
        const FileWriteResult written =
            WriteReportPdf(QFile::encodeName(pdf).toStdString(), report, paper);
        EXPECT_TRUE(written.ok()) << written.error;
        ReadBack r;
        r.info = run("pdfinfo", {pdf});
        r.pages = QRegularExpression("Pages:\\s+(\\d+)").match(r.info).captured(1).toInt();
        r.text = run("pdftotext", {"-layout", pdf, "-"});
        r.bytes = QFileInfo(pdf).size();
        return r;
    }
    ReadBack windowReport() {
        return readBack(BuildStationReport(form->model(), requestIn(form->language())));
    }
};

TEST_F(ReportFileTest, HoldsTheWindowsNumbersInEachLanguagesLabels) {
    start();
    takeMyAnt();
    form->EditPower->setText("750");
    form->calcCall();
    const struct {
        void (TRadexaForm::*click)();
        Language language;
        const char* page;
    } languages[] = {
        {&TRadexaForm::MIGermanClick, Language::German, "Seite 1 von "},
        {&TRadexaForm::MIEnglishClick, Language::English, "Page 1 of "},
        {&TRadexaForm::MIFrenchClick, Language::French, "Page 1 sur "},
        {&TRadexaForm::MISwedishClick, Language::Swedish, "Sida 1 av "},
    };
    for (const auto& l : languages) {
        (form.get()->*l.click)();
        SCOPED_TRACE(LanguageName(l.language));
        const ReadBack pdf = windowReport();
        // Every number of the output group and the inputs, as the fields show them, on the
        // line of its label.
        const struct {
            const char* label;
            const char* field;
        } shown[] = {
            {"LaPower", "EditPower"},   {"LaGain", "EditGain"},
            {"LaLimit", "EditEps"},     {"LaAntIn", "EditAntIn"},
            {"LaEIRP", "EditEIRP"},     {"LarNahfeld", "EditrNahfeld"},
            {"LaFactor", "EditFactor"}, {"LaCableLength", "EditCableLength"},
        };
        for (const auto& s : shown) {
            const QRegularExpression line(QRegularExpression::escape(caption(l.language, s.label)) +
                                          " {2,}" + QRegularExpression::escape(text(s.field)) +
                                          "\n");
            EXPECT_TRUE(pdf.text.contains(line)) << s.label << " " << text(s.field).toStdString();
        }
        EXPECT_TRUE(pdf.text.contains(caption(l.language, "GBDist") + " [m]"));
        EXPECT_TRUE(pdf.text.contains(text("EditrPS")));
        EXPECT_TRUE(pdf.text.contains("DL/G4ABC/P"));
        EXPECT_TRUE(pdf.text.contains(QString::fromUtf8("München")));
        EXPECT_TRUE(pdf.text.contains(l.page + QString::number(pdf.pages)));
        EXPECT_FALSE(pdf.text.contains(text("EditEIRP").replace(',', '.'))) << "decimal comma";
    }
}

TEST_F(ReportFileTest, PicturePagesOnlyWithAngleData) {
    start();
    takeAntenna(1, 1); // the dipole: no angle data
    ASSERT_FALSE(form->model().anglePageShown());
    const ReadBack without = windowReport();
    takeMyAnt();
    ASSERT_TRUE(form->model().anglePageShown());
    const ReadBack with = windowReport();
    // The pictures' own texts are drawn as text: they can be found.
    for (const char* drawn :
         {"Safety distance", "Mast", "Sky", "Earth", "Antenna Side View", "Diagram"}) {
        EXPECT_TRUE(with.text.contains(drawn)) << drawn;
        EXPECT_FALSE(without.text.contains(drawn)) << drawn;
    }
    EXPECT_GE(with.pages, without.pages + 1);
    EXPECT_LT(with.bytes, 1 << 20);
}

TEST_F(ReportFileTest, ARefusedStationSaysSoInsteadOfNumbers) {
    start();
    form->ShowLimitsPage();
    form->CBLimits->setCurrentIndex(2); // FCC
    form->CBLimitsChange();
    form->CBBand->setCurrentIndex(0); // LW lies below it
    form->CBBandChange();
    ASSERT_EQ(text("EditrPS"), "---");
    const ReadBack pdf = windowReport();
    EXPECT_TRUE(pdf.text.contains("The station cannot be computed as it stands: FCC"));
    EXPECT_FALSE(pdf.text.contains(caption(Language::English, "LaAntIn")));
    EXPECT_FALSE(pdf.text.contains("Checks (* binding)"));
}

TEST_F(ReportFileTest, AngleTableOf73RowsRunsOverPagesWithItsHeaderRepeated) {
    QByteArray values = "0";
    for (int a = 5; a <= 360; a += 5)
        values += "," + QByteArray::number(std::min(a, 360 - a) / 6.0, 'f', 2);
    writeFile(path("ang/Example MyAnt.ang"),
              "[Polarisation],v\r\n[Bereich],360\r\n[Schrittweite],5\r\n[MHz],v,0,0\r\n" + values +
                  "\r\n");
    start();
    takeMyAnt();
    ASSERT_EQ(form->model().last().pattern.PatternAngles.size(), 73u);
    const ReadBack pdf = windowReport();
    EXPECT_LT(pdf.bytes, 1 << 20);
    const QStringList pages = pdf.text.split('\f');
    int headed = 0;
    for (const QString& page : pages)
        headed += page.contains(QRegularExpression(QString::fromUtf8(
            "Angle \\[°\\] +Attenuation \\[dB\\] +EIRP \\[W\\] +Distance \\[m\\]")));
    EXPECT_GE(headed, 2) << "the header on every page the table runs over";
    EXPECT_TRUE(pdf.text.contains(QRegularExpression("\n *360 +0,00 ")));
}

// Typed text is text on the page, never markup; a call too long for the footer ends
// short of the page number instead of running over it and off the page.
TEST_F(ReportFileTest, HostileAndLongCallsStayTextAndInsideThePage) {
    start();
    ReportRequest r = requestIn(Language::English);
    r.place = "<b>x</b> &amp; \xE4\xE9\xE5";
    const std::string longCall(300, 'W');
    for (const std::string& call : {std::string("<i>DL1ABC</i>"), longCall}) {
        SCOPED_TRACE(call.substr(0, 20));
        r.call = call;
        const ReadBack pdf = readBack(BuildStationReport(form->model(), r));
        EXPECT_TRUE(pdf.text.contains(QString::fromUtf8("<b>x</b> &amp; äéå")));
        const QStringList pages = pdf.text.split('\f', Qt::SkipEmptyParts);
        ASSERT_EQ(pages.size(), pdf.pages);
        for (int p = 0; p < pdf.pages; ++p) {
            const QString foot = pages[p].trimmed().split('\n').last();
            EXPECT_TRUE(foot.endsWith(QStringLiteral("Page %1 of %2").arg(p + 1).arg(pdf.pages)))
                << foot.toStdString();
            if (call == longCall)
                EXPECT_TRUE(foot.contains(QRegularExpression(QString::fromUtf8("W…  +Page "))))
                    << foot.toStdString();
            else
                EXPECT_TRUE(foot.contains("<i>DL1ABC</i>")) << foot.toStdString();
        }
    }
}

// A heading never stands alone at a page's foot, however much comes before it: its
// section's first line, or its table's first row, stands on the same page.
TEST_F(ReportFileTest, AHeadingIsNeverAloneAtThePageFoot) {
    for (const bool table : {false, true}) {
        for (int filler = 40; filler <= 60; ++filler) {
            SCOPED_TRACE(std::to_string(filler) + (table ? " lines before a table" : " lines"));
            StationReport report;
            report.title = "Title";
            report.pageText = "Page %1 of %2";
            report.footer = "Foot";
            ReportSection before;
            before.heading = "Before";
            for (int i = 0; i < filler; ++i)
                before.lines.push_back({"Line " + std::to_string(i), "1"});
            ReportSection after;
            after.heading = "Lonely heading";
            if (table)
                after.table = {{"Head", "Number"}, {{"row", "1"}, {"row", "2"}}};
            else
                for (int i = 0; i < 80; ++i)
                    after.paragraphs.push_back("A paragraph of the section.");
            report.sections = {before, after};
            const ReadBack pdf = readBack(report);
            for (const QString& page : pdf.text.split('\f', Qt::SkipEmptyParts)) {
                QStringList lines = page.split('\n', Qt::SkipEmptyParts);
                lines.removeIf([](const QString& l) { return l.trimmed().isEmpty(); });
                ASSERT_GE(lines.size(), 2);
                EXPECT_NE(lines[lines.size() - 2].trimmed(), "Lonely heading");
            }
        }
    }
}

TEST_F(ReportFileTest, PaperFromTheLocale) {
    const struct {
        const char* locale;
        PaperSize paper;
    } cases[] = {{"en_US", PaperSize::Letter}, {"en_CA", PaperSize::Letter},
                 {"es_MX", PaperSize::Letter}, {"de_DE", PaperSize::A4},
                 {"en_GB", PaperSize::A4},     {"sv_SE", PaperSize::A4},
                 {"C", PaperSize::A4}};
    for (const auto& c : cases)
        EXPECT_EQ(PaperSizeFor(QLocale(c.locale)), c.paper) << c.locale;
    {
        ScopedEnv all("LC_ALL", std::nullopt);
        ScopedEnv paper("LC_PAPER", "en_US.UTF-8");
        ScopedEnv lang("LANG", "de_DE.UTF-8");
        EXPECT_EQ(SystemPaperSize(), PaperSize::Letter);
    }
    start();
    EXPECT_TRUE(
        readBack(BuildStationReport(form->model(), requestIn(Language::English)), PaperSize::Letter)
            .info.contains("(letter)"));
    EXPECT_TRUE(windowReport().info.contains("(A4)"));
}

TEST_F(ReportFileTest, AFileThatCannotBeWrittenIsRefusedWithTheReason) {
    start();
    const std::string target = QFile::encodeName(path("no folder/report.pdf")).toStdString();
    const FileWriteResult written = WriteReportPdf(
        target, BuildStationReport(form->model(), requestIn(Language::English)), PaperSize::A4);
    EXPECT_FALSE(written.ok());
    EXPECT_NE(written.error.find("report.pdf"), std::string::npos) << written.error;
    EXPECT_FALSE(QFile::exists(path("no folder/report.pdf")));
}

// radexa-cli writes the same report for the station its options describe, on no display,
// with the JSON twin holding every key of --json with the same value.
TEST_F(ReportFileTest, TheCommandLineReportAndItsJsonTwin) {
    const QStringList station = {"--band",  "2m",        "--power", "750",         "--manufacturer",
                                 "Example", "--antenna", "MyAnt",   "--angle-dir", path("ang")};
    const QString cli = kBin + "radexa-cli";
    const auto plain =
        nlohmann::json::parse(run(cli, station + QStringList{"--json"}).toStdString());
    ScopedEnv fixedTime("SOURCE_DATE_EPOCH", "86400");
    ScopedEnv noDisplay("DISPLAY", std::nullopt);
    ScopedEnv platform("QT_QPA_PLATFORM", "xcb"); // would fail: the report picks offscreen itself
    QString errors;
    run(cli,
        station + QStringList{"--report", path("r.pdf"), "--report-json", path("r.json"), "--call",
                              "DL/G4ABC/P", "--place", QString::fromUtf8("Köln"), "--language",
                              "de"},
        &errors);
    EXPECT_EQ(errors, "") << "nothing on stderr";
    const auto twin = nlohmann::json::parse(readFile(path("r.json")).toStdString());
    ASSERT_TRUE(twin.contains("station"));
    for (const auto& [key, value] : plain.items())
        EXPECT_EQ(twin["station"][key], value) << key;
    EXPECT_EQ(twin["report"]["call"], "DL/G4ABC/P");
    EXPECT_EQ(twin["report"]["place"], "K\xC3\xB6ln");
    EXPECT_EQ(twin["report"]["language"], "de");
    EXPECT_EQ(twin["report"]["date"], "1970-01-02");
    EXPECT_EQ(twin["limits"]["set"], "ICNIRP1998");
    EXPECT_EQ(twin["limits"]["checks"].size(), 1u);
    EXPECT_TRUE(twin["exemption"].is_null());
    ASSERT_EQ(twin["bands"].size(), 2u) << "the yagi's 2m and 70cm points";
    EXPECT_EQ(twin["bands"][1]["band"], "70cm");
    EXPECT_EQ(twin["bands"][0], plain);

    const QString text = run("pdftotext", {"-layout", path("r.pdf"), "-"});
    EXPECT_TRUE(text.contains("Leistung [W]"));
    EXPECT_TRUE(text.contains("1970-01-02 00:00"));
    EXPECT_TRUE(text.contains(QString::fromStdString(plain["band"].get<std::string>())));
}

TEST_F(ReportFileTest, TheJsonTwinOfARefusedStationHasNoNumbersItDidNotCompute) {
    start();
    form->ShowLimitsPage();
    form->CBLimits->setCurrentIndex(2); // FCC
    form->CBLimitsChange();
    form->CBBand->setCurrentIndex(0); // LW
    form->CBBandChange();
    const auto twin =
        nlohmann::json::parse(ReportJson(form->model(), requestIn(Language::English)));
    const auto& station = twin["station"];
    for (const char* key : {"e_limit", "ant_in_power", "eirp", "mean_eirp", "safety_distance"})
        EXPECT_TRUE(station[key].is_null()) << key;
    EXPECT_EQ(station["refusal"].get<std::string>().rfind("FCC", 0), 0u);
    EXPECT_TRUE(twin["limits"]["checks"].empty());
}

} // namespace
} // namespace radexa::testing
