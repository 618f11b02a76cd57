#include "NotifyLayout.h"

#include <algorithm>

#include <wx/settings.h>

const wxPoint YesButtonOrigin(80, 185);
const wxPoint NoButtonOrigin(230, 185);

BandLayout LayoutBands(const BandRows& rows, const wxSize& full, int w, int h)
{
    const int closed = rows.ClosedHeight();
    BandLayout layout;
    layout.drawn.x = std::max(0, std::min(w, full.x));
    layout.drawn.y = h > full.y ? full.y : std::max(h, closed);
    const int x0 = (full.x - layout.drawn.x) / 2;
    const int y0 = (full.y - layout.drawn.y) / 2;
    const int middle = std::max(0, layout.drawn.y - closed);

    layout.topSource = wxRect(0, 0, full.x, rows.topHeight);
    layout.topDest = wxRect(x0, y0, layout.drawn.x, rows.topHeight);
    if (middle > 0)
        layout.middle = wxRect(x0, y0 + rows.topHeight, layout.drawn.x, middle);
    layout.bottomSource = wxRect(0, rows.bottomRow, full.x, rows.bottomHeight);
    layout.bottomDest = wxRect(x0, y0 + rows.topHeight + middle, layout.drawn.x, rows.bottomHeight);
    return layout;
}

wxRect LayoutGrowth(const wxSize& full, int w, int h)
{
    const int width = std::max(0, std::min(w, full.x));
    const int height = h > full.y ? full.y : std::max(0, h);
    return wxRect((full.x - width) / 2, (full.y - height) / 2, width, height);
}

Recompose RecomposeFor(const wxSize& drawn, int w, int h)
{
    if (w == drawn.x && h == drawn.y)
        return Recompose::None;
    return (w < drawn.x || h < drawn.y) ? Recompose::ClearAndDraw : Recompose::Draw;
}

wxPoint CentredOnScreen(const wxSize& screen, const wxSize& size)
{
    return wxPoint((screen.x - size.x) / 2, (screen.y - size.y) / 2);
}

wxPoint DefaultNoticePosition(const wxSize& screen, const wxSize& size)
{
    return wxPoint((screen.x - size.x) / 2, screen.y / 2 - 2 * size.y);
}

wxSize ScreenSize()
{
    return wxSize(wxSystemSettings::GetMetric(wxSYS_SCREEN_X), wxSystemSettings::GetMetric(wxSYS_SCREEN_Y));
}

int ButtonAlpha(int drawnHeight, int fullHeight)
{
    const int closed = AlertBands.ClosedHeight();
    if (drawnHeight <= closed || fullHeight <= closed)
        return -1;
    return std::min(255, 255 * (drawnHeight - closed) / (fullHeight - closed));
}

AlertChoice HitButton(const wxPoint& p, const wxSize& face)
{
    const auto inside = [&](const wxPoint& origin) {
        return p.x > origin.x && p.x < origin.x + face.x && p.y > origin.y && p.y < origin.y + face.y;
    };
    if (inside(YesButtonOrigin))
        return CHOICE_YES;
    if (inside(NoButtonOrigin))
        return CHOICE_NO;
    return CHOICE_NONE;
}

AlertInput::Step AlertInput::Move(const wxPoint& p, const wxSize& face, bool animating)
{
    Step step;
    if (animating)
        return step;
    const AlertChoice hit = HitButton(p, face);
    if (hit == choice)
        return step;
    step.highlight = hit;
    // Also when the pointer jumps from one button straight onto the other.
    step.restore = choice;
    choice = hit;
    return step;
}

AlertInput::Step AlertInput::Press(const wxPoint& p, const wxSize& face, bool animating)
{
    if (animating)
        return Step();
    const bool hadChoice = choice != CHOICE_NONE;
    Step step = Move(p, face, animating);
    step.sound = hadChoice || choice != CHOICE_NONE;
    return step;
}

AlertInput::Step AlertInput::Release(bool animating) const
{
    Step step;
    step.fadeOut = !animating && choice != CHOICE_NONE;
    return step;
}
