#include "InfoPanel.h"

#include "ButtonImpl.h"
#include "IconItem.h"
#include "LauncherLayout.h"
#include "ZynLog.h"

wxPoint InfoPanel::Offset(-270, -215);
const wxSize InfoPanel::CompactSize(PanelCompactSize);
const wxSize InfoPanel::MinimumSize(PanelMinimumSize);
const wxPoint InfoPanel::DescriptionPos(15, 295);
const wxSize InfoPanel::DescriptionSize(215, 130);

namespace {
constexpr uint32_t HaloColour = 0x05333333;
constexpr uint32_t TextColour = 0xCC333333;
const wxRect TitleRect(0, 0, 270, 50);
const wxRect ImageRect(0, 50, 270, 286 - 58);
} // namespace

InfoPanel::InfoPanel(wxWindow* parent, const wxString& title, const wxPoint& pos, const Picture& image, const Frames& background)
    : ZynObject(parent, title, wxDefaultPosition, wxDefaultSize), animator(this)
{
    if (!background.empty()) {
        canvasBitmap = background[0];
        panelBitmap = background[0];
        cleanBitmap = background[0];
    }
    fullSize = cleanBitmap.GetSize();
    shownSize = fullSize;
    if (fullSize.x < CompactSize.x || fullSize.y < CompactSize.y)
        ZLOG_ERROR("Invalid Info Panel Image.");
    canvas.SelectObject(canvasBitmap);
    panel.SelectObject(panelBitmap);
    clean.SelectObject(cleanBitmap);
    SetTitle(title, false);
    SetImage(image, false);
    objectDC.pos = pos;
    objectDC.size = fullSize;
    // The picture reaches the server when the panel is first shown: a panel
    // never shown owns no X window and no image buffer.
    if (fullSize.x > 0 && fullSize.y > 0)
        SetSize(pos.x, pos.y, fullSize.x, fullSize.y, wxSIZE_ALLOW_MINUS_ONE);
}

bool InfoPanel::Show(bool show)
{
    if (show && !objectDC.HasPicture() && canvasBitmap.IsOk())
        objectDC.Update(canvasBitmap, true);
    return ZynObject::Show(show);
}

InfoPanel::~InfoPanel() = default;

const wxPoint& InfoPanel::GetOffset() const { return Offset; }

void InfoPanel::SetOffset(const wxPoint& point) { Offset = point; }

void InfoPanel::Push()
{
    if (canvasBitmap.IsOk())
        objectDC.Update(canvasBitmap, false);
}

void InfoPanel::Refresh(const wxRect& rect)
{
    canvas.Blit(panelBitmap, rect, rect.GetTopLeft());
    Push();
}

void InfoPanel::SetTitle(const wxString& title, bool redraw)
{
    panel.Blit(cleanBitmap, TitleRect, TitleRect.GetTopLeft());
    const wxPoint centre(123, 40);
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
            panel.DrawGlyphTextCentered(title, centre + wxPoint(dx, dy), HaloColour, DefaultTextSize);
    panel.DrawGlyphTextCentered(title, centre, TextColour, DefaultTextSize);
    SetLabel(title);
    if (redraw)
        Refresh(TitleRect);
}

void InfoPanel::SetDescription(const wxString& text, bool redraw)
{
    hasDescription = !text.empty();
    if (!hasDescription)
        return; // the old text stays until the panel closes to its compact size
    const wxRect area(DescriptionPos, DescriptionSize);
    panel.Blit(cleanBitmap, area, DescriptionPos);
    panel.DrawGlyphTextEx(text, DescriptionPos + wxPoint(10, 15), DescriptionSize - wxSize(10, 15), TextColour,
                          DefaultTextSize);
    if (redraw && shownSize.y >= fullSize.y)
        Refresh(area);
}

void InfoPanel::SetImage(const Picture& image, bool redraw)
{
    if (!image.IsOk())
        return;
    panel.Blit(cleanBitmap, ImageRect, ImageRect.GetTopLeft());
    panel.BlendBitmap(image, PanelImagePos(image.GetSize()), 255);
    if (redraw)
        Refresh(ImageRect);
}

void InfoPanel::Compose(const wxSize& size, int alpha)
{
    const PanelReveal r = RevealPanel(size, shownSize, fullSize);
    if (!r.unchanged) {
        if (r.clearFirst)
            canvas.Fill(0);
        shownSize = r.shown;
        canvas.Blit(panelBitmap, r.body, r.body.GetTopLeft());
        canvas.Blit(panelBitmap, r.border, r.borderDest);
    }
    if (!canvasBitmap.IsOk())
        return;
    objectDC.SetAlpha(alpha);
    objectDC.pos = wxPoint(frame.x, frame.y);
    objectDC.size = fullSize;
    objectDC.Update(canvasBitmap, true);
}

void InfoPanel::ShowAt(const wxPoint& pos, const wxSize& size, const int& alpha)
{
    RecordPlace(frame, pos, alpha);
    RecordSize(frame, size);
    Compose(size, frame.alpha);
}

void InfoPanel::ApplyFrame(AnimationFrame& in)
{
    if (TakeFlagged(frame, in, FRAME_ALL) & (FRAME_SIZE | FRAME_ALPHA))
        Compose(wxSize(frame.width, frame.height), frame.alpha);
    else
        Move(frame.x, frame.y);
}

void InfoPanel::OnAnimationEnd()
{
    if (frame.alpha == 0) {
        ZynObject::OnAnimationEnd();
        return;
    }
    // Every animation that leaves the panel visible ends in the stage the item needs.
    if (expanded == hasDescription)
        return;
    nextFrame.width = hasDescription ? fullSize.x : CompactSize.x;
    nextFrame.height = hasDescription ? fullSize.y : CompactSize.y;
    nextFrame.flags = FRAME_SIZE;
    Animate(animator, EFFECT_EASE_OUT, nextFrame);
    expanded = hasDescription;
}

bool InfoPanel::FadeOut()
{
    if (!IsShown())
        return false;
    nextFrame.alpha = 0;
    nextFrame.flags = FRAME_ALPHA;
    animator.anchor = nullptr;
    Animate(animator, EFFECT_EASE_IN | EFFECT_HALF | EFFECT_LOCK, nextFrame);
    return true;
}

bool InfoPanel::ShowItem(IconItem* item)
{
    if (!item)
        return false;
    const int x = -item->GetMargin().x - fullSize.x;
    const int y = item->GetSize().y / 2 + GetOffset().y;
    SetTitle(item->name, true);
    SetDescription(item->panelDescription, true);
    SetImage(item->panelImage, true);
    nextFrame.flags = 0;
    if (IsShown()) {
        nextFrame.y = y;
        nextFrame.flags = FRAME_Y;
    } else {
        expanded = false;
        nextFrame.alpha = 255;
        nextFrame.width = CompactSize.x;
        nextFrame.height = CompactSize.y;
        nextFrame.flags = FRAME_SIZE | FRAME_ALPHA;
        ShowAt(item->GetPosition() + wxPoint(x, y), MinimumSize, 0);
        Show();
    }
    animator.anchor = item;
    Animate(animator, EFFECT_EASE_OUT | EFFECT_LOCK, nextFrame);
    return true;
}
