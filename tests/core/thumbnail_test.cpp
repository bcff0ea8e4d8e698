// A thumbnail shows the whole drawing at the size a file manager asks for:
// nothing cut off at an edge, nothing left far from one, whatever the design's
// proportions.
#include "paper/thumbnail.h"

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

cairo_status_t readPng(void* closure, unsigned char* data, unsigned int length) {
    auto* rest = static_cast<std::string*>(closure);
    if (rest->size() < length)
        return CAIRO_STATUS_READ_ERROR;
    std::memcpy(data, rest->data(), length);
    rest->erase(0, length);
    return CAIRO_STATUS_SUCCESS;
}

TEST(Thumbnail, EveryPresetSpansItsImageWithoutTouchingTheEdges) {
    std::mt19937 rng(test::randomTestSeed());
    std::uniform_int_distribution<int> anySize(THUMBNAIL_MIN_SIZE, 1024);
    for (int row = 1; row <= PRESET_COUNT; ++row) {
        auto t = presetAfterPass(row);
        const SolvedDesign solved = solvedOrFail(*t);
        for (int size : {THUMBNAIL_MIN_SIZE, anySize(rng)}) {
            SCOPED_TRACE(presetName(row) + " at " + std::to_string(size));
            std::string png = thumbnailPng(solved, size).value_or("");
            cairo_surface_t* image = cairo_image_surface_create_from_png_stream(readPng, &png);
            ASSERT_EQ(cairo_surface_status(image), CAIRO_STATUS_SUCCESS);
            const int w = cairo_image_surface_get_width(image);
            const int h = cairo_image_surface_get_height(image);
            // The box round every pixel that is not white.
            int left = w, top = h, right = -1, bottom = -1;
            for (int y = 0; y < h; ++y) {
                const unsigned char* line =
                    cairo_image_surface_get_data(image) + y * cairo_image_surface_get_stride(image);
                for (int x = 0; x < w; ++x) {
                    uint32_t pixel;
                    std::memcpy(&pixel, line + 4 * x, sizeof pixel);
                    if ((pixel & 0xFFFFFFu) != 0xFFFFFFu) {
                        left = std::min(left, x), right = std::max(right, x);
                        top = std::min(top, y), bottom = std::max(bottom, y);
                    }
                }
            }
            cairo_surface_destroy(image);

            EXPECT_EQ(std::max(w, h), size);
            // Nothing cut: the outermost ring of pixels stays white.
            EXPECT_TRUE(left >= 1 && top >= 1 && right <= w - 2 && bottom <= h - 2)
                << left << " " << top << " " << right << " " << bottom << " in " << w << "x" << h;
            // The drawing spans the longer side but for its margin, and sits
            // in the middle of the shorter one.
            const int margin = 2 + size / 256;
            EXPECT_GE(w >= h ? right - left : bottom - top, size - 2 * margin - 2);
            EXPECT_NEAR(left, w - 1 - right, 2);
            EXPECT_NEAR(top, h - 1 - bottom, 2);
        }
    }
}

}  // namespace
}  // namespace bowlyn::testing
