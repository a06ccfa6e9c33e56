#pragma once
// Pixel arithmetic shared by the side view and the diagram: rounding to pixels, and
// the arrow heads of the dimension arrows.

#include <cstdint>

namespace radexa {

// A pixel of a picture: origin top left, x to the right, y downward.
struct PixelPoint {
    int x = 0;
    int y = 0;
    bool operator==(const PixelPoint& o) const { return x == o.x && y == o.y; }
    bool operator!=(const PixelPoint& o) const { return !(*this == o); }
};

// Rounds to the nearest integer, halves to the even neighbour. Values beyond the
// 32-bit range (and NaN, as 0) are held at its ends, so no pixel sum can overflow.
int Nearest(double x);

// Degrees to radians with pi/180.
double DegToRad(double degrees);

// Direction of (dx, dy) in degrees, counter-clockwise from the positive x axis
// (dy counts upward): atan(dy/dx) for dx > 0, +-180 added for dx < 0, +-90 for dx = 0.
double ArrowAngle(double dy, double dx);

// Length of an arrow head in pixels: head > 0 gives head; 0 gives 15 % of the line;
// below 0 gives |head| percent of the line.
int ArrowHeadLength(int head, double lineLength);

// The two leg ends of an arrow head whose tip stands at (x, y), pointing in the
// direction angle (whole degrees as ArrowAngle counts them), legs of size pixels.
struct ArrowHeadLegs {
    PixelPoint first;  // the leg at angle - 30 degrees
    PixelPoint second; // the leg at angle + 30 degrees
};
ArrowHeadLegs ArrowHead(int x, int y, int size, int angle);

// The heads of an arrow from (x1, y1) to (x2, y2): the one at the end point, and the
// one at the start point of a double arrow.
ArrowHeadLegs ArrowEndHead(int x1, int y1, int x2, int y2, int head);
ArrowHeadLegs ArrowStartHead(int x1, int y1, int x2, int y2, int head);

} // namespace radexa
