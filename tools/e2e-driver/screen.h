// Reading the screen's pixels and writing them out as BMP files.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace e2e {

// Pixels as 0xRRGGBB, rows top to bottom.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> rgb;
    uint32_t at(int x, int y) const { return rgb[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)]; }
};

// Copies a rectangle of the screen (screen coordinates) out of GetDC(NULL).
Pixels captureScreen(const RECT& rect);
// Reads back what a memory DC of the given size holds after draw() paints into it.
Pixels renderOffscreen(int width, int height, uint32_t background, void (*draw)(HDC, int, int, void*), void* context);
bool writeBmp(const std::wstring& path, const Pixels& pixels);

}  // namespace e2e
