#include "AlertObject.h"

#include <wx/frame.h>
#include <wx/weakref.h>

#include "BitmapManager.h"
#include "NotifyWindow.h"
#include "SoundManager.h"
#include "ZynLog.h"
#include "ZynObject.h"
#include "ZynUtils.h"

namespace {

// The invisible owner of every alert; forgotten when the launcher window
// that holds it goes.
wxWeakRef<EmptyObject> AlertOwner;

// Copies of the first three frames of an icon, each cut to the size of the first.
std::vector<Picture> ButtonFaces(int type)
{
    const Frames& frames = BitmapManager::System(type);
    const wxRect box(wxPoint(0, 0), frames.empty() ? wxSize(0, 0) : frames[0].GetSize());
    std::vector<Picture> faces(3);
    for (size_t i = 0; i < faces.size() && i < frames.size(); ++i)
        faces[i] = frames[i].GetSubPicture(box);
    return faces;
}

} // namespace

wxBEGIN_EVENT_TABLE(AlertObject, wxDialog)
    EVT_SHOW(AlertObject::OnShow)
    EVT_MOTION(AlertObject::OnMotion)
    EVT_LEFT_DOWN(AlertObject::OnLeftDown)
    EVT_LEFT_UP(AlertObject::OnLeftUp)
wxEND_EVENT_TABLE()

AlertObject* ShowAlert(const wxString& question)
{
    if (!AlertOwner) {
        AlertOwner = new EmptyObject(LauncherWindow());
        AlertOwner->Show(true);
    }
    return new AlertObject(AlertOwner.get(), question);
}

int ShowConfirm(const wxString& question)
{
    return ShowAlert(question)->ShowModal();
}

AlertObject::AlertObject(wxWindow* parent, const wxString& question)
    : windowDC(this), animator(this)
{
    // Per-pixel alpha needs the transparent background before the window exists.
    SetBackgroundStyle(wxBG_STYLE_TRANSPARENT);
    Create(parent, wxNewId(), "Zyn Alert", wxDefaultPosition, wxDefaultSize, wxBORDER_NONE | wxFRAME_FLOAT_ON_PARENT);
    if (!windowDC.IsOk())
        ZLOG_ERROR("Cannot Create Window DC.");

    const Frames& background = BitmapManager::System(BITMAP_ALERT);
    if (!background.empty())
        sourceBitmap = background[0];
    fullSize = drawnSize = sourceBitmap.GetSize();
    position = CentredOnScreen(ScreenSize(), fullSize);

    sourceCanvas.SelectObject(sourceBitmap);
    if (sourceBitmap.IsOk())
        DrawHaloText(sourceCanvas, question, wxPoint(fullSize.x / 2, fullSize.y / 2));
    displayBitmap = sourceBitmap;
    displayCanvas.SelectObject(displayBitmap);

    yesFaces = ButtonFaces(ICON_OK);
    noFaces = ButtonFaces(ICON_CANCEL);

    frame.width = 0;
    frame.height = AlertBands.ClosedHeight();
    frame.alpha = 0;
    frame.flags |= FRAME_WIDTH | FRAME_HEIGHT | FRAME_ALPHA;
    Compose();
    windowDC.SetAlpha(0);
    Push();
}

// The animator stops with its destruction, without calling back.
AlertObject::~AlertObject() = default;

int AlertObject::ShowModal()
{
    modalRunning = true;
    const int answer = wxDialog::ShowModal();
    modalRunning = false;
    Destroy();
    return answer;
}

AnimationFrame* AlertObject::GetFrame()
{
    return &frame;
}

void AlertObject::ApplyFrame(AnimationFrame& step)
{
    if (step.flags & FRAME_WIDTH)
        frame.width = *step.pw;
    if (step.flags & FRAME_HEIGHT)
        frame.height = *step.ph;
    if (step.flags & FRAME_ALPHA)
        frame.alpha = *step.palpha;
    frame.flags |= step.flags & (FRAME_WIDTH | FRAME_HEIGHT | FRAME_ALPHA);
    Compose();
    windowDC.SetAlpha(frame.alpha);
    Push();
}

bool AlertObject::Compose()
{
    if (!ComposeBands(displayCanvas, sourceBitmap, AlertBands, drawnSize, frame.width, frame.height))
        return false;
    const int alpha = ButtonAlpha(drawnSize.y, fullSize.y);
    if (alpha >= 0) {
        const unsigned char a = static_cast<unsigned char>(alpha);
        displayCanvas.AlphaBlend(yesFaces[0], wxRect(yesFaces[0].GetSize()), wxRect(YesButtonOrigin, yesFaces[0].GetSize()), a);
        displayCanvas.AlphaBlend(noFaces[0], wxRect(noFaces[0].GetSize()), wxRect(NoButtonOrigin, noFaces[0].GetSize()), a);
    }
    return true;
}

void AlertObject::Push()
{
    PushPicture(windowDC, displayBitmap, position, fullSize);
}

void AlertObject::Animate(uint32_t effect)
{
    animator.effect = effect;
    animator.SetFrame(targetFrame);
    animator.Start();
}

void AlertObject::OnShow(wxShowEvent& event)
{
    event.Skip();
    if (event.IsShown()) {
        // An outer modal window (the preferences) gets its flag back when the alert closes.
        if (!holdsModalFlag) {
            modalFlagBefore = ModalOpenFlag;
            holdsModalFlag = true;
        }
        ModalOpenFlag = true;
        targetFrame.flags = 0;
        expanded = false;
        SoundManager::Play(SOUND_ALERT);
        // The closed strip widens from the centre while fading in.
        targetFrame.width = fullSize.x;
        targetFrame.alpha = 255;
        targetFrame.flags |= FRAME_WIDTH | FRAME_ALPHA;
        Animate(EFFECT_LOCK | EFFECT_EASE_OUT | EFFECT_HALF);
        return;
    }
    // Whatever hid the alert (its fade-out, a close request, Escape), the
    // answer is the button chosen last.
    SetReturnCode(input.Answer());
    if (holdsModalFlag) {
        ModalOpenFlag = modalFlagBefore;
        holdsModalFlag = false;
    }
    if (!modalRunning)
        Destroy();
}

void AlertObject::OnAnimationStart() {}

void AlertObject::OnAnimationEnd()
{
    if (frame.alpha == 0) {
        // Ending the modal loop hides the dialog; hiding it first would end the loop twice.
        if (IsModal())
            EndModal(input.Answer());
        else
            Show(false);
        return;
    }
    if (expanded)
        return;
    // Open up and down from the middle while the buttons fade in.
    targetFrame.width = fullSize.x;
    targetFrame.height = fullSize.y;
    targetFrame.flags = FRAME_WIDTH | FRAME_HEIGHT;
    Animate(EFFECT_LOCK | EFFECT_EASE_OUT);
    expanded = true;
}

void AlertObject::DrawButton(AlertChoice button, size_t face)
{
    const wxPoint origin = button == CHOICE_YES ? YesButtonOrigin : NoButtonOrigin;
    const Picture& picture = (button == CHOICE_YES ? yesFaces : noFaces)[face];
    displayCanvas.Blit(sourceBitmap, wxRect(origin, yesFaces[0].GetSize()), origin);
    displayCanvas.AlphaBlend(picture, wxRect(picture.GetSize()), wxRect(origin, picture.GetSize()), 255);
}

void AlertObject::Follow(const AlertInput::Step& step)
{
    if (step.restore != CHOICE_NONE)
        DrawButton(step.restore, 0);
    if (step.highlight != CHOICE_NONE)
        DrawButton(step.highlight, 1);
    if (step.Redraws()) {
        Compose();
        Push();
    }
    if (step.sound)
        SoundManager::Play(SOUND_PRESS);
    if (step.fadeOut) {
        // The open alert fades out without changing shape.
        targetFrame.alpha = 0;
        targetFrame.flags = FRAME_ALPHA;
        Animate(EFFECT_LOCK | EFFECT_EASE_IN);
    }
}

void AlertObject::OnMotion(wxMouseEvent& event)
{
    Follow(input.Move(event.GetPosition(), yesFaces[0].GetSize(), animator.IsRunning()));
}

void AlertObject::OnLeftDown(wxMouseEvent& event)
{
    Follow(input.Press(event.GetPosition(), yesFaces[0].GetSize(), animator.IsRunning()));
}

void AlertObject::OnLeftUp(wxMouseEvent&)
{
    Follow(input.Release(animator.IsRunning()));
}
