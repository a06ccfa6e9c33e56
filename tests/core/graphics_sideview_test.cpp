#include "core/graphics/sideview.h"

#include "test_numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace radexa {
namespace {

// 12 m antenna, largest distance 10 m: the height limits the scale.
SideViewData workedExample() {
    SideViewData d;
    d.antennaHeight = 12;
    d.angles = {0, 90, 180};
    d.distances = {10, 4, 2};
    return d;
}

TEST(SideView, WorkedExampleAtZoomOne) {
    ScopedNumberSettings point(pointSettings());
    const SideViewGeometry g = ComputeSideView(workedExample(), 1.0, false);
    EXPECT_NEAR(g.scale, 27.5917, 5e-5);
    EXPECT_EQ(g.originX, 121);
    EXPECT_EQ(g.groundY, 449);
    EXPECT_EQ(g.antennaY, 118);
    EXPECT_EQ(g.mastTopY, 118);
    EXPECT_EQ(g.scaleBarMetres, 5);
    EXPECT_EQ(g.scaleBarLength, 138);
    EXPECT_EQ(g.legendX, 140);
    EXPECT_EQ(g.legendY, 369);
    const SideViewTexts t = SideViewReadouts(g, 1.0);
    EXPECT_EQ(t.size, "1");
    EXPECT_EQ(t.xInterval, " 29.32");
    EXPECT_EQ(t.yInterval, " 17.14");
}

TEST(SideView, ZoneOutlineIsMirroredForDataUpTo180) {
    const SideViewGeometry g = ComputeSideView(workedExample(), 1.0, false);
    ASSERT_TRUE(g.mirrored);
    EXPECT_EQ(g.zone, (std::vector<PixelPoint>{{397, 118}, {121, 228}, {66, 118}}));
    EXPECT_EQ(g.mirror, (std::vector<PixelPoint>{{397, 118}, {121, 8}, {66, 118}}));
    // Metres of the pixel-rounded points, zone first, then mirror; where the rounding
    // shortened a reach (55 px for 2 m) or raised a clearance (221 px for 8 m), the
    // metres themselves.
    const double s = g.scale;
    const DoubleArray reach{276 / s, 0, 2, 276 / s, 0, 2};
    const DoubleArray clearance{331 / s, 8, 331 / s, 331 / s, 441 / s, 331 / s};
    ASSERT_EQ(g.reachList.size(), reach.size());
    for (std::size_t i = 0; i < reach.size(); ++i) {
        EXPECT_NEAR(g.reachList[i], reach[i], 1e-12) << i;
        EXPECT_NEAR(g.clearanceList[i], clearance[i], 1e-12) << i;
    }
    EXPECT_DOUBLE_EQ(g.maxReach, 276 / s);
    EXPECT_NEAR(g.minClearance, 8, 1e-12);
    EXPECT_EQ(g.clearanceX, 121);
    EXPECT_EQ(g.clearanceTopY, 228);
    EXPECT_EQ(g.reachX, 397);
    ScopedNumberSettings comma(commaSettings());
    const SideViewTexts t = SideViewReadouts(g, 1.0);
    EXPECT_EQ(t.clearance, "   8,0");
    EXPECT_EQ(t.reach, "  10,0");
}

TEST(SideView, ReadoutsNeverOnTheUnsafeSideOfThePixels) {
    // A 1000 m mast: several metres a pixel. A 4 m zone drawn as one pixel must not read
    // as a reach of one pixel's metres, nor its clearance as more than 996 m.
    SideViewData d;
    d.antennaHeight = 1000;
    d.angles = {0, 45, 90, 135, 180};
    d.distances = {4, 4, 4, 4, 4};
    const SideViewGeometry g = ComputeSideView(d, 1.0, false);
    ASSERT_GT(1 / g.scale, 2.0) << "metres per pixel";
    EXPECT_GE(g.maxReach, 4.0);
    EXPECT_LE(g.minClearance, 996.0);
    for (std::size_t i = 0; i < g.reachList.size(); ++i) {
        EXPECT_GE(g.reachList[i], std::abs(std::cos(d.angles[i % 5] * M_PI / 180)) * 4 - 1e-9);
        EXPECT_LE(g.clearanceList[i], 1000 + 4.0);
    }
}

TEST(SideView, RaysEndOneDegreeFurther) {
    const SideViewGeometry g = ComputeSideView(workedExample(), 1.0, true);
    EXPECT_EQ(g.zone, (std::vector<PixelPoint>{{397, 123}, {119, 228}, {66, 117}}));
    EXPECT_EQ(g.mirror, (std::vector<PixelPoint>{{397, 113}, {119, 8}, {66, 119}}));
    // Reach and clearance come from the ray ends: the lowest end stands 2 px left of
    // the mast and counts with its absolute distance.
    EXPECT_DOUBLE_EQ(g.reachAtMinClearance, 2 / g.scale);
    EXPECT_EQ(g.clearanceX, 123);
}

TEST(SideView, DataPast180AreDrawnAsTheyAre) {
    SideViewData d;
    d.antennaHeight = 12;
    d.angles = {0, 90, 180, 270};
    d.distances = {10, 4, 2, 40};
    const SideViewGeometry g = ComputeSideView(d, 1.0, false);
    EXPECT_FALSE(g.mirrored);
    EXPECT_TRUE(g.mirror.empty());
    EXPECT_EQ(g.reachList.size(), 4u);
    // 40 m upward from a 12 m mast: the largest distance now limits the scale.
    EXPECT_DOUBLE_EQ(g.scale, 0.7 * 809 / 40);
    EXPECT_EQ(g.zone[3], (PixelPoint{121, g.antennaY - 566}));
}

// A zone at or below the ground has no clearance: the read-out is 0 and the picture
// labels the zone instead of drawing an arrow, whatever the angle of the lowest point.
TEST(SideView, ZoneAtOrBelowTheGroundHasNoClearance) {
    ScopedNumberSettings comma(commaSettings());
    const struct {
        const char* what;
        double height;
        SmallIntArray angles;
        DoubleArray distances;
        bool rays;
    } cases[] = {
        {"1 m below, straight down", 2, {0, 90}, {3, 3}, false},
        {"just touching", 2, {0, 90}, {3, 2}, false},
        {"low Yagi, slanting into the ground",
         1.5,
         {0, 15, 30, 45, 60},
         {9.6, 8, 5.2, 2.9, 1.1},
         false},
        {"ray ends", 2, {0, 89}, {3, 2.5}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SideViewData d;
        d.antennaHeight = c.height;
        d.angles = c.angles;
        d.distances = c.distances;
        const SideViewGeometry g = ComputeSideView(d, 1.0, c.rays);
        EXPECT_TRUE(g.reachesGround);
        EXPECT_EQ(g.minClearance, 0.0);
        EXPECT_EQ(g.clearanceTopY, g.groundY);
        for (double clearance : g.clearanceList)
            EXPECT_GE(clearance, 0.0);
        EXPECT_EQ(SideViewReadouts(g, 1.0).clearance, "   0,0");
        EXPECT_EQ(SideViewClearanceLabel(g), "Zone reaches the ground");
    }
}

// A ground-mounted antenna: the width alone sets the scale, the mast has no length and
// the zone touches the ground at the antenna.
TEST(SideView, AntennaOnTheGround) {
    SideViewData d = workedExample();
    d.antennaHeight = 0;
    const SideViewGeometry g = ComputeSideView(d, 1.0, false);
    EXPECT_DOUBLE_EQ(g.scale, 0.7 * 809 / 10);
    EXPECT_EQ(g.antennaY, g.groundY);
    EXPECT_EQ(g.mastTopY, g.groundY);
    EXPECT_EQ(g.zone[0], (PixelPoint{121 + 566, g.groundY}));
    EXPECT_TRUE(g.reachesGround);
    EXPECT_EQ(g.minClearance, 0.0);
    EXPECT_DOUBLE_EQ(g.maxReach, 10); // not the 9,99 m of the 566 pixels
}

// The scale bar keeps its left mark and label on the picture: 5 m while that fits left
// of its right end (769 - 10 = 759 pixels), 1 m while that fits, else none.
TEST(SideView, ScaleBarFitsThePicture) {
    const struct {
        double pixelsPerMetre;
        int metres;
        int length;
    } cases[] = {{27.5917, 5, 138}, {151.8, 5, 759}, {151.9, 1, 152}, {759, 1, 759}, {760, 0, 0}};
    for (const auto& c : cases) {
        const double zoom = c.pixelsPerMetre / (0.7 * 473 / 12);
        const SideViewGeometry g = ComputeSideView(workedExample(), zoom, false);
        EXPECT_EQ(g.scaleBarMetres, c.metres) << c.pixelsPerMetre;
        EXPECT_EQ(g.scaleBarLength, c.length) << c.pixelsPerMetre;
    }
}

TEST(SideView, ZoneAboveTheGroundKeepsItsClearance) {
    SideViewData d;
    d.antennaHeight = 6;
    d.angles = {0, 45, 90};
    d.distances = {9.6, 1.2, 1.1};
    const SideViewGeometry g = ComputeSideView(d, 1.0, false);
    EXPECT_FALSE(g.reachesGround);
    // The lowest point is the one straight down: 6 - 1.1 m above the ground.
    EXPECT_NEAR(g.minClearance, 4.9, 1 / g.scale);
    EXPECT_LT(g.clearanceTopY, g.groundY);
    EXPECT_EQ(SideViewClearanceLabel(g), "Ground clearance");
}

// Reaching the ground in metres counts even where the rounding to pixels draws the
// point one pixel above the ground line.
TEST(SideView, ReachingTheGroundInMetresCountsWhateverThePixels) {
    SideViewData d;
    d.antennaHeight = 1;
    d.angles = {0, 90};
    d.distances = {1, 1};
    // 10.5 pixels per metre: both the antenna row and the depth round to even.
    const double zoom = 10.5 / (0.7 * 473);
    const SideViewGeometry g = ComputeSideView(d, zoom, false);
    ASSERT_EQ(g.scale, 10.5);
    ASSERT_EQ(g.zone[1].y, g.groundY - 1);
    EXPECT_TRUE(g.reachesGround);
    EXPECT_EQ(g.minClearance, 0.0);
}

// Equal clearances: the quicksort decides, and here the later point (straight down,
// at the mast) wins over the 30-degree point that lies as low.
TEST(SideView, TiedClearanceGoesToThePointTheSortPutsFirst) {
    SideViewData d;
    d.antennaHeight = 12;
    d.angles = {0, 30, 90};
    d.distances = {10, 8, 4};
    const SideViewGeometry g = ComputeSideView(d, 1.0, false);
    ASSERT_EQ(g.zone[1], (PixelPoint{312, 228}));
    ASSERT_EQ(g.zone[2], (PixelPoint{121, 228}));
    EXPECT_EQ(g.clearanceX, 121);
}

TEST(SideView, ZoomScalesAndIsShownInTheGeneralFormat) {
    ScopedNumberSettings comma(commaSettings());
    const struct {
        double zoom;
        const char* text;
    } cases[] = {{ZoomIn(ZoomIn(1.0)), "1,1025"}, {ZoomOut(ZoomIn(1.0)), "0,9975"}, {1.0, "1"}};
    for (const auto& c : cases) {
        const SideViewGeometry g = ComputeSideView(workedExample(), c.zoom, false);
        EXPECT_DOUBLE_EQ(g.scale, 0.7 * 473 / 12 * c.zoom);
        EXPECT_EQ(SideViewReadouts(g, c.zoom).size, c.text);
    }
}

TEST(SideView, ZoomIsHeldWithinItsBounds) {
    double in = 1.0, out = 1.0;
    for (int i = 0; i < 100000; ++i) {
        in = ZoomIn(in);
        out = ZoomOut(out);
    }
    EXPECT_EQ(in, kMaxZoom);
    EXPECT_EQ(out, kMinZoom);
    EXPECT_EQ(ZoomOut(kMaxZoom), kMaxZoom * 0.95);
    EXPECT_EQ(ClampZoom(std::nan("")), 1.0);
    // At the largest zoom every pixel stays far inside the 32-bit range.
    SideViewData d = workedExample();
    d.antennaHeight = 1e-3;
    const SideViewGeometry g = ComputeSideView(d, kMaxZoom, false);
    for (const PixelPoint& p : g.zone)
        EXPECT_LT(std::abs(p.x) + std::abs(p.y), 10'000'000);
}

TEST(SideView, MouseReadoutInMetresAndPixels) {
    ScopedNumberSettings comma(commaSettings());
    const SideViewGeometry g = ComputeSideView(workedExample(), 1.0, false);
    const struct {
        int x, y;
        const char *mx, *my, *px, *py;
    } cases[] = {{121, 118, "0,00", "12,00", " 121", " 118"},
                 {397, 449, "10,00", "0,00", " 397", " 449"},
                 {10, 8, "-4,02", "15,99", "  10", "   8"}};
    for (const auto& c : cases) {
        const MouseReadout m = SideViewMouse(g, 12, c.x, c.y);
        EXPECT_EQ(m.x, c.mx);
        EXPECT_EQ(m.y, c.my);
        EXPECT_EQ(m.pixelX, c.px);
        EXPECT_EQ(m.pixelY, c.py);
    }
}

TEST(SideView, RefusesWhatCannotBeDrawn) {
    const auto refused = [](double height, SmallIntArray angles, DoubleArray distances) {
        SideViewData d;
        d.antennaHeight = height;
        d.angles = std::move(angles);
        d.distances = std::move(distances);
        return SideViewRefusal(d);
    };
    EXPECT_FALSE(refused(12, {0, 90}, {10, 4}).has_value());
    EXPECT_FALSE(refused(0, {0, 90}, {10, 4}).has_value()) << "an antenna on the ground";
    const struct {
        const char* what;
        std::optional<std::string> reason;
        const char* mentions;
    } cases[] = {
        {"empty table", refused(12, {}, {}), "no angle data"},
        {"negative height", refused(-3, {0}, {1}), "antenna height"},
        {"all distances 0", refused(12, {0, 10}, {0, 0}), "0 m"},
        {"lengths differ", refused(12, {0, 10}, {1}), "incomplete"},
        {"infinite distance", refused(12, {0}, {std::numeric_limits<double>::infinity()}),
         "usable"},
        {"no finite scale", refused(5e-324, {0}, {5e-324}), "one scale"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(c.reason.has_value()) << c.what;
        EXPECT_NE(c.reason->find(c.mentions), std::string::npos) << c.what << ": " << *c.reason;
    }
}

} // namespace
} // namespace radexa
