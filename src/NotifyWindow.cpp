#include "NotifyWindow.h"

#include "ZynUtils.h"
#if __has_include("LaunchWindow.h")
#include "LaunchWindow.h"
#endif

#include "BitmapDC.h"
#include "ObjectDC.h"
#include "Picture.h"

wxWindow* LauncherWindow()
{
#if __has_include("LaunchWindow.h")
    return wxGetApp().launcher;
#else
    return nullptr; // the launcher window has not joined the program yet
#endif
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

bool PushPicture(ObjectDC& dc, const Picture& picture, const wxPoint& pos, const wxSize& size)
{
    dc.pos = pos;
    if (picture.IsOk()) {
        dc.size = size;
        return dc.Update(picture, true);
    }
    static const Picture transparent(1, 1, 0);
    dc.size = transparent.GetSize();
    return dc.Update(transparent, true);
}
