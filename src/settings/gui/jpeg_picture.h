#pragma once

#include <QImage>
#include <QString>

namespace vendaxo {

// Reads a JPEG file or resource (":/pictures/options.jpg") as an RGB image;
// one that cannot be opened or decoded throws vendaxo::Error naming it.
QImage readJpegPicture(const QString& path);

} // namespace vendaxo
