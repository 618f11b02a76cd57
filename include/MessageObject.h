// The message balloon: one line of text on the message background, unfolding
// sideways and then up and down when shown, fading out after its time-out or
// on a click. Balloons stack: a new one stands 10 pixels right of and below
// the top one, which is dimmed until the new one has gone.
#pragma once

#include <cstdint>

#include <wx/event.h>
#include <wx/string.h>
#include <wx/timer.h>

#include "BalloonStack.h"
#include "NotifyWindow.h"
#include "TickTimer.h"
#include "ZynObject.h"

// Time-out of a balloon that hides by itself.
inline constexpr int MessageTimeoutMs = 5000;
inline constexpr int DimmedAlpha = 100;

class MessageObject : public ZynObject, public NotifyPicture {
public:
    MessageObject(wxWindow* parent, const wxString& text, const int& timeout);
    ~MessageObject() override;

    // Dims (disabled, no count-down, alpha 100) or gives back full strength
    // and a fresh count-down.
    void SetDimmed(const bool& dimmed);

    // The stored frame: a balloon never moves.
    AnimationFrame* GetFrame() override;
    void ApplyFrame(AnimationFrame& frame) override;
    void OnAnimationEnd() override;

    virtual void OnShow(wxShowEvent& event);
    virtual void OnLeftUp(wxMouseEvent& event);
    virtual void OnTimer(wxTimerEvent& event);

    TickTimer hideTimer;
    int32_t timeoutMs; // 0: stays until clicked

private:
    void Render();
    void FadeOut();

    wxDECLARE_EVENT_TABLE();
};

// Every balloon that exists, the newest on top.
extern BalloonStack<MessageObject> MessageStack;

// A new balloon on top of the stack, hidden: the caller shows it. It stands on
// the top balloon (dimmed now) or, with none, over the launcher window; it
// hides by itself after MessageTimeoutMs when autoHide is set, otherwise on a
// click only. It destroys itself when hidden.
MessageObject* ShowMessage(const wxString& text, const bool& autoHide);
