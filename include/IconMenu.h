// The icon menu: a column of icon items at its owner's place, with the
// information panel of the selected item and an edit pop-up. The root menu of
// the launcher is one. A column longer than five items scrolls, by dragging
// and by the wheel, inside a view of five slots from the owner's y down.
#pragma once

#include <wx/gdicmn.h>

#include "MenuImpl.h"

class IconItem;
class InfoPanel;
class wxMouseEvent;
class wxTimerEvent;

class IconMenu : public MenuImpl {
public:
    explicit IconMenu(ZynObject* owner);
    ~IconMenu() override;

    int GetType() override { return MENU_TYPE_ICON; }
    bool Show(const bool& show) override;
    void Prepare() override;
    Menuable* AppendNode(wxXmlNode* node) override;
    Menuable* Append(const wxString& name, const int& type, const wxString& command, const int& icon) override;
    bool Insert(const unsigned& index) override;
    bool Swap(const unsigned& i, const unsigned& j) override;
    bool Delete(const unsigned& i) override;

    // Shows the panel for the item, or fades it out when the item has none.
    void ShowInfo(IconItem* item);
    void HideInfo();

    // Bound on every item; they run before the item's own handlers.
    void OnLeftDown(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnMouseWheel(wxMouseEvent& event);
    void OnMotion(wxMouseEvent& event);
    void OnLongPress(wxTimerEvent& event);

    InfoPanel* infoPanel;
    int itemWidth = 0;
    int columnHeight = 0;
    wxPoint pressPoint;

protected:
    void UnbindItem(ButtonImpl* item) override;

private:
    // Takes a new item into the animator (before index, or at the end for 0) and binds it; false when refused.
    bool Adopt(IconItem* item, unsigned index);
    // The height of one row of the column: the first item's height and margin.
    int Slot() const;
    // The five-slot view: from the owner's y down.
    int ViewTop() const;
    int ViewBottom() const;
    // The new top of the column moved by delta, kept over the five-slot view.
    int ClampTop(int top, int delta) const;
    // Closes the edit pop-up and drops the selection with its marks (drag, wheel).
    void DropSelection();
};
