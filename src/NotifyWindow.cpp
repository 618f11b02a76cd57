#include "NotifyWindow.h"

#include "FrameOps.h"
#include "LaunchWindow.h"
#include "ZynUtils.h"

#include "BitmapDC.h"
#include "ObjectDC.h"
#include "Picture.h"

NotifyPicture::NotifyPicture(Animatable* self) : animator(self)
{
    sourceCanvas.SelectObject(sourceBitmap);
    displayCanvas.SelectObject(displayBitmap);
}

void NotifyPicture::LoadPicture(const Frames& frames, const wxString& text)
{
    if (!frames.empty())
        sourceBitmap = frames[0];
    fullSize = drawnSize = sourceBitmap.GetSize();
    if (sourceBitmap.IsOk() && !text.empty())
        DrawHaloText(sourceCanvas, text, wxPoint(fullSize.x / 2, fullSize.y / 2));
    displayBitmap = sourceBitmap;
}

void NotifyPicture::Animate(uint32_t effect)
{
    ::Animate(animator, effect, targetFrame);
}

void NotifyPicture::StartWidening()
{
    expanded = false;
    targetFrame.width = fullSize.x;
    targetFrame.alpha = 255;
    targetFrame.flags = FRAME_WIDTH | FRAME_ALPHA;
    Animate(EFFECT_LOCK | EFFECT_EASE_OUT | EFFECT_HALF);
}

void NotifyPicture::UnfoldOnce()
{
    if (expanded)
        return;
    targetFrame.width = fullSize.x;
    targetFrame.height = fullSize.y;
    targetFrame.flags = FRAME_WIDTH | FRAME_HEIGHT;
    Animate(EFFECT_LOCK | EFFECT_EASE_OUT);
    expanded = true;
}

void TakeSizeAndAlpha(AnimationFrame& own, const AnimationFrame& step)
{
    if (step.flags & FRAME_WIDTH)
        own.width = *step.pw;
    if (step.flags & FRAME_HEIGHT)
        own.height = *step.ph;
    if (step.flags & FRAME_ALPHA)
        own.alpha = *step.palpha;
    own.flags |= step.flags & (FRAME_WIDTH | FRAME_HEIGHT | FRAME_ALPHA);
}

wxWindow* LauncherWindow()
{
    return wxGetApp().launcher;
}

void DrawHaloText(BitmapDC& canvas, const wxString& text, const wxPoint& centre)
{
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
            canvas.DrawGlyphTextCentered(text, centre + wxPoint(dx, dy), NotifyHaloColour, DefaultTextSize);
    canvas.DrawGlyphTextCentered(text, centre, NotifyTextColour, DefaultTextSize);
}

bool ComposeBands(BitmapDC& display, const Picture& source, const BandRows& rows, wxSize& drawn, int w, int h)
{
    const Recompose what = RecomposeFor(drawn, w, h);
    if (what == Recompose::None)
        return false;
    if (what == Recompose::ClearAndDraw)
        display.Fill(0);
    const BandLayout layout = LayoutBands(rows, source.GetSize(), w, h);
    drawn = layout.drawn;
    display.StretchBlit(source, layout.topSource, layout.topDest);
    if (!layout.middle.IsEmpty())
        display.Blit(source, layout.middle, layout.middle.GetPosition());
    display.StretchBlit(source, layout.bottomSource, layout.bottomDest);
    return true;
}

bool PushPicture(ObjectDC& dc, const Picture& picture, const wxPoint& pos, const wxSize& size, bool content)
{
    if (!content && dc.UpdateAlpha())
        return true;
    dc.pos = pos;
    if (picture.IsOk()) {
        dc.size = size;
        return dc.Update(picture, true);
    }
    static const Picture transparent(1, 1, 0);
    dc.size = transparent.GetSize();
    return dc.Update(transparent, true);
}
