// The pop-out panel beside an icon menu's selected item: title, picture and
// description on the panel background. It opens in two stages (80 x 80 to the
// compact 270 x 286, then to full height when there is a description), slides
// between items and fades out.
#pragma once

#include "BitmapDC.h"
#include "BitmapManager.h"
#include "FrameOps.h"
#include "WinFX.h"
#include "ZynObject.h"

class IconItem;

class InfoPanel : public ZynObject {
public:
    InfoPanel(wxWindow* parent, const wxString& title, const wxPoint& pos, const Picture& image, const Frames& background);
    ~InfoPanel() override;

    const wxPoint& GetOffset() const override;
    void ApplyFrame(AnimationFrame& in) override;
    // Hidden at alpha 0; otherwise opens or closes the second stage.
    void OnAnimationEnd() override;

    virtual bool FadeOut();
    // Reveals size of the panel at pos; KeepAlpha keeps the alpha. Does not show the window.
    virtual void ShowAt(const wxPoint& pos, const wxSize& size, const int& alpha);
    // A panel shown before its picture was pushed gets it first.
    bool Show(bool show = true) override;
    // Replaces the offset of every panel.
    virtual void SetOffset(const wxPoint& point);

    void SetTitle(const wxString& title, bool redraw);
    void SetDescription(const wxString& text, bool redraw);
    void SetImage(const Picture& image, bool redraw);
    // Shows the panel for item; false for nullptr.
    bool ShowItem(IconItem* item);

    static wxPoint Offset; // one for every panel
    static const wxSize CompactSize; // the first opening stage: title and picture
    static const wxSize MinimumSize; // the smallest revealed size, where showing starts
    static const wxPoint DescriptionPos;
    static const wxSize DescriptionSize;

    Picture canvasBitmap;
    Picture panelBitmap;
    Picture cleanBitmap;
    BitmapDC canvas;
    BitmapDC panel;
    BitmapDC clean;
    wxSize fullSize;
    wxSize shownSize;
    WinFX animator;
    AnimationFrame nextFrame;
    bool expanded = false;
    bool hasDescription = false;

private:
    void Compose(const wxSize& size, int alpha);
    // Copies rect of the complete panel to the canvas and pushes it where the window stands.
    void Refresh(const wxRect& rect);
    void Push();
};
