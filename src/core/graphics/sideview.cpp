#include "core/graphics/sideview.h"

#include "core/graphics/arrayhelpers.h"
#include "core/support/numbersettings.h"
#include "core/support/textnumbers.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace radexa {

namespace {
constexpr int kScaleBarRight = 40;    // the bar's right end stands this far from the edge
constexpr int kGroundLineMargin = 10; // the ground line keeps this far from both edges
} // namespace

std::optional<std::string> SideViewRefusal(const SideViewData& data) {
    if (data.angles.empty() || data.distances.empty())
        return std::string("There are no angle data for the chosen polarisation, "
                           "so there is no safety zone to draw.");
    if (data.angles.size() != data.distances.size())
        return std::string("The per-angle table is incomplete (angles and distances differ "
                           "in number), so the side view cannot be drawn.");
    if (!(data.antennaHeight >= 0) || !std::isfinite(data.antennaHeight))
        return std::string("The antenna height must be 0 m or more "
                           "to draw the side view.");
    for (double d : data.distances)
        if (!std::isfinite(d) || d < 0)
            return std::string("The per-angle table holds a safety distance that is not a "
                               "usable number, so the side view cannot be drawn.");
    const double largest = *std::max_element(data.distances.begin(), data.distances.end());
    if (!(largest > 0))
        return std::string("All safety distances are 0 m, so there is no safety zone to draw.");
    const double scale =
        std::min(0.7 * kSideViewWidth / largest, 0.7 * kSideViewHeight / data.antennaHeight);
    if (!std::isfinite(scale) || !(scale * kMinZoom > 0))
        return std::string("The antenna height and the safety distances cannot be drawn "
                           "to one scale.");
    return std::nullopt;
}

double ClampZoom(double zoom) {
    if (std::isnan(zoom))
        return 1.0;
    return std::clamp(zoom, kMinZoom, kMaxZoom);
}

double ZoomIn(double zoom) {
    return ClampZoom(zoom * kZoomInFactor);
}
double ZoomOut(double zoom) {
    return ClampZoom(zoom * kZoomOutFactor);
}

std::string FormatGeneral(double x) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15G", x);
    std::string out(buf);
    const char sep = CurrentNumberSettings().decimalSeparator;
    for (char& c : out)
        if (c == '.')
            c = sep;
    return out;
}

SideViewGeometry ComputeSideView(const SideViewData& data, double zoom, bool rays, int width,
                                 int height) {
    SideViewGeometry g;
    g.width = width;
    g.height = height;
    g.rays = rays;
    const double w = width;
    const double h = height;
    const double largest = MaxWithIndex(data.distances).value;
    g.scale = std::min(0.7 * w / largest, 0.7 * h / data.antennaHeight) * zoom;
    g.originX = Nearest(0.15 * w);
    g.groundY = height - Nearest(0.05 * h);
    g.antennaY = Nearest(g.groundY - g.scale * data.antennaHeight);
    g.mastTopY = g.groundY - Nearest(g.scale * data.antennaHeight);
    // A bar longer than the room left of its right end would run off the picture
    // without its left mark and its label: an unexplained green line over the zone.
    const double barRoom = w - kScaleBarRight - kGroundLineMargin;
    for (int metres : {5, 1}) {
        const int length = Nearest(metres * g.scale);
        if (length <= barRoom) {
            g.scaleBarMetres = metres;
            g.scaleBarLength = length;
            break;
        }
    }
    g.legendY = Nearest(0.78 * h);

    const std::size_t n = std::min(data.angles.size(), data.distances.size());
    g.mirrored = n > 0 && data.angles[n - 1] <= 180;
    const int extra = rays ? 1 : 0;
    // reach and depth: metres from the antenna, out and down, before the rounding to
    // pixels. The read-outs are taken from the drawn points, but never on the unsafe side
    // of the metres: at a coarse scale (a high mast: several centimetres a pixel) the
    // rounding alone would shorten the reach or raise the clearance.
    auto record = [&](PixelPoint p, double reach, double depth) {
        const bool grounded = p.y >= g.groundY || depth >= data.antennaHeight;
        g.reachesGround = g.reachesGround || grounded;
        g.reachList.push_back(
            std::max(std::abs(static_cast<double>(p.x) - g.originX) / g.scale, reach));
        g.clearanceList.push_back(grounded
                                      ? 0.0
                                      : std::min((g.groundY - static_cast<double>(p.y)) / g.scale,
                                                 data.antennaHeight - depth));
        return p;
    };
    auto point = [&](std::size_t i, int upOrDown) {
        const double a = DegToRad(data.angles[i] + extra);
        const double d = data.distances[i];
        const double down = upOrDown * std::sin(a) * d;
        return record({g.originX + Nearest(std::cos(a) * g.scale * d),
                       g.antennaY + upOrDown * Nearest(std::sin(a) * g.scale * d)},
                      std::abs(std::cos(a) * d), down);
    };
    g.zone.reserve(n);
    for (std::size_t i = 0; i < n; ++i)
        g.zone.push_back(point(i, 1));
    if (g.mirrored) {
        g.mirror.reserve(n);
        for (std::size_t i = 0; i < n; ++i)
            g.mirror.push_back(point(i, -1));
    }

    g.xInterval = w / g.scale;
    g.yInterval = h / g.scale;
    if (!g.reachList.empty()) {
        g.maxReach = MaxWithIndex(g.reachList).value;
        const ValueWithIndex low = MinWithIndex(g.clearanceList);
        g.minClearance = low.value;
        g.reachAtMinClearance = g.reachList[static_cast<std::size_t>(low.index)];
    }
    g.clearanceX = g.originX + Nearest(g.reachAtMinClearance * g.scale);
    g.clearanceTopY = Nearest(g.groundY - g.minClearance * g.scale);
    g.reachX = g.originX + Nearest(g.maxReach * g.scale);
    return g;
}

std::string SideViewClearanceLabel(const SideViewGeometry& g) {
    return g.reachesGround ? "Zone reaches the ground" : "Ground clearance";
}

SideViewTexts SideViewReadouts(const SideViewGeometry& g, double zoom) {
    return {FormatGeneral(zoom), FormatReal("%6.2f", g.xInterval), FormatReal("%6.2f", g.yInterval),
            FormatReal("%6.1f", g.minClearance), FormatReal("%6.1f", g.maxReach)};
}

MouseReadout SideViewMouse(const SideViewGeometry& g, double antennaHeight, int x, int y) {
    return {FormatReal("%3.2f", (x - g.originX) / g.scale),
            FormatReal("%3.2f", antennaHeight - (y - g.antennaY) / g.scale), FormatInt("%4d", x),
            FormatInt("%4d", y)};
}

} // namespace radexa
