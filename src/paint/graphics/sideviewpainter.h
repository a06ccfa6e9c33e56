#pragma once
// The side view painted: mast, ground, safety zone, legend and dimension arrows, as the
// side-view window shows them and the report prints them. QtGui only.

#include "core/graphics/sideview.h"

#include <QColor>
#include <QImage>
#include <QSize>

class QPainter;

namespace radexa {

// What a drawing of the side view shows besides the data.
struct SideViewOptions {
    double zoom = 1.0;
    QColor background;
    bool origin = true;     // "Origin"
    bool fiveMeters = true; // "5-m-Line"
    bool rays = false;      // "Rays"
    bool drawMax = true;    // "Draw" (the dimension arrows)
};

// Draws the whole side view into the image and returns the geometry of the drawing.
// Data that SideViewRefusal turns down leave the background only (and a geometry with
// scale 0).
SideViewGeometry PaintSideView(QImage& image, const SideViewData& data,
                               const SideViewOptions& options);

// The same on any painter: the picture of the given size in pixels at the painter's
// origin, clipped to it (the caller's transform places and scales it, e.g. on a page).
SideViewGeometry PaintSideView(QPainter& painter, QSize size, const SideViewData& data,
                               const SideViewOptions& options);

} // namespace radexa
