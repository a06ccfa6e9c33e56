#include "core/graphics/geometry.h"

#include <cmath>
#include <limits>

namespace radexa {

namespace {
constexpr double kPi = 3.14159265358979323846;
}

int Nearest(double x) {
    if (std::isnan(x))
        return 0;
    constexpr double lo = std::numeric_limits<std::int32_t>::min();
    constexpr double hi = std::numeric_limits<std::int32_t>::max();
    if (x <= lo)
        return std::numeric_limits<std::int32_t>::min();
    if (x >= hi)
        return std::numeric_limits<std::int32_t>::max();
    const double f = std::floor(x);
    const double rest = x - f;
    double r = f;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(f, 2.0) != 0.0))
        r = f + 1.0;
    return static_cast<int>(r);
}

double DegToRad(double degrees) {
    return degrees * kPi / 180.0;
}

double ArrowAngle(double dy, double dx) {
    constexpr double toDeg = 180.0 / kPi;
    if (dx > 0)
        return std::atan(dy / dx) * toDeg;
    if (dx < 0)
        return std::atan(dy / dx) * toDeg + (dy >= 0 ? 180.0 : -180.0);
    return dy >= 0 ? 90.0 : -90.0;
}

int ArrowHeadLength(int head, double lineLength) {
    if (head > 0)
        return head;
    if (head == 0)
        return Nearest(0.15 * lineLength);
    return Nearest(lineLength * std::abs(static_cast<double>(head)) / 100.0);
}

ArrowHeadLegs ArrowHead(int x, int y, int size, int angle) {
    const double a1 = DegToRad(angle - 30.0);
    const double a2 = DegToRad(angle + 30.0);
    return {{Nearest(x - size * std::cos(a1)), Nearest(y + size * std::sin(a1))},
            {Nearest(x - size * std::cos(a2)), Nearest(y + size * std::sin(a2))}};
}

namespace {
double lineLength(int x1, int y1, int x2, int y2) {
    const double dx = static_cast<double>(x1) - x2;
    const double dy = static_cast<double>(y1) - y2;
    return std::sqrt(dx * dx + dy * dy);
}
} // namespace

ArrowHeadLegs ArrowEndHead(int x1, int y1, int x2, int y2, int head) {
    const int size = ArrowHeadLength(head, lineLength(x1, y1, x2, y2));
    const int angle =
        Nearest(ArrowAngle(static_cast<double>(y1) - y2, static_cast<double>(x2) - x1));
    return ArrowHead(x2, y2, size, angle);
}

ArrowHeadLegs ArrowStartHead(int x1, int y1, int x2, int y2, int head) {
    const int size = ArrowHeadLength(head, lineLength(x1, y1, x2, y2));
    const int angle =
        Nearest(ArrowAngle(static_cast<double>(y2) - y1, static_cast<double>(x1) - x2));
    return ArrowHead(x1, y1, size, angle);
}

} // namespace radexa
