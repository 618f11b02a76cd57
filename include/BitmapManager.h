// The theme image store: the program's images, loaded once at start from
// "Images/", handed out by BITMAP_TYPE as frames (normal, hover, press, ...).
#pragma once

#include <unordered_map>
#include <vector>

#include <wx/gdicmn.h>
#include <wx/iconbndl.h>
#include <wx/string.h>

#include "Picture.h"
#include "ZynLog.h"

enum BITMAP_TYPE {
    BITMAP_BUTTON = 0,
    BITMAP_CATALOG = 1,
    BITMAP_LIST = 2,
    BITMAP_PANEL = 3,
    BITMAP_MESSAGE = 4,
    BITMAP_ALERT = 5,
    ICON_HELP = 1000,
    ICON_OPTION = 1001,
    ICON_LOGOUT = 1002,
    ICON_MODIFY = 1003,
    ICON_ADD = 1004,
    ICON_UPPER = 1005,
    ICON_LOWER = 1006,
    ICON_REMOVE = 1007,
    ICON_RUN = 1008,
    ICON_OK = 1009,
    ICON_CANCEL = 1010,
    SYMBOL_INFO = 2000,
    SYMBOL_PLUGIN = 2001,
    SYMBOL_SETTING = 2002,
    ETC_NULL = 3000,
    ETC_DEFAULT = 3001,
    ETC_INDICATOR = 3002,
    ETC_WELCOME = 3003,
    ETC_WARNING = 3004,
    ETC_ICON_SPACER = 3005,
};

// A theme image's frames; a frame that failed to load is an invalid Picture.
using Frames = std::vector<Picture>;

namespace BitmapManager {

extern std::unordered_map<int, Frames> BitmapStore;

// Loads every theme image; false when a background's first frame is missing.
bool Initial();

// The frames of type; an unknown type is logged and answered with ETC_NULL.
inline const Frames& System(int type)
{
    const auto it = BitmapStore.find(type);
    if (it != BitmapStore.end())
        return it->second;
    ZLOG_ERROR("Invalid BITMAP_TYPE.");
    Frames& null = BitmapStore[ETC_NULL];
    null.resize(3);
    return null;
}

// Three frames (normal, hover, press) from the files, fitted into size unless it
// is wxDefaultSize; missing ones fall back to the previous frame.
Frames LoadIconSet(const wxString& normal, const wxString& hover, const wxString& press, const wxSize& size);

// One picture fitted into box (never enlarged); wxDefaultSize keeps its size.
// Any image format the toolkit reads; relative paths resolve against the working directory.
Picture LoadScaledBitmap(const wxString& path, const wxSize& box);

// The program's icon ("Images/icons/app_N.png" under AppDir) in every size the
// theme has, for the title bars of its windows; empty when none can be read.
wxIconBundle AppIcons();

// The size an image of size `image` takes in box: a wide image wider than the
// box gets the box's width, else a tall one taller than the box its height,
// the other side in proportion (truncated); an image that fits keeps its size.
// A side that truncates to 0 gives no picture.
wxSize FitSize(const wxSize& image, const wxSize& box);

} // namespace BitmapManager
