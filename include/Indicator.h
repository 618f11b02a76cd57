// The marker beside a menu's selected item while that item has an open list
// menu or edit pop-up: a vertical bracket stretched to the height of the list,
// drawn from one image as top cap, fixed middle and bottom cap.
#pragma once

#include "BitmapDC.h"
#include "BitmapManager.h"
#include "FrameOps.h"
#include "WinFX.h"
#include "ZynObject.h"

class ButtonImpl;

class Indicator : public ZynObject {
public:
    // Uses the first of frames; the window always has that image's full height.
    Indicator(wxWindow* parent, const wxPoint& pos, const Frames& frames);
    ~Indicator() override;

    const wxPoint& GetMargin() const override;
    // x, y, height and alpha of the frame; moves only when none of size and alpha is flagged.
    void ApplyFrame(AnimationFrame& in) override;

    // Fades out; false when hidden.
    virtual bool FadeOut();
    // Places a band of size.y at pos; KeepAlpha keeps the alpha. Does not show the window.
    virtual void ShowAt(const wxPoint& pos, const wxSize& size, const int& alpha);
    // Slides beside item and stretches to its sub-menu; false for nullptr.
    bool PointTo(ButtonImpl* item);

    static const wxPoint Margin;

    Picture canvasBitmap;
    Picture sourceBitmap;
    BitmapDC canvas;
    BitmapDC source;
    wxSize imageSize;
    wxSize shownSize;
    WinFX animator;
    AnimationFrame nextFrame;

private:
    void Compose(int band, int alpha);
};
