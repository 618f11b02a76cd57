// The base of every item button of the launcher: a small layered window that
// shows one of three composed faces (normal, hover, pressed), carries one menu
// entry (name, icon paths, action, built-in flag), may own a sub-menu, and
// reports long presses through the one press timer all buttons share.
#pragma once

#include <cstdint>

#include <wx/event.h>
#include <wx/string.h>
#include <wx/timer.h>
#include <wx/vector.h>

#include "BitmapDC.h"
#include "BitmapManager.h"
#include "FrameOps.h"
#include "Menuable.h"
#include "ZynObject.h"

class TickTimer;

enum ItemState : int32_t { ITEM_STATE_NORMAL = 0, ITEM_STATE_HOVER = 1, ITEM_STATE_PRESSED = 2 };

// The one long-press timer of all buttons, owned by the button pressed last;
// created by the first button and kept until the process ends.
extern TickTimer* PressTimer;
// Milliseconds of a long press (General/PressTimeout).
extern int32_t PressInterval;

class ButtonImpl : public ZynObject, public Menuable {
public:
    ButtonImpl(wxWindow* parent, const wxString& name, const wxPoint& pos);
    ~ButtonImpl() override;

    // Gives up the pointer grab and the press timer, then the deferred destruction.
    bool Destroy() override;
    // A window shown before any face was pushed gets the present face first.
    bool Show(bool show = true) override;

    void SetName(const wxString& name) override;
    wxString GetName() const override;

    // x, y and alpha of the frame; with alpha the face is pushed, else the window moves.
    void ApplyFrame(AnimationFrame& in) override;
    // Places the face of the present state at pos; KeepAlpha keeps the frame's alpha.
    virtual void ShowAt(const wxPoint& pos, const int& alpha);
    virtual void SetAlpha(const unsigned char& alpha);
    virtual void SetIcons(const wxVector<wxString>& paths);
    // Runs the item editor; the base has none.
    virtual bool Edit();
    // Normal face, no edit pop-up mark, no long press pending.
    virtual void ShowNormal();
    virtual bool IsActive();

    virtual void OnEnterWindow(wxMouseEvent& event);
    virtual void OnLeaveWindow(wxMouseEvent& event);
    virtual void OnLeftDown(wxMouseEvent& event);
    virtual void OnLeftUp(wxMouseEvent& event);
    virtual void OnMotion(wxMouseEvent& event);
    virtual void OnTimer(wxTimerEvent& event);
    // The pointer grab was taken away (another grab, a modal dialog): back to normal.
    virtual void OnCaptureLost(wxMouseCaptureLostEvent& event);

    // Selects the three faces (kept by the item kind); with redraw the present one is
    // pushed, or, while the window is hidden and has never had a face, only its size taken.
    void SetBitmaps(Picture& normal, Picture& hover, Picture& press, const bool& redraw);
    // The face of the state, made first when the item kind makes its faces on first use.
    BitmapDC& FaceOf(int32_t itemState);
    void SetAction(int type, const wxString& cmd);
    // Takes the pointer grab for the press in hand / gives it back (nothing when not held).
    void GrabPointer();
    virtual void ReleasePointer();

    // Reads General/LockingMode (into LockingModeFlag) and General/PressTimeout of "Core".
    static void LoadSettings();

    BitmapDC normalFace;
    BitmapDC hoverFace;
    BitmapDC pressFace;
    int32_t state = ITEM_STATE_NORMAL;
    wxVector<wxString> iconPaths;
    wxString command;
    int32_t actionType = 0;
    wxString name;
    int32_t faceWidth = 0;
    int32_t faceHeight = 0;
    bool clipped = false;
    bool editTarget = false;
    bool builtIn = false;

protected:
    // Makes the face of the state unless it is made already; kinds that make
    // their faces on first use override it.
    virtual void ComposeFace(int32_t itemState);
    // The size of the face of the state: the window's size once shown.
    virtual wxSize FaceSize(int32_t itemState);
    // Pushes the face of the state where the window stands, at its present size.
    void PushFace(int32_t itemState);
    // Pushes the face of the present state at pos (taking the face's size), with alpha when 0..255.
    void PushFaceAt(const wxPoint& pos, int alpha);
    // Stops the press timer when this button owns it.
    void ReleasePressTimer();

    // Frame i of frames, or the first frame where i is missing or empty.
    static const Picture& FrameAt(const Frames& frames, size_t i);

    // Reads the name and the three icon paths every item element starts with.
    // The name is taken at once; the paths only when all three were read. Returns
    // the message of the first fault, or nullptr with next set to the element after icon.
    const char* ReadNameAndIcons(wxXmlNode* node, wxXmlNode** next);
    // Appends name and icon (with its three paths) to a new item element and returns it.
    wxXmlNode* NewItemNode();

    // Asks before a sub-menu is dropped and makes one of the new kind (0 none).
    void ChangeMenuKind(int kind);

    wxDECLARE_EVENT_TABLE();
};
