#pragma once
// The splash window shown while the program starts, and the raised, slanted title text
// that it shares with the About window.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QMargins>
#include <QRectF>
#include <QString>
#include <QWidget>

#include <functional>

class QLabel;
class QPainter;
class QPainterPath;

namespace radexa {

// The font of a classic form: the face asked for, or its nearest installed relative
// ("MS Sans Serif" and "Arial" fall back to a metric-compatible sans face).
QFont formFont(const QString& family, int pointSize, bool bold = false);

// A title in raised three-dimensional letters: a soft shadow, an extruded body, and a
// face filled with a square gradient of one colour, slanted in perspective. The text
// keeps its point size while it fits and shrinks to fit the label otherwise.
class RaisedTitleLabel : public QWidget {
    Q_OBJECT
public:
    explicit RaisedTitleLabel(QWidget* parent = nullptr);

    void setText(const QString& text);
    QString text() const { return m_text; }
    void setGradientColor(const QColor& color);
    QColor gradientColor() const { return m_color; }
    void setPointSize(int pointSize);
    int pointSize() const { return m_pointSize; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    const QImage& faceFill();

    QString m_text;
    QColor m_color{0, 0, 255};
    int m_pointSize = 72;
    QImage m_fill; // the square gradient, made again when size or colour change
};

// The splash's logo: a vector drawing of a mast with a beam, its waves and the safety
// zone, scaled proportionally into whatever size it is given.
class SplashLogo : public QWidget {
    Q_OBJECT
public:
    explicit SplashLogo(QWidget* parent = nullptr);

    // The logo is drawn in this space (200 x 100) and everything it paints stays inside.
    static QRectF logoSpace() { return {0, 0, 200, 100}; }
    // Paints the logo centred in the box, scaled proportionally.
    static void paint(QPainter& painter, const QRectF& box);
    // The areas that the pens of the waves and of the zone's ellipse cover, in the logo's
    // space: the waves stay clear of the zone.
    static QPainterPath waveArea();
    static QPainterPath zoneArea();

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The splash window. The creator fills the settings, then calls execute().
// A splash that closes deletes itself: do not touch it after execute() unless StayOpen
// is set (hold it in a QPointer when in doubt).
class TFormrdSplash : public QWidget {
    Q_OBJECT
public:
    explicit TFormrdSplash(QWidget* owner = nullptr);

    // Settings, filled before execute(); defaults set by FormCreate.
    QString TitleText;      // also the caption; "None Yet" when empty
    QString BottomLineText; // a German request for bug reports when empty
    QString LoadLineText;   // "Laden von MYCALL's " when empty
    bool ShowLogo;
    bool ShowLoadLine;
    bool ShowBottomLine;
    int DisplayTime; // milliseconds; below 500 counts as 500
    QColor GradientColor;
    QColor BackColor;
    int TitleFontSize;
    double TitleWidthFactor;
    bool Frameless;
    bool StayOpen;
    bool Showing; // true while the splash is on the screen

    // How the display time is waited for. The default keeps the splash painted but
    // handles no user input; tests put a recorder here.
    std::function<void(int milliseconds)> waitFor;

    // Shows the splash for the display time and returns when it is over.
    void execute();

    // The client size of the splash as laid out, and the frame it would have as a
    // window with a caption bar; their sum is the outer size the title is centred on.
    static constexpr int ClientWidth = 532;
    static constexpr int ClientHeight = 273;
    static QMargins nominalFrame() { return {4, 30, 4, 4}; }

public slots:
    // Bound to a double-click on the window and on each of its four elements.
    void closeOnDblClick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    // Draws the frame of a frameless splash.
    void Rahmen(QPainter& painter);

    RaisedTitleLabel* m_title;
    QLabel* m_loadLine;
    SplashLogo* m_logo;
    QLabel* m_bottomLine;
};

// Puts the start-up settings on a splash: the application title, the English load line,
// the bottom line that says where problems are reported (problemReportLine), everything visible,
// frameless, 2.5 s, title 95 pt widened by 1.4.
void configureStartupSplash(TFormrdSplash& splash, const QString& applicationTitle);

// Shows the start-up splash owned by owner; blocks for its display time and returns
// when it has closed itself.
void showStartupSplash(QWidget* owner, const QString& applicationTitle = QStringLiteral("Radexa"));

} // namespace radexa
