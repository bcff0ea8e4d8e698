#include "trace/image_decode.h"

// libjpeg's header needs the declarations of stdio first.
#include <cstdio>
// clang-format off
#include <jpeglib.h>
// clang-format on
#include <png.h>

#include <csetjmp>
#include <cstring>

#include "trace/image_reader.h"

namespace bowlyn {
namespace {

// A progressive JPEG may repeat its scans without end, each a pass over the
// whole picture; no camera or scanner writes more than a few dozen.
constexpr int JPEG_MAX_SCANS = 200;

bool sizeAllowed(long long w, long long h) {
    return w > 0 && h > 0 && w <= IMAGE_MAX_SIDE && h <= IMAGE_MAX_SIDE &&
           w * h <= IMAGE_MAX_PIXELS;
}

std::string tooLarge(long long w, long long h) {
    return "the picture is " + std::to_string(w) + " by " + std::to_string(h) +
           " pixels; at most " + std::to_string(IMAGE_MAX_SIDE) + " a side and " +
           std::to_string(IMAGE_MAX_PIXELS / 1000000) + " million pixels are read";
}

GreyImage decodePng(const std::string& bytes, std::string& problem) {
    GreyImage image;
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&png, bytes.data(), bytes.size())) {
        problem = std::string("not a readable PNG file (") + png.message + ")";
        return image;
    }
    if (!sizeAllowed(png.width, png.height)) {
        problem = tooLarge(png.width, png.height);
        png_image_free(&png);
        return image;
    }
    png.format = PNG_FORMAT_GRAY;
    image.width = static_cast<int>(png.width);
    image.height = static_cast<int>(png.height);
    image.pixels.resize(PNG_IMAGE_SIZE(png));
    png_color white{255, 255, 255};
    if (!png_image_finish_read(&png, &white, image.pixels.data(), 0, nullptr)) {
        problem = std::string("not a readable PNG file (") + png.message + ")";
        png_image_free(&png);
        return GreyImage{};
    }
    return image;
}

struct JpegErrors {
    jpeg_error_mgr manager;
    jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void jpegFailed(j_common_ptr info) {
    auto* errors = reinterpret_cast<JpegErrors*>(info->err);
    (*info->err->format_message)(info, errors->message);
    std::longjmp(errors->jump, 1);
}

void jpegQuiet(j_common_ptr, int) {}

void jpegProgress(j_common_ptr info) {
    auto* d = reinterpret_cast<j_decompress_ptr>(info);
    if (d->input_scan_number > JPEG_MAX_SCANS) {
        auto* errors = reinterpret_cast<JpegErrors*>(info->err);
        std::strcpy(errors->message, "too many scans");
        std::longjmp(errors->jump, 1);
    }
}

// Runs between setjmp and longjmp: only plain data lives here, and what it
// fills belongs to the caller.
bool decodeJpegInto(const std::string& bytes, GreyImage& image, std::string& problem) {
    jpeg_decompress_struct info;
    JpegErrors errors;
    jpeg_progress_mgr progress;
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = jpegFailed;
    errors.manager.emit_message = jpegQuiet;
    errors.message[0] = '\0';
    progress.progress_monitor = jpegProgress;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        problem = std::string("not a readable JPEG file (") + errors.message + ")";
        return false;
    }
    jpeg_create_decompress(&info);
    info.progress = &progress;
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    if (!sizeAllowed(info.image_width, info.image_height)) {
        problem = tooLarge(info.image_width, info.image_height);
        jpeg_destroy_decompress(&info);
        return false;
    }
    info.out_color_space = JCS_GRAYSCALE;
    jpeg_start_decompress(&info);
    image.width = static_cast<int>(info.output_width);
    image.height = static_cast<int>(info.output_height);
    image.pixels.resize(static_cast<size_t>(image.width) * static_cast<size_t>(image.height));
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.pixels.data() +
                       static_cast<size_t>(info.output_scanline) * static_cast<size_t>(image.width);
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

}  // namespace

GreyImage decodeImage(const std::string& bytes, std::string& problem) {
    static const unsigned char pngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    if (bytes.size() >= 8 && std::memcmp(bytes.data(), pngSignature, 8) == 0)
        return decodePng(bytes, problem);
    if (bytes.size() >= 3 && static_cast<unsigned char>(bytes[0]) == 0xff &&
        static_cast<unsigned char>(bytes[1]) == 0xd8 &&
        static_cast<unsigned char>(bytes[2]) == 0xff) {
        GreyImage image;
        if (!decodeJpegInto(bytes, image, problem))
            return GreyImage{};
        return image;
    }
    problem = "not a PNG or JPEG file";
    return GreyImage{};
}

}  // namespace bowlyn
