// What the system's image loader can tell about an image file without decoding it.
#pragma once

#include <string>

namespace zplat {

// The width and height the image file at path declares, read from its header
// by the desktop's image library; false when it does not know the format or
// cannot read the header. The file must be a regular one: it is opened by name.
bool ImageFileSize(const std::string& path, int& width, int& height);

} // namespace zplat
