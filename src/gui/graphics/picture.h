#pragma once
// What the two picture windows share: the widget that shows the off-screen picture,
// and writing the picture as a Windows bitmap file.

#include <QImage>
#include <QString>
#include <QWidget>

class QShowEvent;

namespace radexa {

// Shows an image at its natural size and reports the mouse position over it. It
// paints nothing of its own: the picture is drawn off-screen.
class PictureView : public QWidget {
    Q_OBJECT
public:
    explicit PictureView(QWidget* parent = nullptr);
    void setImage(const QImage& image);
    const QImage& image() const { return m_image; }

signals:
    void mouseMoved(int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QImage m_image;
};

// An empty picture of the given size as the windows draw into it (32-bit, no alpha).
QImage NewPicture(int width, int height);

// Writes the picture as a 24-bit Windows bitmap, whatever the file name says, through the
// program's one safe writer (WriteFileAtomic): regular files only, the old file replaced
// only when the new one is complete. False when writing failed; error (when given) then
// receives the reason, naming the file.
bool SaveBitmap(const QImage& image, const QString& fileName, QString* error = nullptr);

// Whether a show event is the program's activation of a picture window (not a restore
// from the task bar); the first one also centres the window on its screen.
bool IsActivatingShow(QWidget* window, const QShowEvent* event, bool& centred);

// The save dialog's filter, in the dialog seam's form.
QString BitmapFilter();
QString BitmapFilterSelected();

} // namespace radexa
