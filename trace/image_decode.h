#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace bowlyn {

// A picture as grey levels, 0 black to 255 white, row by row from the top.
struct GreyImage {
    int width = 0, height = 0;
    std::vector<uint8_t> pixels;
};

// Decodes a PNG or JPEG file held in memory. Refuses anything else, pictures
// beyond IMAGE_MAX_PIXELS or IMAGE_MAX_SIDE (before decoding them) and broken
// files, with the reason in `problem`; transparent parts count as white.
GreyImage decodeImage(const std::string& bytes, std::string& problem);

}  // namespace bowlyn
