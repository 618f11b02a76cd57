#include "Menuable.h"

#include <wx/xml/xml.h>

#include "BitmapManager.h"
#include "ButtonImpl.h"
#include "CatalogMenu.h"
#include "IconMenu.h"
#include "ListMenu.h"
#include "MenuXml.h"
#include "ZynLog.h"

Menuable::~Menuable() { DeleteMenu(); }

void Menuable::DeleteMenu()
{
    delete menu;
    menu = nullptr;
}

int Menuable::GetMenuType() const { return menu ? menu->GetType() : 0; }

ZynObject* Menuable::OwnerWindow() { return dynamic_cast<ZynObject*>(this); }

namespace {

MenuImpl* NewMenu(int type, ZynObject* owner)
{
    switch (type) {
    case MENU_TYPE_ICON:
        return new IconMenu(owner);
    case MENU_TYPE_CATALOG:
        return new CatalogMenu(owner);
    case MENU_TYPE_LIST:
        return new ListMenu(owner);
    default:
        return nullptr;
    }
}

} // namespace

MenuImpl* Menuable::CreateMenu(int type)
{
    if (menu) {
        ZLOG_ERROR("Cannot create menu, already existed.");
        return nullptr;
    }
    if (type == 0)
        return nullptr;
    menu = NewMenu(type, OwnerWindow());
    if (!menu) {
        ZLOG_ERROR("Cannot create menu, invalid menu type.");
        return nullptr;
    }
    // A new menu is never empty: it starts with a placeholder the user can edit.
    menu->Append("Unkonwn", 0, wxString(), type == MENU_TYPE_ICON ? ETC_NULL : ICON_HELP);
    return menu;
}

bool Menuable::BuildMenu(wxXmlNode* node) { return BuildMenu(node, 1); }

bool Menuable::BuildMenu(wxXmlNode* node, int depth)
{
    if (menu) {
        ZLOG_ERROR("Cannot build menu, menu already existed.");
        return false;
    }
    if (!MenuXml::Expect(node, "menu")) {
        ZLOG_ERROR("Error parsing xml, invalid menu node.");
        return false;
    }
    if (depth > MaxMenuDepth) {
        ZLOG_ERROR("Error parsing xml, menus nested deeper than %d levels.", MaxMenuDepth);
        return false;
    }
    menu = NewMenu(static_cast<int>(MenuXml::Number(node->GetAttribute("type"))), OwnerWindow());
    if (!menu) {
        ZLOG_ERROR("Error parsing xml, invalid menu type.");
        return false;
    }
    for (wxXmlNode* child = node->GetChildren(); child; child = child->GetNext()) {
        if (!MenuXml::Expect(child, "item")) {
            ZLOG_ERROR("Error parsing xml, invalid menu item.");
            return false;
        }
        Menuable* item = menu->AppendNode(child);
        if (!item)
            continue;
        for (wxXmlNode* sub = child->GetChildren(); sub; sub = sub->GetNext()) {
            if (!MenuXml::Expect(sub, "menu") || item->BuildMenu(sub, depth + 1))
                continue;
            const ButtonImpl* button = dynamic_cast<ButtonImpl*>(item);
            ZLOG_ERROR("Cannot build menu of '%s'.", button ? button->name : wxString());
        }
    }
    return true;
}

bool Menuable::SaveMenu(wxXmlNode* parent)
{
    if (!parent || !menu)
        return false;
    wxXmlNode* element = new wxXmlNode(wxXML_ELEMENT_NODE, "menu");
    element->AddAttribute("type", wxString::Format("%d", menu->GetType()));
    for (ButtonImpl* item : menu->items) {
        wxXmlNode* itemNode = item->GetNode();
        if (!itemNode)
            continue;
        item->SaveMenu(itemNode);
        element->AddChild(itemNode);
    }
    parent->AddChild(element);
    return true;
}
