// The picture notice: one theme picture that grows from its centre while it
// fades in, stays for its time-out (or, with none, until it or its parent
// goes), fades out and destroys itself. It takes no input.
#pragma once

#include <cstdint>

#include <wx/event.h>
#include <wx/string.h>
#include <wx/timer.h>

#include "NotifyWindow.h"
#include "TickTimer.h"
#include "ZynObject.h"

class NoticeObject : public ZynObject, public NotifyPicture {
public:
    // Frame 0 of frames is the picture; wxDefaultPosition asks for the default
    // place (centred across, above the middle of the screen). Built hidden.
    NoticeObject(wxWindow* parent, const Frames& frames, const int& timeout, const wxPoint& pos);
    ~NoticeObject() override;

    // Showing a shown notice brings it back to full strength at once and
    // starts its time-out over.
    bool Show(bool show = true) override;

    // The stored frame: a notice never moves.
    AnimationFrame* GetFrame() override;
    void ApplyFrame(AnimationFrame& frame) override;

    virtual void OnShow(wxShowEvent& event);
    virtual void OnTimer(wxTimerEvent& event);

    TickTimer hideTimer;
    int32_t timeoutMs; // 0: never fades by itself

protected:
    // Composes the picture at the frame's size; true when something was drawn.
    bool Compose();
    // Shows the display canvas, or with content false only the present alpha.
    void Push(bool content);

    wxDECLARE_EVENT_TABLE();
};

// Shows a new message balloon at once; what its Show returns.
bool PopupMessage(const wxString& text, const bool& autoHide);
