// The base of the launcher's menus: a container of item buttons (each a layered
// window of its own) animated as one, with the selection indicator and an
// optional edit pop-up. Items are numbered from 1; 0 means none.
#pragma once

#include <vector>

#include <wx/string.h>

#include "Animatable.h"
#include "LauncherLayout.h"
#include "WinFX.h"

class ButtonImpl;
class EditMenu;
class Indicator;
class Menuable;
class ZynObject;
class wxEvent;
class wxMouseEvent;
class wxXmlNode;

enum MenuType { MENU_TYPE_ICON = 1, MENU_TYPE_CATALOG = 2, MENU_TYPE_LIST = 3, MENU_TYPE_EDIT = 4 };

class MenuImpl {
public:
    explicit MenuImpl(ZynObject* owner);
    MenuImpl(const MenuImpl&) = delete;
    MenuImpl& operator=(const MenuImpl&) = delete;

    virtual int GetType() = 0;
    // Shows or hides the menu with its animation; false when there was nothing to do.
    virtual bool Show(const bool& show) = 0;
    // Makes, ahead of the first show, what that show would make for the items
    // it maps (faces, windows, buffers), so that it only maps them.
    virtual void Prepare() {}
    // Makes an item of the menu's kind from an item element and appends it; nullptr when refused.
    virtual Menuable* AppendNode(wxXmlNode* node) = 0;
    // Makes and appends an item; action codes above 999 make it built in.
    virtual Menuable* Append(const wxString& name, const int& type, const wxString& command, const int& icon) = 0;
    // Lets the user edit a new item and puts it before the item at index.
    virtual bool Insert(const unsigned& index) = 0;
    virtual bool Swap(const unsigned& i, const unsigned& j);
    virtual bool Delete(const unsigned& i);
    virtual void Clear();
    // True when the item owning this menu is marked by its menu's indicator while this menu is open.
    virtual bool NeedsIndicator();
    // Points a shown indicator at the selected item again.
    virtual bool UpdateIndicator();
    virtual ~MenuImpl();

    ButtonImpl* GetItem(const unsigned& index) const;
    unsigned IndexOf(const ButtonImpl* item) const;
    unsigned GetCount() const { return static_cast<unsigned>(items.size()); }
    // Marks the item with the indicator, or fades the indicator, as the item's sub-menu needs.
    void SelectItem(ButtonImpl* item);
    void HideIndicator();

    std::vector<ButtonImpl*> items;
    ZynObject* owner;
    Indicator* indicator;
    EditMenu* editMenu = nullptr;
    ButtonImpl* selected = nullptr;
    WinFX animator;
    AnimationFrame targetFrame;
    bool shown = false;
    bool pressHandled = true;

protected:
    // Removes the menu's own handlers from an item before it is destroyed.
    virtual void UnbindItem(ButtonImpl* item);
    // The indicator stops following an item about to be destroyed.
    void LetGoOf(ButtonImpl* item);
    // Unbinds, forgets and destroys (deferred) one item window.
    void DestroyItem(ButtonImpl* item);
    // Whole wheel notches of a vertical wheel event; horizontal wheels give 0.
    int WheelNotches(const wxMouseEvent& event);

    // Gives the animator a new item's target, last (index 0) or before target index.
    // A running animation is brought to its end first, since the animator takes no
    // target while it runs and an accepted edit must not be lost; a refusal is
    // logged and destroys the item (false).
    bool AddItemTarget(ButtonImpl* item, unsigned index);
    // Lets the user edit a new item for this menu; a cancelled one is destroyed (false).
    bool EditNewItem(ButtonImpl* item);
    // The press timer ran out on the item of event: uses up the press in hand and
    // answers the item the edit pop-up may open on. nullptr while the launcher is
    // locked or no press is in hand (the press stays unused), and for a built-in
    // item (after the warning), a clipped one or the pop-up's own target.
    ButtonImpl* LongPressedItem(const wxEvent& event);
    // From an item to the next one in a column: its height plus its vertical margin.
    static int Pitch(const ButtonImpl* item);
    // The item an item event came from; nullptr for any other window.
    static ButtonImpl* ItemOf(const wxEvent& event);
    // Places the items from..to (1-based) one below the other from at, keeping their
    // alpha; upward runs from..to towards the first item, each above the one before.
    void StackItems(unsigned from, unsigned to, wxPoint at, bool upward = false);
    // Closes the gap item index left in a column longer than its view: a column
    // scrolled to its end keeps its end and the items above come down, otherwise
    // the items below move up (none when the last item went).
    void CloseScrolledGap(unsigned index);

private:
    WheelAccumulator wheel;
};
