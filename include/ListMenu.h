// The list menu: rows (ListItem) that open beside the item owning the menu and
// run their actions when clicked. More than five rows scroll, by dragging or by
// the wheel, inside a band of about five rows centred on the owner.
#pragma once

#include <wx/gdicmn.h>

#include "MenuImpl.h"

class ListItem;
class wxMouseEvent;
class wxTimerEvent;

class ListMenu : public MenuImpl {
public:
    explicit ListMenu(ZynObject* owner);
    ~ListMenu() override;

    int GetType() override { return MENU_TYPE_LIST; }
    bool Show(const bool& show) override;
    Menuable* AppendNode(wxXmlNode* node) override;
    Menuable* Append(const wxString& name, const int& type, const wxString& command, const int& icon) override;
    bool Insert(const unsigned& index) override;
    bool Delete(const unsigned& index) override;
    bool NeedsIndicator() override { return true; }

    void OnItemLeftDown(wxMouseEvent& event);
    void OnItemLeftUp(wxMouseEvent& event);
    void OnItemWheel(wxMouseEvent& event);
    void OnItemMotion(wxMouseEvent& event);
    void OnLongPress(wxTimerEvent& event);

    MenuImpl* ownerMenu = nullptr;
    int columnHeight = 0;
    wxPoint pressPoint;

protected:
    void UnbindItem(ButtonImpl* item) override;

private:
    // Takes a new row into the animator (before index, or at the end for 0) and binds it.
    bool Adopt(ListItem* row, unsigned index);
    // x of the rows: right of the owner, past the indicator.
    int ListX() const;
    // Centre row of the band: the owner's vertical middle.
    int Mid() const;
    // Re-centres a list of five rows or fewer on the owner.
    void Recentre();
    // The new first-row y after a move by delta, kept over the band.
    int ClampTop(int first, int delta) const;
    // Closes the edit pop-up and forgets the selection (drag, wheel, click).
    void DropSelection();
};
