#pragma once
// Where the main window may be placed: a position remembered from another screen layout
// must not put it where nobody can reach it.

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace radexa {

// The height of the strip at a window's top by which the operator moves it.
constexpr int kTitleAreaHeight = 30;

// The top-left corner for a window of the given frame size: unchanged when its title
// area lies on one of the available screen areas (at least 100 pixels of it, or all of a
// narrower one), otherwise moved onto the first of them (the primary screen).
QPoint KeepTitleOnScreen(QPoint topLeft, QSize frame, const QList<QRect>& available);

} // namespace radexa
