#include "base/jpeg_image.h"

#include "base/error.h"

#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE
#include <cstring>
#include <jpeglib.h>
#include <new>
#include <string>

namespace vendaxo {

namespace {

// libjpeg's default error_exit ends the process; ours jumps back to decode().
struct ErrorManager {
    jpeg_error_mgr manager; // first, so libjpeg's pointer to it is a pointer to us
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

// Plain C data, kept in the caller's frame so that decode() holds nothing the
// jump could leave stale or undestroyed.
struct Decoder {
    jpeg_decompress_struct info;
    ErrorManager error;
};

extern "C" {

static void failDecoding(j_common_ptr info) {
    // libjpeg hands back the manager it was given, which is the first member of ours.
    auto* error = reinterpret_cast<ErrorManager*>(info->err);
    info->err->format_message(info, error->message);
    std::longjmp(error->jump, 1);
}

// libjpeg only warns about truncated or corrupt scan data and goes on with
// grey pixels; for us that is a damaged picture.
static void onMessage(j_common_ptr info, int level) {
    if (level < 0)
        failDecoding(info);
}

} // extern "C"

enum class Outcome { Decoded, Damaged, Unsupported, TooLarge, NoMemory };

// Separate from decode() so that the allocation and its exception live and die
// here, never in a frame that longjmp crosses.
bool allocate(RgbImage& image, JDIMENSION width, JDIMENSION height) {
    try {
        image.pixels.resize(static_cast<std::size_t>(width) * height * 3);
    } catch (const std::bad_alloc&) {
        return false;
    }
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    return true;
}

unsigned char* scanLine(RgbImage& image, JDIMENSION line) {
    return image.pixels.data() +
           static_cast<std::size_t>(line) * static_cast<std::size_t>(image.width) * 3;
}

Outcome giveUp(Decoder& d, Outcome outcome) {
    jpeg_destroy_decompress(&d.info);
    return outcome;
}

// Only trivially destructible locals here: libjpeg errors longjmp to the
// setjmp below.
Outcome decode(Decoder& d, const unsigned char* data, unsigned long size, RgbImage& image) {
    d.info.err = jpeg_std_error(&d.error.manager);
    d.error.manager.error_exit = failDecoding;
    d.error.manager.emit_message = onMessage;
    if (setjmp(d.error.jump))
        return giveUp(d, Outcome::Damaged);
    jpeg_create_decompress(&d.info);
    jpeg_mem_src(&d.info, data, size);
    jpeg_read_header(&d.info, TRUE);

    if (d.info.jpeg_color_space == JCS_CMYK || d.info.jpeg_color_space == JCS_YCCK)
        return giveUp(d, Outcome::Unsupported);
    constexpr auto kMaxSide = static_cast<JDIMENSION>(kMaxPictureSide);
    if (d.info.image_width > kMaxSide || d.info.image_height > kMaxSide)
        return giveUp(d, Outcome::TooLarge);

    d.info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&d.info);
    if (d.info.output_components != 3)
        return giveUp(d, Outcome::Unsupported);
    if (!allocate(image, d.info.output_width, d.info.output_height))
        return giveUp(d, Outcome::NoMemory);
    while (d.info.output_scanline < d.info.output_height) {
        JSAMPROW row = scanLine(image, d.info.output_scanline);
        // The memory source never suspends; no line means no progress.
        if (jpeg_read_scanlines(&d.info, &row, 1) != 1) {
            std::strcpy(d.error.message, "no scan lines");
            return giveUp(d, Outcome::Damaged);
        }
    }
    jpeg_finish_decompress(&d.info);
    jpeg_destroy_decompress(&d.info);
    return Outcome::Decoded;
}

} // namespace

RgbImage decodeJpeg(std::string_view bytes) {
    Decoder decoder{};
    RgbImage image;
    switch (decode(decoder, reinterpret_cast<const unsigned char*>(bytes.data()),
                   static_cast<unsigned long>(bytes.size()), image)) {
    case Outcome::Decoded:
        return image;
    case Outcome::Unsupported:
        throw Error("The picture is not an RGB or greyscale JPEG (CMYK pictures cannot be shown).");
    case Outcome::TooLarge:
        throw Error("The picture is larger than " + std::to_string(kMaxPictureSide) + " by " +
                    std::to_string(kMaxPictureSide) + " pixels.");
    case Outcome::NoMemory:
        throw Error("There is not enough memory to show the picture.");
    case Outcome::Damaged:
        break;
    }
    throw Error(std::string("The picture is damaged or not a JPEG file (") + decoder.error.message +
                ").");
}

} // namespace vendaxo
