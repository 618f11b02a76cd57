// The launcher's layout and fade arithmetic as pure functions: the windows
// (items, indicator, information panel, menus) only carry out what these
// decide, so the numbers are tested without a display.
#pragma once

#include <cstdint>

#include <wx/gdicmn.h>

// Columns of icon items and list rows longer than this scroll.
inline constexpr unsigned MenuViewRows = 5;
// A press moving further than this (vertically) starts a drag.
inline constexpr int DragThreshold = 5;

// General/PressTimeout in milliseconds of the long press: -1 250, 1 1000, anything else 500.
int PressIntervalFor(long pressTimeout);

// Where an item of a scrolling menu stands against the visible part of its menu.
struct EdgeFade {
    enum Place { Outside, Inside, Faded };
    Place place = Outside;
    int y0 = 0;       // first row of the alpha ramp
    int y1 = 0;       // last row of the ramp
    uint8_t a0 = 255; // alpha at y0
    uint8_t a1 = 255; // alpha at y1
    bool clipped = false; // the item's outer edge is fully transparent
};

// An icon item of height h at y inside the five-row view that starts at viewTop:
// the view is 5 x (h + 6) rows, and items fade out over half their height beyond it.
EdgeFade IconViewFade(int y, int h, int viewTop);

// A list row of height h at y in the band centred on mid: clear from mid - 2p to
// mid + 2p (p = h + marginY, the pitch), fading over one row height beyond.
EdgeFade ListBandFade(int y, int h, int marginY, int mid);

// How the selection indicator draws a band of a requested height from its image.
struct IndicatorSlices {
    enum Kind { WholeImage, Unchanged, Slices };
    Kind kind = WholeImage;
    bool clearFirst = false; // the band shrinks: the larger one is erased first
    int shownHeight = 0;     // the band height recorded as shown
    int top = 0;             // first canvas row of the top cap
    int cap = 0;             // rows of each cap
};
inline constexpr int IndicatorMiddleRows = 26;
IndicatorSlices ComposeIndicator(int band, int imageHeight, int shownHeight);

// The information panel's geometry.
inline const wxSize PanelCompactSize(270, 286);
inline const wxSize PanelMinimumSize(80, 80);
inline constexpr int PanelBorderRow = 421; // first of the background's 8 bottom border rows
inline constexpr int PanelBorderRows = 8;

// How the panel reveals a part of its picture of full size when asked for want.
struct PanelReveal {
    bool unchanged = false;  // want equals what is shown: push as it is
    bool clearFirst = false; // the revealed part shrinks
    wxSize shown;            // the limited size
    wxRect body;             // copied from the panel picture to the same place of the canvas
    wxRect border;           // the bottom border rows of the panel picture ...
    wxPoint borderDest;      // ... copied here
};
PanelReveal RevealPanel(const wxSize& want, const wxSize& shown, const wxSize& full);

// Top-left of a picture of the given size in the panel: centred on x 123 and in rows 40 to 286.
wxPoint PanelImagePos(const wxSize& image);

// The y, relative to the owner, at which a list of count rows of the given pitch
// stands centred on an owner of height ownerHeight (truncated toward zero).
int ListCentreOffset(int ownerHeight, int count, int pitch, int marginY);

// The new top of a scrolled column: its end may not rise above high (moving up),
// its start may not sink below low (moving down).
int ClampColumnTop(int top, int delta, int columnHeight, int low, int high);

// After two items of an icon column swapped places: the column scrolls one slot
// down (+slot) when either item's centre stands above the view's top, else one
// slot up (-slot) when either stands below its bottom, else not at all (0).
int SwapScroll(int centreA, int centreB, int viewTop, int viewBottom, int slot);

// How a catalog column moves its items after one was removed or inserted: the
// items first..last (1-based, counted after the change; none when first is 0)
// are stacked from the place of the item that stood at the changed index,
// downwards, or upwards when first..last runs towards the first item.
struct ColumnShift {
    unsigned first = 0;
    unsigned last = 0;
    bool upward = false;
    unsigned select = 0; // the item that becomes the selected one; 0: the selection stays
};
// count items before the change; selected is the selected item's index, count when none.
ColumnShift CatalogDeleteShift(unsigned count, unsigned selected, unsigned index);
ColumnShift CatalogInsertShift(unsigned count, unsigned selected, unsigned index);

// GTK delivers the wheel as many small smooth-scroll steps: they are summed to
// whole notches of `delta` (one notch is one menu step).
class WheelAccumulator {
public:
    // Adds rotation and answers the whole notches completed, signed.
    int Add(int rotation, int delta);

private:
    int rest = 0;
};
