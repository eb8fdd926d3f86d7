#include "base/error.h"
#include "settings/gui/jpeg_picture.h"

#include <QFile>
#include <cstdio>
#include <cstdlib>
#include <gmock/gmock.h>
#include <jpeglib.h>
#include <vector>

namespace vendaxo::test {

using ::testing::HasSubstr;

namespace {

// A picture of one colour, encoded by libjpeg itself in the given colour space.
QByteArray encodeFlat(int width, int height, J_COLOR_SPACE space, std::vector<JSAMPLE> pixel) {
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
    QByteArray bytes(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return bytes;
}

QByteArray shippedPicture(const char* name) {
    QFile file(QStringLiteral(":/pictures/") + QString::fromLatin1(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

// Decodes from a buffer of exactly `size` bytes, so that the address sanitizer
// sees any read past the end.
QImage decodeExactly(const QByteArray& bytes, qsizetype size) {
    const std::vector<char> exact(bytes.begin(), bytes.begin() + size);
    return decodeJpeg(QByteArray::fromRawData(exact.data(), size));
}

std::string failureOf(const QByteArray& bytes) {
    try {
        decodeJpeg(bytes);
    } catch (const Error& error) {
        return error.what();
    }
    return "decoded";
}

} // namespace

TEST(JpegPicture, ShippedPicturesDecodeInTheirOwnColours) {
    for (const char* name : {"options.jpg", "shipping.jpg"}) {
        const QImage picture =
            readJpegPicture(QStringLiteral(":/pictures/") + QString::fromLatin1(name));
        EXPECT_EQ(picture.size(), QSize(120, 432)) << name;
        // The pale green-grey of the sky at the top: red and blue not swapped.
        const QColor sky = picture.pixelColor(2, 2);
        EXPECT_NEAR(sky.red(), 0xe6, 4) << name;
        EXPECT_NEAR(sky.green(), 0xf0, 4) << name;
        EXPECT_NEAR(sky.blue(), 0xec, 4) << name;
    }
}

TEST(JpegPicture, GreyscaleAndRgbComeOutAsRgb) {
    const QImage grey = decodeJpeg(encodeFlat(9, 7, JCS_GRAYSCALE, {200}));
    ASSERT_EQ(grey.size(), QSize(9, 7));
    EXPECT_EQ(grey.pixelColor(8, 6), QColor(200, 200, 200));
    const QImage red = decodeJpeg(encodeFlat(17, 3, JCS_RGB, {250, 10, 20}));
    ASSERT_EQ(red.size(), QSize(17, 3));
    const QColor pixel = red.pixelColor(16, 2);
    EXPECT_NEAR(pixel.red(), 250, 4);
    EXPECT_NEAR(pixel.green(), 10, 4);
    EXPECT_NEAR(pixel.blue(), 20, 4);
}

TEST(JpegPicture, CmykAndOversizedPicturesAreRefused) {
    EXPECT_THAT(failureOf(encodeFlat(8, 8, JCS_CMYK, {0, 255, 255, 0})), HasSubstr("CMYK"));
    // Headers that claim 5000 pixels across or down, in front of an 8 by 8 picture.
    const QByteArray small = encodeFlat(8, 8, JCS_GRAYSCALE, {0});
    const qsizetype frame = small.indexOf("\xff\xc0");
    ASSERT_GT(frame, 0);
    for (qsizetype at : {frame + 5, frame + 7}) {
        QByteArray huge = small;
        huge[at] = static_cast<char>(5000 >> 8);
        huge[at + 1] = static_cast<char>(5000 & 0xff);
        EXPECT_THAT(failureOf(huge), HasSubstr("larger than 4096 by 4096 pixels")) << at - frame;
    }
}

TEST(JpegPicture, DamagedDataIsAnErrorAndNothingIsReadPastTheEnd) {
    EXPECT_THAT(failureOf(QByteArray()), HasSubstr("damaged or not a JPEG file"));
    EXPECT_THAT(failureOf("\x89PNG\r\n\x1a\n"), HasSubstr("damaged or not a JPEG file"));
    const QByteArray picture = shippedPicture("options.jpg");
    ASSERT_GT(picture.size(), 2000);
    // Every cut through the headers, then cuts through the scan data.
    for (qsizetype size = 0; size < picture.size(); size += size < 1200 ? 1 : 97)
        EXPECT_THROW(decodeExactly(picture, size), Error) << "cut at " << size;
    EXPECT_THROW(decodeExactly(picture, picture.size() - 2), Error) << "no end marker";
    EXPECT_EQ(decodeExactly(picture, picture.size()).size(), QSize(120, 432));

    // A damaged byte anywhere either fails cleanly or still gives a picture.
    int failures = 0;
    for (qsizetype at = 0; at < picture.size(); at += 13) {
        QByteArray damaged = picture;
        damaged[at] = static_cast<char>(damaged[at] ^ 0x5a);
        try {
            EXPECT_FALSE(decodeExactly(damaged, damaged.size()).isNull());
        } catch (const Error&) {
            ++failures;
        }
    }
    EXPECT_GT(failures, 0);
}

TEST(JpegPicture, MissingFileIsNamed) {
    try {
        readJpegPicture(QStringLiteral(":/pictures/none.jpg"));
        ADD_FAILURE() << "no error";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "The picture :/pictures/none.jpg cannot be opened.");
    }
}

} // namespace vendaxo::test
