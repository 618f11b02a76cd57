#include "zplat/Desktop.h"

#include <gio/gdesktopappinfo.h>

namespace zplat {

bool LaunchDesktopEntry(const std::string& path, std::string& error)
{
    GDesktopAppInfo* info = g_desktop_app_info_new_from_filename(path.c_str());
    if (!info) {
        error = "not a valid desktop entry";
        return false;
    }
    GError* failure = nullptr;
    const gboolean ok = g_app_info_launch(G_APP_INFO(info), nullptr, nullptr, &failure);
    if (!ok) {
        error = failure ? failure->message : "the start failed";
        g_clear_error(&failure);
    }
    g_object_unref(info);
    return ok;
}

} // namespace zplat
