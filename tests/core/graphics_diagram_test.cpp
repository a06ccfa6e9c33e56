#include "core/graphics/caption.h"
#include "core/graphics/diagram.h"

#include "test_numbers.h"

#include <gtest/gtest.h>

#include <cmath>

namespace radexa {
namespace {

TEST(DbToRadiusFactor, LevelsOfTheCircles) {
    const struct {
        double db, factor;
    } cases[] = {{0, 1}, {3, 1 / 1.3}, {10, 0.5}, {20, 1 / 3.0}, {30, 0.25}, {-5, 2}};
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(DbToRadiusFactor(c.db), c.factor) << c.db;
}

TEST(Diagram, CentreRadiiAndSpokes) {
    const DiagramGeometry g = ComputeDiagram({});
    EXPECT_EQ(g.cx, 216);
    EXPECT_EQ(g.cy, 216);
    EXPECT_EQ(g.radius, 184);
    EXPECT_EQ(g.levelRadii, (std::array<int, 4>{142, 92, 61, 46}));
    ASSERT_EQ(g.spokes30.size(), 12u);
    ASSERT_EQ(g.spokes10.size(), 36u);
    EXPECT_EQ(g.spokes30[0], (PixelPoint{400, 216}));
    EXPECT_EQ(g.spokes30[1], (PixelPoint{216 + 159, 216 + 92})); // 30 degrees, downward
    EXPECT_EQ(g.spokes30[3], (PixelPoint{216, 400}));
    EXPECT_EQ(g.spokes30[9], (PixelPoint{216, 32}));
    for (std::size_t k = 0; k < g.spokes30.size(); ++k)
        EXPECT_EQ(g.spokes30[k], g.spokes10[3 * k]) << "every 30-degree line is in both grids";
    EXPECT_EQ(SpokeEnds(0, 0, 10, 7).size(), 51u); // nearest(360 / 7)
}

TEST(Diagram, TracesMeasuredBelowMirroredAbove) {
    DiagramData d;
    d.angles = {0, 90, 180};
    d.attenuations = {0, 10, 3};
    const DiagramGeometry g = ComputeDiagram(d);
    ASSERT_TRUE(g.mirrored);
    EXPECT_EQ(g.measuredTrace, (std::vector<PixelPoint>{{400, 216}, {216, 308}, {74, 216}}));
    EXPECT_EQ(g.mirrorTrace, (std::vector<PixelPoint>{{400, 216}, {216, 124}, {74, 216}}));

    d.angles = {0, 90, 180, 270};
    d.attenuations = {0, 10, 3, 20};
    const DiagramGeometry past = ComputeDiagram(d);
    EXPECT_FALSE(past.mirrored);
    EXPECT_TRUE(past.mirrorTrace.empty());
    EXPECT_EQ(past.measuredTrace[3], (PixelPoint{216, 216 - 61}));
}

// The radius factor has its pole at -10 dB and turns negative beyond it: such samples,
// and any stronger than the picture can hold, are drawn at the outermost radius in
// their own direction, never across the centre or off the picture.
TEST(Diagram, AttenuationsAtAndBelowTheBoleStayOnThePicture) {
    DiagramData d;
    d.angles = {0, 45, 90, 135, 180};
    d.attenuations = {-10, -25, -5, -9.99, std::nan("")};
    const DiagramGeometry g = ComputeDiagram(d);
    const int outer = 216 - 5;
    EXPECT_DOUBLE_EQ(g.maxRadiusFactor, outer / 184.0);
    EXPECT_EQ(g.measuredTrace[0], (PixelPoint{216 + outer, 216}));
    EXPECT_EQ(g.measuredTrace[1], (PixelPoint{216 + Nearest(outer / std::sqrt(2.0)),
                                              216 + Nearest(outer / std::sqrt(2.0))}));
    EXPECT_EQ(g.measuredTrace[2], (PixelPoint{216, 216 + outer}));
    EXPECT_EQ(g.measuredTrace[4], (PixelPoint{216, 216})) << "not a number: at the centre";
    for (const auto* trace : {&g.measuredTrace, &g.mirrorTrace})
        for (const PixelPoint& p : *trace) {
            EXPECT_GE(p.x - 3, 0);
            EXPECT_LE(p.x + 3, 432);
            EXPECT_GE(p.y - 3, 0);
            EXPECT_LE(p.y + 3, 432);
        }
}

TEST(Diagram, RefusesAnEmptyOrIncompleteTable) {
    DiagramData d;
    EXPECT_TRUE(DiagramRefusal(d).has_value());
    d.angles = {0, 10};
    d.attenuations = {0};
    EXPECT_TRUE(DiagramRefusal(d).has_value());
    d.attenuations = {0, 1};
    EXPECT_FALSE(DiagramRefusal(d).has_value());
}

TEST(PictureCaption, BandOrFixedFrequency) {
    ScopedNumberSettings scoped(commaSettings());
    PictureCaption c;
    c.title = "Example MyAnt";
    c.power = 100;
    c.antennaGain = 2.154;
    const struct {
        const char* band;
        bool fixed;
        double frequency;
        const char* sideView;
        const char* diagram;
    } cases[] = {
        {"2m", false, 0, "Side View    Example MyAnt    100 W    2,15 dBi      2m-Band    ",
         "Diagram  Example MyAnt  2,15 dBi    2m-Band  "},
        {"2200m", false, 0, "Side View    Example MyAnt    100 W    2,15 dBi    2200-Band    ",
         "Diagram  Example MyAnt  2,15 dBi  2200-Band  "},
        {"", true, 145.5, "Side View    Example MyAnt    100 W    2,15 dBi    145,50 MHz    ",
         "Diagram  Example MyAnt  2,15 dBi  145,50 MHz  "},
        {"", true, 3.5, "Side View    Example MyAnt    100 W    2,15 dBi    3,50 MHz    ",
         "Diagram  Example MyAnt  2,15 dBi  3,50 MHz  "},
    };
    for (const auto& k : cases) {
        c.bandName = k.band;
        c.fixedFrequencyMode = k.fixed;
        c.fixedFrequency = k.frequency;
        EXPECT_EQ(SideViewCaption(c), k.sideView);
        EXPECT_EQ(DiagramCaption(c), k.diagram);
    }
}

} // namespace
} // namespace radexa
