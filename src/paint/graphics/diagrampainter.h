#pragma once
// The radiation-pattern diagram painted: level circles, radial grid, the measured and the
// mirrored trace and the legend, as the diagram window shows it and the report prints it.
// QtGui only.

#include "core/graphics/diagram.h"

#include <QColor>
#include <QImage>
#include <QSize>

class QPainter;

namespace radexa {

// Draws the whole diagram into the image on the given background. Data that
// DiagramRefusal turns down leave the grid without traces.
DiagramGeometry PaintDiagram(QImage& image, const DiagramData& data, const QColor& background);

// The same on any painter: the picture of the given size in pixels at the painter's
// origin, clipped to it.
DiagramGeometry PaintDiagram(QPainter& painter, QSize size, const DiagramData& data,
                             const QColor& background);

} // namespace radexa
