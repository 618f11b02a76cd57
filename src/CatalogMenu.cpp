#include "CatalogMenu.h"

#include <wx/intl.h>

#include "BitmapManager.h"
#include "CatalogItem.h"
#include "EditMenu.h"

CatalogMenu::CatalogMenu(ZynObject* owner) : MenuImpl(owner)
{
    editMenu = new EditMenu(this);
    editMenu->Append(_("Add"), EDIT_ADD, wxString(), ICON_ADD);
    editMenu->Append(_("Upper"), EDIT_UPPER, wxString(), ICON_UPPER);
    editMenu->Append(_("Lower"), EDIT_LOWER, wxString(), ICON_LOWER);
    editMenu->Append(_("Remove"), EDIT_REMOVE, wxString(), ICON_REMOVE);
}

CatalogMenu::~CatalogMenu()
{
    delete editMenu;
    editMenu = nullptr;
    Clear();
}

bool CatalogMenu::Adopt(CatalogItem* item)
{
    if (!animator.AddTarget(item)) {
        item->Destroy();
        return false;
    }
    item->parentMenu = this;
    items.push_back(item);
    return true;
}

Menuable* CatalogMenu::AppendNode(wxXmlNode* node)
{
    CatalogItem* item = new CatalogItem(owner, node);
    return Adopt(item) ? item : nullptr;
}

Menuable* CatalogMenu::Append(const wxString& name, const int& type, const wxString&, const int& icon)
{
    CatalogItem* item = new CatalogItem(owner, name, wxDefaultPosition, BitmapManager::System(icon),
                                        BitmapManager::System(BITMAP_CATALOG));
    if (!Adopt(item))
        return nullptr;
    item->builtIn = type > 999;
    return item;
}

bool CatalogMenu::Show(const bool&)
{
    return false; // built with the catalog menu's column
}

bool CatalogMenu::Insert(const unsigned&)
{
    return false; // built with the catalog menu's editing
}
