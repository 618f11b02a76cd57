#include "MessageObject.h"

#include "BitmapManager.h"
#include "NotifyLayout.h"
#include "NotifyWindow.h"
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
      animator(this),
      hideTimer(this),
      timeoutMs(timeout)
{
    const Frames& background = BitmapManager::System(BITMAP_MESSAGE);
    if (!background.empty())
        sourceBitmap = background[0];
    fullSize = drawnSize = sourceBitmap.GetSize();
    if (const MessageObject* top = MessageStack.Top())
        position = top->position + wxPoint(10, 10);
    else
        position = CentredOnScreen(ScreenSize(), fullSize);

    sourceCanvas.SelectObject(sourceBitmap);
    if (sourceBitmap.IsOk())
        DrawHaloText(sourceCanvas, text, wxPoint(fullSize.x / 2, fullSize.y / 2));
    displayBitmap = sourceBitmap;
    displayCanvas.SelectObject(displayBitmap);

    frame.width = 0;
    frame.height = MessageBands.ClosedHeight();
    frame.alpha = 0;
    frame.flags |= FRAME_WIDTH | FRAME_HEIGHT | FRAME_ALPHA;
    Render();
}

MessageObject::~MessageObject()
{
    // The animator stops with its destruction, without calling back into a
    // window being destroyed. A balloon destroyed without hiding (with its parent) must not stay behind.
    MessageStack.Remove(this);
}

AnimationFrame* MessageObject::GetFrame()
{
    return &frame;
}

void MessageObject::ApplyFrame(AnimationFrame& step)
{
    if (step.flags & FRAME_WIDTH)
        frame.width = *step.pw;
    if (step.flags & FRAME_HEIGHT)
        frame.height = *step.ph;
    if (step.flags & FRAME_ALPHA)
        frame.alpha = *step.palpha;
    frame.flags |= step.flags & (FRAME_WIDTH | FRAME_HEIGHT | FRAME_ALPHA);
    Render();
}

void MessageObject::Render()
{
    ComposeBands(displayCanvas, sourceBitmap, MessageBands, drawnSize, frame.width, frame.height);
    objectDC.SetAlpha(frame.alpha);
    PushPicture(objectDC, displayBitmap, position, fullSize);
}

void MessageObject::Animate(uint32_t effect)
{
    animator.effect = effect;
    animator.SetFrame(targetFrame);
    animator.Start();
}

void MessageObject::OnShow(wxShowEvent& event)
{
    event.Skip();
    if (event.IsShown()) {
        targetFrame.flags = 0;
        if (timeoutMs != 0)
            hideTimer.StartOnce(timeoutMs);
        expanded = false;
        SoundManager::Play(SOUND_MESSAGE);
        // Widen from the centre while fading in; the vertical unfolding follows.
        targetFrame.width = fullSize.x;
        targetFrame.alpha = 255;
        targetFrame.flags |= FRAME_WIDTH | FRAME_ALPHA;
        Animate(EFFECT_LOCK | EFFECT_EASE_OUT | EFFECT_HALF);
        return;
    }
    if (!MessageStack.Remove(this))
        ZLOG_ERROR("Error deleting message.");
    Destroy();
}

void MessageObject::OnAnimationEnd()
{
    if (frame.alpha == 0) {
        Show(false);
        return;
    }
    if (expanded)
        return;
    targetFrame.width = fullSize.x;
    targetFrame.height = fullSize.y;
    targetFrame.flags = FRAME_WIDTH | FRAME_HEIGHT;
    Animate(EFFECT_LOCK | EFFECT_EASE_OUT);
    expanded = true;
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
