// What the themed notification windows share: the window they stand over, the
// question or message with its halo, the band composition of an unfolding
// background, and the push of the composed picture to the window.
#pragma once

#include <cstdint>

#include <wx/gdicmn.h>
#include <wx/string.h>

#include "NotifyLayout.h"

class BitmapDC;
class ObjectDC;
class Picture;
class wxWindow;

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

// Shows picture in dc's window at pos, taking size, with dc's opacity. An empty
// picture shows one transparent pixel, so the window never maps unpainted.
bool PushPicture(ObjectDC& dc, const Picture& picture, const wxPoint& pos, const wxSize& size);
