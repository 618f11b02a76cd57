#include "TrayItem.h"

const wxPoint TrayItem::Margin(9, 0);

TrayItem::TrayItem(wxWindow* parent, const wxString& name, const wxPoint& pos, const Frames& source)
    : ButtonImpl(parent, name, pos), frames(3)
{
    SetToolTip(name);
    // Own copies: the theme's frames are shared by every pop-up.
    const wxRect rect(wxPoint(0, 0), FrameAt(source, 0).GetSize());
    for (size_t k = 0; k < 3; ++k)
        frames[k] = FrameAt(source, k).GetSubPicture(rect);
    SetBitmaps(frames[0], frames[1], frames[2], true);
}

const wxPoint& TrayItem::GetMargin() const { return Margin; }
