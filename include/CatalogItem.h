// The item button of a catalog menu: a tab showing the catalog background, the
// item's icon and its name, in a plain set of faces (A) and a selected one (B).
// Its face is plain, selected, or selected with its sub-menu open; a click
// opens or closes the sub-menu.
#pragma once

#include <wx/timer.h>

#include "ButtonImpl.h"

class CatalogItem : public ButtonImpl {
public:
    CatalogItem(wxWindow* parent, const wxString& name, const wxPoint& pos, const Frames& icons, const Frames& frames);
    CatalogItem(wxWindow* parent, wxXmlNode* node);

    // Stores the name and draws both sets of faces again.
    void SetName(const wxString& name) override;
    const wxPoint& GetMargin() const override;
    void SetIcons(const wxVector<wxString>& paths) override;
    bool Edit() override;
    // Plain face, sub-menu closed.
    void ShowNormal() override;
    // The sub-menu is open.
    bool IsActive() override;
    void OnLeaveWindow(wxMouseEvent& event) override;
    void OnLeftUp(wxMouseEvent& event) override;
    void OnTimer(wxTimerEvent& event) override;
    wxXmlNode* GetNode() override;
    void SetNode(wxXmlNode* node) override;

    // Plain <-> selected; the open face counts as selected.
    void SetSelected(bool on);
    // Opens (face 2) or closes (back to face 1) the sub-menu.
    void SetOpen(bool open);

    // Takes the icons and the catalog frames the faces are composed from: set A
    // from frames 0 to 2 and set B from 3 to 5, each face when it is first used.
    void DrawFaces(const Frames& icons, const Frames& frames);
    // Face k of set A or (selectedSet) set B, composed now when it was not yet.
    const Picture& SetFace(bool selectedSet, size_t k);

    enum Face { FACE_PLAIN = 0, FACE_SELECTED = 1, FACE_OPEN = 2 };

    static const wxPoint Margin;
    static const wxSize IconSize;

    Frames setA;
    Frames setB;
    int face = FACE_PLAIN;

protected:
    void ComposeFace(int32_t itemState) override;
    wxSize FaceSize(int32_t itemState) override;

private:
    Frames faceIcons;
    Frames faceFrames;
    wxSize faceSize;
    bool made[6] = {false, false, false, false, false, false}; // set A then set B

    // The icons of the paths, or the help icon when there is no normal path.
    static Frames IconsOf(const wxVector<wxString>& paths);
    // Composes both sets again and shows the one of the present face.
    void Redraw(const wxVector<wxString>& paths);
    // Selects set A (plain) or set B into the faces.
    void UseSet(bool selectedSet, bool redraw);
};
