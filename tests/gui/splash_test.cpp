#include "gui/app/splash.h"

#include "gui/app/about.h"
#include "gui/app/maintainer.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>

#include <gtest/gtest.h>

namespace radexa {
namespace {

// A splash whose waiting is recorded instead of spent.
class RecordedSplash {
public:
    RecordedSplash() : splash(new TFormrdSplash) {
        splash->waitFor = [this](int ms) {
            waits << ms;
            shownWhileWaiting = splash->Showing && splash->isVisible();
        };
    }
    ~RecordedSplash() { delete splash; } // null when the splash released itself
    RecordedSplash(const RecordedSplash&) = delete;
    RecordedSplash& operator=(const RecordedSplash&) = delete;

    TFormrdSplash* operator->() const { return splash; }
    QRect titleGeometry() const { return title()->geometry(); }
    RaisedTitleLabel* title() const {
        return splash->findChild<RaisedTitleLabel*>("LMDGraphicLabel");
    }
    QLabel* label(const char* name) const { return splash->findChild<QLabel*>(name); }

    QPointer<TFormrdSplash> splash;
    QList<int> waits;
    bool shownWhileWaiting = false;
};

void releaseClosedWindows() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void doubleClick(QWidget* target) {
    const QPointF at(4, 4);
    QMouseEvent event(QEvent::MouseButtonDblClick, at, target->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

TEST(Splash, StartsWithTheDefaultsOfItsCreation) {
    RecordedSplash s;
    EXPECT_TRUE(s->TitleText.isEmpty());
    EXPECT_TRUE(s->BottomLineText.isEmpty());
    EXPECT_TRUE(s->LoadLineText.isEmpty());
    EXPECT_FALSE(s->ShowLogo || s->ShowLoadLine || s->ShowBottomLine);
    EXPECT_EQ(s->DisplayTime, 0);
    EXPECT_EQ(s->GradientColor, QColor(0, 0, 255));
    EXPECT_EQ(s->BackColor, QGuiApplication::palette().color(QPalette::Button));
    EXPECT_EQ(s->TitleFontSize, 72);
    EXPECT_DOUBLE_EQ(s->TitleWidthFactor, 1.0);
    EXPECT_FALSE(s->Frameless || s->StayOpen || s->Showing);
    EXPECT_FALSE(s->isVisible());
}

TEST(Splash, EmptyTextsShowTheirDefaultsAndGivenTextsStay) {
    RecordedSplash empty;
    empty->StayOpen = true;
    empty->execute();
    EXPECT_EQ(empty->windowTitle(), "None Yet");
    EXPECT_EQ(empty.title()->text(), "None Yet");
    EXPECT_EQ(empty.label("LaBottomLine")->text(),
              QString::fromUtf8("Bugreports und Verbesserungsvorschläge sind erwünscht."));
    EXPECT_EQ(empty.label("LaLoad")->text(), "Laden von MYCALL's ");

    RecordedSplash given;
    given->StayOpen = true;
    given->TitleText = "Title";
    given->BottomLineText = "Bottom";
    given->LoadLineText = "Load";
    given->execute();
    EXPECT_EQ(given->windowTitle(), "Title");
    EXPECT_EQ(given.title()->text(), "Title");
    EXPECT_EQ(given.label("LaBottomLine")->text(), "Bottom");
    EXPECT_EQ(given.label("LaLoad")->text(), "Load");
}

TEST(SplashGeometry, TitleIsSizedByFontAndFactorAndCentredOnTheOuterWindow) {
    // The outer window is 540 x 307: the 532 x 273 client area and its caption frame.
    const struct {
        int fontSize;
        double factor;
        QRect expected;
    } cases[] = {
        {72, 1.0, QRect(157, 93, 226, 120)},  // 216 + 10 wide
        {95, 1.4, QRect(65, 74, 409, 158)},   // 285 x 1.4 + 10; 158.33 rounds to 158
        {50, 1.25, QRect(171, 112, 197, 83)}, // 197.5 is cut to 197
        {40, 2.0, QRect(145, 120, 250, 67)},
    };
    for (const auto& c : cases) {
        RecordedSplash s;
        s->StayOpen = true;
        s->TitleFontSize = c.fontSize;
        s->TitleWidthFactor = c.factor;
        s->execute();
        EXPECT_EQ(s.titleGeometry(), c.expected) << c.fontSize << " pt, factor " << c.factor;
        EXPECT_EQ(s.title()->pointSize(), c.fontSize);
    }
}

TEST(SplashGeometry, FramelessKeepsTheOuterSizeLessFortyPixels) {
    RecordedSplash framed;
    framed->StayOpen = true;
    framed->execute();
    EXPECT_EQ(framed->size(), QSize(532, 273));
    EXPECT_FALSE(framed->windowFlags() & Qt::FramelessWindowHint);

    RecordedSplash frameless;
    frameless->StayOpen = true;
    frameless->Frameless = true;
    frameless->execute();
    EXPECT_EQ(frameless->size(), QSize(540, 267));
    EXPECT_TRUE(frameless->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(frameless->windowFlags() & Qt::WindowStaysOnTopHint);
    // The bottom line still fits.
    EXPECT_LE(frameless.label("LaBottomLine")->geometry().bottom(), frameless->height());
}

TEST(Splash, ShowsForAtLeastHalfASecond) {
    const struct {
        int asked;
        int waited;
    } cases[] = {{0, 500}, {100, 500}, {-20, 500}, {499, 500}, {500, 500}, {2500, 2500}};
    for (const auto& c : cases) {
        RecordedSplash s;
        s->StayOpen = true;
        s->DisplayTime = c.asked;
        s->execute();
        EXPECT_EQ(s.waits, QList<int>{c.waited}) << c.asked;
        EXPECT_EQ(s->DisplayTime, c.waited) << c.asked;
    }
}

TEST(Splash, ClosesAndReleasesItselfAfterTheDisplayTime) {
    RecordedSplash s;
    s->execute();
    EXPECT_TRUE(s.shownWhileWaiting);
    ASSERT_TRUE(s.splash);
    EXPECT_FALSE(s->Showing);
    EXPECT_FALSE(s->isVisible());
    releaseClosedWindows();
    EXPECT_TRUE(s.splash.isNull());
}

TEST(Splash, StayOpenKeepsItUntilADoubleClickOnAnyOfItsParts) {
    for (const char* part : {"", "LMDGraphicLabel", "LaLoad", "IMLogo", "LaBottomLine"}) {
        RecordedSplash s;
        s->StayOpen = true;
        s->ShowLogo = s->ShowLoadLine = s->ShowBottomLine = true;
        s->execute();
        ASSERT_TRUE(s->Showing) << part;
        ASSERT_TRUE(s->isVisible()) << part;
        QWidget* target = *part ? s->findChild<QWidget*>(part) : s.splash.data();
        ASSERT_NE(target, nullptr) << part;
        doubleClick(target);
        EXPECT_FALSE(s->Showing) << part;
        EXPECT_FALSE(s->isVisible()) << part;
        releaseClosedWindows();
        EXPECT_TRUE(s.splash.isNull()) << part;
    }
}

TEST(Splash, FlagsShowLogoLoadLineAndBottomLine) {
    for (bool shown : {false, true}) {
        RecordedSplash s;
        s->StayOpen = true;
        s->ShowLogo = s->ShowLoadLine = s->ShowBottomLine = shown;
        s->BackColor = QColor(10, 200, 30);
        s->execute();
        EXPECT_EQ(s->findChild<QWidget*>("IMLogo")->isVisible(), shown);
        EXPECT_EQ(s.label("LaLoad")->isVisible(), shown);
        EXPECT_EQ(s.label("LaBottomLine")->isVisible(), shown);
        EXPECT_EQ(s->findChild<QWidget*>("IMLogo")->geometry(), QRect(392, 8, 129, 65));
        EXPECT_EQ(s->grab().toImage().pixelColor(200, 50), QColor(10, 200, 30));
    }
}

TEST(Splash, FramelessWindowHasABlueAndABlackOutline) {
    const QColor blue(0, 0, 255), black(0, 0, 0);
    RecordedSplash frameless;
    frameless->StayOpen = true;
    frameless->Frameless = true;
    frameless->execute();
    const QImage picture = frameless->grab().toImage();
    const int w = picture.width(), h = picture.height();
    EXPECT_EQ(picture.pixelColor(0, h / 2), black);
    EXPECT_EQ(picture.pixelColor(w - 1, h / 2), black);
    EXPECT_EQ(picture.pixelColor(w / 2, 0), black);
    EXPECT_EQ(picture.pixelColor(w / 2, h - 1), black);
    for (int inset : {1, 3}) {
        EXPECT_EQ(picture.pixelColor(inset, h / 2), blue) << inset;
        EXPECT_EQ(picture.pixelColor(w - 1 - inset, h / 2), blue) << inset;
        EXPECT_EQ(picture.pixelColor(w / 2, inset), blue) << inset;
        EXPECT_EQ(picture.pixelColor(w / 2, h - 1 - inset), blue) << inset;
    }
    EXPECT_EQ(picture.pixelColor(8, h / 2), frameless->BackColor);

    RecordedSplash framed;
    framed->StayOpen = true;
    framed->execute();
    const QImage plain = framed->grab().toImage();
    EXPECT_EQ(plain.pixelColor(0, plain.height() / 2), framed->BackColor);
    EXPECT_EQ(plain.pixelColor(3, plain.height() / 2), framed->BackColor);
}

// Pixels of the title whose hue is that of the gradient colour.
int pixelsOfHue(const QImage& image, const QColor& color) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.hsvSaturation() > 80 && std::abs(c.hsvHue() - color.hsvHue()) < 20)
                ++n;
        }
    return n;
}

TEST(Splash, TitleLettersAreFilledWithTheGradientColour) {
    for (const QColor& color : {QColor(255, 0, 0), QColor(0, 0, 255)}) {
        RecordedSplash s;
        s->StayOpen = true;
        s->GradientColor = color;
        s->TitleText = "Radexa";
        s->execute();
        const QImage title = s.title()->grab().toImage();
        const QColor other = color.red() ? QColor(0, 0, 255) : QColor(255, 0, 0);
        // The letters cover a good part of the label; nothing is in the other colour.
        EXPECT_GT(pixelsOfHue(title, color), title.width() * title.height() / 10);
        EXPECT_EQ(pixelsOfHue(title, other), 0);
    }
}

TEST(StartupSplash, ShowsTheProgramFramelessForTwoAndAHalfSeconds) {
    RecordedSplash s;
    configureStartupSplash(*s.splash, "Radexa");
    EXPECT_EQ(s->DisplayTime, 2500);
    EXPECT_TRUE(s->Frameless);
    EXPECT_FALSE(s->StayOpen);
    s->execute();
    EXPECT_EQ(s.waits, QList<int>{2500});
    EXPECT_TRUE(s.shownWhileWaiting);
    EXPECT_EQ(s->windowTitle(), "Radexa");
    EXPECT_EQ(s.title()->text(), "Radexa");
    EXPECT_EQ(s.titleGeometry(), QRect(65, 74, 409, 158));
    EXPECT_EQ(s.label("LaLoad")->text(), "Now loading MYCALL's software.....");
    // Where problems go, whole on its line.
    const QLabel* bottom = s.label("LaBottomLine");
    EXPECT_EQ(bottom->text(), problemReportLine(QString::fromUtf8(maintainer::EmailAddress)));
    EXPECT_LE(bottom->fontMetrics().horizontalAdvance(bottom->text()), bottom->width());
    EXPECT_EQ(s->size(), QSize(540, 267));
    releaseClosedWindows();
    EXPECT_TRUE(s.splash.isNull());
}

// The logo paints inside its box only (nothing is cut off at the box's edge), and its
// waves stay clear of the zone's ellipse.
TEST(SplashLogo, IsDrawnInsideItsBoxAndTheWavesMissTheZone) {
    QImage image(300, 200, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    const QRect box(60, 50, 129, 65); // the splash's logo size
    {
        QPainter p(&image);
        SplashLogo::paint(p, box);
    }
    int inside = 0, outside = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const bool painted = qAlpha(image.pixel(x, y)) != 0;
            (box.contains(x, y) ? inside : outside) += painted;
        }
    EXPECT_EQ(outside, 0);
    EXPECT_GT(inside, 1000);

    const QRectF space = SplashLogo::logoSpace();
    EXPECT_TRUE(space.contains(SplashLogo::waveArea().boundingRect()));
    EXPECT_TRUE(space.contains(SplashLogo::zoneArea().boundingRect()));
    EXPECT_FALSE(SplashLogo::waveArea().intersects(SplashLogo::zoneArea()));
}

} // namespace
} // namespace radexa
