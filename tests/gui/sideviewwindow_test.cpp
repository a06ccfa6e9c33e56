// The side view window driven as an operator drives it, with the dialogs and the
// clipboard scripted.
#include "fakes.h"

#include "../core/test_numbers.h"
#include "gui/graphics/sideviewwindow.h"
#include "paint/graphics/canvas.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace radexa {
namespace {

using testing::FakeDesktop;
using testing::FakeDialogs;

SideViewData station() {
    SideViewData d;
    d.antennaHeight = 12;
    d.angles = {0, 90, 180};
    d.distances = {10, 4, 2};
    d.caption.title = "Example Yagi";
    d.caption.power = 100;
    d.caption.antennaGain = 9.5;
    d.caption.bandName = "2m";
    return d;
}

class SideViewWindow : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<TFormSeitenansicht>(station());
        form->show();
    }
    template <typename T> T* child(const char* name) {
        T* w = form->findChild<T*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QString text(const char* name) { return child<QLineEdit>(name)->text(); }
    QColor backgroundPixel() { return form->picture().pixelColor(790, 30); }

    ScopedNumberSettings numbers{commaSettings()};
    FakeDialogs dialogs;
    FakeDesktop desktop;
    std::unique_ptr<TFormSeitenansicht> form;
};

TEST_F(SideViewWindow, ControlsStandWhereTheLayoutPutsThem) {
    EXPECT_EQ(child<QWidget>("ClientArea")->size(), QSize(841, 580));
    const struct {
        const char* name;
        QRect geometry;
        QString caption;
    } cases[] = {
        {"PaImage", {8, 8, 825, 489}, {}},
        {"IMSeitenansicht", {8, 8, 809, 473}, {}},
        {"GBMousePosition", {8, 504, 202, 71}, "Mouse-Position"},
        {"GBAusschnitt", {215, 504, 137, 71}, "Viewed Intervall"},
        {"GBSize", {358, 504, 184, 47}, "Size"},
        {"GBMaxWerte", {548, 504, 277, 71}, "Max. Values"},
        {"CBUrsprung", {358, 557, 62, 17}, "Origin"},
        {"CBfiveMeters", {422, 557, 64, 17}, "5-m-Line"},
        {"CBStrahlen", {488, 557, 56, 17}, "Rays"},
    };
    for (const auto& c : cases) {
        QWidget* w = child<QWidget>(c.name);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->geometry(), c.geometry) << c.name;
        if (auto* g = qobject_cast<QGroupBox*>(w)) {
            EXPECT_EQ(g->title(), c.caption) << c.name;
        }
        if (auto* b = qobject_cast<QCheckBox*>(w)) {
            EXPECT_EQ(b->text(), c.caption) << c.name;
        }
    }
    const struct {
        const char* name;
        QString caption;
    } buttons[] = {{"ButStandard", "Reset"}, {"ButPlus", "+"}, {"ButMinus", "-"}};
    for (const auto& b : buttons)
        EXPECT_EQ(child<QPushButton>(b.name)->text(), b.caption);
    EXPECT_EQ(child<QCheckBox>("CBmaxWerteZeichnen")->text(), "Draw");
    QStringList labels;
    for (const QLabel* l : form->findChildren<QLabel*>())
        labels << l->text();
    for (const char* l : {"X [m]", "Y [m]", "Pixel X", "Pixel Y", "X-Intervall [m]",
                          "Y-Intervall [m]", "ground clearance [m]", "Reach [m]"})
        EXPECT_TRUE(labels.contains(l)) << l;
    for (const char* f : {"EditMausX", "EditMausY", "EditMausPixX", "EditMausPixY"})
        EXPECT_EQ(text(f), "0") << f;
    EXPECT_EQ(form->windowTitle(),
              "Side View    Example Yagi    100 W    9,50 dBi      2m-Band    ");
}

TEST_F(SideViewWindow, MenusCarryTheirTextsAndShortcuts) {
    const struct {
        const char* name;
        QString text;
        QKeySequence shortcut;
    } cases[] = {{"MISpeichen", "&Save", QKeySequence("Ctrl+S")},
                 {"MIKopieren", "&Copy to Clipboard", QKeySequence("Ctrl+C")},
                 {"MIHintergrundfarbe", "Background Color", QKeySequence()}};
    for (const auto& c : cases) {
        const QAction* a = child<QAction>(c.name);
        EXPECT_EQ(a->text(), c.text);
        EXPECT_EQ(a->shortcut(), c.shortcut) << c.name;
    }
    EXPECT_EQ(child<QMenu>("MIGrafik")->title(), "Grafics");
    EXPECT_EQ(child<QMenu>("MIOptionen")->title(), "&Options");
}

TEST_F(SideViewWindow, ReadOutsAfterOpening) {
    const struct {
        const char* name;
        QString text;
    } cases[] = {{"EditSize", "1"},
                 {"EditXInt", " 29,32"},
                 {"EditYInt", " 17,14"},
                 {"EditBodenfreiheit", "   8,0"},
                 {"EditReichweite", "  10,0"}};
    for (const auto& c : cases)
        EXPECT_EQ(text(c.name), c.text) << c.name;
}

TEST_F(SideViewWindow, ZoomButtons) {
    const struct {
        const char* button;
        QString size;
    } steps[] = {{"ButPlus", "1,05"}, {"ButPlus", "1,1025"},  {"ButStandard", "1"},
                 {"ButPlus", "1,05"}, {"ButMinus", "0,9975"}, {"ButMinus", "0,947625"}};
    for (const auto& s : steps) {
        child<QPushButton>(s.button)->click();
        EXPECT_EQ(text("EditSize"), s.size) << s.button;
        EXPECT_DOUBLE_EQ(form->geometry().scale, 0.7 * 473 / 12 * form->zoom());
    }
}

TEST_F(SideViewWindow, CheckBoxesRedraw) {
    const QPoint reachArrow(250, 349);
    ASSERT_EQ(form->picture().pixelColor(reachArrow), PictureColor::Blue);
    child<QCheckBox>("CBmaxWerteZeichnen")->click();
    EXPECT_NE(form->picture().pixelColor(reachArrow), PictureColor::Blue);
    EXPECT_EQ(text("EditReichweite"), "  10,0") << "the read-outs stay filled";
    child<QCheckBox>("CBStrahlen")->click();
    EXPECT_TRUE(form->geometry().rays);
    EXPECT_EQ(form->geometry().zone[0], (PixelPoint{397, 123}));
}

// A zone that runs into the ground: the clearance reads 0, the picture labels the zone
// and draws no clearance arrow.
TEST(SideViewGround, ZoneInTheGroundShowsNoClearance) {
    ScopedNumberSettings numbers{commaSettings()};
    FakeDialogs dialogs;
    FakeDesktop desktop;
    SideViewData d = station();
    d.antennaHeight = 2;
    d.distances = {3, 3, 1}; // 1 m below the ground straight down
    TFormSeitenansicht form(d);
    form.show();
    const SideViewGeometry& g = form.geometry();
    ASSERT_TRUE(g.reachesGround);
    EXPECT_EQ(form.findChild<QLineEdit*>("EditBodenfreiheit")->text(), "   0,0");
    int blue = 0;
    for (int y = g.groundY - 40; y < g.groundY; ++y)
        blue += form.picture().pixelColor(g.clearanceX, y) == PictureColor::Blue;
    EXPECT_EQ(blue, 0) << "no clearance arrow";
    // The label stands where it always stands, in blue (smoothed letters: bluish pixels).
    int label = 0;
    for (int x = g.clearanceX + 10; x < g.clearanceX + 150; ++x)
        for (int y = g.groundY - 20; y < g.groundY - 5; ++y) {
            const QColor c = form.picture().pixelColor(x, y);
            label += c.blue() > 150 && c.red() < 120 && c.green() < 120;
        }
    EXPECT_GT(label, 40);
}

TEST_F(SideViewWindow, MouseReadout) {
    QMouseEvent move(QEvent::MouseMove, QPointF(121, 118), QPointF(121, 118), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(child<QWidget>("IMSeitenansicht"), &move);
    EXPECT_EQ(text("EditMausX"), "0,00");
    EXPECT_EQ(text("EditMausY"), "12,00");
    EXPECT_EQ(text("EditMausPixX"), " 121");
    EXPECT_EQ(text("EditMausPixY"), " 118");
}

TEST_F(SideViewWindow, BackgroundColourFromTheChooser) {
    dialogs.colorAnswers.push_back(QColor(10, 20, 30));
    child<QAction>("MIHintergrundfarbe")->trigger();
    EXPECT_EQ(backgroundPixel(), QColor(10, 20, 30));
    dialogs.colorAnswers.push_back(std::nullopt);
    child<QAction>("MIHintergrundfarbe")->trigger();
    EXPECT_EQ(backgroundPixel(), QColor(10, 20, 30)) << "cancel keeps the colour";
}

TEST_F(SideViewWindow, CancelledSaveWarnsAndTheReturningWindowIsReset) {
    child<QPushButton>("ButPlus")->click();
    dialogs.colorAnswers.push_back(QColor(10, 20, 30));
    child<QAction>("MIHintergrundfarbe")->trigger();
    dialogs.fileAnswers.push_back(std::nullopt);
    child<QAction>("MISpeichen")->trigger();
    EXPECT_EQ(dialogs.warnings(), QStringList{"File was not saved!"});
    EXPECT_EQ(dialogs.lastProposedFile, "Seitenansicht.bmp");
    EXPECT_EQ(dialogs.lastFilter, "Bitmaps (*.bmp);;Alle Dateien (*.*)");
    EXPECT_EQ(form->zoom(), 1.0);
    EXPECT_EQ(text("EditSize"), "1");
    EXPECT_EQ(backgroundPixel(), InfoBackgroundColor());
}

TEST_F(SideViewWindow, SavesA24BitBitmapWhateverTheName) {
    QTemporaryDir dir;
    const QString file = dir.filePath("picture.png");
    dialogs.fileAnswers.push_back(file);
    child<QAction>("MISpeichen")->trigger();
    EXPECT_TRUE(dialogs.warnings().isEmpty());
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    ASSERT_GT(bytes.size(), 54);
    EXPECT_EQ(bytes.left(2), "BM");
    auto le = [&](int at, int n) {
        int v = 0;
        for (int i = n - 1; i >= 0; --i)
            v = v * 256 + static_cast<unsigned char>(bytes[at + i]);
        return v;
    };
    EXPECT_EQ(le(18, 4), 809);
    EXPECT_EQ(le(22, 4), 473);
    EXPECT_EQ(le(28, 2), 24) << "bits per pixel";
    const QImage back(file, "BMP");
    EXPECT_EQ(back.pixelColor(121, 150), PictureColor::Black);
    EXPECT_EQ(back.pixelColor(790, 30), backgroundPixel());
}

// A write that fails is reported like a cancelled one instead of passing silently, and
// says why.
TEST_F(SideViewWindow, FailedWriteIsReported) {
    QTemporaryDir dir;
    dialogs.fileAnswers.push_back(dir.filePath("missing/folder/x.bmp"));
    child<QAction>("MISpeichen")->trigger();
    ASSERT_EQ(dialogs.warnings().size(), 1);
    EXPECT_TRUE(dialogs.warnings()[0].startsWith("File was not saved!\n"));
    EXPECT_TRUE(dialogs.warnings()[0].contains("missing/folder"))
        << dialogs.warnings()[0].toStdString();
}

TEST_F(SideViewWindow, CopyAndEveryClosingPutThePictureOnTheClipboard) {
    child<QAction>("MIKopieren")->trigger();
    EXPECT_EQ(desktop.clipboardImage, form->picture());
    desktop.clipboardImage = QImage();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QTest::keyClick(form.get(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(desktop.clipboardImage, form->picture()) << "Ctrl+C";
    desktop.clipboardImage = QImage();
    form->reject();
    EXPECT_EQ(desktop.clipboardImage, form->picture()) << "closing";
}

TEST(SideViewOpening, RefusedDataAreExplained) {
    FakeDialogs dialogs;
    SideViewData d = station();
    d.antennaHeight = -0.5;
    EXPECT_FALSE(TFormSeitenansicht::execute(nullptr, d));
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].kind, "warning");
    EXPECT_TRUE(dialogs.boxes[0].text.contains("antenna height"))
        << dialogs.boxes[0].text.toStdString();
    d = station();
    d.angles.clear();
    d.distances.clear();
    EXPECT_FALSE(TFormSeitenansicht::execute(nullptr, d));
    EXPECT_EQ(dialogs.boxes.size(), 2u);
}

TEST(SideViewOpening, ShowsModallyWithTheParentsIconAndIsGoneAfterClosing) {
    FakeDialogs dialogs;
    FakeDesktop desktop;
    QWidget parent;
    QPixmap icon(16, 16);
    icon.fill(Qt::red);
    parent.setWindowIcon(QIcon(icon));
    QString title;
    bool sameIcon = false;
    QTimer::singleShot(0, [&] {
        auto* form = qobject_cast<TFormSeitenansicht*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        title = form->windowTitle();
        sameIcon = form->windowIcon().cacheKey() == parent.windowIcon().cacheKey();
        form->close();
    });
    EXPECT_TRUE(TFormSeitenansicht::execute(&parent, station()));
    EXPECT_TRUE(title.startsWith("Side View    Example Yagi"));
    EXPECT_TRUE(sameIcon);
    EXPECT_FALSE(desktop.clipboardImage.isNull());
    EXPECT_TRUE(parent.findChildren<TFormSeitenansicht*>().isEmpty());
}

} // namespace
} // namespace radexa
