#include "gui/app/splash.h"

#include "gui/app/about.h"
#include "gui/app/maintainer.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QThread>

#include <algorithm>
#include <cmath>

namespace radexa {

QFont formFont(const QString& family, int pointSize, bool bold) {
    QFont font;
    QStringList families{family};
    if (family == QLatin1String("MS Sans Serif"))
        families << QStringLiteral("Microsoft Sans Serif");
    if (family == QLatin1String("Comic Sans MS"))
        families << QStringLiteral("Comic Neue");
    families << QStringLiteral("Arial") << QStringLiteral("Liberation Sans");
    font.setFamilies(families);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(std::max(1, pointSize));
    font.setBold(bold);
    return font;
}

// ---------------------------------------------------------------------------------------
// RaisedTitleLabel

namespace {

QColor mix(const QColor& a, const QColor& b, double t) {
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                            float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t));
}

} // namespace

RaisedTitleLabel::RaisedTitleLabel(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(false); // the background shows through around the letters
}

void RaisedTitleLabel::setText(const QString& text) {
    m_text = text;
    update();
}

void RaisedTitleLabel::setGradientColor(const QColor& color) {
    if (color == m_color)
        return;
    m_color = color;
    m_fill = QImage();
    update();
}

void RaisedTitleLabel::setPointSize(int pointSize) {
    m_pointSize = std::max(1, pointSize);
    update();
}

void RaisedTitleLabel::resizeEvent(QResizeEvent* event) {
    m_fill = QImage();
    QWidget::resizeEvent(event);
}

// A square gradient: the colour of equal Chebyshev distance from the centre is the same,
// pale in the middle and the full colour at the border.
const QImage& RaisedTitleLabel::faceFill() {
    if (!m_fill.isNull() || width() <= 0 || height() <= 0)
        return m_fill;
    m_fill = QImage(size(), QImage::Format_RGB32);
    const QColor pale = mix(m_color, Qt::white, 0.85);
    const double cx = width() / 2.0;
    const double cy = height() / 2.0;
    for (int y = 0; y < height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(m_fill.scanLine(y));
        const double dy = std::abs(y + 0.5 - cy) / cy;
        for (int x = 0; x < width(); ++x) {
            const double dx = std::abs(x + 0.5 - cx) / cx;
            line[x] = mix(pale, m_color, std::min(1.0, std::max(dx, dy))).rgb();
        }
    }
    return m_fill;
}

void RaisedTitleLabel::paintEvent(QPaintEvent*) {
    if (m_text.isEmpty() || width() < 4 || height() < 4)
        return;
    QPainterPath path;
    path.addText(0, 0, formFont(QStringLiteral("Arial"), m_pointSize, true), m_text);
    const QRectF glyphs = path.boundingRect();
    if (glyphs.isEmpty())
        return;

    // Room for the text, less the depth of the body and the shadow below right.
    const double depth = std::clamp(height() / 30.0, 1.5, 6.0);
    const double shadow = depth + 2.0;
    const QRectF room = QRectF(rect()).adjusted(2, 2, -2 - shadow, -2 - shadow);
    const double slant = 0.22; // the top leans right by this share of the height
    const double naturalWidth = glyphs.width() + slant * glyphs.height();
    const double scale =
        std::min({1.0, room.width() / naturalWidth, room.height() / glyphs.height()});
    const double w = naturalWidth * scale;
    const double h = glyphs.height() * scale;
    const QRectF box(room.center().x() - w / 2, room.center().y() - h / 2, w, h);

    // Slanted, and in perspective: the right end recedes, so it is a little lower.
    const double lean = slant * h;
    const double recede = 0.07 * h;
    QPolygonF from;
    from << glyphs.topLeft() << glyphs.topRight() << glyphs.bottomRight() << glyphs.bottomLeft();
    QPolygonF to;
    to << QPointF(box.left() + lean, box.top()) << QPointF(box.right(), box.top() + recede)
       << QPointF(box.right() - lean * (1.0 - 2.0 * recede / h), box.bottom() - recede)
       << QPointF(box.left(), box.bottom());
    QTransform toBox;
    if (!QTransform::quadToQuad(from, to, toBox))
        return;
    const QPainterPath face = toBox.map(path);

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    // Soft shadow on the background.
    for (int i = 0; i < 3; ++i) {
        painter.setBrush(QColor(0, 0, 0, 40));
        painter.drawPath(face.translated(shadow - i * 0.7, shadow - i * 0.7));
    }
    // The extruded body, darker the deeper it lies.
    const QColor body = mix(m_color, Qt::black, 0.55);
    for (int i = int(std::ceil(depth)); i >= 1; --i) {
        painter.setBrush(mix(body, Qt::black, 0.35 * i / depth));
        painter.drawPath(face.translated(i, i));
    }
    // The face with its gradient, lit from the upper left.
    painter.setBrush(QBrush(faceFill()));
    painter.drawPath(face);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(255, 255, 255, 170), 0.8));
    painter.drawPath(face.translated(-0.6, -0.6));
    painter.setPen(QPen(mix(m_color, Qt::black, 0.4), 0.8));
    painter.drawPath(face);
}

// ---------------------------------------------------------------------------------------
// SplashLogo

SplashLogo::SplashLogo(QWidget* parent) : QWidget(parent) {}

namespace {

// The logo's parts, in its 200 x 100 space. The waves leave the front of the beam and
// end before the zone; the zone's ellipse stands right of the mast, on the ground.
const QPointF kBeamFront(86, 30);
constexpr double kWaveRadii[] = {16, 30, 44};
constexpr double kWaveHalfAngle = 35; // degrees above and below the beam
constexpr double kWavePen = 4;
const QPointF kZoneCentre(156, 74);
constexpr double kZoneRadiusX = 38;
constexpr double kZoneRadiusY = 20;
constexpr double kZonePen = 2;

QPainterPath waveArc(double r) {
    QPainterPath arc;
    const QRectF circle(kBeamFront.x() - r, kBeamFront.y() - r, 2 * r, 2 * r);
    arc.arcMoveTo(circle, -kWaveHalfAngle);
    arc.arcTo(circle, -kWaveHalfAngle, 2 * kWaveHalfAngle);
    return arc;
}

QPainterPath zoneEllipse() {
    QPainterPath ellipse;
    ellipse.addEllipse(kZoneCentre, kZoneRadiusX, kZoneRadiusY);
    return ellipse;
}

QPainterPath penArea(const QPainterPath& path, double width, Qt::PenCapStyle cap) {
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(cap);
    return stroker.createStroke(path);
}

} // namespace

QPainterPath SplashLogo::waveArea() {
    QPainterPath area;
    for (double r : kWaveRadii)
        area = area.united(penArea(waveArc(r), kWavePen, Qt::RoundCap));
    return area;
}

QPainterPath SplashLogo::zoneArea() {
    return penArea(zoneEllipse(), kZonePen, Qt::FlatCap);
}

void SplashLogo::paint(QPainter& p, const QRectF& box) {
    const QRectF space = logoSpace();
    const double scale = std::min(box.width() / space.width(), box.height() / space.height());
    if (scale <= 0)
        return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(box.center().x() - space.width() * scale / 2,
                box.center().y() - space.height() * scale / 2);
    p.scale(scale, scale);

    const QColor navy(0, 0, 128);
    // Ground and mast with its guy wires.
    p.setPen(QPen(QColor(0, 128, 0), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8, 94), QPointF(110, 94));
    p.setPen(QPen(QColor(96, 96, 96), 1.2));
    p.drawLine(QPointF(48, 42), QPointF(18, 94));
    p.drawLine(QPointF(48, 42), QPointF(78, 94));
    p.setPen(QPen(navy, 4, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(48, 94), QPointF(48, 30));
    // The beam: boom and elements, shorter towards the front.
    p.setPen(QPen(navy, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(20, 30), QPointF(84, 30));
    const double elements[][2] = {{24, 16}, {40, 14}, {56, 12}, {70, 11}, {82, 10}};
    p.setPen(QPen(navy, 2.2, Qt::SolidLine, Qt::RoundCap));
    for (const auto& e : elements)
        p.drawLine(QPointF(e[0], 30 - e[1]), QPointF(e[0], 30 + e[1]));
    // The waves leaving the beam.
    const QColor waves[] = {QColor(220, 0, 0), QColor(230, 120, 0), QColor(0, 0, 255)};
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 3; ++i) {
        p.setPen(QPen(waves[i], kWavePen, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(waveArc(kWaveRadii[i]));
    }
    // The safety zone beside the mast.
    p.setPen(QPen(QColor(0, 200, 0), kZonePen, Qt::DashLine, Qt::FlatCap));
    p.drawPath(zoneEllipse());
    p.setPen(QPen(QColor(0, 128, 0), 2));
    p.setFont(formFont(QStringLiteral("Arial"), 13, true));
    p.drawText(QRectF(kZoneCentre.x() - kZoneRadiusX * 0.8, kZoneCentre.y() - kZoneRadiusY * 0.7,
                      kZoneRadiusX * 1.6, kZoneRadiusY * 1.4),
               Qt::AlignCenter, QStringLiteral("EMF"));
    p.restore();
}

void SplashLogo::paintEvent(QPaintEvent*) {
    QPainter p(this);
    paint(p, rect());
}

// ---------------------------------------------------------------------------------------
// TFormrdSplash

namespace {

// Waits, keeping the splash painted (a window system may map and expose it only after
// show() has returned) but handling no input: clicks and keys wait until it is over.
void waitWithoutInput(int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    for (qint64 left = milliseconds; left > 0; left = milliseconds - clock.elapsed()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                            QEventLoop::ExcludeSocketNotifiers,
                                        int(std::min<qint64>(left, 20)));
        QThread::msleep(static_cast<unsigned long>(std::min<qint64>(left, 10)));
    }
}

QLabel* makeLine(QWidget* parent, const char* name, const QRect& geometry, int pointSize, bool bold,
                 Qt::Alignment alignment) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    label->setFont(formFont(QStringLiteral("MS Sans Serif"), pointSize, bold));
    label->setAlignment(alignment | Qt::AlignTop);
    return label;
}

} // namespace

TFormrdSplash::TFormrdSplash(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName(QStringLiteral("FormrdSplash"));
    setAttribute(Qt::WA_DeleteOnClose); // FormClose: the splash releases itself
    setFont(formFont(QStringLiteral("MS Sans Serif"), 8));
    setFixedSize(ClientWidth, ClientHeight);
    setAutoFillBackground(true);

    m_title = new RaisedTitleLabel(this);
    m_title->setObjectName(QStringLiteral("LMDGraphicLabel"));
    m_loadLine = makeLine(this, "LaLoad", QRect(16, 15, 369, 20), 12, true, Qt::AlignLeft);
    m_logo = new SplashLogo(this);
    m_logo->setObjectName(QStringLiteral("IMLogo"));
    m_logo->setGeometry(392, 8, 129, 65);
    m_bottomLine =
        makeLine(this, "LaBottomLine", QRect(80, 248, 369, 20), 10, false, Qt::AlignHCenter);
    for (QWidget* element : {static_cast<QWidget*>(m_title), static_cast<QWidget*>(m_loadLine),
                             static_cast<QWidget*>(m_logo), static_cast<QWidget*>(m_bottomLine)})
        element->installEventFilter(this);

    waitFor = waitWithoutInput;
    FormCreate();
}

void TFormrdSplash::FormCreate() {
    TitleText.clear();
    BottomLineText.clear();
    LoadLineText.clear();
    ShowLogo = false;
    ShowLoadLine = false;
    ShowBottomLine = false;
    DisplayTime = 0;
    GradientColor = QColor(0, 0, 255);
    BackColor = QGuiApplication::palette().color(QPalette::Button);
    TitleFontSize = 72;
    TitleWidthFactor = 1.0;
    Frameless = false;
    StayOpen = false;
    Showing = false;
}

void TFormrdSplash::execute() {
    if (TitleText.isEmpty())
        TitleText = QStringLiteral("None Yet");
    if (BottomLineText.isEmpty())
        BottomLineText =
            QString::fromUtf8("Bugreports und Verbesserungsvorschläge sind erwünscht.");
    if (LoadLineText.isEmpty())
        LoadLineText = QStringLiteral("Laden von MYCALL's ");

    // The title label, centred on the outer window.
    setWindowTitle(TitleText);
    m_title->setText(TitleText);
    const QMargins frame = nominalFrame();
    const QSize outer(ClientWidth + frame.left() + frame.right(),
                      ClientHeight + frame.top() + frame.bottom());
    int labelWidth = int(std::lround(3.0 * TitleFontSize));
    const int labelHeight = std::max(0, int(std::lround(5.0 / 3.0 * TitleFontSize)));
    m_title->setPointSize(TitleFontSize);
    labelWidth = std::max(0, int(std::floor(labelWidth * TitleWidthFactor + 10)));
    m_title->setGeometry(int(std::floor(outer.width() / 2.0 - labelWidth / 2.0)),
                         int(std::floor(outer.height() / 2.0 - labelHeight / 2.0)), labelWidth,
                         labelHeight);

    m_title->setGradientColor(GradientColor);
    QPalette background = palette();
    background.setColor(QPalette::Window, BackColor);
    setPalette(background);
    m_bottomLine->setText(BottomLineText);
    m_loadLine->setText(LoadLineText);
    m_logo->setVisible(ShowLogo);
    m_loadLine->setVisible(ShowLoadLine);
    m_bottomLine->setVisible(ShowBottomLine);

    if (Frameless) {
        // Without a caption bar the window keeps its outer size, less 40 pixels in height.
        setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
        setFixedSize(outer.width(), outer.height() - 40);
    } else {
        setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                       Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                       Qt::WindowStaysOnTopHint);
        setFixedSize(ClientWidth, ClientHeight);
    }
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));

    show(); // on top of all other windows through its flags
    Showing = true;
    repaint(); // Rahmen is part of the painting

    DisplayTime = std::max(DisplayTime, 500);
    if (waitFor)
        waitFor(DisplayTime);

    if (!StayOpen) {
        Showing = false;
        hide();
        close();
    }
}

void TFormrdSplash::closeOnDblClick() {
    Showing = false;
    hide();
    close();
}

void TFormrdSplash::Rahmen(QPainter& painter) {
    painter.setBrush(Qt::NoBrush);
    // Blue, 5 pixels wide, on the rectangle from (2, 2) to (width - 1, height - 1) ...
    QPen blue(QColor(0, 0, 255), 5);
    blue.setJoinStyle(Qt::MiterJoin);
    painter.setPen(blue);
    painter.drawRect(QRectF(2.5, 2.5, width() - 5.0, height() - 5.0));
    // ... and a black line along the very edge.
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(QRectF(0.5, 0.5, width() - 1.0, height() - 1.0));
}

void TFormrdSplash::paintEvent(QPaintEvent*) {
    if (!Frameless)
        return;
    QPainter painter(this);
    Rahmen(painter);
}

void TFormrdSplash::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    closeOnDblClick();
}

bool TFormrdSplash::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        closeOnDblClick();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TFormrdSplash::closeEvent(QCloseEvent* event) {
    Showing = false;
    event->accept();
}

// ---------------------------------------------------------------------------------------

void configureStartupSplash(TFormrdSplash& splash, const QString& applicationTitle) {
    splash.TitleText = applicationTitle;
    splash.BottomLineText = problemReportLine(QString::fromUtf8(maintainer::EmailAddress));
    splash.LoadLineText = QStringLiteral("Now loading MYCALL's software.....");
    splash.ShowLogo = true;
    splash.ShowLoadLine = true;
    splash.ShowBottomLine = true;
    splash.Frameless = true;
    splash.DisplayTime = 2500;
    splash.TitleFontSize = 95;
    splash.TitleWidthFactor = 1.4;
    splash.StayOpen = false;
}

void showStartupSplash(QWidget* owner, const QString& applicationTitle) {
    auto* splash = new TFormrdSplash(owner);
    configureStartupSplash(*splash, applicationTitle);
    splash->execute(); // closes and releases itself
}

} // namespace radexa
