#include "Indicator.h"

#include "ButtonImpl.h"
#include "LauncherLayout.h"
#include "MenuImpl.h"

const wxPoint Indicator::Margin(25, 0);

Indicator::Indicator(wxWindow* parent, const wxPoint& pos, const Frames& frames)
    : ZynObject(parent, wxString(), pos, wxDefaultSize), animator(this)
{
    // A click on the marker never activates it.
    objectDC.SetKind(zplat::WindowKind::NoActivate);
    // Private copies: the canvas is drawn on, the source never is.
    if (!frames.empty()) {
        canvasBitmap = frames[0];
        sourceBitmap = frames[0];
    }
    imageSize = sourceBitmap.GetSize();
    shownSize = imageSize;
    canvas.SelectObject(canvasBitmap);
    source.SelectObject(sourceBitmap);
    objectDC.pos = pos;
    objectDC.size = imageSize;
    if (sourceBitmap.IsOk())
        objectDC.Update(sourceBitmap, true);
}

Indicator::~Indicator() = default;

const wxPoint& Indicator::GetMargin() const { return Margin; }

void Indicator::Compose(int band, int alpha)
{
    const IndicatorSlices s = ComposeIndicator(band, imageSize.y, shownSize.y);
    const Picture* picture = &canvasBitmap;
    switch (s.kind) {
    case IndicatorSlices::WholeImage:
        picture = &sourceBitmap;
        shownSize.y = imageSize.y;
        break;
    case IndicatorSlices::Unchanged:
        break;
    case IndicatorSlices::Slices: {
        if (s.clearFirst)
            canvas.Fill(0);
        shownSize.y = s.shownHeight;
        const int w = imageSize.x;
        const int h = imageSize.y;
        const int middle = (h - IndicatorMiddleRows) / 2;
        // The copies clip: a shorter image simply has fewer rows to give.
        canvas.Blit(sourceBitmap, wxRect(0, 0, w, s.cap), wxPoint(0, s.top));
        canvas.Blit(sourceBitmap, wxRect(0, h - s.cap, w, s.cap), wxPoint(0, s.top + s.cap + IndicatorMiddleRows));
        canvas.Blit(sourceBitmap, wxRect(0, middle, w, IndicatorMiddleRows), wxPoint(0, middle));
        break;
    }
    }
    if (!picture->IsOk())
        return;
    objectDC.SetAlpha(alpha);
    objectDC.pos = wxPoint(frame.x, frame.y);
    objectDC.size = imageSize;
    objectDC.Update(*picture, true);
}

void Indicator::ShowAt(const wxPoint& pos, const wxSize& size, const int& alpha)
{
    RecordPlace(frame, pos, alpha);
    RecordSize(frame, size);
    Compose(size.y, frame.alpha);
}

void Indicator::ApplyFrame(AnimationFrame& in)
{
    TakeFlagged(frame, in, FRAME_POSITION | FRAME_HEIGHT | FRAME_ALPHA);
    if (in.flags & (FRAME_SIZE | FRAME_ALPHA))
        Compose(frame.height, frame.alpha);
    else
        Move(frame.x, frame.y);
}

bool Indicator::PointTo(ButtonImpl* item)
{
    if (!item)
        return false;
    SetOwner(item);
    Raise();
    int band = 0;
    if (item->editTarget)
        band = 56;
    else if (item->menu)
        band = 50 * static_cast<int>(item->menu->GetCount());
    const int dy = (item->GetSize().y - imageSize.y) / 2;
    nextFrame.y = dy;
    nextFrame.height = band;
    nextFrame.flags = FRAME_Y | FRAME_HEIGHT;
    if (!IsShown()) {
        nextFrame.alpha = 255;
        nextFrame.flags |= FRAME_ALPHA;
        const wxPoint at = item->GetPosition();
        ShowAt(wxPoint(at.x + item->GetSize().x + item->GetMargin().x, at.y + dy - imageSize.y / 2), shownSize, 0);
        Show();
    }
    animator.anchor = item;
    Animate(animator, EFFECT_EASE_OUT, nextFrame);
    return true;
}

bool Indicator::FadeOut()
{
    if (!IsShown())
        return false;
    nextFrame.alpha = 0;
    nextFrame.flags = FRAME_ALPHA;
    animator.anchor = nullptr;
    Animate(animator, EFFECT_EASE_IN | EFFECT_HALF, nextFrame);
    return true;
}
