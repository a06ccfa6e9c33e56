#pragma once
// The drawing primitives of the pictures, on a QPainter: over an off-screen QImage for the
// picture windows, over a page for the report. Primitives that keep state put the
// painter's pen and brush (and, where said, the font) back through TProps when they are
// done. QtGui only: the window and the report share it.

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPoint>
#include <QSize>
#include <QString>

namespace radexa {

// The colours of the pictures.
namespace PictureColor {
inline const QColor Black{0, 0, 0};
inline const QColor White{255, 255, 255};
inline const QColor Silver{192, 192, 192};
inline const QColor Green{0, 128, 0};
inline const QColor Lime{0, 255, 0};
inline const QColor Blue{0, 0, 255};
inline const QColor Red{255, 0, 0};
} // namespace PictureColor

// The desktop's info background (the tooltip background).
QColor InfoBackgroundColor();

// The font of the drawn texts and of the picture windows' controls: "MS Sans Serif"
// 8 pt, or the nearest installed sans face.
QFont PictureFont();

// A painter with the state a bitmap canvas has besides the painter's own: the current
// position of MoveTo/LineTo and the font colour.
class Canvas {
public:
    // Solid black pen of width 1 with round ends, no brush, PictureFont. `area` is the
    // drawing surface in picture pixels (empty: the whole device). Texts take as many
    // picture pixels as on a new image, whatever the device's resolution, so that a
    // picture painted on a page (under a scaling transform) looks as it does on screen.
    explicit Canvas(QPainter& painter, QSize area = QSize());
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    QPainter& painter() { return m_painter; }
    QPoint penPos() const { return m_penPos; }
    void setPenPos(QPoint p) { m_penPos = p; }
    QColor fontColor() const { return m_fontColor; }
    void setFontColor(const QColor& c) { m_fontColor = c; }

    void setPenWidth(int width);
    void setPenStyle(Qt::PenStyle style);
    void setPenColor(const QColor& color);
    // The whole drawing surface.
    QRect clipRect() const;

private:
    QPainter& m_painter;
    QSize m_area;
    QPoint m_penPos;
    QColor m_fontColor = PictureColor::Black;
};

// While it lives, the painter draws within the picture of the given size at its origin
// (the caller's transform places it); the painter's state is put back when it ends.
class PaintedArea {
public:
    PaintedArea(QPainter& painter, QSize size);
    ~PaintedArea();
    PaintedArea(const PaintedArea&) = delete;
    PaintedArea& operator=(const PaintedArea&) = delete;

private:
    QPainter& m_painter;
};

// Records the canvas's pen and brush (with withFont also the font and its colour) and
// puts them back when it ends.
class TProps {
public:
    explicit TProps(Canvas& canvas, bool withFont = false);
    ~TProps();
    TProps(const TProps&) = delete;
    TProps& operator=(const TProps&) = delete;

private:
    Canvas& m_canvas;
    QPen m_pen;
    QBrush m_brush;
    bool m_withFont;
    QFont m_font;
    QColor m_fontColor;
};

void FillCanvasWhite(Canvas& c);
void FillCanvas(Canvas& c, const QColor& color);
void DrawLine(Canvas& c, int x1, int y1, int x2, int y2, const QColor& color);
void MoveToColored(Canvas& c, int x, int y, const QColor& color);
void LineToColored(Canvas& c, int x, int y, const QColor& color);
// angle in whole degrees, counter-clockwise from the right.
void DrawArrowHead(Canvas& c, int x, int y, int size, int angle, const QColor& color);
// head > 0: pixels; 0: 15 % of the line; < 0: that percentage of the line.
void DrawArrow(Canvas& c, int x1, int y1, int x2, int y2, const QColor& color, int head);
void DrawDoubleArrow(Canvas& c, int x1, int y1, int x2, int y2, const QColor& color, int head);
// Text with its top-left corner at (x, y) on a box of the background colour.
void DrawColoredText(Canvas& c, int x, int y, const QString& text, const QColor& fontColor,
                     const QColor& background);
void DrawFilledSquare(Canvas& c, int x, int y, int side, const QColor& color);
void DrawCircle(Canvas& c, int x, int y, int radius, const QColor& color);
void DrawSpokes(Canvas& c, int x, int y, int radius, double step, const QColor& color);
void SetPixelColored(Canvas& c, int x, int y, const QColor& color);

} // namespace radexa
