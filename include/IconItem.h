// The item button of an icon menu: a square icon on the button background,
// with an information-panel record and, usually, a sub-menu that a click
// opens and closes. The system monitor widget reuses it for its icon.
#pragma once

#include <wx/timer.h>

#include "FadingItem.h"

enum PanelType : int32_t { PANEL_NONE = 0, PANEL_DESCRIPTION = 1, PANEL_PLUGIN = 2, PANEL_BUILTIN = 1000 };

class IconItem : public FadingItem {
public:
    // Composes the faces from icon and background frames (normal, hover, press).
    IconItem(wxWindow* parent, const wxString& name, const wxPoint& pos, const Frames& icons, const Frames& background);
    // Reads the item from an item element of the menu file.
    IconItem(wxWindow* parent, wxXmlNode* node);

    const wxPoint& GetMargin() const override;
    void SetIcons(const wxVector<wxString>& paths) override;
    bool Edit() override;
    void ShowNormal() override;
    bool IsActive() override;
    void OnEnterWindow(wxMouseEvent& event) override;
    void OnLeaveWindow(wxMouseEvent& event) override;
    void OnLeftUp(wxMouseEvent& event) override;
    void OnTimer(wxTimerEvent& event) override;
    wxXmlNode* GetNode() override;
    void SetNode(wxXmlNode* node) override;

    // Stores the panel; the picture is fitted into 220 x 220, the default one when it cannot be read.
    void SetPanel(const int& type, const wxString& description, const wxString& image);

    static const wxPoint Margin;
    static const wxSize IconSize;

    bool subMenuOpen = false;
    int32_t panelType = PANEL_NONE;
    wxString panelDescription;
    wxString panelImagePath;
    Picture panelImage;

protected:
    EdgeFade ViewFade(const wxPoint& pos, const wxWindow& parent) override;
    Picture DrawFace(size_t k) const override;

private:
    // The icons of the paths, or the empty icon when there is no normal path.
    static Frames IconsOf(const wxVector<wxString>& paths);
};
