#include "MessageObject.h"

#include "SoundManager.h"
#include "ZynLog.h"

BalloonStack<MessageObject> MessageStack;

wxBEGIN_EVENT_TABLE(MessageObject, ZynObject)
    EVT_SHOW(MessageObject::OnShow)
    EVT_LEFT_UP(MessageObject::OnLeftUp)
    EVT_TIMER(wxID_ANY, MessageObject::OnTimer)
wxEND_EVENT_TABLE()

MessageObject* ShowMessage(const wxString& text, const bool& autoHide)
{
    wxWindow* parent = MessageStack.DimTop();
    if (!parent)
        parent = LauncherWindow();
    MessageObject* balloon = new MessageObject(parent, text, autoHide ? MessageTimeoutMs : 0);
    MessageStack.Push(balloon);
    return balloon;
}

MessageObject::MessageObject(wxWindow* parent, const wxString& text, const int& timeout)
    : ZynObject(parent, "Zyn Message", wxDefaultPosition, wxDefaultSize),
      NotifyPicture(this),
      hideTimer(this),
      timeoutMs(timeout)
{
    // Clicks on a balloon never take the focus; it stands above what it stands on.
    objectDC.SetKind(zplat::WindowKind::NoActivate);
    objectDC.SetOwner(parent);
    LoadPicture(BitmapManager::System(BITMAP_MESSAGE), text);
    if (const MessageObject* top = MessageStack.Top())
        position = top->position + wxPoint(10, 10);
    else
        position = CentredOnScreen(ScreenSize(), fullSize);

    frame.width = 0;
    frame.height = MessageBands.ClosedHeight();
    frame.alpha = 0;
    frame.flags |= FRAME_WIDTH | FRAME_HEIGHT | FRAME_ALPHA;
    Render();
}

MessageObject::~MessageObject()
{
    // The animator stops with its destruction, without calling back into a
    // window being destroyed. A balloon destroyed without hiding (with its
    // parent) must not stay behind.
    MessageStack.Remove(this);
}

AnimationFrame* MessageObject::GetFrame()
{
    return &frame;
}

void MessageObject::ApplyFrame(AnimationFrame& step)
{
    TakeSizeAndAlpha(frame, step);
    Render();
}

void MessageObject::Render()
{
    const bool composed = ComposeBands(displayCanvas, sourceBitmap, MessageBands, drawnSize, frame.width, frame.height);
    objectDC.SetAlpha(frame.alpha);
    PushPicture(objectDC, displayBitmap, position, fullSize, composed);
}

void MessageObject::OnShow(wxShowEvent& event)
{
    event.Skip();
    if (event.IsShown()) {
        if (timeoutMs != 0)
            hideTimer.StartOnce(timeoutMs);
        SoundManager::Play(SOUND_MESSAGE);
        StartWidening();
        return;
    }
    if (!MessageStack.Remove(this))
        ZLOG_ERROR("Error deleting message.");
    Destroy();
}

void MessageObject::OnAnimationEnd()
{
    if (frame.alpha == 0)
        Show(false);
    else
        UnfoldOnce();
}

void MessageObject::OnTimer(wxTimerEvent&)
{
    FadeOut();
}

void MessageObject::FadeOut()
{
    // The unfolding's width and height targets stay, so an unfinished one completes.
    targetFrame.alpha = 0;
    targetFrame.flags |= FRAME_ALPHA;
    Animate(EFFECT_LOCK | EFFECT_EASE_IN | EFFECT_HALF);
}

void MessageObject::OnLeftUp(wxMouseEvent&)
{
    if (animator.IsRunning())
        return;
    hideTimer.Stop();
    // From the event loop, as the time-out would.
    CallAfter(&MessageObject::FadeOut);
}

void MessageObject::SetDimmed(const bool& dimmed)
{
    Enable(!dimmed);
    if (dimmed) {
        hideTimer.Stop();
        // A balloon not drawn yet hides here and leaves the stack.
        animator.Stop();
        if (!MessageStack.Contains(this))
            return;
    } else if (timeoutMs != 0) {
        hideTimer.StartOnce(timeoutMs);
    }
    frame.width = fullSize.x;
    frame.height = fullSize.y;
    frame.alpha = dimmed ? DimmedAlpha : 255;
    frame.flags |= FRAME_WIDTH | FRAME_HEIGHT | FRAME_ALPHA;
    Render();
}
