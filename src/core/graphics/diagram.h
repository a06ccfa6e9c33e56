#pragma once
// The radiation-pattern diagram as numbers: the centre, the level circles, the
// radial grid lines and the points of the measured and mirrored traces.

#include "core/graphics/caption.h"
#include "core/graphics/geometry.h"
#include "core/support/types.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace radexa {

constexpr int kDiagramWidth = 433;
constexpr int kDiagramHeight = 433;

// The attenuations of the four dotted level circles, dB.
constexpr std::array<double, 4> kDiagramLevels = {3, 10, 20, 30};

// What the main window hands over when the diagram is opened.
struct DiagramData {
    SmallIntArray angles;     // whole degrees: 0 right, positive downward
    DoubleArray attenuations; // dB per angle, 0 = full radiation
    PictureCaption caption;
};

// 1 / (1 + x/10): 0 dB gives 1, 10 dB gives 1/2. Its pole lies at -10 dB.
double DbToRadiusFactor(double x);

// Why there is nothing to draw, as a warning text; nothing when the diagram can be
// drawn.
std::optional<std::string> DiagramRefusal(const DiagramData& data);

// The end points of n = nearest(360 / step) radial lines of the given radius around
// (x, y), the first pointing right.
std::vector<PixelPoint> SpokeEnds(int x, int y, int radius, double step);

struct DiagramGeometry {
    int width = kDiagramWidth;
    int height = kDiagramHeight;
    int cx = 0;
    int cy = 0;
    int radius = 0;                  // the 0 dB circle
    std::array<int, 4> levelRadii{}; // the circles of kDiagramLevels
    std::vector<PixelPoint> spokes30;
    std::vector<PixelPoint> spokes10;
    // The radius factor each sample is drawn with: DbToRadiusFactor of its attenuation,
    // held at maxRadiusFactor so that no point lies off the picture (attenuations at or
    // below -10 dB, at the pole and beyond it, are drawn at that outermost radius).
    double maxRadiusFactor = 0.0;
    DoubleArray radiusFactors;
    bool mirrored = false;
    std::vector<PixelPoint> mirrorTrace;   // at -angle, red
    std::vector<PixelPoint> measuredTrace; // at +angle, blue
};

// The radius factor a sample is drawn with (see DiagramGeometry::radiusFactors).
double DrawnRadiusFactor(double attenuation, double maxFactor);

DiagramGeometry ComputeDiagram(const DiagramData& data, int width = kDiagramWidth,
                               int height = kDiagramHeight);

} // namespace radexa
