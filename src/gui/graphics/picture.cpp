#include "gui/graphics/picture.h"

#include "core/support/atomicfile.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QShowEvent>

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

bool SaveBitmap(const QImage& image, const QString& fileName, QString* error) {
    auto fail = [&](const QString& reason) {
        if (error)
            *error = reason;
        return false;
    };
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "bmp");
    if (image.isNull() || !writer.write(image.convertToFormat(QImage::Format_RGB888)))
        return fail(QStringLiteral("Cannot encode the picture for \"%1\"").arg(fileName));
    // The writer's messages hold the path as the file system has it (QFile::encodeName).
    const FileWriteResult written = WriteFileAtomic(
        QFile::encodeName(fileName).toStdString(),
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!written.ok())
        return fail(QFile::decodeName(written.error.c_str()));
    return true;
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
