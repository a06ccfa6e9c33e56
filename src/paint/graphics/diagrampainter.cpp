#include "paint/graphics/diagrampainter.h"

#include "paint/graphics/canvas.h"

#include <QPainter>

namespace radexa {

namespace {

void drawTrace(Canvas& c, const std::vector<PixelPoint>& points, const QColor& color) {
    for (std::size_t i = 0; i < points.size(); ++i) {
        const PixelPoint p = points[i];
        if (i == 0)
            MoveToColored(c, p.x, p.y, color);
        else
            LineToColored(c, p.x, p.y, color);
        SetPixelColored(c, p.x, p.y, color);
        DrawCircle(c, p.x, p.y, 3, color);
    }
}

} // namespace

DiagramGeometry PaintDiagram(QImage& image, const DiagramData& data, const QColor& bg) {
    QPainter painter(&image);
    return PaintDiagram(painter, image.size(), data, bg);
}

DiagramGeometry PaintDiagram(QPainter& painter, QSize size, const DiagramData& data,
                             const QColor& bg) {
    using namespace PictureColor;
    const int w = size.width();
    const int h = size.height();
    DiagramData drawn = data;
    if (DiagramRefusal(data))
        drawn.angles.clear(), drawn.attenuations.clear();
    const DiagramGeometry g = ComputeDiagram(drawn, w, h);

    const PaintedArea area(painter, size);
    Canvas c(painter, size);
    FillCanvas(c, bg);
    c.setPenWidth(1);
    c.setPenStyle(Qt::SolidLine);
    DrawCircle(c, g.cx, g.cy, g.radius, Black);
    c.setPenStyle(Qt::DotLine);
    for (int r : g.levelRadii)
        DrawCircle(c, g.cx, g.cy, r, Black);
    c.setPenStyle(Qt::SolidLine);
    DrawSpokes(c, g.cx, g.cy, g.radius, 30, Black);
    c.setPenStyle(Qt::DotLine);
    DrawSpokes(c, g.cx, g.cy, g.radius, 10, Black);
    c.setPenStyle(Qt::SolidLine);

    c.setPenWidth(3);
    drawTrace(c, g.mirrorTrace, Red);
    drawTrace(c, g.measuredTrace, Blue);

    DrawColoredText(c, 10, h - 15, QStringLiteral("Circles: 0, -3, -10, -20, -30 dB"), Black, bg);
    DrawFilledSquare(c, 5, h - 42, 6, Blue);
    DrawFilledSquare(c, 5, h - 29, 6, Red);
    DrawColoredText(c, 21, h - 45, QStringLiteral("\"real\" Data"), Black, bg);
    DrawColoredText(c, 21, h - 32, QStringLiteral("mirror Data"), Black, bg);
    DrawColoredText(c, w - 20, Nearest(h / 2.0), QString::fromUtf8("0\u00B0"), Black, bg);
    DrawColoredText(c, Nearest(w / 2.0), 10, QStringLiteral("Sky"), Black, bg);
    DrawColoredText(c, Nearest(w / 2.0), h - 20, QStringLiteral("Earth"), Black, bg);
    return g;
}

} // namespace radexa
