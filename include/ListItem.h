// A row of a list menu: the list background with a small icon and the row's
// name, carrying an action that runs when the row is clicked.
#pragma once

#include <wx/timer.h>

#include "FadingItem.h"

class ListItem : public FadingItem {
public:
    // Composes the faces from icon and background frames (normal, hover, press).
    ListItem(wxWindow* parent, const wxString& name, const wxPoint& pos, const Frames& icons, const Frames& background);
    // Reads the row from an item element of the menu file.
    ListItem(wxWindow* parent, wxXmlNode* node);

    void SetName(const wxString& name) override;
    const wxPoint& GetMargin() const override;
    const wxPoint& GetOffset() const override;
    void SetIcons(const wxVector<wxString>& paths) override;
    bool Edit() override;
    void ShowNormal() override;
    void OnEnterWindow(wxMouseEvent& event) override;
    void OnLeaveWindow(wxMouseEvent& event) override;
    void OnLeftUp(wxMouseEvent& event) override;
    void OnTimer(wxTimerEvent& event) override;
    wxXmlNode* GetNode() override;
    void SetNode(wxXmlNode* node) override;

    // Runs the row's action; false when there was none to run.
    bool Run();

    static const wxPoint Margin; // rows overlap by 2 pixels
    static const wxPoint Offset; // x of the icon inside the row
    static const wxSize IconSize;

protected:
    EdgeFade ViewFade(const wxPoint& pos, const wxWindow& parent) override;
    Picture DrawFace(size_t k) const override;

private:
    // Composes again from iconPaths (the help icon when there is none) and shows the result.
    void Recompose();
};
