#include "paint/graphics/sideviewpainter.h"

#include "core/support/cp1252.h"
#include "paint/graphics/canvas.h"

#include <QPainter>

namespace radexa {

namespace {

void drawPolyline(Canvas& c, const std::vector<PixelPoint>& points) {
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (i == 0)
            MoveToColored(c, points[i].x, points[i].y, PictureColor::Lime);
        else
            LineToColored(c, points[i].x, points[i].y, PictureColor::Lime);
    }
}

void drawRays(Canvas& c, const SideViewGeometry& g, const std::vector<PixelPoint>& ends) {
    for (const PixelPoint& p : ends)
        DrawLine(c, g.originX, g.antennaY, p.x, p.y, PictureColor::Lime);
}

} // namespace

SideViewGeometry PaintSideView(QImage& image, const SideViewData& data, const SideViewOptions& o) {
    QPainter painter(&image);
    return PaintSideView(painter, image.size(), data, o);
}

SideViewGeometry PaintSideView(QPainter& painter, QSize size, const SideViewData& data,
                               const SideViewOptions& o) {
    using namespace PictureColor;
    const PaintedArea area(painter, size);
    Canvas c(painter, size);
    FillCanvasWhite(c);
    FillCanvas(c, o.background);
    if (SideViewRefusal(data))
        return {};

    const int w = size.width();
    const SideViewGeometry g = ComputeSideView(data, o.zoom, o.rays, w, size.height());
    const QColor& bg = o.background;

    // The mast.
    c.setPenWidth(3);
    DrawLine(c, g.originX, g.groundY, g.originX, g.mastTopY, Black);
    if (o.origin) {
        c.setPenWidth(2);
        DrawArrow(c, g.originX - 40, g.groundY - 30, g.originX - 6, g.groundY - 6, Black, 0);
        DrawColoredText(c, g.originX - 55, g.groundY - 30, QStringLiteral("(0,0)"), Black, bg);
    }
    // The ground.
    c.setPenWidth(1);
    DrawLine(c, 10, g.groundY, w - 10, g.groundY, Silver);
    if (o.fiveMeters && g.scaleBarMetres > 0) {
        const int l5 = g.scaleBarLength;
        c.setPenWidth(1);
        DrawLine(c, w - 40 - l5, g.groundY - 40, w - 40, g.groundY - 40, Green);
        DrawLine(c, w - 40 - l5, g.groundY - 45, w - 40 - l5, g.groundY - 35, Green);
        DrawLine(c, w - 40, g.groundY - 45, w - 40, g.groundY - 35, Green);
        DrawColoredText(c, w - 40 - l5, g.groundY - 32, QStringLiteral("%1m").arg(g.scaleBarMetres),
                        Green, bg);
    }
    // The safety zone.
    if (o.rays) {
        c.setPenWidth(1);
        drawRays(c, g, g.zone);
        drawRays(c, g, g.mirror);
    } else {
        c.setPenWidth(2);
        drawPolyline(c, g.zone);
        drawPolyline(c, g.mirror);
    }
    // The legend.
    DrawFilledSquare(c, g.legendX, g.legendY, 15, Lime);
    DrawFilledSquare(c, g.legendX, g.legendY + 20, 15, Black);
    DrawColoredText(c, g.legendX + 20, g.legendY, QStringLiteral("Safety distance"), Black, bg);
    DrawColoredText(c, g.legendX + 20, g.legendY + 20, QStringLiteral("Mast"), Black, bg);
    // The dimension arrows.
    if (o.drawMax) {
        c.setPenWidth(1);
        // A zone that reaches the ground has no clearance to mark: only the label says so.
        if (!g.reachesGround)
            DrawDoubleArrow(c, g.clearanceX, g.groundY, g.clearanceX, g.clearanceTopY, Blue, 20);
        DrawColoredText(c, g.clearanceX + 10, g.groundY - 20,
                        QString::fromStdString(Cp1252ToUtf8(SideViewClearanceLabel(g))), Blue, bg);
        // A zone narrower than a pixel has no reach to point at: an arrow of no length
        // would draw its head as a mark pointing up the mast.
        if (g.reachX != g.originX)
            DrawArrow(c, g.originX, g.groundY - 100, g.reachX, g.groundY - 100, Blue, 20);
        DrawLine(c, g.reachX, g.groundY - 70, g.reachX, 100, Blue);
        DrawColoredText(c, g.reachX + 10, g.groundY - 100, QStringLiteral("Reach"), Blue, bg);
    }
    return g;
}

} // namespace radexa
