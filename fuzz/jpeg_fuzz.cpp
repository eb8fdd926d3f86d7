// Decoration pictures: JPEG bytes from a file the merchant chose or a resource.
#include "base/error.h"
#include "fuzz_support.h"
#include "settings/gui/jpeg_picture.h"

using namespace vendaxo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const QByteArray data(reinterpret_cast<const char*>(bytes), static_cast<qsizetype>(size));
    QImage image;
    try {
        image = decodeJpeg(data);
    } catch (const Error&) {
        return 0;
    }
    fuzz::check(!image.isNull(), "a decoded picture has pixels");
    fuzz::check(image.width() <= kMaxPictureSide && image.height() <= kMaxPictureSide,
                "oversized pictures are refused");
    fuzz::check(image.format() == QImage::Format_RGB888, "decoded as RGB");
    // Touch the last pixel: every scan line was filled in memory we own.
    (void)image.pixel(image.width() - 1, image.height() - 1);
    return 0;
}
