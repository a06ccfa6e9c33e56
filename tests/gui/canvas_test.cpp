// The drawing primitives and the two pictures, painted offscreen into a QImage and
// checked at the pixels the geometry computes.
#include "core/graphics/diagram.h"
#include "core/graphics/sideview.h"
#include "gui/graphics/picture.h"
#include "paint/graphics/canvas.h"
#include "paint/graphics/diagrampainter.h"
#include "paint/graphics/sideviewpainter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

namespace radexa {
namespace {

using namespace PictureColor;

QColor at(const QImage& image, int x, int y) {
    return image.pixelColor(x, y);
}

// Any pixel of the colour within the square of the given reach around (x, y).
bool near(const QImage& image, int x, int y, const QColor& color, int reach = 1) {
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx)
            if (image.rect().contains(x + dx, y + dy) && at(image, x + dx, y + dy) == color)
                return true;
    return false;
}

TEST(Canvas, PrimitivesThatKeepStatePutPenBrushAndFontBack) {
    QImage image = NewPicture(100, 100);
    QPainter painter(&image);
    Canvas c(painter);
    c.setPenWidth(2);
    const QPen pen = painter.pen();
    const QBrush brush = painter.brush();
    QFont font = painter.font();
    const struct {
        const char* what;
        std::function<void()> draw;
    } keeping[] = {
        {"FillCanvasWhite", [&] { FillCanvasWhite(c); }},
        {"FillCanvas", [&] { FillCanvas(c, Green); }},
        {"DrawLine", [&] { DrawLine(c, 1, 1, 50, 50, Red); }},
        {"LineToColored", [&] { LineToColored(c, 60, 10, Red); }},
        {"DrawArrow", [&] { DrawArrow(c, 1, 1, 50, 80, Red, 0); }},
        {"DrawDoubleArrow", [&] { DrawDoubleArrow(c, 1, 1, 50, 80, Red, -20); }},
        {"DrawArrowHead", [&] { DrawArrowHead(c, 40, 40, 10, 45, Red); }},
        {"DrawColoredText", [&] { DrawColoredText(c, 5, 5, "x", Red, Lime); }},
        {"DrawCircle", [&] { DrawCircle(c, 50, 50, 20, Red); }},
        {"DrawSpokes", [&] { DrawSpokes(c, 50, 50, 20, 45, Red); }},
        {"SetPixelColored", [&] { SetPixelColored(c, 3, 3, Red); }},
    };
    for (const auto& k : keeping) {
        k.draw();
        EXPECT_EQ(painter.pen(), pen) << k.what;
        EXPECT_EQ(painter.brush(), brush) << k.what;
        EXPECT_EQ(painter.font(), font) << k.what;
    }
    // The text's colour stays set; the line primitives that do not keep state leave
    // their colour in the pen.
    EXPECT_EQ(c.fontColor(), Red);
    MoveToColored(c, 10, 10, Blue);
    EXPECT_EQ(painter.pen().color(), Blue);
    EXPECT_EQ(c.penPos(), QPoint(10, 10));
    DrawFilledSquare(c, 70, 70, 10, Green);
    EXPECT_EQ(painter.pen().color(), Green);
    EXPECT_EQ(painter.brush().color(), Green);
}

TEST(Canvas, PixelsOfThePrimitives) {
    QImage image = NewPicture(120, 120);
    image.fill(White);
    {
        QPainter painter(&image);
        Canvas c(painter);
        DrawFilledSquare(c, 10, 10, 15, Lime);
        DrawArrow(c, 81 - 40, 100 - 30, 81 - 6, 100 - 6, Black, 0); // 41.6 px, 6 px legs
        DrawColoredText(c, 60, 5, "Mast", Blue, Silver);
        MoveToColored(c, 10, 60, Red);
        LineToColored(c, 50, 60, Red);
        SetPixelColored(c, 100, 10, Blue);
    }
    EXPECT_EQ(at(image, 10, 10), Lime);
    EXPECT_EQ(at(image, 24, 24), Lime);
    EXPECT_EQ(at(image, 25, 25), White) << "the square covers 15 x 15 pixels";
    // Arrow head legs from the tip (75, 94) to (72, 89) and (69, 93).
    const ArrowHeadLegs legs = ArrowEndHead(41, 70, 75, 94, 0);
    EXPECT_TRUE(near(image, legs.first.x, legs.first.y, Black, 0));
    EXPECT_TRUE(near(image, legs.second.x, legs.second.y, Black, 0));
    EXPECT_EQ(at(image, 61, 6), Silver) << "text box on the background colour";
    EXPECT_TRUE(near(image, 70, 10, Blue, 4)) << "the letters in the font colour";
    EXPECT_EQ(at(image, 30, 60), Red);
    EXPECT_EQ(at(image, 100, 10), Blue);
    EXPECT_EQ(at(image, 101, 10), White);
}

SideViewData workedExample() {
    SideViewData d;
    d.antennaHeight = 12;
    d.angles = {0, 90, 180};
    d.distances = {10, 4, 2};
    return d;
}

TEST(SideViewPicture, MastGroundZoneLegendAndArrowsStandWhereComputed) {
    const QColor bg(255, 255, 225);
    QImage image = NewPicture(kSideViewWidth, kSideViewHeight);
    SideViewOptions o;
    o.background = bg;
    const SideViewGeometry g = PaintSideView(image, workedExample(), o);
    ASSERT_EQ(g.originX, 121);
    const struct {
        const char* what;
        int x, y;
        QColor color;
    } cases[] = {
        {"mast above the clearance arrow", 121, 150, Black},
        {"mast top", 121, 119, Black},
        {"ground line", 20, 449, Silver},
        {"ground line end", 799, 449, Silver},
        {"zone outline between 0 and 90 degrees", 259, 173, Lime},
        {"mirrored outline", 259, 63, Lime},
        {"legend square of the zone", 147, 376, Lime},
        {"legend square of the mast", 147, 396, Black},
        {"5 m bar", 809 - 40 - 69, 409, Green},
        {"5 m bar end mark", 809 - 40, 405, Green},
        {"reach arrow", 250, 349, Blue},
        {"reach marker", 397, 200, Blue},
        {"clearance arrow head", 111, 245, Blue},
        {"background", 790, 30, bg},
        {"outside the ground line", 5, 449, bg},
    };
    for (const auto& c : cases)
        EXPECT_EQ(at(image, c.x, c.y), c.color) << c.what;
}

TEST(SideViewPicture, SwitchesRemoveTheirParts) {
    QImage image = NewPicture(kSideViewWidth, kSideViewHeight);
    SideViewOptions o;
    o.background = White;
    o.origin = o.fiveMeters = o.drawMax = false;
    o.rays = true;
    PaintSideView(image, workedExample(), o);
    EXPECT_EQ(at(image, 250, 349), White) << "no reach arrow";
    EXPECT_EQ(at(image, 700, 409), White) << "no 5 m bar";
    EXPECT_FALSE(near(image, 98, 431, Black, 2)) << "no origin arrow";
    EXPECT_EQ(at(image, 259, 173), White) << "no outline with rays";
    EXPECT_TRUE(near(image, 259, 120, Lime)) << "the ray to 1 degree";
    EXPECT_TRUE(near(image, 121, 173, Lime) || near(image, 120, 173, Lime)) << "ray to 91 deg";
}

// Odd stations: a low antenna, whose 5 m bar would be wider than the picture, gets a
// whole 1 m bar; a zone narrower than a pixel gets no reach arrow (one of no length
// would leave its head as a mark pointing up the mast).
TEST(SideViewPicture, LowAntennaAndTinyZone) {
    QImage image = NewPicture(kSideViewWidth, kSideViewHeight);
    SideViewOptions o;
    o.background = White;
    SideViewData low = workedExample();
    low.antennaHeight = 2;
    low.distances = {3, 3, 1};
    SideViewGeometry g = PaintSideView(image, low, o);
    ASSERT_EQ(g.scaleBarMetres, 1);
    const int barY = g.groundY - 40;
    EXPECT_EQ(at(image, 769 - g.scaleBarLength, barY - 4), Green) << "left end mark";
    EXPECT_EQ(at(image, 769 - g.scaleBarLength - 2, barY), White) << "nothing left of it";
    int label = 0; // greenish letter pixels (smoothed) below the bar's left end
    for (int y = barY + 8; y < barY + 22; ++y)
        for (int x = 769 - g.scaleBarLength; x < 769 - g.scaleBarLength + 20; ++x)
            label += at(image, x, y).green() > at(image, x, y).red() + 60;
    EXPECT_GT(label, 5) << "label";

    SideViewData tiny = workedExample();
    tiny.distances = {0.01, 0.004, 0.002};
    g = PaintSideView(image, tiny, o);
    ASSERT_EQ(g.reachX, g.originX);
    for (int y = g.groundY - 99; y < g.groundY - 80; ++y)
        for (int x = g.originX - 15; x < g.originX - 2; ++x)
            EXPECT_NE(at(image, x, y), Blue) << x << "," << y;
}

TEST(SideViewPicture, RefusedDataLeaveTheBackgroundOnly) {
    QImage image = NewPicture(kSideViewWidth, kSideViewHeight);
    SideViewData d = workedExample();
    d.antennaHeight = -1;
    SideViewOptions o;
    o.background = Green;
    EXPECT_EQ(PaintSideView(image, d, o).scale, 0.0);
    EXPECT_EQ(image.pixelColor(121, 300), Green);
}

// How far right of the legend squares text pixels (dark grey ones: the letters are smoothed)
// lie, in the rows of the legend; `scale` device pixels to a picture pixel.
int legendTextWidth(const QImage& image, const SideViewGeometry& g, int scale) {
    int right = 0;
    for (int y = g.legendY * scale; y < (g.legendY + 35) * scale; ++y)
        for (int x = (g.legendX + 18) * scale; x < (g.legendX + 200) * scale; ++x)
            if (const QColor c = image.pixelColor(x, y);
                c.red() == c.green() && c.green() == c.blue() && c.lightness() < 128)
                right = std::max(right, x - (g.legendX + 18) * scale);
    return right;
}

// The report paints the pictures on a page: placed by a transform, scaled, on a device of
// another resolution. The picture stays within its place, and its texts scale with it.
TEST(SideViewPicture, OnAPlacedScaledPainterOfAnotherResolution) {
    SideViewOptions o;
    o.background = White;
    QImage screen = NewPicture(kSideViewWidth, kSideViewHeight);
    const SideViewGeometry g = PaintSideView(screen, workedExample(), o);

    constexpr int kScale = 3;
    constexpr int kOffset = 40;
    QImage page =
        NewPicture(kSideViewWidth * kScale + 2 * kOffset, kSideViewHeight * kScale + 2 * kOffset);
    page.setDotsPerMeterX(screen.dotsPerMeterX() * kScale);
    page.setDotsPerMeterY(screen.dotsPerMeterY() * kScale);
    page.fill(Red);
    {
        QPainter painter(&page);
        painter.translate(kOffset, kOffset);
        painter.scale(kScale, kScale);
        EXPECT_EQ(PaintSideView(painter, QSize(kSideViewWidth, kSideViewHeight), workedExample(), o)
                      .originX,
                  g.originX);
        EXPECT_EQ(painter.transform(),
                  QTransform::fromTranslate(kOffset, kOffset).scale(kScale, kScale))
            << "the painter's state is put back";
    }
    EXPECT_EQ(page.pixelColor(kOffset - 1, kOffset - 1), Red) << "nothing outside the place";
    EXPECT_EQ(page.pixelColor(page.width() - kOffset, page.height() - kOffset), Red);
    EXPECT_EQ(page.pixelColor(kOffset, kOffset), White);
    QImage placed = page.copy(kOffset, kOffset, kSideViewWidth * kScale, kSideViewHeight * kScale);
    EXPECT_EQ(placed.pixelColor(121 * kScale + 1, 150 * kScale + 1), Black) << "the mast";
    const int width = legendTextWidth(screen, g, 1);
    ASSERT_GT(width, 30);
    EXPECT_NEAR(legendTextWidth(placed, g, kScale), width * kScale, width * kScale / 8)
        << "texts as wide in picture pixels as on screen";
}

// Radii along a line at 5 degrees above the horizon, where no grid line and no trace
// runs, at which black pixels are met.
std::set<int> blackRadii(const QImage& image, const DiagramGeometry& g) {
    std::set<int> found;
    const double a = -5 * M_PI / 180;
    for (int r = 42; r < 215; ++r)
        for (int k = -2; k <= 2; ++k) {
            const int x = g.cx + static_cast<int>(std::lround(r * std::cos(a + k / double(r))));
            const int y = g.cy + static_cast<int>(std::lround(r * std::sin(a + k / double(r))));
            if (image.pixelColor(x, y) == Black)
                found.insert(r);
        }
    return found;
}

TEST(DiagramPicture, CirclesAtTheirRadiiAndMarkersOnTheTraces) {
    DiagramData d;
    d.angles = {90};
    d.attenuations = {10};
    QImage image = NewPicture(kDiagramWidth, kDiagramHeight);
    const QColor bg(255, 255, 225);
    const DiagramGeometry g = PaintDiagram(image, d, bg);
    const std::set<int> radii = blackRadii(image, g);
    for (int r : {184, 142, 92, 61, 46})
        EXPECT_TRUE(radii.count(r - 1) || radii.count(r) || radii.count(r + 1)) << r;
    for (int r : radii) {
        bool onCircle = false;
        for (int c : {184, 142, 92, 61, 46})
            onCircle = onCircle || std::abs(r - c) <= 1;
        EXPECT_TRUE(onCircle) << "black at radius " << r;
    }
    // 0 dB and the 30-degree grid are solid: every pixel of the spoke at 0 degrees.
    for (int x = 217; x < 400; ++x)
        ASSERT_EQ(image.pixelColor(x, 216), Black) << x;
    const struct {
        const char* what;
        int x, y;
        QColor color;
    } cases[] = {
        {"measured marker at 10 dB, straight down", 216, 308, Blue},
        {"its circle", 216 + 3, 308, Blue},
        {"mirrored marker straight up", 216, 124, Red},
        {"legend square of the measured trace", 7, 433 - 40, Blue},
        {"legend square of the mirrored trace", 7, 433 - 27, Red},
        {"background", 10, 10, bg},
    };
    for (const auto& c : cases)
        EXPECT_EQ(image.pixelColor(c.x, c.y), c.color) << c.what;
}

TEST(DiagramPicture, MeasuredTraceIsDrawnOverTheMirroredOne) {
    DiagramData d;
    d.angles = {0, 90};
    d.attenuations = {0, 0};
    QImage image = NewPicture(kDiagramWidth, kDiagramHeight);
    PaintDiagram(image, d, White);
    EXPECT_EQ(image.pixelColor(400, 216), Blue) << "both traces start at 0 degrees";
    EXPECT_EQ(image.pixelColor(216, 32), Red);
    EXPECT_EQ(image.pixelColor(216, 400), Blue);
    d.angles = {0, 90, 270};
    d.attenuations = {0, 0, -30};
    PaintDiagram(image, d, White);
    EXPECT_NE(image.pixelColor(216, 32), Red) << "past 180 degrees no mirror";
    EXPECT_EQ(image.pixelColor(216, 216 - 211), Blue) << "beyond the pole: at the rim, upward";
}

} // namespace
} // namespace radexa
