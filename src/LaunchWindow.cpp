#include "LaunchWindow.h"

#include <algorithm>
#include <memory>

#include <wx/app.h>
#include <wx/display.h>
#include <wx/filefn.h>
#include <wx/iconbndl.h>
#include <wx/toplevel.h>
#include <wx/utils.h>
#include <wx/window.h>
#include <wx/xml/xml.h>

#include "AtomicFile.h"
#include "BitmapManager.h"
#include "ConfigImpl.h"
#include "ConfigKeys.h"
#include "FrameOps.h"
#include "HotkeyManager.h"
#include "MenuImpl.h"
#include "MenuXml.h"
#include "SoundManager.h"
#include "SystemPaths.h"
#include "XmlFile.h"
#include "ZynLog.h"
#include "ZynUtils.h"
#include "ZynWidget.h"

namespace Launch {

wxSize ScreenSize(0, 0);
wxPoint LaunchPoint(0, 0);
int LaunchMode = 0;
uint8_t BackdropAlpha = 150;

wxPoint CursorPoint(const wxPoint& cursor, const wxSize& screen)
{
    return wxPoint(cursor.x <= 299 ? 300 : std::min(cursor.x, screen.x - 500),
                   cursor.y <= 249 ? 250 : std::min(cursor.y, screen.y - 400));
}

bool FixedPoint(int type, const wxSize& screen, wxPoint& point)
{
    switch (type) {
    case 1: point = wxPoint(300, 250); return true;
    case 2: point = wxPoint((screen.x - 300) / 2, 250); return true;
    case 3: point = wxPoint(screen.x - 500, 250); return true;
    default: return false;
    }
}

} // namespace Launch

void LoadLaunchSettings()
{
    ConfigImpl* core = GetConfig(cfg::Core);
    Launch::BackdropAlpha = static_cast<uint8_t>(core->ReadLong(cfg::Appearance, cfg::BackgroundDensity, 150) & 0xFF);
    ApplyLaunchType(static_cast<int>(core->ReadLong(cfg::Appearance, cfg::LaunchType, 0)));
}

bool ApplyLaunchType(const int& type)
{
    if (type == 0) {
        Launch::LaunchMode = 0;
        return true;
    }
    if (!Launch::FixedPoint(type, Launch::ScreenSize, Launch::LaunchPoint))
        return false;
    Launch::LaunchMode = type;
    return true;
}

namespace {

const char MenuFile[] = "launcher.xml";
// Opaque black: the backdrop's opacity comes from the fade alone.
const uint32_t BackdropColour = 0xFF000000;

// One built-in entry of a list menu: name, action, command, icon.
struct BuiltIn {
    const char* name;
    int action;
    const char* command;
    int icon;
};

struct BuiltInGroup {
    const char* name;
    int icon;
    BuiltIn entries[3];
};

// Rebuilt on every load and never written (their action codes are above 999).
const BuiltInGroup BuiltIns[] = {
    {"Plug-ins", SYMBOL_PLUGIN,
     {{"HP Bar", ACTION_PLUGIN, "HP Bar", ICON_HELP},
      {"System Monitor", ACTION_PLUGIN, "System Monitor", ICON_HELP},
      {"Image Widget", ACTION_PLUGIN, "Image Widget", ICON_HELP}}},
    {"Settings", SYMBOL_SETTING,
     {{"Option", ACTION_PREFERENCE, "", ICON_OPTION},
      {"Help", ACTION_ABOUT, "", ICON_HELP},
      {"Logout", ACTION_QUIT, "", ICON_LOGOUT}}},
};

// Copies a menu file that did not read completely to the first free
// "launcher.xml.bak", "launcher.xml.bak.1", ...: the next save writes only
// what could be read, and the user's file must not be lost with it. False when
// no copy could be made.
bool KeepBackup(const wxString& path)
{
    const wxString backup = XmlFile::BackupName(path);
    if (backup.empty()) {
        ZLOG_ERROR("Cannot keep a copy of \"%s\": too many copies.", path);
        return false;
    }
    if (!wxCopyFile(path, backup, false)) {
        ZLOG_ERROR("Cannot keep a copy of \"%s\" as \"%s\".", path, backup);
        return false;
    }
    ZLOG_ERROR("\"%s\" was not read completely; it is kept as \"%s\".", path, backup);
    return true;
}

} // namespace

wxBEGIN_EVENT_TABLE(LaunchWindow, ZynObject)
    EVT_SHOW(LaunchWindow::OnShow)
    EVT_LEFT_DOWN(LaunchWindow::OnBackgroundClick)
    EVT_CLOSE(LaunchWindow::OnClose)
    EVT_ZYN_HOTKEY(0, LaunchWindow::OnHotkey)
wxEND_EVENT_TABLE()

LaunchWindow::IconTray::IconTray(wxWindow* parent) : ZynObject(parent, "", wxDefaultPosition, wxDefaultSize) {}

LaunchWindow::IconTray::~IconTray() = default;

LaunchWindow::LaunchWindow() : ZynObject(nullptr, "Zyn Utils - Launcher", wxDefaultPosition, wxDefaultSize), animator(this)
{
    ZLOG_INFO("Building Launcher...");
    // An application window: it stands in the taskbar and identifies the program.
    // Themed windows stand above other programs' windows, so no stay-on-top is needed.
    objectDC.SetKind(zplat::WindowKind::App);
    SetIcons(BitmapManager::AppIcons());

    Launch::ScreenSize = wxDisplay().GetGeometry().GetSize();

    // Pushed once, fully transparent; every fade then changes only the opacity.
    // The backdrop is one colour, which the window service keeps without a
    // picture: the window is dark the moment it maps.
    frame.alpha = 0;
    frame.flags |= FRAME_ALPHA;
    objectDC.pos = ZeroPoint;
    objectDC.size = Launch::ScreenSize;
    objectDC.SetAlpha(0);
    objectDC.UpdateSolid(BackdropColour, true);

    Build();
    ZLOG_INFO("Launcher is ready...");
}

LaunchWindow::~LaunchWindow()
{
    if (auto* app = dynamic_cast<ZynUtils*>(wxApp::GetInstance()); app && app->launcher == this)
        app->launcher = nullptr;
    // The program ends with its launcher. Exit() would end the process outright
    // where no main loop runs; leaving the loop lets OnExit save everything.
    if (wxTheApp)
        wxTheApp->ExitMainLoop();
}

bool LaunchWindow::Show(bool show)
{
    if (show && closing)
        return false; // the file is written already: nothing brings the launcher back
    if (show && !shown && !IsShown()) {
        // What the show event would start, without waiting for the toolkit's show first.
        ShowSequence(true);
        return true;
    }
    if (shown && !show) {
        HideSequence();
        return wxTopLevelWindow::Show(true);
    }
    return wxTopLevelWindow::Show(show);
}

void LaunchWindow::Toggle()
{
    if (closing)
        return;
    if (shown)
        HideSequence();
    else
        ShowSequence(false);
}

void LaunchWindow::ShowSequence(bool raise)
{
    HotkeyManager::SetHook(false);
    SoundManager::Play(SOUND_LAUNCHER_SHOW);
    shown = true;
    // The cursor is read before the backdrop maps: any question to the server
    // after the map waits until it has dealt with the new full-screen window.
    PlaceRoot();
    // The fade's clock starts first: its first step does not wait for the work below.
    Fade(Launch::BackdropAlpha, EFFECT_EASE_OUT);
    // A window mapped later stands above: the backdrop is up (and on top) before
    // the menu's items appear, so they stand above it.
    wxTopLevelWindow::Show(true);
    if (raise)
        Raise();
    // The backdrop's steps from the time taken so far, now rather than on the
    // timer's first tick: once as it maps, so that it reaches the screen
    // before the menu's work, and once that work is done.
    StepFade();
    if (tray && tray->menu)
        tray->menu->Show(true);
    HideAllWidgets();
    StepFade();
}

void LaunchWindow::StepFade()
{
    if (animator.IsRunning())
        animator.Notify();
}

void LaunchWindow::HideSequence()
{
    if (!closing) {
        ShowEnabledWidgets();
        HotkeyManager::SetHook(true);
        SoundManager::Play(SOUND_LAUNCHER_HIDE);
    }
    if (tray && tray->menu)
        tray->menu->Show(false);
    Fade(0, EFFECT_EASE_IN);
    shown = false;
}

void LaunchWindow::Fade(int alpha, uint32_t curve)
{
    AnimationFrame end;
    end.alpha = alpha;
    end.flags = FRAME_ALPHA;
    // Locked: a new fade replaces one in progress, from the alpha reached.
    Animate(animator, EFFECT_LOCK | curve, end);
}

void LaunchWindow::PlaceRoot()
{
    if (Launch::LaunchMode == 0)
        Launch::LaunchPoint = Launch::CursorPoint(wxGetMousePosition(), Launch::ScreenSize);
    if (tray)
        tray->Move(Launch::LaunchPoint);
}

void LaunchWindow::OnShow(wxShowEvent& event)
{
    event.Skip();
    if (event.IsShown() && !shown && !closing)
        ShowSequence(true);
}

void LaunchWindow::OnBackgroundClick(wxMouseEvent&)
{
    HideSequence();
}

void LaunchWindow::OnHotkey(wxKeyEvent&)
{
    // The same rule as every other way of opening the launcher.
    if (!ModalOpenFlag)
        Toggle();
}

void LaunchWindow::OnClose(wxCloseEvent&)
{
    if (closing)
        return;
    SaveLauncherXml();
    closing = true;
    if (!shown) {
        DestroyNow();
        return;
    }
    if (tray && tray->menu)
        tray->menu->Show(false);
    Fade(0, EFFECT_EASE_IN);
    shown = false;
}

void LaunchWindow::ApplyFrame(AnimationFrame& f)
{
    if (f.flags & FRAME_ALPHA) {
        frame.alpha = f.alpha;
        frame.flags |= FRAME_ALPHA;
    }
    objectDC.pos = ZeroPoint;
    objectDC.size = Launch::ScreenSize;
    objectDC.SetAlpha(frame.alpha);
    objectDC.UpdateAlpha();
}

void LaunchWindow::OnAnimationEnd()
{
    if (frame.alpha != 0)
        return;
    wxTopLevelWindow::Show(false);
    if (closing)
        DestroyNow();
}

void LaunchWindow::DestroyNow()
{
    Destroy();
    // The deletion waits for the next idle time, which only a toolkit event
    // brings: after a signal ended the session none may come.
    wxWakeUpIdle();
}

bool LaunchWindow::Build()
{
    tray = new IconTray(this);
    const wxString path = AppPath(MenuFile);
    wxXmlDocument doc;
    const bool loaded = MenuXml::Load(doc, path);
    if (loaded) {
        wxXmlNode* root = doc.GetRoot();
        wxXmlNode* menu = root ? root->GetChildren() : nullptr;
        if (!MenuXml::Expect(root, "Launcher"))
            ZLOG_ERROR("Error parsing xml, invalid XML file.");
        else if (!MenuXml::Expect(menu, "menu"))
            ZLOG_ERROR("Error parsing xml, invalid root menu.");
        else if (menu->GetAttribute("type") != "1")
            ZLOG_ERROR("Error parsing xml, root menu must be type 1.");
        else if (!tray->BuildMenu(menu))
            ZLOG_ERROR("Cannot build root menu.");
    }
    if (!tray->menu)
        tray->CreateMenu(MENU_TYPE_ICON);
    AppendBuiltIns();
    // Whatever the tree would not write back as it was read is kept aside.
    if (wxFileExists(path)) {
        const std::unique_ptr<wxXmlNode> tree = TreeElement();
        if (!loaded || !MenuXml::SameData(doc.GetRoot(), tree.get()))
            keepFile = !KeepBackup(path);
    }
    return true;
}

void LaunchWindow::PrepareRoot()
{
    Ready(); // the backdrop, hidden at alpha 0 until the first fade
    if (tray && tray->menu)
        tray->menu->Prepare();
}

void LaunchWindow::AppendBuiltIns()
{
    MenuImpl* root = tray->menu;
    if (!root)
        return;
    for (const BuiltInGroup& group : BuiltIns) {
        Menuable* entry = root->Append(group.name, ACTION_SUBMENU, wxString(), group.icon);
        MenuImpl* list = entry ? entry->CreateMenu(MENU_TYPE_LIST) : nullptr;
        if (!list)
            continue;
        list->Clear(); // the placeholder a new menu starts with
        for (const BuiltIn& e : group.entries)
            list->Append(e.name, e.action, e.command, e.icon);
    }
}

std::unique_ptr<wxXmlNode> LaunchWindow::TreeElement()
{
    auto root = std::make_unique<wxXmlNode>(wxXML_ELEMENT_NODE, "Launcher");
    if (tray)
        tray->SaveMenu(root.get());
    return root;
}

bool LaunchWindow::SaveLauncherXml()
{
    if (keepFile) {
        ZLOG_ERROR("Cannot write \"%s\": it was not read completely and no copy of it could be kept.", MenuFile);
        return false;
    }
    wxXmlDocument doc;
    doc.SetRoot(TreeElement().release());
    std::string bytes;
    if (!XmlFile::Write(doc, bytes)) {
        ZLOG_ERROR("Cannot write \"%s\": the menu tree cannot be written as XML.", MenuFile);
        return false;
    }
    // The next start would refuse a larger file: the old one stays.
    if (bytes.size() > static_cast<size_t>(XmlFile::MaxBytes)) {
        ZLOG_ERROR("Cannot write \"%s\": the menu would be larger than %ld bytes.", MenuFile, XmlFile::MaxBytes);
        return false;
    }
    // A failed write leaves the old file whole.
    wxString error;
    if (!WriteFileAtomically(AppPath(MenuFile), bytes, error)) {
        ZLOG_ERROR("Cannot write \"%s\": %s.", MenuFile, error);
        return false;
    }
    return true;
}
