#include "core/graphics/geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace radexa {
namespace {

TEST(Nearest, RoundsHalvesToTheEvenNeighbour) {
    const struct {
        double x;
        int expected;
    } cases[] = {{0.5, 0},
                 {1.5, 2},
                 {2.5, 2},
                 {-0.5, 0},
                 {-1.5, -2},
                 {-2.5, -2},
                 {2.4999, 2},
                 {2.5001, 3},
                 {117.9, 118},
                 {-117.9, -118},
                 {368.94, 369},
                 {0, 0},
                 {1e20, std::numeric_limits<int>::max()},
                 {-1e20, std::numeric_limits<int>::min()},
                 {std::nan(""), 0}};
    for (const auto& c : cases)
        EXPECT_EQ(Nearest(c.x), c.expected) << c.x;
}

TEST(ArrowAngle, CountsCounterClockwiseFromTheRight) {
    const struct {
        double dy, dx, degrees;
    } cases[] = {
        {0, 1, 0},    {1, 1, 45}, {1, -1, 135}, {0, -1, 180}, {-1, -1, -135},
        {-1, 1, -45}, {1, 0, 90}, {0, 0, 90},   {-1, 0, -90}, {-24, 34, -35.21759296819272}};
    for (const auto& c : cases)
        EXPECT_NEAR(ArrowAngle(c.dy, c.dx), c.degrees, 1e-9) << c.dy << "," << c.dx;
}

TEST(ArrowHeadLength, ThreeRules) {
    const struct {
        int head;
        double length;
        int expected;
    } cases[] = {{20, 100, 20}, {20, 0, 20},  {0, 41.617, 6}, {0, 100, 15},
                 {0, 10, 2},    {-10, 55, 6}, {-10, 45, 4},   {-50, 30, 15}};
    for (const auto& c : cases)
        EXPECT_EQ(ArrowHeadLength(c.head, c.length), c.expected) << c.head << " " << c.length;
}

TEST(ArrowHead, LegsPointBackAlongTheLine) {
    const struct {
        const char* what;
        ArrowHeadLegs legs;
        PixelPoint first, second;
    } cases[] = {
        // The side view's origin arrow: 41.6 pixels long, so 6-pixel legs.
        {"origin arrow", ArrowEndHead(81, 419, 115, 443, 0), {112, 438}, {109, 442}},
        {"upward end", ArrowEndHead(121, 449, 121, 228, 20), {111, 245}, {131, 245}},
        {"downward start", ArrowStartHead(121, 449, 121, 228, 20), {131, 432}, {111, 432}},
        {"rightward end", ArrowEndHead(121, 349, 397, 349, 20), {380, 339}, {380, 359}},
        {"zero length", ArrowEndHead(50, 50, 50, 50, 10), {45, 59}, {55, 59}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.legs.first, c.first)
            << c.what << " first leg " << c.legs.first.x << "," << c.legs.first.y;
        EXPECT_EQ(c.legs.second, c.second)
            << c.what << " second leg " << c.legs.second.x << "," << c.legs.second.y;
    }
}

} // namespace
} // namespace radexa
