#include "LauncherLayout.h"

#include <algorithm>

int PressIntervalFor(long pressTimeout)
{
    switch (pressTimeout) {
    case -1:
        return 250;
    case 1:
        return 1000;
    default:
        return 500;
    }
}

namespace {

uint8_t Alpha(long value) { return static_cast<uint8_t>(std::clamp(value, 0L, 255L)); }

// The fade slope per row in 1/256 alpha steps; rows below 2 would divide by zero.
long Slope(int rows) { return 65535L / std::max(rows, 1); }

} // namespace

EdgeFade IconViewFade(int y, int h, int viewTop)
{
    EdgeFade f;
    const int half = h / 2;
    const int viewBottom = viewTop + 5 * (h + 6);
    const int bandTop = viewTop - half;
    const int bandBottom = viewBottom + half;
    if (bandTop >= y + h || bandBottom <= y)
        return f;
    if (y >= viewTop && y + h <= viewBottom) {
        f.place = EdgeFade::Inside;
        return f;
    }
    f.place = EdgeFade::Faded;
    const long k = Slope(half);
    if (y >= viewTop) {
        f.y0 = std::max(viewBottom - y, 0);
        if (bandBottom < y + h) {
            f.y1 = bandBottom - y;
            f.a1 = 0;
        } else {
            f.y1 = h;
            f.a1 = Alpha((bandBottom - y - h) * k / 256);
        }
        f.a0 = Alpha((bandBottom - y - f.y0) * k / 256);
        f.clipped = f.a1 == 0;
    } else {
        f.y0 = std::max(bandTop - y, 0);
        int m;
        if (y + h > viewTop) {
            f.y1 = viewTop - y;
            m = viewTop;
        } else {
            f.y1 = h;
            m = y + h;
        }
        f.a0 = Alpha((y + f.y0 - bandTop) * k / 256);
        f.a1 = Alpha((m - bandTop) * k / 256);
        f.clipped = f.a0 == 0;
    }
    return f;
}

EdgeFade ListBandFade(int y, int h, int marginY, int mid)
{
    EdgeFade f;
    const int pitch = h + marginY;
    const int clearTop = mid - 2 * pitch;
    const int clearBottom = mid + 2 * pitch;
    const int bandTop = clearTop - h;
    const int bandBottom = clearBottom + h;
    if (y + h <= bandTop || y >= bandBottom)
        return f;
    if (y >= clearTop && y + h <= clearBottom) {
        f.place = EdgeFade::Inside;
        return f;
    }
    f.place = EdgeFade::Faded;
    const long m = Slope(h);
    if (y < clearTop) {
        f.y0 = bandTop > y ? bandTop - y : 0;
        f.y1 = clearTop < y + h ? clearTop - y : h;
        f.a0 = Alpha(((y + f.y0 - bandTop) * m) >> 8);
        f.a1 = Alpha(((std::min(y + h, clearTop) - bandTop) * m) >> 8);
        f.clipped = f.a0 == 0;
    } else {
        f.y0 = clearBottom > y ? clearBottom - y : 0;
        if (bandBottom < y + h) {
            f.y1 = bandBottom - y;
            f.a1 = 0;
        } else {
            f.y1 = h;
            f.a1 = Alpha(((bandBottom - y - h) * m) >> 8);
        }
        f.a0 = Alpha(((bandBottom - y - f.y0) * m) >> 8);
        f.clipped = f.a1 == 0;
    }
    return f;
}

IndicatorSlices ComposeIndicator(int band, int imageHeight, int shownHeight)
{
    IndicatorSlices s;
    if (band >= imageHeight) {
        s.shownHeight = imageHeight;
        return s;
    }
    if (band == shownHeight) {
        s.kind = IndicatorSlices::Unchanged;
        s.shownHeight = shownHeight;
        return s;
    }
    s.kind = IndicatorSlices::Slices;
    s.clearFirst = band < shownHeight;
    if (band <= 55) {
        band = 56;
        s.cap = 15;
    } else {
        s.cap = (band - IndicatorMiddleRows) / 2;
    }
    s.shownHeight = band;
    s.top = (imageHeight - band) / 2;
    return s;
}

PanelReveal RevealPanel(const wxSize& want, const wxSize& shown, const wxSize& full)
{
    PanelReveal r;
    if (want == shown) {
        r.unchanged = true;
        r.shown = shown;
        return r;
    }
    r.clearFirst = want.x < shown.x || want.y < shown.y;
    const int sw = std::max(std::min(want.x, full.x), PanelMinimumSize.x);
    const int sh = std::max(std::min(want.y, full.y), PanelMinimumSize.y);
    r.shown = wxSize(sw, sh);
    if (sh > PanelCompactSize.y) {
        r.body = wxRect(0, 0, sw, sh - PanelBorderRows);
        r.border = wxRect(0, PanelBorderRow, sw, PanelBorderRows);
        r.borderDest = wxPoint(0, sh - PanelBorderRows);
    } else {
        const int x0 = PanelCompactSize.x - sw;
        const int y0 = PanelCompactSize.y - sh;
        r.body = wxRect(x0, y0, sw, sh - PanelBorderRows);
        r.border = wxRect(x0, PanelBorderRow, sw, PanelBorderRows);
        r.borderDest = wxPoint(x0, PanelCompactSize.y - PanelBorderRows);
    }
    return r;
}

wxPoint PanelImagePos(const wxSize& image)
{
    return wxPoint((PanelCompactSize.x - 24 - image.x) / 2, (PanelCompactSize.y - image.y - 40) / 2 + 40);
}

int ListCentreOffset(int ownerHeight, int count, int pitch, int marginY)
{
    return (ownerHeight + marginY - count * pitch) / 2;
}

int ClampColumnTop(int top, int delta, int columnHeight, int low, int high)
{
    if (delta < 0 && top + columnHeight < high)
        return high - columnHeight;
    if (delta > 0 && top > low)
        return low;
    return top;
}

int SwapScroll(int centreA, int centreB, int viewTop, int viewBottom, int slot)
{
    if (centreA < viewTop || centreB < viewTop)
        return slot;
    if (centreA > viewBottom || centreB > viewBottom)
        return -slot;
    return 0;
}

ColumnShift CatalogDeleteShift(unsigned count, unsigned selected, unsigned index)
{
    ColumnShift shift;
    if (selected == index) // the item below takes the selection, or the one above when the last went
        shift.select = index < count ? index : index - 1;
    if (selected < index || (selected == index && index < count)) {
        // The items below close the gap upwards.
        if (index < count) {
            shift.first = index;
            shift.last = count - 1;
        }
    } else if (index > 1) {
        // The items above close it downwards.
        shift.first = index - 1;
        shift.last = 1;
        shift.upward = true;
    }
    return shift;
}

ColumnShift CatalogInsertShift(unsigned count, unsigned selected, unsigned index)
{
    ColumnShift shift;
    if (index < selected) {
        // The item at index keeps its place; the new one and those above move up.
        shift.first = index + 1;
        shift.last = 1;
        shift.upward = true;
        return shift;
    }
    // The new item takes the place of the one at index; it and those below move down.
    shift.first = index;
    shift.last = count + 1;
    if (index == selected)
        shift.select = index;
    return shift;
}

int WheelAccumulator::Add(int rotation, int delta)
{
    if (delta <= 0)
        delta = 120;
    // A turn the other way starts afresh instead of first paying back the rest.
    if ((rotation < 0 && rest > 0) || (rotation > 0 && rest < 0))
        rest = 0;
    rest += rotation;
    const int notches = rest / delta;
    rest -= notches * delta;
    return notches;
}
