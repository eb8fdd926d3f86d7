#include "settings/gui/jpeg_picture.h"

#include "base/error.h"
#include "base/jpeg_image.h"

#include <QFile>

namespace vendaxo {

QImage readJpegPicture(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error("The picture " + path.toStdString() + " cannot be opened.");
    const QByteArray bytes = file.readAll();
    try {
        const RgbImage picture =
            decodeJpeg(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        return QImage(picture.pixels.data(), picture.width, picture.height, picture.width * 3,
                      QImage::Format_RGB888)
            .copy();
    } catch (const Error& error) {
        throw Error(path.toStdString() + ": " + error.what());
    }
}

} // namespace vendaxo
