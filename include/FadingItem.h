// An item button of a scrolling menu (icon items, list rows): it places itself
// against the visible part of its menu, hidden outside it, plain inside it and
// faded across its edges, drawing the fade into copies of its faces.
#pragma once

#include "ButtonImpl.h"
#include "LauncherLayout.h"

class FadingItem : public ButtonImpl {
public:
    FadingItem(wxWindow* parent, const wxString& name, const wxPoint& pos);

    void ApplyFrame(AnimationFrame& in) override;
    void ShowAt(const wxPoint& pos, const int& alpha) override;
    void SetAlpha(const unsigned char& alpha) override;
    void ReleasePointer() override;
    void OnCaptureLost(wxMouseCaptureLostEvent& event) override;

    // Places the item at pos with the alpha against its menu's view.
    void RefreshState(const wxPoint& pos, const unsigned char& alpha);

    Frames frames;      // composed faces: normal, hover, press
    Frames fadedFrames; // the same with the present fade drawn in
    Picture fadeBitmap;
    BitmapDC fadeCanvas;
    bool clipToView = false;
    EdgeFade fade;
    bool fadePending = false; // fadedFrames are older than fade
    // Placed outside the view while holding the pointer grab: X ends the grab of a
    // window that is unmapped, so the item stays mapped, fully transparent, until
    // the grab ends.
    bool parked = false;

protected:
    // Where the item at pos stands against the view of its menu, whose owner is parent.
    virtual EdgeFade ViewFade(const wxPoint& pos, const wxWindow& parent) = 0;
    // Pushes the faded normal face at pos.
    void UpdateLayered(const wxPoint& pos, const unsigned char& alpha);
    // Draws the fade into all three faces and shows those from now on.
    void ApplyFade();
    // Applies a fade that changed since the faces were last made.
    void ApplyPendingFade();
    // Maps the item unless its menu is hidden (or hiding).
    void MapIfMenuShown();
    // Hides an item parked while it held the grab.
    void Unpark();
    // Keeps the composed faces as the copies the fade is drawn from; selects them with redraw.
    void TakeFaces(Frames composed, bool redraw);
};
