// A picture read back from the X server: the whole screen, one 0xRRGGBB word
// per pixel, rows from the top.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace e2e {

// The grid's colour and the background, as the viewer draws them.
constexpr std::uint32_t kGridRgb = 0x96be96;  // (150, 190, 150)
constexpr std::uint32_t kBlackRgb = 0x000000;

struct Frame {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    std::uint32_t at(int x, int y) const
    {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
    }
    bool isGrid(int x, int y) const { return at(x, y) == kGridRgb; }
    bool operator==(const Frame& other) const
    {
        return width == other.width && height == other.height && pixels == other.pixels;
    }
    bool operator!=(const Frame& other) const { return !(*this == other); }
};

// Writes the frame as a binary PPM, for a look at what a failing test saw.
inline bool writePpm(const Frame& frame, const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    std::fprintf(file, "P6\n%d %d\n255\n", frame.width, frame.height);
    for (const std::uint32_t pixel : frame.pixels) {
        const unsigned char rgb[3] = {static_cast<unsigned char>(pixel >> 16), static_cast<unsigned char>(pixel >> 8),
                                      static_cast<unsigned char>(pixel)};
        std::fwrite(rgb, 1, sizeof rgb, file);
    }
    return std::fclose(file) == 0;
}

}  // namespace e2e
