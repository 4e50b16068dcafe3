#pragma once

#include <QImage>
#include <QString>

namespace tallyvane {

// An image stored in the resources as bare pixels (8 bits a channel, rows top to bottom),
// which takes no image decoder and so no image-format plugins at start-up. A null image if the
// resource does not hold width x height pixels of that format.
QImage RawImage(const QString& resource, int width, int height, QImage::Format format);

}  // namespace tallyvane
