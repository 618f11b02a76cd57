// The catalog menu: a column of catalog tabs beside the item owning it, one of
// them always selected and centred beside the owner.
#pragma once

#include "MenuImpl.h"

class CatalogItem;

class CatalogMenu : public MenuImpl {
public:
    explicit CatalogMenu(ZynObject* owner);
    ~CatalogMenu() override;

    int GetType() override { return MENU_TYPE_CATALOG; }
    bool Show(const bool& show) override;
    Menuable* AppendNode(wxXmlNode* node) override;
    Menuable* Append(const wxString& name, const int& type, const wxString& command, const int& icon) override;
    bool Insert(const unsigned& index) override;

private:
    bool Adopt(CatalogItem* item);
};
