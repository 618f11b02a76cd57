#include "FadingItem.h"

#include "MenuImpl.h"

FadingItem::FadingItem(wxWindow* parent, const wxString& name, const wxPoint& pos)
    : ButtonImpl(parent, name, pos), frames(3), fadedFrames(3)
{
}

void FadingItem::TakeFaces(const Frames& icons, const Frames& background, bool redraw)
{
    faceIcons = icons;
    faceBackground = background;
    faceSize = FrameAt(background, 0).GetSize();
    for (size_t k = 0; k < 3; ++k) {
        frames[k] = Picture();
        fadedFrames[k] = Picture();
        made[k] = false;
    }
    fadeBitmap = Picture();
    fadeCanvas.SelectObject(fadeBitmap);
    SetBitmaps(frames[0], frames[1], frames[2], redraw);
}

bool FadingItem::ShowsFadedFaces() const { return normalFace.GetPicture() == &fadedFrames[0]; }

void FadingItem::ComposeFace(int32_t itemState)
{
    const size_t k = itemState == ITEM_STATE_HOVER ? 1 : itemState == ITEM_STATE_PRESSED ? 2 : 0;
    if (made[k])
        return;
    made[k] = true;
    frames[k] = DrawFace(k);
    fadedFrames[k] = frames[k];
    if (ShowsFadedFaces()) {
        BitmapDC canvas;
        canvas.SelectObject(fadedFrames[k]);
        canvas.CopyFaded(frames[k], appliedFade.y0, appliedFade.y1, appliedFade.a0, appliedFade.a1);
    }
    if (k == 0 && !fadeBitmap.IsOk())
        fadeBitmap = frames[0];
}

wxSize FadingItem::FaceSize(int32_t) { return faceSize; }

void FadingItem::ApplyFrame(AnimationFrame& in)
{
    if (!clipToView) {
        ButtonImpl::ApplyFrame(in);
        return;
    }
    TakeFlagged(frame, in, FRAME_POSITION | FRAME_ALPHA);
    RefreshState(wxPoint(frame.x, frame.y), static_cast<unsigned char>(frame.alpha));
}

void FadingItem::ShowAt(const wxPoint& pos, const int& alpha)
{
    if (!clipToView) {
        ButtonImpl::ShowAt(pos, alpha);
        return;
    }
    RecordPlace(frame, pos, alpha);
    RefreshState(pos, static_cast<unsigned char>(alpha));
}

void FadingItem::SetAlpha(const unsigned char& alpha)
{
    if (!clipToView) {
        ButtonImpl::SetAlpha(alpha);
        return;
    }
    frame.alpha = alpha;
    frame.flags |= FRAME_ALPHA;
    RefreshState(GetPosition(), alpha);
}

// The frame already holds pos and the alpha to keep; placing never changes them.
void FadingItem::RefreshState(const wxPoint& pos, const unsigned char& alpha)
{
    const wxWindow* parent = GetParent();
    if (!parent)
        return;
    fade = ViewFade(pos, *parent);
    switch (fade.place) {
    case EdgeFade::Outside:
        fadePending = false;
        if (HasCapture()) {
            PushFaceAt(pos, 0); // no picture shows and no click lands at alpha 0
            parked = true;
            break;
        }
        if (objectDC.HasPicture()) // an item that never showed stays without a window on the server
            PushFaceAt(pos, alpha);
        Hide();
        Move(pos);
        parked = false;
        break;
    case EdgeFade::Inside:
        SetBitmaps(frames[0], frames[1], frames[2], false);
        PushFaceAt(pos, alpha);
        MapIfMenuShown();
        clipped = false;
        fadePending = false;
        parked = false;
        break;
    case EdgeFade::Faded:
        clipped = fade.clipped;
        fadePending = true;
        parked = false;
        UpdateLayered(pos, alpha);
        MapIfMenuShown();
        break;
    }
}

// A menu that is not shown never puts its items on screen: an edit or a new
// icon set places them, hidden, and the next show maps them.
void FadingItem::MapIfMenuShown()
{
    if (!parentMenu || parentMenu->shown)
        Show();
}

void FadingItem::UpdateLayered(const wxPoint& pos, const unsigned char& alpha)
{
    ComposeFace(ITEM_STATE_NORMAL);
    fadeCanvas.SelectObject(fadeBitmap);
    fadeCanvas.CopyFaded(frames[0], fade.y0, fade.y1, fade.a0, fade.a1);
    objectDC.pos = pos;
    objectDC.size = frames[0].GetSize();
    objectDC.SetAlpha(alpha);
    objectDC.Update(fadeBitmap, true);
}

void FadingItem::ApplyFade()
{
    BitmapDC canvas;
    for (size_t k = 0; k < 3; ++k) {
        if (!made[k])
            continue; // drawn with this fade when first used
        canvas.SelectObject(fadedFrames[k]);
        canvas.CopyFaded(frames[k], fade.y0, fade.y1, fade.a0, fade.a1);
    }
    appliedFade = fade;
    fadeCanvas.SelectObject(fadeBitmap);
    SetBitmaps(fadedFrames[0], fadedFrames[1], fadedFrames[2], false);
}

void FadingItem::ApplyPendingFade()
{
    if (!fadePending)
        return;
    ApplyFade();
    fadePending = false;
}

void FadingItem::ReleasePointer()
{
    ButtonImpl::ReleasePointer();
    Unpark();
}

void FadingItem::OnCaptureLost(wxMouseCaptureLostEvent& event)
{
    ButtonImpl::OnCaptureLost(event);
    Unpark();
}

void FadingItem::Unpark()
{
    if (parked)
        RefreshState(GetPosition(), static_cast<unsigned char>(frame.alpha));
}
