// Everything in the launcher that can own one sub-menu and be read from and
// written to "launcher.xml": the item buttons and the launcher's root holder.
#pragma once

class MenuImpl;
class wxXmlNode;
class ZynObject;

// How deep sub-menus read from the file may nest; a deeper file is refused
// there rather than exhausting the stack.
inline constexpr int MaxMenuDepth = 32;

class Menuable {
public:
    Menuable() = default;
    Menuable(const Menuable&) = delete;
    Menuable& operator=(const Menuable&) = delete;

    // A new item element owned by the caller, or nullptr when the owner is not written.
    virtual wxXmlNode* GetNode() = 0;
    // Reads the owner's own fields from an item element.
    virtual void SetNode(wxXmlNode* node) = 0;
    // Deletes the sub-menu and everything below it.
    virtual ~Menuable();

    // A new sub-menu of the type (1 icon, 2 catalog, 3 list) holding one placeholder
    // item; nullptr for type 0, when a sub-menu exists or for an invalid type.
    MenuImpl* CreateMenu(int type);
    // Builds the sub-menu from a menu element, recursively.
    bool BuildMenu(wxXmlNode* node);
    // Appends the sub-menu as a menu element to parent, recursively.
    bool SaveMenu(wxXmlNode* parent);

    // Deletes the sub-menu (nothing without one).
    void DeleteMenu();
    // The type of the sub-menu, 0 without one.
    int GetMenuType() const;

    MenuImpl* parentMenu = nullptr;
    MenuImpl* menu = nullptr;

private:
    bool BuildMenu(wxXmlNode* node, int depth);
    // The window this owner is a part of: the parent of its sub-menu's windows.
    ZynObject* OwnerWindow();
};
