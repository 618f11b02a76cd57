// An item button of a scrolling menu (icon items, list rows): it places itself
// against the visible part of its menu, hidden outside it, plain inside it and
// faded across its edges, drawing the fade into copies of its faces. Each face
// is composed from the item's icon and background frames when it is first used.
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

    Frames frames;      // composed faces: normal, hover, press; empty until first used (FaceOf)
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
    // Composes face k (0 normal, 1 hover, 2 press) from faceIcons and faceBackground.
    virtual Picture DrawFace(size_t k) const = 0;
    // Pushes the faded normal face at pos.
    void UpdateLayered(const wxPoint& pos, const unsigned char& alpha);
    // Draws the fade into the faces made so far and shows those from now on.
    void ApplyFade();
    // Applies a fade that changed since the faces were last made.
    void ApplyPendingFade();
    // Maps the item unless its menu is hidden (or hiding).
    void MapIfMenuShown();
    // Hides an item parked while it held the grab.
    void Unpark();
    // Takes the frames the faces are composed from; the faces made before are
    // dropped and made again when used. Selects them with redraw.
    void TakeFaces(const Frames& icons, const Frames& background, bool redraw);

    void ComposeFace(int32_t itemState) override;
    wxSize FaceSize(int32_t itemState) override;

    Frames faceIcons;
    Frames faceBackground;
    wxSize faceSize; // the background's size: every face has it

private:
    bool ShowsFadedFaces() const;
    bool made[3] = {false, false, false};
    EdgeFade appliedFade; // the fade drawn into fadedFrames
};
