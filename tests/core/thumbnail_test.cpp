// A thumbnail shows the whole drawing at the size a file manager asks for:
// nothing cut off at an edge, nothing left far from one, whatever the design's
// proportions.
#include "export/thumbnail.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>

#include "export_test_support.h"
#include "tests/core/test_seed.h"

namespace bowlyn::testing {
namespace {

struct PngReader {
    const std::string& bytes;
    size_t at = 0;
};

cairo_status_t readPng(void* closure, unsigned char* data, unsigned int length) {
    auto* reader = static_cast<PngReader*>(closure);
    if (reader->bytes.size() - reader->at < length)
        return CAIRO_STATUS_READ_ERROR;
    std::memcpy(data, reader->bytes.data() + reader->at, length);
    reader->at += length;
    return CAIRO_STATUS_SUCCESS;
}

// The box round every pixel that is not white.
struct Ink {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
};

Ink inkOf(cairo_surface_t* image) {
    Ink ink;
    const int width = cairo_image_surface_get_width(image);
    const int stride = cairo_image_surface_get_stride(image);
    const unsigned char* data = cairo_image_surface_get_data(image);
    for (int y = 0; y < cairo_image_surface_get_height(image); ++y) {
        for (int x = 0; x < width; ++x) {
            uint32_t pixel;
            std::memcpy(&pixel, data + y * stride + 4 * x, sizeof pixel);
            if ((pixel & 0xFFFFFFu) == 0xFFFFFFu)
                continue;
            ink.left = std::min(ink.left, x), ink.right = std::max(ink.right, x);
            ink.top = std::min(ink.top, y), ink.bottom = std::max(ink.bottom, y);
        }
    }
    return ink;
}

TEST(Thumbnail, EveryPresetSpansItsImageWithoutTouchingTheEdges) {
    std::mt19937 rng(test::randomTestSeed());
    std::uniform_int_distribution<int> anySize(THUMBNAIL_MIN_SIZE, 1024);
    for (int row = 1; row <= PRESET_COUNT; ++row) {
        auto t = presetAfterPass(row);
        const SolvedDesign solved = solvedOrFail(*t);
        for (int size : {THUMBNAIL_MIN_SIZE, anySize(rng)}) {
            SCOPED_TRACE(presetName(row) + " at " + std::to_string(size));
            const std::optional<std::string> png = thumbnailPng(solved, size);
            ASSERT_TRUE(png.has_value());
            PngReader reader{*png};
            cairo_surface_t* image = cairo_image_surface_create_from_png_stream(readPng, &reader);
            ASSERT_EQ(cairo_surface_status(image), CAIRO_STATUS_SUCCESS);
            const int w = cairo_image_surface_get_width(image);
            const int h = cairo_image_surface_get_height(image);
            const Ink ink = inkOf(image);
            cairo_surface_destroy(image);

            EXPECT_EQ(std::max(w, h), size);
            // Nothing cut: the outermost ring of pixels stays white.
            EXPECT_GE(ink.left, 1);
            EXPECT_GE(ink.top, 1);
            EXPECT_LE(ink.right, w - 2);
            EXPECT_LE(ink.bottom, h - 2);
            // The drawing spans the longer side but for its margin, and sits
            // in the middle of the shorter one.
            const int margin = 2 + size / 256;
            EXPECT_GE(w >= h ? ink.right - ink.left : ink.bottom - ink.top, size - 2 * margin - 2);
            EXPECT_NEAR(ink.left, w - 1 - ink.right, 2);
            EXPECT_NEAR(ink.top, h - 1 - ink.bottom, 2);
        }
    }
}

}  // namespace
}  // namespace bowlyn::testing
