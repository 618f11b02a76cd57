// The launcher: a full-screen window that darkens the desktop with a
// translucent black backdrop and carries the root icon menu. There is one; it
// reads the menu tree from "launcher.xml" when it is made and writes it back
// when it closes, and its destruction ends the program's event loop.
#pragma once

#include <cstdint>
#include <memory>

#include <wx/event.h>
#include <wx/gdicmn.h>

#include "Menuable.h"
#include "WinFX.h"
#include "ZynObject.h"

class wxKeyEvent;
class wxMouseEvent;
class wxShowEvent;
class wxCloseEvent;
class wxXmlNode;

// Where the root menu stands and how dark the backdrop is: the state the
// settings and the show sequence share.
namespace Launch {
// The primary monitor's size, read once by the launcher window's constructor.
extern wxSize ScreenSize;
// The root holder's top-left corner: the last clamped cursor point, or the fixed place of LaunchMode.
extern wxPoint LaunchPoint;
// Appearance/LaunchType as last accepted: 0 places at the cursor, 1 to 3 at LaunchPoint.
extern int LaunchMode;
// The backdrop's opacity when shown: the low 8 bits of Appearance/BackgroundDensity.
extern uint8_t BackdropAlpha;

// The root holder's place for a cursor at cursor on a screen of size screen:
// at least (300, 250), at most (width - 500, height - 400).
wxPoint CursorPoint(const wxPoint& cursor, const wxSize& screen);
// The fixed places of launch types 1 to 3; false for any other type.
bool FixedPoint(int type, const wxSize& screen, wxPoint& point);
} // namespace Launch

// Reads Appearance/BackgroundDensity and Appearance/LaunchType of "Core".
void LoadLaunchSettings();
// 0 places the root menu at the cursor, 1 to 3 at a fixed place; false (nothing
// changed) for any other type.
bool ApplyLaunchType(const int& type);

class LaunchWindow : public ZynObject {
public:
    // The invisible anchor that owns the root menu; the root menu's column
    // stands at its position.
    class IconTray : public ZynObject, public Menuable {
    public:
        explicit IconTray(wxWindow* parent);
        ~IconTray() override;
        // The root holder is never written as an item.
        wxXmlNode* GetNode() override { return nullptr; }
        void SetNode(wxXmlNode*) override {}
    };

    LaunchWindow();
    ~LaunchWindow() override;

    // Hiding a shown launcher fades it out (the window stays visible until the
    // fade ends); anything else is the toolkit's own Show. Ignored while closing.
    bool Show(bool show = true) override;
    // Hides a shown launcher, shows a hidden or fading one.
    void Toggle();

    // Creates the root holder and reads "launcher.xml" into it, then adds the
    // built-in entries. Always true.
    bool Build();
    // Readies the backdrop and the root menu's items for the first open (see MenuImpl::Prepare).
    void PrepareRoot();
    // Writes the tree to "launcher.xml" (atomically); false (logged) when the
    // file could not be written, which then keeps its old content.
    bool SaveLauncherXml();

    AnimationFrame* GetFrame() override { return &frame; }
    // Takes the frame's alpha as the backdrop's opacity; position and size are ignored.
    void ApplyFrame(AnimationFrame& frame) override;
    // At alpha 0 the window hides, and when closing it is destroyed.
    void OnAnimationEnd() override;

    bool IsShownLauncher() const { return shown; }
    bool IsClosing() const { return closing; }

    WinFX animator;
    IconTray* tray = nullptr;

private:
    void OnShow(wxShowEvent& event);
    void OnBackgroundClick(wxMouseEvent& event);
    void OnClose(wxCloseEvent& event);
    void OnHotkey(wxKeyEvent& event);

    // raise: bring the backdrop on top of the other windows first (a show from outside).
    void ShowSequence(bool raise);
    void HideSequence();
    // Fades the backdrop to alpha (ease-out when it rises, ease-in when it falls).
    void Fade(int alpha, uint32_t curve);
    // Applies the fade's step for the time elapsed since it started.
    void StepFade();
    // Places the root holder at the cursor or at the fixed place.
    void PlaceRoot();
    // Destroy, without waiting for an event to bring the idle time that deletes the window.
    void DestroyNow();
    // Adds "Plug-ins" and "Settings" with their list menus to the root menu.
    void AppendBuiltIns();
    // The "Launcher" element of the file as the tree writes it.
    std::unique_ptr<wxXmlNode> TreeElement();

    bool shown = false;
    bool closing = false;
    // The file was not read completely and no copy of it could be kept: it is never written over.
    bool keepFile = false;

    wxDECLARE_EVENT_TABLE();
};
