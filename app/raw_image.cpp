#include "app/raw_image.h"

#include <QByteArray>
#include <QResource>

namespace tallyvane {

QImage RawImage(const QString& resource, int width, int height, QImage::Format format) {
    const QByteArray pixels = QResource(resource).uncompressedData();
    const int bytesPerLine = width * QImage::toPixelFormat(format).bitsPerPixel() / 8;
    if (pixels.size() != static_cast<qsizetype>(bytesPerLine) * height) {
        return {};
    }
    return QImage(reinterpret_cast<const uchar*>(pixels.constData()), width, height, bytesPerLine,
                  format)
        .copy();
}

}  // namespace tallyvane
