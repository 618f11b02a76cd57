// What the themed notification windows share: the window they stand over,
// their pictures and animator, the question or message with its halo, the band
// composition of an unfolding background, and the push to the window.
#pragma once

#include <cstdint>

#include <wx/gdicmn.h>
#include <wx/string.h>

#include "BitmapDC.h"
#include "BitmapManager.h"
#include "NotifyLayout.h"
#include "Picture.h"
#include "WinFX.h"

class ObjectDC;
class wxWindow;

// The drawing state of a notification window: the finished picture is drawn
// once into the source; each animation step composes the display from it at
// the animated size, and the window shows the display at a fixed place and
// its full size with the animated alpha.
class NotifyPicture {
public:
    explicit NotifyPicture(Animatable* self);
    NotifyPicture(const NotifyPicture&) = delete;
    NotifyPicture& operator=(const NotifyPicture&) = delete;

    // Frame 0 of frames (none: an empty picture) with text centred on it
    // becomes the source and the display; sets the full and the drawn size.
    void LoadPicture(const Frames& frames, const wxString& text);
    // Hands targetFrame to the animator with effect and starts it.
    void Animate(uint32_t effect);
    // From the closed strip: widens from the centre while fading in.
    void StartWidening();
    // Once a showing, after the widening: opens up and down to the full picture.
    void UnfoldOnce();

    Picture displayBitmap;
    Picture sourceBitmap;
    BitmapDC displayCanvas;
    BitmapDC sourceCanvas;
    WinFX animator;
    AnimationFrame targetFrame; // end values and flags of the next animation
    wxPoint position;           // on the screen; never changes
    wxSize fullSize;            // of the picture
    wxSize drawnSize;           // last composed into the display
    bool expanded = false;      // the unfolding has started for this showing
};

// Takes the width, height and alpha that step carries into own (a
// notification never moves); the flags it took are added to own's.
void TakeSizeAndAlpha(AnimationFrame& own, const AnimationFrame& step);

// The launcher window, the parent of a notification that stands on nothing
// else; nullptr while there is none.
wxWindow* LauncherWindow();

inline constexpr uint32_t NotifyHaloColour = 0x05333333;
inline constexpr uint32_t NotifyTextColour = 0xdd333333;

// One line centred on centre.x with its baseline on centre.y, over a faint
// halo of nine copies one pixel around it.
void DrawHaloText(BitmapDC& canvas, const wxString& text, const wxPoint& centre);

// Composes display from source for a frame of w x h when the size changed
// since drawn (which it updates); clears first when the picture shrinks.
// True when something was composed.
bool ComposeBands(BitmapDC& display, const Picture& source, const BandRows& rows, wxSize& drawn, int w, int h);

// Shows picture in dc's window at pos, taking size, with dc's opacity; when
// the content has not changed since the last push only the opacity goes. An
// empty picture shows one transparent pixel, so the window never maps unpainted.
bool PushPicture(ObjectDC& dc, const Picture& picture, const wxPoint& pos, const wxSize& size, bool content);
