// A read-only view of a picture's pixels: premultiplied 0xAARRGGBB, the layout
// of a cairo ARGB32 image surface on little-endian machines.
#pragma once

#include <cstdint>

namespace zplat {

struct PixelView {
    const uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0; // in pixels
};

} // namespace zplat
