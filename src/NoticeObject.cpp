#include "NoticeObject.h"

#include "MessageObject.h"

wxBEGIN_EVENT_TABLE(NoticeObject, ZynObject)
    EVT_SHOW(NoticeObject::OnShow)
    EVT_TIMER(wxID_ANY, NoticeObject::OnTimer)
wxEND_EVENT_TABLE()

NoticeObject::NoticeObject(wxWindow* parent, const Frames& frames, const int& timeout, const wxPoint& pos)
    : ZynObject(parent, "Zyn Notification", wxDefaultPosition, wxDefaultSize),
      NotifyPicture(this),
      hideTimer(this),
      timeoutMs(timeout)
{
    objectDC.SetOwner(parent);
    LoadPicture(frames, wxString());
    position = pos == wxDefaultPosition ? DefaultNoticePosition(ScreenSize(), fullSize) : pos;

    frame.width = 0;
    frame.height = 0;
    frame.alpha = 0;
    frame.flags |= FRAME_WIDTH | FRAME_HEIGHT | FRAME_ALPHA;
    Compose();
    objectDC.SetAlpha(0);
    Push(true);
    if (sourceBitmap.IsOk())
        Raise();
}

// The animator stops with its destruction, without calling back.
NoticeObject::~NoticeObject() = default;

bool NoticeObject::Show(bool show)
{
    if (!show || !IsShown())
        return ZynObject::Show(show);
    // Shown again: back to full strength at once, for a fresh time-out.
    if (timeoutMs != 0)
        hideTimer.StartOnce(timeoutMs);
    frame.width = fullSize.x;
    frame.height = fullSize.y;
    frame.alpha = 255;
    frame.flags |= FRAME_WIDTH | FRAME_HEIGHT | FRAME_ALPHA;
    const bool composed = Compose();
    objectDC.SetAlpha(255);
    Push(composed);
    // A growth or fade-out ends where it is; the end finds alpha 255 and keeps the notice.
    animator.Stop();
    Raise();
    return ZynObject::Show(true);
}

AnimationFrame* NoticeObject::GetFrame()
{
    return &frame;
}

void NoticeObject::ApplyFrame(AnimationFrame& step)
{
    TakeSizeAndAlpha(frame, step);
    const bool composed = Compose();
    objectDC.SetAlpha(frame.alpha);
    Push(composed);
    // A growing notice stays above the windows around it.
    if (composed)
        Raise();
}

bool NoticeObject::Compose()
{
    const Recompose what = RecomposeFor(drawnSize, frame.width, frame.height);
    if (what == Recompose::None)
        return false;
    if (what == Recompose::ClearAndDraw)
        displayCanvas.Fill(0);
    const wxRect box = LayoutGrowth(fullSize, frame.width, frame.height);
    drawnSize = box.GetSize();
    displayCanvas.StretchBlit(sourceBitmap, wxRect(fullSize), box);
    return true;
}

void NoticeObject::Push(bool content)
{
    PushPicture(objectDC, displayBitmap, position, fullSize, content);
}

void NoticeObject::OnShow(wxShowEvent& event)
{
    event.Skip();
    if (!event.IsShown()) {
        Destroy();
        return;
    }
    if (timeoutMs != 0)
        hideTimer.StartOnce(timeoutMs);
    // Grow from the centre while fading in.
    targetFrame.width = fullSize.x;
    targetFrame.height = fullSize.y;
    targetFrame.alpha = 255;
    targetFrame.flags = FRAME_WIDTH | FRAME_HEIGHT | FRAME_ALPHA;
    Animate(EFFECT_LOCK | EFFECT_EASE_OUT);
}

void NoticeObject::OnTimer(wxTimerEvent&)
{
    // Fade out at the size reached; the end of the fade hides the notice.
    targetFrame.alpha = 0;
    targetFrame.flags = FRAME_ALPHA;
    Animate(EFFECT_LOCK | EFFECT_EASE_IN);
}

bool PopupMessage(const wxString& text, const bool& autoHide)
{
    return ShowMessage(text, autoHide)->Show(true);
}
