#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace vendaxo {

// Pictures larger than this on either side are refused before any pixel
// memory is set aside: a decoration picture is a few hundred pixels.
inline constexpr int kMaxPictureSide = 4096;

// Decodes JPEG bytes (greyscale, YCbCr or RGB) into an RGB image. Damaged,
// truncated, CMYK or oversized data throws vendaxo::Error; no pixels of a
// half-read picture are returned.
QImage decodeJpeg(const QByteArray& bytes);

// Reads a JPEG file or resource (":/pictures/options.jpg") and decodes it.
QImage readJpegPicture(const QString& path);

} // namespace vendaxo
