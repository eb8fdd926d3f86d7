// Decoration pictures: JPEG bytes from a file the merchant chose or a resource.
#include "base/error.h"
#include "base/jpeg_image.h"
#include "fuzz_support.h"

using namespace vendaxo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    RgbImage image;
    try {
        image = decodeJpeg(fuzz::asText(bytes, size));
    } catch (const Error&) {
        return 0;
    }
    fuzz::check(image.width > 0 && image.height > 0, "a decoded picture has pixels");
    fuzz::check(image.width <= kMaxPictureSide && image.height <= kMaxPictureSide,
                "oversized pictures are refused");
    fuzz::check(image.pixels.size() == static_cast<std::size_t>(image.width) *
                                           static_cast<std::size_t>(image.height) * 3,
                "three bytes a pixel, every line");
    // Touch the last pixel: every scan line was filled in memory we own.
    const volatile unsigned char last = image.pixel(image.width - 1, image.height - 1)[2];
    static_cast<void>(last);
    return 0;
}
