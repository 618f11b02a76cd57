// The edit pop-up of a menu: a "Modify" button beside the long-pressed item and
// a row of entries that slides out next to it (over a list row at once). A
// release on the button or an entry performs its edit on the target menu.
#pragma once

#include "MenuImpl.h"

class ListItem;
class wxMoveEvent;
class wxTimerEvent;

enum EditAction { EDIT_MODIFY = 1004, EDIT_ADD = 1005, EDIT_UPPER = 1006, EDIT_LOWER = 1007, EDIT_REMOVE = 1008 };

class EditMenu : public MenuImpl {
public:
    explicit EditMenu(MenuImpl* targetMenu);
    ~EditMenu() override;

    int GetType() override { return MENU_TYPE_EDIT; }
    // Shows or hides the pop-up for its present target.
    bool Show(const bool& show) override;
    Menuable* AppendNode(wxXmlNode*) override { return nullptr; }
    // Appends an entry with the frames of the theme image icon.
    Menuable* Append(const wxString& name, const int& type, const wxString& command, const int& icon) override;
    bool Insert(const unsigned&) override { return false; }

    // Shows the pop-up for target, or hides it.
    bool Popup(ButtonImpl* target, const bool& show);
    // A release on the button or an entry.
    void OnSelect(wxMouseEvent& event);
    // The item is about to be destroyed: the pop-up no longer refers to it.
    void Forget(ButtonImpl* item);

    ListItem* modifyButton;
    MenuImpl* targetMenu;
    ButtonImpl* target = nullptr;
    WinFX popupAnimator;
    AnimationFrame popupFrame;
    bool expanded = false;

protected:
    void UnbindItem(ButtonImpl* item) override;

private:
    bool EditsList() const;
    void OnPressStart(wxMouseEvent& event);
    void OnIgnoreMotion(wxMouseEvent& event);
    void OnLongPress(wxTimerEvent& event);
    void OnFollow(wxMoveEvent& event);
    // Places the entries in a row from x, centred on the button's height, with alpha (KeepAlpha: unchanged).
    void LayOutRow(int x, int alpha);
    // Lays the row out right of the button, transparent, and slides it over the button.
    void SlideRowOut();
};
