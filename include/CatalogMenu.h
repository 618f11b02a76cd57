// The catalog menu: a column of catalog tabs beside the item owning it. One of
// them is always selected and stands centred beside the owner; a click on
// another tab scrolls it there and opens its sub-menu.
#pragma once

#include "MenuImpl.h"

class CatalogItem;
class wxMouseEvent;
class wxTimerEvent;

class CatalogMenu : public MenuImpl {
public:
    explicit CatalogMenu(ZynObject* owner);
    ~CatalogMenu() override;

    int GetType() override { return MENU_TYPE_CATALOG; }
    bool Show(const bool& show) override;
    Menuable* AppendNode(wxXmlNode* node) override;
    Menuable* Append(const wxString& name, const int& type, const wxString& command, const int& icon) override;
    bool Insert(const unsigned& index) override;
    bool Swap(const unsigned& i, const unsigned& j) override;
    bool Delete(const unsigned& index) override;

    // Bound on every item; they run before the item's own handlers.
    void OnItemLeftDown(wxMouseEvent& event);
    void OnItemLeftUp(wxMouseEvent& event);
    void OnItemMotion(wxMouseEvent& event);
    void OnLongPress(wxTimerEvent& event);

protected:
    void UnbindItem(ButtonImpl* item) override;

private:
    // Takes a new item into the animator (before index, or at the end for 0) and binds it; false when refused.
    bool Adopt(CatalogItem* item, unsigned index);
    // The 1-based place of the selected item; the count when none is selected.
    unsigned SelectedIndex() const;
    // Makes the item at index (1-based) the selected one.
    void Select(unsigned index);
    // Carries out a shift from the place at.
    void Apply(const ColumnShift& shift, const wxPoint& at);
    // Every item at full strength again (the owner must be shown).
    void Undim();
};
