#include "BitmapManager.h"

#include <filesystem>
#include <map>
#include <system_error>
#include <tuple>

#include <wx/bitmap.h>

#include <wx/image.h>
#include <wx/imagpng.h>

#include "SystemPaths.h"

namespace BitmapManager {

std::unordered_map<int, Frames> BitmapStore;

namespace {

// The theme files of each id, in the order they are loaded.
struct ThemeEntry {
    int type;
    std::vector<const char*> files;
};

const ThemeEntry ThemeTable[] = {
    {BITMAP_BUTTON, {"background/btn_normal.png", "background/btn_hover.png", "background/btn_press.png"}},
    {BITMAP_CATALOG, {"background/cata_normal.png", "background/cata_hover.png", "background/cata_press.png",
                      "background/catb_normal.png", "background/catb_hover.png", "background/catb_press.png"}},
    {BITMAP_LIST, {"background/list_normal.png", "background/list_hover.png", "background/list_press.png"}},
    {BITMAP_PANEL, {"background/panel.png"}},
    {BITMAP_MESSAGE, {"background/message.png"}},
    {BITMAP_ALERT, {"background/alert.png"}},
    {ICON_OPTION, {"icon/option_normal.png", "icon/option_hover.png"}},
    {ICON_LOGOUT, {"icon/logout_normal.png", "icon/logout_hover.png"}},
    {ICON_HELP, {"icon/help_normal.png", "icon/help_hover.png"}},
    {ICON_MODIFY, {"icon/modify_normal.png", "icon/modify_hover.png"}},
    {ICON_ADD, {"icon/add_normal.png", "icon/add_hover.png"}},
    {ICON_UPPER, {"icon/upper_normal.png", "icon/upper_hover.png"}},
    {ICON_LOWER, {"icon/lower_normal.png", "icon/lower_hover.png"}},
    {ICON_REMOVE, {"icon/remove_normal.png", "icon/remove_hover.png"}},
    {ICON_RUN, {"icon/run_normal.png", "icon/run_hover.png"}},
    {ICON_OK, {"icon/ok_normal.png", "icon/ok_hover.png"}},
    {ICON_CANCEL, {"icon/cancel_normal.png", "icon/cancel_hover.png"}},
    {SYMBOL_INFO, {"symbol/info_normal.png", "symbol/info_hover.png"}},
    {SYMBOL_PLUGIN, {"symbol/plugin_normal.png", "symbol/plugin_hover.png"}},
    {SYMBOL_SETTING, {"symbol/setting_normal.png", "symbol/setting_hover.png"}},
    {ETC_NULL, {}},
    {ETC_DEFAULT, {"etc/default.png"}},
    {ETC_INDICATOR, {"etc/indicator.png"}},
    {ETC_WELCOME, {"etc/welcome.png"}},
    {ETC_WARNING, {"etc/warning.png"}},
    {ETC_ICON_SPACER, {"etc/icon_spacer.png"}},
};

// The backgrounds no window can be drawn without.
bool IsBackground(int type)
{
    for (int needed : {BITMAP_BUTTON, BITMAP_CATALOG, BITMAP_LIST, BITMAP_PANEL, BITMAP_MESSAGE, BITMAP_ALERT})
        if (type == needed)
            return true;
    return false;
}

bool IsIconOrSymbol(int type)
{
    return (type >= ICON_HELP && type <= ICON_CANCEL) || (type >= SYMBOL_INFO && type <= SYMBOL_SETTING);
}

// A decoded PNG, fitted into size unless size is the default; invalid when it
// cannot be loaded or fitted.
Picture LoadFitted(const wxString& path, wxBitmapType type, const wxSize& size)
{
    const Picture picture = Picture::Load(path, type);
    if (!picture.IsOk() || size == wxDefaultSize)
        return picture;
    return picture.Scaled(FitSize(picture.GetSize(), size));
}

} // namespace

wxSize FitSize(const wxSize& image, const wxSize& box)
{
    const int w = image.x;
    const int h = image.y;
    if (w > box.x && h < w)
        return wxSize(box.x, h * box.x / w);
    if (h > box.y)
        return wxSize(w * box.y / h, box.y);
    return image;
}

bool Initial()
{
    ZLOG_INFO("Initializing BitmapManager...");
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
        wxImage::AddHandler(new wxPNGHandler);
    EnterAppDir();

    for (const ThemeEntry& entry : ThemeTable) {
        Frames& frames = BitmapStore[entry.type];
        if (entry.type == ETC_NULL) {
            frames.resize(3);
            continue;
        }
        frames.clear();
        for (const char* file : entry.files)
            frames.push_back(Picture::Load(wxString("Images/") + file, wxBITMAP_TYPE_PNG));
        if (IsIconOrSymbol(entry.type))
            frames.push_back(frames[1]);
        if (entry.type == ETC_ICON_SPACER) {
            frames.push_back(frames[0]);
            frames.push_back(frames[1]);
        }
    }

    for (const ThemeEntry& entry : ThemeTable) {
        const int type = entry.type;
        if (IsBackground(type) && !BitmapStore[type][0].IsOk()) {
            // The start ends with a general box that asks for the verbose log: it names the file.
            ZLOG_INFO("Cannot load the theme image \"Images/%s\".", entry.files[0]);
            return false;
        }
    }
    ZLOG_INFO("BitmapManager is ready.");
    return true;
}

namespace {

// A file's modification time (to the nanosecond) and size, so that a file
// changed on disk is read again; 0 for a missing file.
using FileStamp = std::pair<long long, long long>;

FileStamp StampOf(const wxString& path)
{
    if (path.empty())
        return {0, 0};
    std::error_code error;
    const std::filesystem::path file(path.utf8_string());
    const auto modified = std::filesystem::last_write_time(file, error);
    if (error)
        return {0, 0};
    const auto size = std::filesystem::file_size(file, error);
    return {static_cast<long long>(modified.time_since_epoch().count()), error ? -1 : static_cast<long long>(size)};
}

// Decoded icon sets by their paths, size and the files' stamps: many items
// show the same icons, and a copy shares the pixels.
using IconSetKey = std::tuple<wxString, wxString, wxString, int, int, FileStamp, FileStamp, FileStamp>;
std::map<IconSetKey, Frames> IconSets;

} // namespace

Frames LoadIconSet(const wxString& normal, const wxString& hover, const wxString& press, const wxSize& size)
{
    if (normal.empty() && hover.empty() && press.empty())
        return Frames(3); // the frames of ETC_NULL
    EnterAppDir();
    const IconSetKey key(normal, hover, press, size.x, size.y, StampOf(normal), StampOf(hover), StampOf(press));
    if (const auto known = IconSets.find(key); known != IconSets.end())
        return known->second;
    Frames frames(3);
    const wxString* paths[] = {&normal, &hover, &press};
    for (int i = 0; i < 3; ++i) {
        if (!paths[i]->empty())
            frames[i] = LoadFitted(*paths[i], wxBITMAP_TYPE_PNG, size);
        if (i > 0 && !frames[i].IsOk())
            frames[i] = frames[i - 1];
    }
    IconSets[key] = frames;
    return frames;
}

Picture LoadScaledBitmap(const wxString& path, const wxSize& box)
{
    return LoadFitted(path, wxBITMAP_TYPE_ANY, box);
}

wxIconBundle AppIcons()
{
    wxIconBundle icons;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const wxBitmap bitmap = LoadScaledBitmap(AppPath(wxString::Format("Images/icons/app_%d.png", size)), wxDefaultSize).ToBitmap();
        if (bitmap.IsOk()) {
            wxIcon icon;
            icon.CopyFromBitmap(bitmap);
            icons.AddIcon(icon);
        }
    }
    return icons;
}

} // namespace BitmapManager
