// The main window's place: a remembered position that would hide the window is moved back
// onto a screen, one that the operator can reach is kept.
#include "gui/app/windowplacement.h"

#include <gtest/gtest.h>

namespace radexa {
namespace {

TEST(WindowPlacement, KeepsTheTitleAreaOnAnAvailableScreen) {
    const QSize frame(655, 440);
    const QRect primary(0, 0, 1024, 740); // a task bar below
    const QRect second(1024, 0, 1280, 1024);
    const struct {
        QPoint from;
        QList<QRect> screens;
        QPoint to;
    } cases[] = {
        {{100, 100}, {primary}, {100, 100}},           // where it was
        {{5000, -3000}, {primary}, {369, 0}},          // off every screen
        {{-600, 50}, {primary}, {0, 50}},              // 55 px of title on the screen are too few
        {{-500, 50}, {primary}, {-500, 50}},           // 155 px are enough
        {{300, 720}, {primary}, {300, 710}},           // title under the task bar
        {{300, -10}, {primary}, {300, 0}},             // title above the screen
        {{1500, 300}, {primary, second}, {1500, 300}}, // on the second screen
        {{2500, 300}, {primary, second}, {369, 300}},  // beyond both: onto the primary
        {{10, 10}, {}, {10, 10}},                      // nothing known of the screens
    };
    for (const auto& c : cases)
        EXPECT_EQ(KeepTitleOnScreen(c.from, frame, c.screens), c.to)
            << c.from.x() << "," << c.from.y();
}

} // namespace
} // namespace radexa
