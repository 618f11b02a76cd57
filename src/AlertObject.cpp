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
    // A pointer that jumps in straight onto a button sends only the crossing, no motion.
    EVT_ENTER_WINDOW(AlertObject::OnMotion)
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
    : wxDialog(parent, wxNewId(), "Zyn Alert", wxDefaultPosition, wxDefaultSize,
               parent ? wxBORDER_NONE | wxFRAME_FLOAT_ON_PARENT : wxBORDER_NONE),
      NotifyPicture(this),
      windowDC(this)
{
    if (!windowDC.IsOk())
        ZLOG_ERROR("Cannot Create Window DC.");
    // Above the launcher and above the program's own toolkit windows (the
    // preferences window asks too), over its owner.
    windowDC.SetKind(zplat::WindowKind::Modal);
    windowDC.SetOwner(parent);

    LoadPicture(BitmapManager::System(BITMAP_ALERT), question);
    position = CentredOnScreen(ScreenSize(), fullSize);

    yesFaces = ButtonFaces(ICON_OK);
    noFaces = ButtonFaces(ICON_CANCEL);

    frame.width = 0;
    frame.height = AlertBands.ClosedHeight();
    frame.alpha = 0;
    frame.flags |= FRAME_WIDTH | FRAME_HEIGHT | FRAME_ALPHA;
    Compose();
    windowDC.SetAlpha(0);
    Push(true);
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
    TakeSizeAndAlpha(frame, step);
    const bool composed = Compose();
    windowDC.SetAlpha(frame.alpha);
    Push(composed);
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

void AlertObject::Push(bool content)
{
    PushPicture(windowDC, displayBitmap, position, fullSize, content);
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
        SoundManager::Play(SOUND_ALERT);
        StartWidening();
        return;
    }
    // Whatever hid the alert without an answer (a close request, Escape), the
    // answer is the button chosen last; an answer given to the loop stands.
    if (GetReturnCode() != wxYES && GetReturnCode() != wxNO)
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
    // The buttons fade in while it opens.
    UnfoldOnce();
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
        Push(true);
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
