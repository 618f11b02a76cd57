// The base of every themed window: a borderless top-level window that shows
// one per-pixel-alpha picture composed by the program, animatable in
// position, size and opacity. Plus the two small concrete windows.
#pragma once

#include <wx/gdicmn.h>
#include <wx/string.h>
#include <wx/toplevel.h>

#include "Animatable.h"
#include "ObjectDC.h"

class Picture;

class ZynObject : public wxTopLevelWindow, public Animatable {
public:
    // Created hidden; nothing shows until a subclass pushes a picture.
    ZynObject(wxWindow* parent, const wxString& title, const wxPoint& pos, const wxSize& size);
    ~ZynObject() override = 0;

    // Keeps this window stacked above owner.
    virtual bool SetOwner(ZynObject* owner);
    // Per-class points (one shared point per class) used by the menus' layout.
    virtual const wxPoint& GetMargin() const;
    virtual const wxPoint& GetOffset() const;

    // Reads the window's present position into the frame (flags 0x06).
    AnimationFrame* GetFrame() override;
    // Moves (0x02 or 0x04: both x and y) and resizes (0x08 or 0x10: both);
    // alpha is left to the windows that fade.
    void ApplyFrame(AnimationFrame& frame) override;
    void OnAnimationStart() override;
    // Hides the window when the frame's alpha is 0.
    void OnAnimationEnd() override;

    // Raises through the window service: never activates, keeps owned windows above.
    void Raise() override;
    // Window kind (a tool window by default); set it before the window is first shown.
    void SetKind(zplat::WindowKind kind) { objectDC.SetKind(kind); }
    // A hidden window pushed at alpha 0: its first show will only map it (see ObjectDC::Ready).
    void Ready() { objectDC.Ready(); }
    // A desktop widget is not given the focus on a click: on GTK the toolkit
    // would present it, raising it over every other window, its dialogs too.
    void RefuseFocus() { refusesFocus = true; }
    bool AcceptsFocus() const override;

    // Moves to any place, -1 included (the toolkit's Move takes -1 as "keep
    // the present coordinate"); the size stays.
    void Move(int x, int y);
    void Move(const wxPoint& pos) { Move(pos.x, pos.y); }

protected:
    // Geometry changes reach the X window at once and are reported at once
    // (wxEVT_MOVE), so windows that follow another one never lag a frame.
    void DoSetSize(int x, int y, int width, int height, int sizeFlags = wxSIZE_AUTO) override;

    ObjectDC objectDC;

private:
    bool refusesFocus = false;
};

// GTK reports the second of two presses at one spot within the double-click
// time only as a double click, with no press. After this call the window takes
// such a double click as a left press: for the handlers bound on it (a menu's,
// a widget's) as for its own event table.
void TakeDoubleClicksAsPresses(wxWindow* window);

// An invisible owner window: shown at size 0 by 0, it never pushes a picture.
class EmptyObject : public ZynObject {
public:
    explicit EmptyObject(wxWindow* parent);
    ~EmptyObject() override;
};

// A window that shows one fixed picture.
class StaticObject : public ZynObject {
public:
    // Pushes a copy of bitmap at pos when it is valid; an invalid one leaves no picture.
    StaticObject(wxWindow* parent, const wxString& name, const wxPoint& pos, const Picture& bitmap);
    ~StaticObject() override;
    // Sets the window's name and pushes a copy of bitmap where the window stands.
    void SetBitmap(const wxString& name, const Picture& bitmap);
};
