#include "gui/graphics/picture.h"

#include <QImageWriter>
#include <QScreen>
#include <QShowEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QSaveFile>

namespace radexa {

PictureView::PictureView(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureView::setImage(const QImage& image) {
    m_image = image;
    update();
}

void PictureView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, m_image);
}

void PictureView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    emit mouseMoved(at.x(), at.y());
}

QImage NewPicture(int width, int height) {
    return QImage(width, height, QImage::Format_RGB32);
}

bool SaveBitmap(const QImage& image, const QString& fileName) {
    if (image.isNull())
        return false;
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QImageWriter writer(&file, "bmp");
    if (!writer.write(image.convertToFormat(QImage::Format_RGB888))) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

QString BitmapFilter() {
    return QStringLiteral("Bitmaps (*.bmp);;Alle Dateien (*.*)");
}
QString BitmapFilterSelected() {
    return QStringLiteral("Bitmaps (*.bmp)");
}

bool IsActivatingShow(QWidget* window, const QShowEvent* event, bool& centred) {
    if (event->spontaneous())
        return false; // restored from the task bar: not an activation by the program
    if (!centred) {
        centred = true;
        if (const QScreen* s = window->screen())
            window->move(s->availableGeometry().center() -
                         QPoint(window->width() / 2, window->height() / 2));
    }
    return true;
}

} // namespace radexa
