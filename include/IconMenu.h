// The icon menu: a column of icon items at its owner's place, with the
// information panel of the selected item and an edit pop-up. The root menu of
// the launcher is one.
#pragma once

#include "MenuImpl.h"

class IconItem;
class InfoPanel;

class IconMenu : public MenuImpl {
public:
    explicit IconMenu(ZynObject* owner);
    ~IconMenu() override;

    int GetType() override { return MENU_TYPE_ICON; }
    bool Show(const bool& show) override;
    Menuable* AppendNode(wxXmlNode* node) override;
    Menuable* Append(const wxString& name, const int& type, const wxString& command, const int& icon) override;
    bool Insert(const unsigned& index) override;

    // Shows the panel for the item, or fades it out when the item has none.
    void ShowInfo(IconItem* item);
    void HideInfo();

    InfoPanel* infoPanel;
    int itemWidth = 0;
    int columnHeight = 0;
    wxPoint pressPoint;

protected:
    void UnbindItem(ButtonImpl* item) override;

private:
    // Takes a new item into the animator and the column, at the end; false when refused.
    bool Adopt(IconItem* item);
};
