#include "zplat/Images.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

namespace zplat {

bool ImageFileSize(const std::string& path, int& width, int& height)
{
    // The library reads the file only until it knows the size.
    const GdkPixbufFormat* format = gdk_pixbuf_get_file_info(path.c_str(), &width, &height);
    return format && width > 0 && height > 0;
}

} // namespace zplat
