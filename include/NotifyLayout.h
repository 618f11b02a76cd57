// The geometry and input rules of the themed notifications, kept apart from
// their windows so they can be checked without a display: how a background
// unfolds in bands, how a picture notice grows, where the windows stand, where
// the alert's buttons are and what the mouse does to them.
#pragma once

#include <cstdint>

#include <wx/defs.h>
#include <wx/gdicmn.h>

// Rows of a background that unfolds from a closed strip: a top band, an
// unscaled middle and a bottom band. The strip shows the two bands only.
struct BandRows {
    int topHeight;    // rows 0 .. topHeight - 1
    int bottomRow;    // first row of the bottom band
    int bottomHeight; // rows bottomRow .. bottomRow + bottomHeight - 1
    constexpr int ClosedHeight() const { return topHeight + bottomHeight; }
};

inline constexpr BandRows AlertBands{83, 147, 106};   // closed strip 189 rows
inline constexpr BandRows MessageBands{83, 147, 90};  // closed strip 173 rows

// Where each band of the finished picture goes in the picture shown for one
// animation step. The strip is squeezed sideways towards the centre (the bands
// are scaled to the drawn width) and opens up and down around the middle row,
// where the middle shows the finished picture's rows at the same place.
struct BandLayout {
    wxSize drawn;
    wxRect topSource, topDest;
    wxRect middle; // the same rectangle in the source and the display; empty when closed
    wxRect bottomSource, bottomDest;
};

// The layout for a frame of width w and height h over a background of size full.
BandLayout LayoutBands(const BandRows& rows, const wxSize& full, int w, int h);

// The rectangle a picture notice of size full shows itself scaled into, for a
// frame of width w and height h: centred, never larger than the picture.
wxRect LayoutGrowth(const wxSize& full, int w, int h);

// What a change of the frame's size asks of a display canvas that last showed
// drawn: nothing, a fresh composition, or a clear first (the picture shrinks).
enum class Recompose { None, Draw, ClearAndDraw };
Recompose RecomposeFor(const wxSize& drawn, int w, int h);

// The top-left corner that centres a window of size on the screen.
wxPoint CentredOnScreen(const wxSize& screen, const wxSize& size);
// The default place of a picture notice: centred across, its top edge twice
// its height above the middle of the screen.
wxPoint DefaultNoticePosition(const wxSize& screen, const wxSize& size);
// The screen's size in pixels.
wxSize ScreenSize();

// The alert's buttons: top-left corners inside the alert.
extern const wxPoint YesButtonOrigin;
extern const wxPoint NoButtonOrigin;

// Opacity of the alert's buttons at a drawn height: they appear as the strip
// opens and stand at full strength when it is open; -1 while it is closed.
int ButtonAlpha(int drawnHeight, int fullHeight);

enum AlertChoice { CHOICE_NONE = 0, CHOICE_YES = 1, CHOICE_NO = 2 };

// The button strictly inside whose box (face, at the button's origin) p lies;
// both boxes take the size of the yes button's face.
AlertChoice HitButton(const wxPoint& p, const wxSize& face);

// How the alert answers the mouse. A move or a press picks the button under
// the pointer (or drops the choice off both buttons); a release with a choice
// starts the fade-out, and the answer is the choice as last seen, wherever the
// release happens. Nothing reacts while the alert animates.
struct AlertInput {
    // What the window has to do after one input.
    struct Step {
        AlertChoice highlight = CHOICE_NONE; // draw this button's face under the mouse
        AlertChoice restore = CHOICE_NONE;   // draw this button's normal face again
        bool sound = false;                  // play the press sound
        bool fadeOut = false;                // start the fade-out
        bool Redraws() const { return highlight != CHOICE_NONE || restore != CHOICE_NONE; }
    };

    Step Move(const wxPoint& p, const wxSize& face, bool animating);
    Step Press(const wxPoint& p, const wxSize& face, bool animating);
    Step Release(bool animating) const;
    // wxYES when the yes button is the choice, otherwise wxNO.
    int Answer() const { return choice == CHOICE_YES ? wxYES : wxNO; }

    AlertChoice choice = CHOICE_NONE;
};
