#include "base/error.h"
#include "base/jpeg_image.h"
#include "test_support.h"

#include <cstdio>
#include <cstdlib>
#include <gmock/gmock.h>
#include <jpeglib.h>
#include <vector>

namespace vendaxo::test {

using ::testing::HasSubstr;

namespace {

// A picture of one colour, encoded by libjpeg itself in the given colour space.
std::string encodeFlat(int width, int height, J_COLOR_SPACE space, std::vector<JSAMPLE> pixel) {
    jpeg_compress_struct info;
    jpeg_error_mgr error;
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = static_cast<int>(pixel.size());
    info.in_color_space = space;
    jpeg_set_defaults(&info);
    std::vector<JSAMPLE> row;
    for (int x = 0; x < width; ++x)
        row.insert(row.end(), pixel.begin(), pixel.end());
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    std::string bytes(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return bytes;
}

std::string shippedPicture(const char* name) {
    return readFile(std::filesystem::path(VENDAXO_PICTURES_DIR) / name);
}

// Decodes from a buffer of exactly `size` bytes, so that the address sanitizer
// sees any read past the end.
RgbImage decodeExactly(const std::string& bytes, std::size_t size) {
    const std::vector<char> exact(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size));
    return decodeJpeg(std::string_view(exact.data(), size));
}

std::string failureOf(const std::string& bytes) {
    try {
        decodeJpeg(bytes);
    } catch (const Error& error) {
        return error.what();
    }
    return "decoded";
}

void expectNear(const RgbImage& image, int x, int y, int red, int green, int blue) {
    const unsigned char* pixel = image.pixel(x, y);
    EXPECT_NEAR(pixel[0], red, 4) << x << "," << y;
    EXPECT_NEAR(pixel[1], green, 4) << x << "," << y;
    EXPECT_NEAR(pixel[2], blue, 4) << x << "," << y;
}

} // namespace

TEST(JpegImage, ShippedPicturesDecodeInTheirOwnColours) {
    for (const char* name : {"options.jpg", "shipping.jpg"}) {
        SCOPED_TRACE(name);
        const RgbImage picture = decodeJpeg(shippedPicture(name));
        EXPECT_EQ(picture.width, 120);
        EXPECT_EQ(picture.height, 432);
        EXPECT_EQ(picture.pixels.size(), 120u * 432u * 3u);
        // The pale green-grey of the sky at the top: red and blue not swapped.
        expectNear(picture, 2, 2, 0xe6, 0xf0, 0xec);
    }
}

TEST(JpegImage, GreyscaleAndRgbComeOutAsRgb) {
    const RgbImage grey = decodeJpeg(encodeFlat(9, 7, JCS_GRAYSCALE, {200}));
    ASSERT_EQ(grey.width, 9);
    ASSERT_EQ(grey.height, 7);
    expectNear(grey, 8, 6, 200, 200, 200);
    const RgbImage red = decodeJpeg(encodeFlat(17, 3, JCS_RGB, {250, 10, 20}));
    ASSERT_EQ(red.width, 17);
    ASSERT_EQ(red.height, 3);
    expectNear(red, 16, 2, 250, 10, 20);
}

TEST(JpegImage, CmykAndOversizedPicturesAreRefused) {
    EXPECT_THAT(failureOf(encodeFlat(8, 8, JCS_CMYK, {0, 255, 255, 0})), HasSubstr("CMYK"));
    // Headers that claim 5000 pixels across or down, in front of an 8 by 8 picture.
    const std::string small = encodeFlat(8, 8, JCS_GRAYSCALE, {0});
    const std::size_t frame = small.find("\xff\xc0");
    ASSERT_NE(frame, std::string::npos);
    ASSERT_GT(frame, 0u);
    for (std::size_t at : {frame + 5, frame + 7}) {
        std::string huge = small;
        huge[at] = static_cast<char>(5000 >> 8);
        huge[at + 1] = static_cast<char>(5000 & 0xff);
        EXPECT_THAT(failureOf(huge), HasSubstr("larger than 4096 by 4096 pixels")) << at - frame;
    }
}

TEST(JpegImage, DamagedDataIsAnErrorAndNothingIsReadPastTheEnd) {
    EXPECT_THAT(failureOf(std::string()), HasSubstr("damaged or not a JPEG file"));
    EXPECT_THAT(failureOf("\x89PNG\r\n\x1a\n"), HasSubstr("damaged or not a JPEG file"));
    const std::string picture = shippedPicture("options.jpg");
    ASSERT_GT(picture.size(), 2000u);
    // Every cut through the headers, then cuts through the scan data.
    for (std::size_t size = 0; size < picture.size(); size += size < 1200 ? 1 : 97)
        EXPECT_THROW(decodeExactly(picture, size), Error) << "cut at " << size;
    EXPECT_THROW(decodeExactly(picture, picture.size() - 2), Error) << "no end marker";
    EXPECT_EQ(decodeExactly(picture, picture.size()).width, 120);

    // A damaged byte anywhere either fails cleanly or still gives a picture.
    int failures = 0;
    for (std::size_t at = 0; at < picture.size(); at += 13) {
        std::string damaged = picture;
        damaged[at] = static_cast<char>(damaged[at] ^ 0x5a);
        try {
            EXPECT_FALSE(decodeExactly(damaged, damaged.size()).pixels.empty());
        } catch (const Error&) {
            ++failures;
        }
    }
    EXPECT_GT(failures, 0);
}

} // namespace vendaxo::test
