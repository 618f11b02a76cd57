// The item button of a catalog menu: a tab showing the catalog background, the
// item's icon and its name, in a plain set of faces (A) and a selected one (B).
#pragma once

#include "ButtonImpl.h"

class CatalogItem : public ButtonImpl {
public:
    CatalogItem(wxWindow* parent, const wxString& name, const wxPoint& pos, const Frames& icons, const Frames& frames);
    CatalogItem(wxWindow* parent, wxXmlNode* node);

    const wxPoint& GetMargin() const override;
    wxXmlNode* GetNode() override;
    void SetNode(wxXmlNode* node) override;

    // Composes set A from catalog frames 0 to 2 and set B from 3 to 5.
    void DrawFaces(const Frames& icons, const Frames& frames);

    static const wxPoint Margin;
    static const wxSize IconSize;

    Frames setA;
    Frames setB;
    int face = 0; // 0 plain, 1 selected, 2 selected with the sub-menu open
};
