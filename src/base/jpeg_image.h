#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace vendaxo {

// Pictures larger than this on either side are refused before any pixel
// memory is set aside: a decoration picture is a few hundred pixels.
inline constexpr int kMaxPictureSide = 4096;

// A decoded picture: rows top to bottom, three bytes (red, green, blue) a pixel.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> pixels;

    const unsigned char* pixel(int x, int y) const {
        return pixels.data() + (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                                static_cast<std::size_t>(x)) *
                                   3;
    }
};

// Decodes JPEG bytes (greyscale, YCbCr or RGB). Damaged, truncated, CMYK or
// oversized data throws vendaxo::Error; no pixels of a half-read picture are
// returned.
RgbImage decodeJpeg(std::string_view bytes);

} // namespace vendaxo
