#include "paint/graphics/canvas.h"

#include "core/graphics/diagram.h"
#include "core/graphics/geometry.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPalette>

namespace radexa {

QColor InfoBackgroundColor() {
    return QGuiApplication::palette().color(QPalette::ToolTipBase);
}

QFont PictureFont() {
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    return font;
}

namespace {

// The resolution a new image has, for which the picture's texts are sized.
int pictureDpi() {
    static const int dpi = QImage(1, 1, QImage::Format_RGB32).logicalDpiY();
    return dpi;
}

} // namespace

Canvas::Canvas(QPainter& painter, QSize area) : m_painter(painter), m_area(area) {
    QPen pen(PictureColor::Black, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    m_painter.setPen(pen);
    m_painter.setBrush(Qt::NoBrush);
    QFont font = PictureFont();
    const QPaintDevice* device = m_painter.device();
    if (device && device->logicalDpiY() > 0 && device->logicalDpiY() != pictureDpi())
        font.setPointSizeF(font.pointSizeF() * pictureDpi() / device->logicalDpiY());
    m_painter.setFont(font);
    m_painter.setRenderHint(QPainter::Antialiasing, false);
}

void Canvas::setPenWidth(int width) {
    QPen pen = m_painter.pen();
    pen.setWidth(width);
    m_painter.setPen(pen);
}

void Canvas::setPenStyle(Qt::PenStyle style) {
    QPen pen = m_painter.pen();
    pen.setStyle(style);
    m_painter.setPen(pen);
}

void Canvas::setPenColor(const QColor& color) {
    QPen pen = m_painter.pen();
    pen.setColor(color);
    m_painter.setPen(pen);
}

QRect Canvas::clipRect() const {
    if (!m_area.isEmpty())
        return QRect(QPoint(0, 0), m_area);
    const QPaintDevice* d = m_painter.device();
    return d ? QRect(0, 0, d->width(), d->height()) : QRect();
}

PaintedArea::PaintedArea(QPainter& painter, QSize size) : m_painter(painter) {
    m_painter.save();
    m_painter.setClipRect(QRect(QPoint(0, 0), size), Qt::IntersectClip);
}

PaintedArea::~PaintedArea() {
    m_painter.restore();
}

TProps::TProps(Canvas& canvas, bool withFont)
    : m_canvas(canvas), m_pen(canvas.painter().pen()), m_brush(canvas.painter().brush()),
      m_withFont(withFont), m_font(canvas.painter().font()), m_fontColor(canvas.fontColor()) {}

TProps::~TProps() {
    m_canvas.painter().setPen(m_pen);
    m_canvas.painter().setBrush(m_brush);
    if (m_withFont) {
        m_canvas.painter().setFont(m_font);
        m_canvas.setFontColor(m_fontColor);
    }
}

void FillCanvasWhite(Canvas& c) {
    TProps keep(c, true);
    c.painter().setBrush(QBrush(PictureColor::White, Qt::SolidPattern));
    c.painter().fillRect(c.clipRect(), c.painter().brush());
}

void FillCanvas(Canvas& c, const QColor& color) {
    TProps keep(c, true);
    c.painter().setBrush(QBrush(color, Qt::SolidPattern));
    c.painter().fillRect(c.clipRect(), c.painter().brush());
}

void DrawLine(Canvas& c, int x1, int y1, int x2, int y2, const QColor& color) {
    TProps keep(c);
    c.setPenColor(color);
    c.painter().drawLine(x1, y1, x2, y2);
    c.setPenPos({x2, y2});
}

void MoveToColored(Canvas& c, int x, int y, const QColor& color) {
    c.setPenColor(color);
    c.setPenPos({x, y});
}

void LineToColored(Canvas& c, int x, int y, const QColor& color) {
    TProps keep(c, true);
    c.setPenColor(color);
    c.painter().drawLine(c.penPos(), QPoint(x, y));
    c.setPenPos({x, y});
}

namespace {
void drawLegs(Canvas& c, int x, int y, const ArrowHeadLegs& legs) {
    c.painter().drawLine(x, y, legs.first.x, legs.first.y);
    c.painter().drawLine(x, y, legs.second.x, legs.second.y);
}
} // namespace

void DrawArrowHead(Canvas& c, int x, int y, int size, int angle, const QColor& color) {
    TProps keep(c);
    c.setPenColor(color);
    drawLegs(c, x, y, ArrowHead(x, y, size, angle));
}

void DrawArrow(Canvas& c, int x1, int y1, int x2, int y2, const QColor& color, int head) {
    TProps keep(c);
    c.setPenColor(color);
    c.painter().drawLine(x1, y1, x2, y2);
    drawLegs(c, x2, y2, ArrowEndHead(x1, y1, x2, y2, head));
}

void DrawDoubleArrow(Canvas& c, int x1, int y1, int x2, int y2, const QColor& color, int head) {
    TProps keep(c);
    c.setPenColor(color);
    c.painter().drawLine(x1, y1, x2, y2);
    drawLegs(c, x1, y1, ArrowStartHead(x1, y1, x2, y2, head));
    drawLegs(c, x2, y2, ArrowEndHead(x1, y1, x2, y2, head));
}

void DrawColoredText(Canvas& c, int x, int y, const QString& text, const QColor& fontColor,
                     const QColor& background) {
    TProps keep(c);
    c.setFontColor(fontColor);
    c.painter().setBrush(QBrush(background, Qt::SolidPattern));
    // Measured on the device painted on, whose resolution the font is sized for.
    const QFontMetrics fm = c.painter().fontMetrics();
    c.painter().fillRect(QRect(x, y, fm.horizontalAdvance(text), fm.height()), background);
    c.setPenColor(fontColor);
    c.painter().drawText(x, y + fm.ascent(), text);
}

void DrawFilledSquare(Canvas& c, int x, int y, int side, const QColor& color) {
    c.setPenColor(color);
    c.painter().setBrush(QBrush(color, Qt::SolidPattern));
    // The square covers the columns x ... x + side - 1, as a bitmap canvas fills it.
    c.painter().drawRect(QRect(x, y, side - 1, side - 1));
}

void DrawCircle(Canvas& c, int x, int y, int radius, const QColor& color) {
    TProps keep(c, true);
    c.painter().setBrush(Qt::NoBrush);
    c.setPenColor(color);
    c.painter().drawEllipse(QPoint(x, y), radius, radius);
}

void DrawSpokes(Canvas& c, int x, int y, int radius, double step, const QColor& color) {
    TProps keep(c);
    for (const PixelPoint& end : SpokeEnds(x, y, radius, step))
        DrawLine(c, x, y, end.x, end.y, color);
}

void SetPixelColored(Canvas& c, int x, int y, const QColor& color) {
    TProps keep(c);
    c.painter().fillRect(QRect(x, y, 1, 1), color);
}

} // namespace radexa
