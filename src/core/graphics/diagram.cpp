#include "core/graphics/diagram.h"

#include <algorithm>
#include <cmath>

namespace radexa {

namespace {
// Room kept between the outermost point and the picture's edge: the marker circle of
// radius 3 drawn with a pen of width 3.
constexpr int kMarkerReach = 5;
} // namespace

double DbToRadiusFactor(double x) {
    return 1.0 / (1.0 + x / 10.0);
}

std::optional<std::string> DiagramRefusal(const DiagramData& data) {
    if (data.angles.empty() || data.attenuations.empty())
        return std::string("There are no angle data for the chosen polarisation, "
                           "so there is no pattern to draw.");
    if (data.angles.size() != data.attenuations.size())
        return std::string("The per-angle table is incomplete (angles and attenuations differ "
                           "in number), so the diagram cannot be drawn.");
    return std::nullopt;
}

std::vector<PixelPoint> SpokeEnds(int x, int y, int radius, double step) {
    std::vector<PixelPoint> ends;
    if (!(step > 0))
        return ends;
    const int n = Nearest(360.0 / step);
    ends.reserve(static_cast<std::size_t>(std::max(n, 0)));
    for (int g = 0; g < n; ++g) {
        const double a = DegToRad(g * step);
        ends.push_back({x + Nearest(std::cos(a) * radius), y + Nearest(std::sin(a) * radius)});
    }
    return ends;
}

double DrawnRadiusFactor(double attenuation, double maxFactor) {
    if (std::isnan(attenuation))
        return 0.0;
    if (attenuation <= -10.0)
        return maxFactor;
    return std::min(DbToRadiusFactor(attenuation), maxFactor);
}

DiagramGeometry ComputeDiagram(const DiagramData& data, int width, int height) {
    DiagramGeometry g;
    g.width = width;
    g.height = height;
    g.cx = Nearest(width / 2.0);
    g.cy = Nearest(height / 2.0);
    g.radius = Nearest(0.85 * std::min(width / 2.0, height / 2.0));
    for (std::size_t k = 0; k < kDiagramLevels.size(); ++k)
        g.levelRadii[k] = Nearest(DbToRadiusFactor(kDiagramLevels[k]) * g.radius);
    g.spokes30 = SpokeEnds(g.cx, g.cy, g.radius, 30);
    g.spokes10 = SpokeEnds(g.cx, g.cy, g.radius, 10);

    const int room = std::min({g.cx, g.cy, width - 1 - g.cx, height - 1 - g.cy}) - kMarkerReach;
    g.maxRadiusFactor = g.radius > 0 ? std::max(room, 0) / static_cast<double>(g.radius) : 0.0;

    const std::size_t n = std::min(data.angles.size(), data.attenuations.size());
    g.radiusFactors.reserve(n);
    for (std::size_t i = 0; i < n; ++i)
        g.radiusFactors.push_back(DrawnRadiusFactor(data.attenuations[i], g.maxRadiusFactor));
    g.mirrored = n > 0 && data.angles[n - 1] <= 180;
    auto trace = [&](int sign) {
        std::vector<PixelPoint> points;
        points.reserve(n);
        for (std::size_t i = 0; i < n; ++i) {
            const double a = DegToRad(sign * data.angles[i]);
            const double f = g.radiusFactors[i];
            points.push_back({g.cx + Nearest(std::cos(a) * f * g.radius),
                              g.cy + Nearest(std::sin(a) * f * g.radius)});
        }
        return points;
    };
    if (g.mirrored)
        g.mirrorTrace = trace(-1);
    g.measuredTrace = trace(+1);
    return g;
}

} // namespace radexa
