#pragma once
// The side view as numbers: the scale, the mast, the safety zone built from the
// safety distance per elevation angle, its reach and ground clearance, the 5 m bar,
// the legend and the read-outs. The window paints what is computed here.

#include "core/graphics/caption.h"
#include "core/graphics/geometry.h"
#include "core/support/types.h"

#include <optional>
#include <string>
#include <vector>

namespace radexa {

// The picture of the side view, in pixels.
constexpr int kSideViewWidth = 809;
constexpr int kSideViewHeight = 473;

// "+" and "-" multiply the zoom by these; the zoom is held within the bounds, so the
// pixel coordinates stay far inside the 32-bit range (at most about 0.7 * 809 * 1000).
constexpr double kZoomInFactor = 1.05;
constexpr double kZoomOutFactor = 0.95;
constexpr double kMinZoom = 0.001;
constexpr double kMaxZoom = 1000.0;

// What the main window hands over when the side view is opened.
struct SideViewData {
    double antennaHeight = 0.0; // metres above ground
    SmallIntArray angles;       // whole degrees: 0 right, positive downward
    DoubleArray distances;      // safety distance in metres per angle
    PictureCaption caption;
};

// Why there is nothing to draw (an empty table, a height below 0, no distance above 0,
// ...), as a warning text; nothing when the side view can be drawn. An antenna on the
// ground (height 0) is drawn: the width alone sets the scale.
std::optional<std::string> SideViewRefusal(const SideViewData& data);

double ZoomIn(double zoom);
double ZoomOut(double zoom);
// The zoom held within kMinZoom ... kMaxZoom (1 for a zoom that is not a number).
double ClampZoom(double zoom);

// The general number format: the shortest form with up to 15 significant digits,
// with the decimal separator of the current number settings (1.1025, 0.9975, 1).
std::string FormatGeneral(double x);

struct SideViewGeometry {
    int width = kSideViewWidth;
    int height = kSideViewHeight;
    double scale = 0.0; // pixels per metre
    int originX = 0;    // column of the mast
    int groundY = 0;    // row of the ground line
    int antennaY = 0;   // row of the antenna
    int mastTopY = 0;   // upper end of the mast line
    // The scale bar of "5-m-Line": 5 m where that fits between the ground line's left
    // end and the bar's place at the right, else 1 m, else none (0 m, length 0).
    int scaleBarMetres = 0;
    int scaleBarLength = 0;
    int legendX = 140;
    int legendY = 0;
    // The zone: the points of the samples, then (when mirrored) their mirror points
    // above the antenna. With rays, the points are the ray ends.
    bool rays = false;
    bool mirrored = false;
    std::vector<PixelPoint> zone;
    std::vector<PixelPoint> mirror;
    // One entry per drawn point, in drawing order (zone, then mirror), in metres: the
    // horizontal distance from the mast, and the height above the ground (0 for a point
    // at or below the ground).
    DoubleArray reachList;
    DoubleArray clearanceList;
    double maxReach = 0.0;
    double minClearance = 0.0;
    double reachAtMinClearance = 0.0;
    // A point of the zone lies at or below the ground (drawn there, or reaching there in
    // metres before the rounding to pixels): the zone has no clearance at all, so
    // minClearance is 0 and no clearance arrow is drawn.
    bool reachesGround = false;
    // The dimension arrows.
    int clearanceX = 0;    // column of the ground clearance arrow (or of its label)
    int clearanceTopY = 0; // its upper end
    int reachX = 0;        // end column of the reach arrow
    // The viewed interval, metres.
    double xInterval = 0.0;
    double yInterval = 0.0;
};

// The geometry of one drawing. The data must have passed SideViewRefusal.
SideViewGeometry ComputeSideView(const SideViewData& data, double zoom, bool rays,
                                 int width = kSideViewWidth, int height = kSideViewHeight);

// The picture's label at the clearance arrow: "Ground clearance", or "Zone reaches the
// ground" when it does (the operator compares the clearance with head height).
std::string SideViewClearanceLabel(const SideViewGeometry& g);

// The texts of the read-out fields after a drawing.
struct SideViewTexts {
    std::string size;      // EditSize
    std::string xInterval; // EditXInt
    std::string yInterval; // EditYInt
    std::string clearance; // EditBodenfreiheit
    std::string reach;     // EditReichweite
};
SideViewTexts SideViewReadouts(const SideViewGeometry& g, double zoom);

// The mouse read-out for the picture pixel (x, y).
struct MouseReadout {
    std::string x;      // metres from the mast
    std::string y;      // metres above the ground
    std::string pixelX; // "%4d"
    std::string pixelY;
};
MouseReadout SideViewMouse(const SideViewGeometry& g, double antennaHeight, int x, int y);

} // namespace radexa
